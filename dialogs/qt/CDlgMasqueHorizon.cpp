#include "dialogs/qt/CDlgMasqueHorizon.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "dialogs/HorizonMaskFile.h"
#include "dialogs/qt/CDlgPointMasque.h"
#include "dialogs/qt/CHorizonMaskPreview.h"
#include "docview/CHoravelDoc.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kPointList = 1324;
constexpr int kShowCheck = 1333;
constexpr int kPreviewPlaceholder = 1331;
constexpr int kPreviewId = 2001;
constexpr int kAzimuthRole = Qt::UserRole;
constexpr int kHeightRole = Qt::UserRole + 1;

CHorizonPoint PointOf(const QListWidgetItem& item)
{
    return {item.data(kAzimuthRole).toInt(), item.data(kHeightRole).toInt()};
}

}  // namespace

CDlgMasqueHorizon::CDlgMasqueHorizon(CHoravelDoc& document, QWidget* parent)
    : CTopDialog(kTemplateId, "Définition du masque d'horizon", parent), document_(document)
{
    auto* grid = new QGridLayout;
    QLabel* prompt = AddStatic(1131, "Définissez les points du masque d'horizon en entrant une hauteur pour un azimut.");
    prompt->setWordWrap(true);
    grid->addWidget(prompt, 0, 0, 1, 2);
    QListWidget* list = AddListBox(kPointList);
    list->setMinimumWidth(180);
    grid->addWidget(list, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddButton(1325, "Ajouter un point..."));
    buttons->addWidget(AddButton(1326, "Editer un point..."));
    buttons->addWidget(AddButton(1327, "Supprimer un point..."));
    buttons->addWidget(AddButton(1328, "Tout supprimer..."));
    buttons->addSpacing(8);
    buttons->addWidget(AddButton(1338, "Monter"));
    buttons->addWidget(AddButton(1339, "Descendre"));
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(AddStatic(1130, "Prévisualisation du masque d'horizon :"), 2, 0, 1, 2);
    grid->addWidget(AddPlaceholder(kPreviewPlaceholder, QSize(361, 121)), 3, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(AddCheck(kShowCheck, "Afficher un masque d'horizon sur le graphe Azimut-Hauteur"), 4, 0, 1, 2);
    SetDialogLayout(grid);

    OnClicked(1325, [this] { OnAdd(); });
    OnClicked(1326, [this] { OnEdit(); });
    OnClicked(1327, [this] { OnDelete(); });
    OnClicked(1328, [this] { OnDeleteAll(); });
    OnClicked(1338, [this] { OnMoveUp(); });
    OnClicked(1339, [this] { OnMoveDown(); });
}

CDlgMasqueHorizon::~CDlgMasqueHorizon() = default;

void CDlgMasqueHorizon::DoDataExchange(DataExchange& dx) { dx.Check(kShowCheck, m_showMask); }

void CDlgMasqueHorizon::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    LoadHorizonMask();
    QListWidget* list = Control<QListWidget>(kPointList);
    list->clear();
    for (const CHorizonPoint& point : document_.GetHorizonMask())
        InsertItem(list->count(), point);
    if (!preview_) {
        auto preview = std::make_unique<CHorizonMaskPreview>();
        if (preview->CreateOverPlaceholder(*this, kPreviewPlaceholder, kPreviewId))
            preview_ = std::move(preview);
        else
            Trace("[ERROR] Horizon mask preview could not be created.");
    }
    if (preview_) {
        preview_->m_points = &document_.GetHorizonMask();
        preview_->update();
    }
    if (list->count() > 0)
        list->setCurrentRow(0);
}

