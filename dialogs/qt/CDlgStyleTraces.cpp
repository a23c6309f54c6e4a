#include "dialogs/qt/CDlgStyleTraces.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "dialogs/LineStyleTree.h"
#include "dialogs/qt/CColorSwatch.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "docview/ColorTable.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kTree = 1100;
constexpr int kThicknessCombo = 1107;
constexpr int kSwatchPlaceholder = 1108;
constexpr int kSwatchId = 2006;
constexpr int kColorButton = 1099;
constexpr int kEntryRole = Qt::UserRole;
constexpr gdi::COLORREF kGroupColor = gdi::RGB(192, 192, 192);

}  // namespace

CDlgStyleTraces::CDlgStyleTraces(QWidget* parent) : CTopDialog(kTemplateId, "Sélection du style des tracés", parent)
{
    auto* body = new QGridLayout;
    QTreeWidget* tree = AddTree(kTree);
    tree->setHeaderHidden(true);
    tree->setMinimumSize(340, 320);
    body->addWidget(tree, 0, 0, 2, 1);

    QGroupBox* style = AddGroupBox(1131, "Style du tracé");
    auto* styleGrid = new QGridLayout(style);
    styleGrid->addWidget(AddStatic(1718, "&Epaisseur :"), 0, 0);
    QComboBox* thickness = AddComboList(kThicknessCombo);
    for (const char* choice : LineThicknessChoices())
        thickness->addItem(QString::fromUtf8(choice));
    styleGrid->addWidget(thickness, 0, 1);
    styleGrid->addWidget(AddStatic(1719, "Couleur :"), 1, 0);
    styleGrid->addWidget(AddPlaceholder(kSwatchPlaceholder, QSize(60, 24)), 1, 1);
    styleGrid->addWidget(AddButton(kColorButton, "Changer de couleur..."), 2, 0, 1, 2);
    body->addWidget(style, 0, 1, Qt::AlignTop);
    QLabel* note = AddStatic(1130, "Les épaisseurs de 0,5 et 0,25 point ne sont respectées qu'à l'impression.");
    note->setWordWrap(true);
    note->setMaximumWidth(220);
    body->addWidget(note, 1, 1, Qt::AlignTop);
    SetDialogLayout(body, kOk | kHelp);

    OnSelChange(kTree, [this] { OnSelectionChange(); });
    OnSelChange(kThicknessCombo, [this] { OnThicknessChange(); });
    OnClicked(kColorButton, [this] { OnChangeColor(); });
}

CDlgStyleTraces::~CDlgStyleTraces() = default;

void CDlgStyleTraces::DoDataExchange(DataExchange& dx) { dx.ComboIndex(kThicknessCombo, m_thickness); }

void CDlgStyleTraces::OnInitDialog()
{
    if (!swatch_) {
        auto swatch = std::make_unique<CColorSwatch>();
        if (swatch->Create(*this, kSwatchId, kSwatchPlaceholder, gdi::RGB(255, 255, 0)))
            swatch_ = std::move(swatch);
        else
            Trace("[ERROR] Line style swatch could not be created.");
    }
    ApplyGroupBoxFont(*this, 1131);
    SetControlColor(1130, kExplanationColor);
    CTopDialog::OnInitDialog();
    BuildTree();
    QTreeWidget* tree = Control<QTreeWidget>(kTree);
    if (tree->topLevelItemCount() > 0)
        tree->setCurrentItem(tree->topLevelItem(0));
    OnSelectionChange();
}

void CDlgStyleTraces::BuildTree()
{
    QTreeWidget* tree = Control<QTreeWidget>(kTree);
    tree->clear();
    for (const LineStyleGroup& group : LineStyleGroups()) {
        auto* groupItem = new QTreeWidgetItem(tree, {QString::fromStdString(GetTranslatedString(group.stringId))});
        groupItem->setData(0, kEntryRole, -1);
        for (const LineStyleLeaf& leaf : group.leaves) {
            auto* leafItem = new QTreeWidgetItem(groupItem, {QString::fromStdString(GetTranslatedString(leaf.stringId))});
            leafItem->setData(0, kEntryRole, leaf.colorEntry);
        }
    }
}

ColorTableEntry* CDlgStyleTraces::SelectedEntry() const
{
    const QTreeWidgetItem* item = Control<QTreeWidget>(kTree)->currentItem();
    if (!item)
        return nullptr;
    const int entry = item->data(0, kEntryRole).toInt();
    return entry >= 0 && entry < kColorTableSize ? GetColorTableEntry(entry) : nullptr;
}

void CDlgStyleTraces::OnSelectionChange()
{
    const ColorTableEntry* entry = SelectedEntry();
    m_thickness = entry ? entry->thickness : -1;
    if (swatch_) {
        swatch_->m_color = entry ? entry->color : kGroupColor;
        swatch_->update();
    }
    UpdateData(false);
}

void CDlgStyleTraces::OnThicknessChange()
{
    if (!UpdateData(true))
        return;
    if (ColorTableEntry* entry = SelectedEntry(); entry && m_thickness >= 0)
        entry->thickness = m_thickness;
}

void CDlgStyleTraces::OnChangeColor()
{
    ColorTableEntry* entry = SelectedEntry();
    if (!entry)
        return;
    gdi::COLORREF color = entry->color;
    if (!GetServices().ChooseColor(color, customColors_))
        return;
    entry->color = color;
    if (swatch_) {
        swatch_->m_color = color;
        swatch_->update();
    }
}

int EditLineStyles(QWidget* parent)
{
    CDlgStyleTraces dialog(parent);
    const int result = dialog.DoModal();
    SavePaletteColours();
    return result;
}
