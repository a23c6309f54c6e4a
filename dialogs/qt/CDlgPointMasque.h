#pragma once
// The entry of one point of the horizon mask: an azimuth and the height of the horizon
// there, in whole degrees.
#include "app/qt/CTopDialog.h"

class CDlgPointMasque : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 242;

    explicit CDlgPointMasque(QWidget* parent = nullptr);
    ~CDlgPointMasque() override;

    int m_azimuth = 0;  // -180..180
    int m_height = 0;   // 0..90

protected:
    void DoDataExchange(DataExchange& dx) override;
};