void CDlgMasqueHorizon::LoadHorizonMask()
{
    std::vector<CHorizonPoint>& points = document_.GetHorizonMask();
    if (!points.empty())
        return;
    switch (horizonmask::ReadFile(horizonmask::ShippedFile(), points)) {
    case horizonmask::ReadResult::Read:
        break;
    case horizonmask::ReadResult::NotFound:
        Trace("Horizon Mask file not found.");
        break;
    case horizonmask::ReadResult::TooLarge:
        Trace("[ERROR] Horizon Mask file too large.");
        break;
    case horizonmask::ReadResult::BadSignature:
        Trace("ERROR: Invalid signature in Horizon Mask file.");
        break;
    }
}

void CDlgMasqueHorizon::InsertItem(int row, const CHorizonPoint& point)
{
    auto* item = new QListWidgetItem(QString::fromStdString(horizonmask::PointText(point)));
    item->setData(kAzimuthRole, point.azimuth);
    item->setData(kHeightRole, point.height);
    Control<QListWidget>(kPointList)->insertItem(row, item);
}

void CDlgMasqueHorizon::SyncDocument()
{
    const QListWidget* list = Control<QListWidget>(kPointList);
    std::vector<CHorizonPoint>& points = document_.GetHorizonMask();
    points.clear();
    for (int row = 0; row < list->count(); ++row)
        points.push_back(PointOf(*list->item(row)));
    if (preview_) {
        preview_->m_points = &points;
        preview_->update();
    }
}

void CDlgMasqueHorizon::OnAdd()
{
    CDlgPointMasque entry(this);
    if (entry.DoModal() == IDOK) {
        const QListWidget* list = Control<QListWidget>(kPointList);
        const int selected = list->currentRow();
        const int row = list->count() == 0 ? 0 : selected >= 0 ? selected + 1 : 1;
        InsertItem(row, {entry.m_azimuth, entry.m_height});
    }
    SyncDocument();
}

void CDlgMasqueHorizon::OnEdit()
{
    QListWidget* list = Control<QListWidget>(kPointList);
    if (QListWidgetItem* item = list->currentItem()) {
        CDlgPointMasque entry(this);
        const CHorizonPoint point = PointOf(*item);
        entry.m_azimuth = point.azimuth;
        entry.m_height = point.height;
        if (entry.DoModal() == IDOK) {
            const CHorizonPoint edited{entry.m_azimuth, entry.m_height};
            item->setText(QString::fromStdString(horizonmask::PointText(edited)));
            item->setData(kAzimuthRole, edited.azimuth);
            item->setData(kHeightRole, edited.height);
        }
    }
    SyncDocument();
}

void CDlgMasqueHorizon::OnDelete()
{
    QListWidget* list = Control<QListWidget>(kPointList);
    const int selected = list->currentRow();
    if (selected >= 0 && TranslatedMessageBox(580, MB_YESNO | MB_ICONQUESTION) == IDYES)
        delete list->takeItem(selected);
    SyncDocument();
}

void CDlgMasqueHorizon::OnDeleteAll()
{
    if (TranslatedMessageBox(582, MB_YESNO | MB_ICONQUESTION) == IDYES)
        Control<QListWidget>(kPointList)->clear();
    SyncDocument();
}

void CDlgMasqueHorizon::MoveSelected(int step)
{
    QListWidget* list = Control<QListWidget>(kPointList);
    const int selected = list->currentRow();
    const int target = selected + step;
    if (selected < 0 || target < 0 || target >= list->count())
        return;
    QListWidgetItem* item = list->takeItem(selected);
    list->insertItem(target, item);
    list->setCurrentRow(target);
    SyncDocument();
}

void CDlgMasqueHorizon::OnMoveUp() { MoveSelected(-1); }

void CDlgMasqueHorizon::OnMoveDown() { MoveSelected(1); }

int EditHorizonMask(CHoravelDoc& document, QWidget* parent)
{
    CDlgMasqueHorizon dialog(document, parent);
    dialog.m_showMask = document.GetHorizonMaskFlag() ? 1 : 0;
    const int result = dialog.DoModal();
    if (result == IDOK)
        document.SetHorizonMaskFlag(dialog.m_showMask != 0);
    return result;
}
