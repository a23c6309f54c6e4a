#include "dialogs/qt/CDlgAncrageStyle.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/qt/CPositionPreview.h"
#include "dialogs/qt/CSpinButton.h"
#include "model/CCadran.h"
#include "model/Rounding.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int kModeRadio = 1296;
constexpr int kPointBRadio = 1298;
constexpr int kPercentX = 1042;
constexpr int kPercentY = 1043;
constexpr int kAx = 1047;
constexpr int kAy = 1049;
constexpr int kBx = 1051;
constexpr int kBy = 1053;
constexpr int kNote = 1299;
constexpr int kSize = 1300;
constexpr int kPreviewPlaceholder = 1046;
constexpr int kPreviewId = 2001;

}  // namespace

CDlgAncrageStyle::CDlgAncrageStyle(QWidget* parent)
    : CTopDialog(kTemplateId, "Coordonnées du point d'ancrage du style", parent)
{
    auto* grid = new QGridLayout;
    int row = 0;
    auto addPair = [&](int labelX, const char* textX, int editX, int labelY, const char* textY, int editY, int spinX,
                       int spinY, int minimum, int maximum, const char* unit) {
        auto* line = new QHBoxLayout;
        for (const auto& [label, text, edit, spin] :
             {std::tuple{labelX, textX, editX, spinX}, std::tuple{labelY, textY, editY, spinY}}) {
            line->addWidget(AddStatic(label, text));
            QLineEdit* field = AddEdit(edit);
            field->setMaximumWidth(80);
            line->addWidget(field);
            auto* arrows = new CSpinButton(*field, minimum, maximum, this);
            SetControlId(*arrows, spin);
            line->addWidget(arrows);
            line->addWidget(AddStatic(IDC_STATIC, unit));
            line->addSpacing(12);
        }
        line->addStretch(1);
        grid->addLayout(line, row++, 0, 1, 2);
    };

    grid->addWidget(AddRadio(kModeRadio, "Positionner le point A en pourcentage de la taille du cadran", kNewGroup), row++, 0, 1, 2);
    addPair(1710, "x :", kPercentX, 1711, "y :", kPercentY, 1044, 1045, kAnchorPercentMin, kAnchorPercentMax, "%");
    grid->addWidget(AddRadio(1297, "Positionner le point A à une distance du bord supérieur gauche du cadran"), row++, 0, 1, 2);
    addPair(1712, "x :", kAx, 1713, "y :", kAy, 1048, 1050, kAnchorMmMin, kAnchorMmMax, "mm");
    grid->addWidget(AddRadio(kPointBRadio, "Positionner le point B à une distance du bord supérieur gauche du cadran"), row++, 0, 1, 2);
    addPair(1714, "x :", kBx, 1715, "y :", kBy, 1052, 1054, kAnchorMmMin, kAnchorMmMax, "mm");
    QLabel* note = AddStatic(kNote, {});
    note->setWordWrap(true);
    grid->addWidget(note, row++, 0, 1, 2);

    auto* side = new QVBoxLayout;
    side->addWidget(AddPlaceholder(kPreviewPlaceholder, QSize(120, 120)), 0, Qt::AlignHCenter);
    side->addWidget(AddStatic(kSize, {}), 0, Qt::AlignHCenter);
    side->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(grid, 1);
    body->addLayout(side);
    SetDialogLayout(body);

    for (const int id : {kModeRadio, 1297, kPointBRadio})
        OnClicked(id, [this] { EnableModeEdits(); });
    for (const int id : {kAx, kAy})
        OnEditChange(id, [this, id] { OnFieldChange(Changed::PointA, id); });
    for (const int id : {kPercentX, kPercentY})
        OnEditChange(id, [this, id] { OnFieldChange(Changed::Percent, id); });
    for (const int id : {kBx, kBy})
        OnEditChange(id, [this, id] { OnFieldChange(Changed::PointB, id); });
}

CDlgAncrageStyle::~CDlgAncrageStyle() = default;

