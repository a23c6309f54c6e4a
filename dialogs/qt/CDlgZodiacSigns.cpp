#include "dialogs/qt/CDlgZodiacSigns.h"

#include "app/Trace.h"
#include "app/qt/DataExchange.h"
#include "dialogs/qt/CZodiacSymbolPreview.h"

#include <QGridLayout>

namespace {

constexpr int kPreviewPlaceholder = 1240;
constexpr int kPreviewId = 2001;

}  // namespace

CDlgZodiacSigns::CDlgZodiacSigns(QWidget* parent) : CTopDialog(kTemplateId, "Insertion d'un symbole zodiacal", parent)
{
    auto* grid = new QGridLayout;
    QLabel* prompt = AddStatic(1142, "Choisissez ci-dessous le symbole zodiacal à insérer. La taille et la couleur du "
                                     "symbole peuvent être éditées par la suite en cliquant sur le bouton 'éditer le "
                                     "style'.");
    prompt->setWordWrap(true);
    grid->addWidget(prompt, 0, 0, 1, 3);
    // Each sign with the date the sun enters it; the dates have ids of their own so that
    // the language file translates them.
    grid->addWidget(AddRadio(1239, "Capricorne", kNewGroup), 1, 0);
    grid->addWidget(AddStatic(1711, "21 décembre ( solstice )"), 1, 1);
    grid->addWidget(AddRadio(1177, "Verseau"), 2, 0);
    grid->addWidget(AddStatic(1712, "20 janvier"), 2, 1);
    grid->addWidget(AddRadio(1179, "Poissons"), 3, 0);
    grid->addWidget(AddStatic(1713, "19 février"), 3, 1);
    grid->addWidget(AddRadio(1180, "Bélier"), 4, 0);
    grid->addWidget(AddStatic(1714, "21 mars ( équinoxe )"), 4, 1);
    grid->addWidget(AddRadio(1181, "Taureau"), 5, 0);
    grid->addWidget(AddStatic(1715, "21 avril"), 5, 1);
    grid->addWidget(AddRadio(1182, "Gémeaux"), 6, 0);
    grid->addWidget(AddStatic(1716, "21 mai"), 6, 1);
    grid->addWidget(AddRadio(1183, "Cancer"), 7, 0);
    grid->addWidget(AddStatic(1717, "22 juin ( solstice )"), 7, 1);
    grid->addWidget(AddRadio(1184, "Lion"), 8, 0);
    grid->addWidget(AddStatic(1718, "23 juillet"), 8, 1);
    grid->addWidget(AddRadio(1185, "Vierge"), 9, 0);
    grid->addWidget(AddStatic(1719, "23 août"), 9, 1);
    grid->addWidget(AddRadio(1186, "Balance"), 10, 0);
    grid->addWidget(AddStatic(1720, "23 septembre (équinoxe )"), 10, 1);
    grid->addWidget(AddRadio(1187, "Scorpion"), 11, 0);
    grid->addWidget(AddStatic(1721, "23 octobre"), 11, 1);
    grid->addWidget(AddRadio(1188, "Sagittaire"), 12, 0);
    grid->addWidget(AddStatic(1722, "22 novembre"), 12, 1);
    grid->addWidget(AddPlaceholder(kPreviewPlaceholder, QSize(96, 96)), 1, 2, 12, 1, Qt::AlignCenter);
    grid->setColumnMinimumWidth(1, 160);
    SetDialogLayout(grid);
    for (int id : kSignButtons)
        OnClicked(id, [this] { OnSignClicked(); });
}

CDlgZodiacSigns::~CDlgZodiacSigns() = default;

void CDlgZodiacSigns::DoDataExchange(DataExchange& dx) { dx.Radio(kSignButtons[0], m_sign); }

void CDlgZodiacSigns::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    if (!preview_) {
        auto preview = std::make_unique<CZodiacSymbolPreview>();
        if (!preview->CreateOverPlaceholder(*this, kPreviewPlaceholder, kPreviewId)) {
            Trace("[ERROR] Zodiac preview could not be created.");
            return;
        }
        preview_ = std::move(preview);
    }
    preview_->m_sign = m_sign;
    preview_->update();
}

void CDlgZodiacSigns::OnSignClicked()
{
    const int sign = GetRadioIndex(kSignButtons[0]);
    if (preview_ && sign >= 0) {
        preview_->m_sign = sign;
        preview_->update();
    }
}

std::optional<int> ChooseZodiacSign(QWidget* parent)
{
    CDlgZodiacSigns dialog(parent);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.m_sign;
}
