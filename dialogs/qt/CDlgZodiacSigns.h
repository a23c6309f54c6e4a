#pragma once
// The choice of one of the twelve zodiac signs, with a preview of its glyph.
#include "app/qt/CTopDialog.h"

#include <memory>
#include <optional>

class CZodiacSymbolPreview;

class CDlgZodiacSigns : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 221;
    // The sign buttons, by sign index (0 Capricorn .. 11 Sagittarius).
    static constexpr int kSignButtons[12] = {1239, 1177, 1179, 1180, 1181, 1182,
                                             1183, 1184, 1185, 1186, 1187, 1188};

    explicit CDlgZodiacSigns(QWidget* parent = nullptr);
    ~CDlgZodiacSigns() override;

    int m_sign = 0;  // read after IDOK

    CZodiacSymbolPreview* Preview() const { return preview_.get(); }

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void OnSignClicked();

    std::unique_ptr<CZodiacSymbolPreview> preview_;
};

// The sign chosen with OK; nothing on Cancel.
std::optional<int> ChooseZodiacSign(QWidget* parent = nullptr);
