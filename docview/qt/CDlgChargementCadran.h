#pragma once
// The loading dialog shown while the tables of a dial read from a document are rebuilt: three
// progress bars (equatorial coordinates by month, horizontal coordinates by month, the
// declination table by row). Modeless; shown and painted at once, and at every step.
#include "app/qt/CTopDialog.h"
#include "docview/TableRebuild.h"

class QProgressBar;

class CDlgChargementCadran : public CTopDialog, public TableRebuildProgress {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 183;

    explicit CDlgChargementCadran(QWidget* parent = nullptr);
    ~CDlgChargementCadran() override;

    // TableRebuildProgress
    void Show() override;
    void SetPos(int bar, int pos) override;
    void Close() override;

    QProgressBar* Bar(int bar) const;
};
