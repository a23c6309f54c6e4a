#pragma once
// The year whose sun the dial is drawn for, or the average of the four years from the leap
// year before it.
#include "app/qt/CTopDialog.h"

class CHoravelDoc;

class CDlgAnneeReference : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 134;

    explicit CDlgAnneeReference(QWidget* parent = nullptr);
    ~CDlgAnneeReference() override;

    // Filled by the caller, read after IDOK.
    int m_year = 0;
    int m_mode = 0;  // 0 the year itself, 1 the average of four years

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void OnYearChange();
};

// The astronomy year and the document's reference-year mode; stored after OK, and a new
// year given to the document's dial with its sun tables refilled (the document is then
// modified). Returns IDOK or IDCANCEL; the caller repaints.
int EditReferenceYear(CHoravelDoc& document, QWidget* parent = nullptr);
