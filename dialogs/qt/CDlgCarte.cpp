#include "dialogs/qt/CDlgCarte.h"

#include "app/Accessors.h"
#include "app/qt/CBitmapCtrl.h"
#include "app/qt/DataExchange.h"
#include "dialogs/LocationBrowsing.h"
#include "platform/qt/QtDC.h"

#include <QVBoxLayout>

namespace {

constexpr int kCaptionStatic = 1051;
constexpr int kPlaceholder = 1055;

}  // namespace

CDlgCarte::CDlgCarte(QWidget* parent, const CLocationList* locations)
    : CTopDialog(kTemplateId, "Carte", parent), locations_(locations)
{
    auto* body = new QVBoxLayout;
    body->addWidget(AddStatic(kCaptionStatic, "<Ville>"));
    body->addWidget(AddPlaceholder(kPlaceholder, QSize(557, 596)));
    SetDialogLayout(body, kOk);
    SetDlgItemText(1, "Fermer");
}

CDlgCarte::~CDlgCarte() = default;

void CDlgCarte::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    if (map_)
        return;
    auto map = std::make_unique<CBitmapCtrl>();
    const bool loaded = map->CreateFromResource(*this, kMapControlId, kPlaceholder, kMapPicture, true);
    map_ = std::move(map);
    if (!loaded)
        return;

    const CLocationList* locations = locations_ ? locations_ : GetLocationList();
    if (locations) {
        QPixmap& picture = map_->Bitmap();
        gdi::QtDC dc(picture);
        m_caption = DrawMapMarks(dc, *locations, m_location, picture.width(), picture.height());
    }
    map_->update();
    UpdateData(false);
}

void CDlgCarte::DoDataExchange(DataExchange& dx) { dx.Text(kCaptionStatic, m_caption); }
