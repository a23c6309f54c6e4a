#pragma once
// The size of the dial, its print scale, the style height and how far its base runs. Also
// the base of the analemmatic dial's dimension dialog, which shows the ellipse in place of
// the style.
#include "app/qt/CTopDialog.h"
#include "dialogs/DimensionFields.h"

#include <memory>
#include <string>

class CBitmapCtrl;

class CDlgDimensions : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 137;

    explicit CDlgDimensions(QWidget* parent = nullptr);
    ~CDlgDimensions() override;

    // Filled by the caller, read after IDOK.
    DimensionFields m_fields;
    // Without a dial the base of the style is unknown.
    bool m_hasDial = false;
    // Shown by the statics.
    std::string m_scaleText;
    std::string m_sizeText;
    std::string m_baseText;

    // The selection of the scale combo or a size edit changed.
    void OnScaleChange();

protected:
    enum class Variant { General, Analemmatic };
    CDlgDimensions(int templateId, Variant variant, QWidget* parent);

    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void Build();

    Variant variant_;
    std::unique_ptr<CBitmapCtrl> sketch_;
    std::unique_ptr<CBitmapCtrl> picture_;
    bool opening_ = false;
};

// The dimensions of the current dial (its kind chooses the dialog), or the view's default
// dimensions without a dial; written back after OK. Returns IDOK or IDCANCEL; the caller
// marks the document modified, lays the view out again and repaints.
int EditDimensions(CHoravelView& view, CCadran* dial, QWidget* parent = nullptr);
