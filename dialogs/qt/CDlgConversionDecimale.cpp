#include "dialogs/qt/CDlgConversionDecimale.h"

#include "app/qt/DataExchange.h"
#include "dialogs/DecimalConversion.h"
#include "dialogs/qt/GroupBoxFont.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

constexpr int kDecimalEdit = 1310;
constexpr int kUnitsEdit = 1311;
constexpr int kMinutesEdit = 1312;
constexpr int kSecondsEdit = 1313;
constexpr int kUnitsMark = 1314;
constexpr int kMinutesMark = 1315;
constexpr int kSecondsMark = 1316;
constexpr int kDegreesRadio = 1317;
constexpr int kHoursRadio = 1177;
constexpr int kDecimalMark = 1318;
constexpr int kDecimalGroup = 1131;
constexpr int kComponentsGroup = 1132;

}  // namespace

CDlgConversionDecimale::CDlgConversionDecimale(QWidget* parent)
    : CTopDialog(kTemplateId, "Conversion décimale <=> composantes", parent)
{
    SetMarks();
    auto* body = new QVBoxLayout;
    QLabel* hint = AddStatic(1130, "Saisissez une valeur décimale (ex : 42,54° ou 2,345 h) pour obtenir ses "
                                   "composantes, ou bien des composantes (ex : 12°24'02\") pour obtenir la valeur "
                                   "décimale.");
    hint->setWordWrap(true);
    body->addWidget(hint);
    auto* modes = new QHBoxLayout;
    modes->addWidget(AddRadio(kDegreesRadio, "Degrés", kNewGroup));
    modes->addWidget(AddRadio(kHoursRadio, "Heures"));
    modes->addStretch(1);
    body->addLayout(modes);

    QGroupBox* decimal = AddGroupBox(kDecimalGroup, "Représentation décimale");
    auto* decimalRow = new QHBoxLayout(decimal);
    decimalRow->addWidget(AddEdit(kDecimalEdit), 1);
    decimalRow->addWidget(AddStatic(kDecimalMark, m_decimalMark));
    body->addWidget(decimal);

    QGroupBox* components = AddGroupBox(kComponentsGroup, "Représentation en composantes");
    auto* componentRow = new QHBoxLayout(components);
    for (const auto& [edit, mark, text] : {std::tuple{kUnitsEdit, kUnitsMark, m_unitsMark},
                                           std::tuple{kMinutesEdit, kMinutesMark, m_minutesMark},
                                           std::tuple{kSecondsEdit, kSecondsMark, m_secondsMark}}) {
        QLineEdit* field = AddEdit(edit);
        field->setMaximumWidth(90);
        componentRow->addWidget(field);
        QLabel* label = AddStatic(mark, text);
        label->setMinimumWidth(28);
        componentRow->addWidget(label);
    }
    componentRow->addStretch(1);
    body->addWidget(components);
    SetDialogLayout(body, kOk);

    OnEditChange(kDecimalEdit, [this] { OnDecimalChange(); });
    for (int id : {kUnitsEdit, kMinutesEdit, kSecondsEdit})
        OnEditChange(id, [this] { OnComponentChange(); });
    for (int id : {kDegreesRadio, kHoursRadio})
        OnClicked(id, [this] { OnModeChange(); });
}

CDlgConversionDecimale::~CDlgConversionDecimale() = default;

void CDlgConversionDecimale::DoDataExchange(DataExchange& dx)
{
    dx.Text(kDecimalEdit, m_decimal);
    dx.Text(kUnitsEdit, m_units);
    dx.Text(kMinutesEdit, m_minutes);
    dx.Text(kSecondsEdit, m_seconds);
    dx.Radio(kDegreesRadio, m_mode);
    dx.Text(kUnitsMark, m_unitsMark);
    dx.Text(kMinutesMark, m_minutesMark);
    dx.Text(kSecondsMark, m_secondsMark);
    dx.Text(kDecimalMark, m_decimalMark);
}

void CDlgConversionDecimale::OnInitDialog()
{
    SetMarks();
    writing_ = true;
    CTopDialog::OnInitDialog();
    writing_ = false;
    ApplyGroupBoxFont(*this, kDecimalGroup);
    ApplyGroupBoxFont(*this, kComponentsGroup);
}

void CDlgConversionDecimale::SetMarks()
{
    const ConversionMarks marks = MarksForMode(m_mode);
    m_decimalMark = marks.decimal;
    m_unitsMark = marks.units;
    m_minutesMark = marks.minutes;
    m_secondsMark = marks.seconds;
}

void CDlgConversionDecimale::WriteControls()
{
    writing_ = true;
    UpdateData(false);
    writing_ = false;
}

void CDlgConversionDecimale::OnDecimalChange()
{
    if (writing_)
        return;
    KillTimer(kTimerId);
    SetTimer(kTimerId, kDelayMs);
}

void CDlgConversionDecimale::OnTimer(int id)
{
    if (id != kTimerId)
        return;
    KillTimer(kTimerId);
    double value = 0.0;
    if (!ParseDecimalText(GetDlgItemText(kDecimalEdit), value))
        return;
    m_decimal = value;
    const SexagesimalParts parts = DecimalToParts(value);
    m_units = parts.units;
    m_minutes = parts.minutes;
    m_seconds = parts.seconds;
    WriteControls();
}

void CDlgConversionDecimale::OnComponentChange()
{
    if (writing_)
        return;
    long long units = 0;
    long long minutes = 0;
    long long seconds = 0;
    if (!ParseComponentText(GetDlgItemText(kUnitsEdit), units) ||
        !ParseComponentText(GetDlgItemText(kMinutesEdit), minutes) ||
        !ParseComponentText(GetDlgItemText(kSecondsEdit), seconds))
        return;
    // The decimal field is about to be rewritten: a conversion it had pending is stale.
    KillTimer(kTimerId);
    const SexagesimalParts parts = NormaliseParts(units, minutes, seconds);
    m_units = parts.units;
    m_minutes = parts.minutes;
    m_seconds = parts.seconds;
    m_decimal = PartsToDecimal(parts);
    WriteControls();
}

void CDlgConversionDecimale::OnModeChange()
{
    m_mode = GetRadioIndex(kDegreesRadio);
    SetMarks();
    writing_ = true;
    for (const auto& [id, text] : {std::pair{kDecimalMark, m_decimalMark}, std::pair{kUnitsMark, m_unitsMark},
                                   std::pair{kMinutesMark, m_minutesMark}, std::pair{kSecondsMark, m_secondsMark}})
        SetDlgItemText(id, text);
    writing_ = false;
}

void CDlgConversionDecimale::OnOK()
{
    KillTimer(kTimerId);
    EndDialog(IDOK);
}

void CDlgConversionDecimale::hideEvent(QHideEvent* event)
{
    KillTimer(kTimerId);
    CTopDialog::hideEvent(event);
}

void RunDecimalConversion(QWidget* parent)
{
    CDlgConversionDecimale dialog(parent);
    dialog.DoModal();
}