void CDlgAncrageStyle::DoDataExchange(DataExchange& dx)
{
    dx.Text(kAx, m_fields.ax);
    dx.Range(m_fields.ax, double{kAnchorMmMin}, double{kAnchorMmMax});
    dx.Text(kAy, m_fields.ay);
    dx.Range(m_fields.ay, double{kAnchorMmMin}, double{kAnchorMmMax});
    dx.Text(kPercentX, m_fields.percentX);
    dx.Range(m_fields.percentX, double{kAnchorPercentMin}, double{kAnchorPercentMax});
    dx.Text(kPercentY, m_fields.percentY);
    dx.Range(m_fields.percentY, double{kAnchorPercentMin}, double{kAnchorPercentMax});
    dx.Radio(kModeRadio, m_fields.mode);
    dx.Text(kBx, m_fields.bx);
    dx.Range(m_fields.bx, double{kAnchorMmMin}, double{kAnchorMmMax});
    dx.Text(kBy, m_fields.by);
    dx.Range(m_fields.by, double{kAnchorMmMin}, double{kAnchorMmMax});
    dx.Text(kNote, m_note);
    dx.Text(kSize, m_sizeText);
}

void CDlgAncrageStyle::OnInitDialog()
{
    if (!m_dial) {
        EndDialog(IDCANCEL);
        return;
    }
    m_sizeText = DialSizeText(*m_dial);
    if (!m_fields.HasPointB())
        m_note = GetTranslatedString(222);
    writing_ = true;
    CTopDialog::OnInitDialog();
    writing_ = false;
    EnableControl(kPointBRadio, m_fields.HasPointB());
    EnableModeEdits();
    if (!preview_) {
        auto preview = std::make_unique<CPositionPreview>();
        if (!preview->CreateOverPlaceholder(*this, kPreviewPlaceholder, kPreviewId)) {
            Trace("[ERROR] Style anchor preview could not be created.");
            EndDialog(IDCANCEL);
            return;
        }
        preview_ = std::move(preview);
    }
    UpdatePreview();
}

void CDlgAncrageStyle::EnableModeEdits()
{
    const int mode = GetRadioIndex(kModeRadio);
    const int controls[3][4] = {{kPercentX, kPercentY, 1044, 1045}, {kAx, kAy, 1048, 1050}, {kBx, kBy, 1052, 1054}};
    for (int i = 0; i < 3; ++i)
        for (const int id : controls[i])
            EnableControl(id, mode == i);
}

void CDlgAncrageStyle::ReadEditsQuietly()
{
    // While the user types, a text that is not (yet) a number keeps the last value.
    const std::pair<int, double*> fields[] = {{kAx, &m_fields.ax},           {kAy, &m_fields.ay},
                                              {kPercentX, &m_fields.percentX}, {kPercentY, &m_fields.percentY},
                                              {kBx, &m_fields.bx},           {kBy, &m_fields.by}};
    for (const auto& [id, field] : fields) {
        double value = 0.0;
        if (DataExchange::ParseDouble(GetDlgItemText(id), value))
            *field = value;
    }
}

void CDlgAncrageStyle::WriteEdits(int exceptId)
{
    const std::pair<int, double> fields[] = {{kAx, m_fields.ax},           {kAy, m_fields.ay},
                                             {kPercentX, m_fields.percentX}, {kPercentY, m_fields.percentY},
                                             {kBx, m_fields.bx},           {kBy, m_fields.by}};
    writing_ = true;
    for (const auto& [id, value] : fields)
        if (id != exceptId)
            SetDlgItemText(id, DataExchange::FormatDouble(value));
    writing_ = false;
}

void CDlgAncrageStyle::OnFieldChange(Changed changed, int editId)
{
    if (writing_)
        return;
    const double oldBx = m_fields.bx;
    const double oldBy = m_fields.by;
    ReadEditsQuietly();
    switch (changed) {
    case Changed::PointA:
        m_fields.FromPointA();
        break;
    case Changed::Percent:
        m_fields.FromPercent();
        break;
    case Changed::PointB:
        m_fields.FromPointB(oldBx, oldBy);
        break;
    }
    WriteEdits(editId);
    UpdatePreview();
}

void CDlgAncrageStyle::UpdatePreview()
{
    if (!preview_)
        return;
    preview_->m_x = RoundToInt(m_fields.percentX);
    preview_->m_y = RoundToInt(m_fields.percentY);
    preview_->update();
}

int EditStyleAnchor(CCadran& dial, QWidget* parent)
{
    CDlgAncrageStyle dialog(parent);
    dialog.m_dial = &dial;
    dialog.m_fields = StyleAnchorFromDial(dial);
    const int result = dialog.DoModal();
    if (result == IDOK)
        ApplyStyleAnchorToDial(dialog.m_fields, dial);
    return result;
}
