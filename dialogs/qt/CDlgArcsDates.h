#pragma once
// The dates at which the dial draws a diurnal arc of its own. The dial's list is edited in
// place while the dialog runs: Cancel keeps what was added or deleted.
#include "app/qt/CTopDialog.h"

#include <cstdint>
#include <vector>

class CCadran;

class CDlgArcsDates : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 176;

    explicit CDlgArcsDates(QWidget* parent = nullptr);
    ~CDlgArcsDates() override;

    // Set by the caller: the dial's list (not owned), day x 100 + month.
    std::vector<std::uint32_t>* m_dates = nullptr;
    int m_day = 0;    // 0..30
    int m_month = 0;  // 0..11

    void OnAdd();
    void OnDelete();
    void OnDeleteAll();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void AddItem(std::uint32_t code);
};

// The particular dates of the dial. Returns IDOK or IDCANCEL; on OK the caller marks the
// document modified and repaints.
int EditParticularDates(CCadran& dial, QWidget* parent = nullptr);
