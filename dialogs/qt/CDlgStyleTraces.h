#pragma once
// The colour and thickness of each kind of dial line. Edits the colour table in place:
// there is nothing to cancel.
#include "app/qt/CTopDialog.h"

#include <array>
#include <memory>

class CColorSwatch;
struct ColorTableEntry;

class CDlgStyleTraces : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 184;

    explicit CDlgStyleTraces(QWidget* parent = nullptr);
    ~CDlgStyleTraces() override;

    int m_thickness = -1;  // index of the thickness combo

    CColorSwatch* Swatch() const { return swatch_.get(); }

    void OnSelectionChange();
    void OnThicknessChange();
    void OnChangeColor();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    // The colour-table entry of the selected leaf; null on a group or without selection.
    ColorTableEntry* SelectedEntry() const;
    void BuildTree();

    std::unique_ptr<CColorSwatch> swatch_;
    std::array<gdi::COLORREF, 16> customColors_{};
};

// The line styles; the colour table is then saved to the profile whatever the dialog
// returned. The caller drops the view's tool set and repaints with erasing.
int EditLineStyles(QWidget* parent = nullptr);
