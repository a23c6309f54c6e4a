#include "dialogs/qt/CDlgDimensions.h"

#include "app/qt/CBitmapCtrl.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/qt/CDlgDimensionsAnalemmatique.h"
#include "dialogs/qt/CDlgDimensionsCylindre.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranCylindrique.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 1031;
constexpr int kHeight = 1032;
constexpr int kStyleHeight = 1030;
constexpr int kBaseLimit = 1033;
constexpr int kLimitRadio = 1005;
constexpr int kNoCutRadio = 1053;
constexpr int kMarginsCheck = 1040;
constexpr int kScaleCombo = 1200;
constexpr int kScaleText = 1201;
constexpr int kSizeText = 1202;
constexpr int kBaseText = 1146;
constexpr int kNote = 1147;
constexpr int kHalfMajorAxis = 1198;

QLineEdit* NarrowEdit(QLineEdit* edit)
{
    edit->setMaximumWidth(70);
    return edit;
}

}  // namespace

CDlgDimensions::CDlgDimensions(QWidget* parent) : CDlgDimensions(kTemplateId, Variant::General, parent) {}

CDlgDimensions::CDlgDimensions(int templateId, Variant variant, QWidget* parent)
    : CTopDialog(templateId, "Dimensions", parent), variant_(variant)
{
    Build();
}

CDlgDimensions::~CDlgDimensions() = default;

void CDlgDimensions::Build()
{
    auto* body = new QVBoxLayout;

    QGroupBox* sizeGroup = AddGroupBox(1139, "Dimensions du cadran");
    auto* sizeGrid = new QGridLayout(sizeGroup);
    sizeGrid->addWidget(AddStatic(1700, "&Largeur :"), 0, 0);
    sizeGrid->addWidget(NarrowEdit(AddEdit(kWidth)), 0, 1);
    sizeGrid->addWidget(AddStatic(1701, "mm"), 0, 2);
    sizeGrid->addWidget(AddStatic(1702, "&Hauteur :"), 1, 0);
    sizeGrid->addWidget(NarrowEdit(AddEdit(kHeight)), 1, 1);
    sizeGrid->addWidget(AddStatic(1703, "mm"), 1, 2);
    sizeGrid->addWidget(AddPlaceholder(1078, QSize(220, 168)), 0, 3, 4, 1, Qt::AlignRight);
    sizeGrid->setColumnStretch(3, 1);
    body->addWidget(sizeGroup);

    if (variant_ == Variant::Analemmatic) {
        QGroupBox* ellipse = AddGroupBox(1148, "Dimensions de l'ellipse");
        auto* grid = new QGridLayout(ellipse);
        grid->addWidget(AddStatic(1704, "Longueur du demi-grand axe de l'ellipse :"), 0, 0);
        grid->addWidget(NarrowEdit(AddEdit(kHalfMajorAxis)), 0, 1);
        grid->addWidget(AddStatic(1705, "mm"), 0, 2);
        grid->setColumnStretch(3, 1);
        body->addWidget(ellipse);
    } else {
        QGroupBox* style = AddGroupBox(1135, "Style");
        auto* grid = new QGridLayout(style);
        grid->addWidget(AddStatic(1706, "Hauteur du &style :"), 0, 0);
        grid->addWidget(NarrowEdit(AddEdit(kStyleHeight)), 0, 1);
        grid->addWidget(AddStatic(1707, "mm"), 0, 2);
        grid->addWidget(AddRadio(kLimitRadio, "&Limiter la longueur la base à :", kNewGroup), 1, 0);
        grid->addWidget(NarrowEdit(AddEdit(kBaseLimit)), 1, 1);
        grid->addWidget(AddStatic(1708, "mm"), 1, 2);
        grid->addWidget(AddRadio(kNoCutRadio, "&Ne pas tronquer le style"), 2, 0, 1, 3);
        QLabel* baseText = AddStatic(kBaseText, {});
        baseText->setWordWrap(true);
        grid->addWidget(baseText, 3, 0, 1, 4);
        grid->addWidget(AddPlaceholder(1079, QSize(80, 80)), 0, 3, 3, 1, Qt::AlignRight);
        grid->setColumnStretch(3, 1);
        body->addWidget(style);
    }

    QGroupBox* scaleGroup = AddGroupBox(1134, "Echelle d'impression");
    auto* scaleGrid = new QGridLayout(scaleGroup);
    scaleGrid->addWidget(AddStatic(1709, "&Echelle :"), 0, 0);
    scaleGrid->addWidget(AddComboList(kScaleCombo), 0, 1);
    scaleGrid->addWidget(AddStatic(kScaleText, {}), 1, 0, 1, 3);
    scaleGrid->addWidget(AddStatic(kSizeText, {}), 2, 0, 1, 3);
    scaleGrid->setColumnStretch(2, 1);
    body->addWidget(scaleGroup);

    QGroupBox* margins = AddGroupBox(1137, "Marges");
    auto* marginsColumn = new QVBoxLayout(margins);
    QCheckBox* symmetric = AddCheck(kMarginsCheck, "&Répartir les marges autour du cadran de façon symétrique sur le papier.");
    marginsColumn->addWidget(symmetric);
    QLabel* note = AddStatic(kNote, "Toutes les dimensions sont en millimètres, à l'échelle 1.");
    note->setWordWrap(true);
    marginsColumn->addWidget(note);
    body->addWidget(margins);

    SetDialogLayout(body);

    OnSelChange(kScaleCombo, [this] { OnScaleChange(); });
    OnEditChange(kWidth, [this] { OnScaleChange(); });
    OnEditChange(kHeight, [this] { OnScaleChange(); });
}

