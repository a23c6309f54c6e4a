#pragma once
// Where the style stands on the dial: point A (its foot) in percent of the dial's size or
// in millimetres from the dial's top left corner, or point B (its second attachment) in
// millimetres; a preview shows A on the sheet.
#include "app/qt/CTopDialog.h"
#include "dialogs/StyleAnchorFields.h"

#include <memory>
#include <string>

class CCadran;
class CPositionPreview;

class CDlgAncrageStyle : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 173;

    explicit CDlgAncrageStyle(QWidget* parent = nullptr);
    ~CDlgAncrageStyle() override;

    // Set by the caller: the dial (not owned; none cancels the dialog) and the fields.
    CCadran* m_dial = nullptr;
    StyleAnchorFields m_fields;
    std::string m_note;
    std::string m_sizeText;

    CPositionPreview* Preview() const { return preview_.get(); }

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    enum class Changed { PointA, Percent, PointB };
    // An edit changed: the other fields follow, the preview too.
    void OnFieldChange(Changed changed, int editId);
    void EnableModeEdits();
    void ReadEditsQuietly();
    void WriteEdits(int exceptId);
    void UpdatePreview();

    std::unique_ptr<CPositionPreview> preview_;
    bool writing_ = false;
};

// The style anchor of the dial; after OK the anchor moves (and the frames with it) and the
// anchoring mode is stored. Returns IDOK or IDCANCEL; the caller repaints.
int EditStyleAnchor(CCadran& dial, QWidget* parent = nullptr);