void CDlgDimensions::DoDataExchange(DataExchange& dx)
{
    dx.Text(kHeight, m_fields.height);
    dx.Range(m_fields.height, kMinDimensionMm, kMaxDimensionMm);
    dx.Text(kWidth, m_fields.width);
    dx.Range(m_fields.width, kMinDimensionMm, kMaxDimensionMm);
    if (variant_ == Variant::General) {
        dx.Text(kStyleHeight, m_fields.styleHeight);
        dx.Range(m_fields.styleHeight, kMinDimensionMm, kMaxDimensionMm);
        dx.Text(kBaseLimit, m_fields.baseLimit);
        dx.Range(m_fields.baseLimit, kMinDimensionMm, kMaxDimensionMm);
        dx.Radio(kLimitRadio, m_fields.baseMode);
        dx.Text(kBaseText, m_baseText);
    } else {
        dx.Text(kHalfMajorAxis, m_fields.halfMajorAxis);
        dx.Range(m_fields.halfMajorAxis, kMinDimensionMm, kMaxDimensionMm);
    }
    dx.Check(kMarginsCheck, m_fields.symmetricMargins);
    dx.Text(kScaleText, m_scaleText);
    dx.Text(kSizeText, m_sizeText);
}

void CDlgDimensions::OnInitDialog()
{
    sketch_ = std::make_unique<CBitmapCtrl>();
    if (!sketch_->CreateFromResource(*this, 2003, 1078, 148, false))
        sketch_.reset();
    if (variant_ == Variant::General) {
        picture_ = std::make_unique<CBitmapCtrl>();
        if (!picture_->CreateFromResource(*this, 2004, 1079, 153, false))
            picture_.reset();
    }
    for (int group : {1134, 1139, 1135, 1137, 1148})
        if (GetDlgItem(group))
            ApplyGroupBoxFont(*this, group);
    SetControlColor(kBaseText, kExplanationColor);
    SetControlColor(kNote, kExplanationColor);

    const bool mustCut = variant_ == Variant::General && MustTruncateBase(m_fields);
    if (mustCut)
        m_fields.baseMode = 0;
    m_baseText = BaseText(m_hasDial, m_fields.fullBaseLength);

    opening_ = true;
    CTopDialog::OnInitDialog();
    opening_ = false;
    if (variant_ == Variant::General)
        EnableControl(kNoCutRadio, !mustCut);

    QComboBox* combo = Control<QComboBox>(kScaleCombo);
    combo->clear();
    for (const int percent : ScalePercentChoices())
        combo->addItem(QString::fromStdString(ScaleChoiceText(percent)), percent);
    combo->setCurrentIndex(ScaleChoiceIndex(m_fields.scale));
    OnScaleChange();
}

void CDlgDimensions::OnScaleChange()
{
    const QComboBox* combo = Control<QComboBox>(kScaleCombo);
    if (opening_ || !combo || combo->currentIndex() < 0)
        return;
    // The size edits are read without their checks, so that typing shows no message; a
    // text that is not a number leaves the last value.
    for (const auto& [id, field] : {std::pair{kWidth, &m_fields.width}, std::pair{kHeight, &m_fields.height}}) {
        double value = 0.0;
        if (DataExchange::ParseDouble(GetDlgItemText(id), value))
            *field = value;
    }
    const int percent = combo->currentData().toInt();
    m_fields.scale = percent / 100.0;
    m_scaleText = ScaleText(percent);
    m_sizeText = PrintedSizeText(percent, m_fields.width, m_fields.height);
    SetDlgItemText(kScaleText, m_scaleText);
    SetDlgItemText(kSizeText, m_sizeText);
}

int EditDimensions(CHoravelView& view, CCadran* dial, QWidget* parent)
{
    if (auto* analemmatic = dynamic_cast<CCadranAnalemmatique*>(dial)) {
        CDlgDimensionsAnalemmatique dialog(parent);
        dialog.m_fields = DimensionsFromAnalemmatic(*analemmatic);
        dialog.m_hasDial = true;
        const int result = dialog.DoModal();
        if (result == IDOK)
            ApplyDimensionsToAnalemmatic(dialog.m_fields, *analemmatic);
        return result;
    }
    if (auto* cylinder = dynamic_cast<CCadranCylindrique*>(dial)) {
        CDlgDimensionsCylindre dialog(parent);
        dialog.m_fields = DimensionsFromCylinder(*cylinder);
        const int result = dialog.DoModal();
        if (result == IDOK)
            ApplyDimensionsToCylinder(dialog.m_fields, *cylinder);
        return result;
    }
    CDlgDimensions dialog(parent);
    if (dial) {
        dialog.m_fields = DimensionsFromDial(*dial);
        dialog.m_hasDial = true;
    } else {
        dialog.m_fields = DimensionsFromDefaults(view.GetDefaultDimensions(), view.GetDefaultSymmetricMargins());
    }
    const int result = dialog.DoModal();
    if (result != IDOK)
        return result;
    if (dial) {
        ApplyDimensionsToDial(dialog.m_fields, *dial);
    } else {
        int margins = view.GetDefaultSymmetricMargins();
        ApplyDimensionsToDefaults(dialog.m_fields, view.GetDefaultDimensions(), margins);
        view.SetDefaultSymmetricMargins(margins);
    }
    return result;
}
