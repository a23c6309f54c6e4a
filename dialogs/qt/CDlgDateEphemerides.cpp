#include "dialogs/qt/CDlgDateEphemerides.h"

#include "app/Translation.h"
#include "app/qt/CBitmapCtrl.h"
#include "app/qt/DataExchange.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kUniversalRadio = 1319;
constexpr int kLegalRadio = 1320;
constexpr int kMidnightButton = 1349;
constexpr int kSecondEdit = 1064;
constexpr int kMinuteEdit = 1063;
constexpr int kHourEdit = 1062;
constexpr int kYearEdit = 1061;
constexpr int kMonthCombo = 1075;
constexpr int kDayCombo = 1074;
constexpr int kSummerCheck = 1265;
constexpr int kGivenRadio = 1266;
constexpr int kRealTimeRadio = 1177;

// What real time makes unavailable.
constexpr int kDateControls[] = {kDayCombo, kMonthCombo, kYearEdit, kHourEdit, kMinuteEdit,
                                 kSecondEdit, kMidnightButton, kUniversalRadio, kLegalRadio};

}  // namespace

CDlgDateEphemerides::CDlgDateEphemerides(QWidget* parent) : CTopDialog(kTemplateId, "Sélectionner une date", parent)
{
    auto* body = new QVBoxLayout;
    auto* modes = new QGridLayout;
    modes->addWidget(AddPlaceholder(1267, QSize(32, 32)), 0, 0);
    modes->addWidget(AddRadio(kGivenRadio, "Calculer les éphémérides pour la date et l'heure suivantes :", kNewGroup), 0, 1);
    modes->addWidget(AddPlaceholder(1268, QSize(32, 32)), 1, 0);
    modes->addWidget(AddRadio(kRealTimeRadio, "Calculer les éphémérides en temps réel."), 1, 1);
    modes->setColumnStretch(1, 1);
    body->addLayout(modes);

    QGroupBox* date = AddGroupBox(1134, "Date");
    auto* dateRow = new QHBoxLayout(date);
    dateRow->addWidget(AddComboList(kDayCombo));
    dateRow->addWidget(AddComboList(kMonthCombo));
    QLineEdit* year = AddEdit(kYearEdit);
    year->setMaximumWidth(70);
    dateRow->addWidget(year);
    dateRow->addStretch(1);
    body->addWidget(date);

    QGroupBox* time = AddGroupBox(1135, "Heure");
    auto* timeGrid = new QGridLayout(time);
    auto* hms = new QHBoxLayout;
    QLabel* units[] = {AddStatic(1139, "h"), AddStatic(1140, "min"), AddStatic(1141, "s")};
    const int edits[] = {kHourEdit, kMinuteEdit, kSecondEdit};
    for (size_t i = 0; i < 3; ++i) {
        QLineEdit* edit = AddEdit(edits[i]);
        edit->setMaximumWidth(50);
        hms->addWidget(edit);
        hms->addWidget(units[i]);
    }
    hms->addStretch(1);
    timeGrid->addLayout(hms, 0, 0, 1, 2);
    timeGrid->addWidget(AddRadio(kUniversalRadio, "de temps universel", kNewGroup), 1, 0);
    timeGrid->addWidget(AddRadio(kLegalRadio, "de temps légal"), 1, 1);
    timeGrid->addWidget(AddButton(kMidnightButton, "0 h 00 min U.T."), 2, 0);
    timeGrid->addWidget(AddCheck(kSummerCheck, "La date est en période d'heure d'été."), 3, 0, 1, 2);
    body->addWidget(time);
    QLabel* note = AddStatic(1137, "En temps légal, l'heure d'été éventuelle est comprise dans l'heure saisie.");
    note->setWordWrap(true);
    body->addWidget(note);
    SetDialogLayout(body);
    SetControlColor(1137, kExplanationColor);

    OnClicked(kMidnightButton, [this] { OnMidnightUT(); });
    OnClicked(kGivenRadio, [this] { OnModeChange(); });
    OnClicked(kRealTimeRadio, [this] { OnModeChange(); });
}

CDlgDateEphemerides::~CDlgDateEphemerides() = default;

void CDlgDateEphemerides::DoDataExchange(DataExchange& dx)
{
    dx.Radio(kUniversalRadio, m_timeKind);
    dx.Text(kSecondEdit, m_second);
    dx.Range(m_second, 0, 59);
    dx.Text(kMinuteEdit, m_minute);
    dx.Range(m_minute, 0, 59);
    dx.Text(kHourEdit, m_hour);
    dx.Range(m_hour, 0, 23);
    dx.Text(kYearEdit, m_year);
    dx.Range(m_year, 1970, 2038);
    dx.ComboIndex(kMonthCombo, m_monthIndex);
    dx.ComboIndex(kDayCombo, m_dayIndex);
    dx.Check(kSummerCheck, m_summerTime);
    dx.Radio(kGivenRadio, m_mode);
}

void CDlgDateEphemerides::OnInitDialog()
{
    givenPicture_ = std::make_unique<CBitmapCtrl>();
    givenPicture_->CreateFromResource(*this, 2003, 1267, 213, true);
    clockPicture_ = std::make_unique<CBitmapCtrl>();
    clockPicture_->CreateFromResource(*this, 2004, 1268, 212, true);
    auto* months = Control<QComboBox>(kMonthCombo);
    auto* days = Control<QComboBox>(kDayCombo);
    months->clear();
    days->clear();
    for (int month = 1; month <= 12; ++month)
        months->addItem(QString::fromStdString(GetMonthName(month)));
    for (int day = 1; day <= 31; ++day)
        days->addItem(QString::number(day));
    const DateTimeFields local = GetServices().ToLocal(m_time);
    m_dayIndex = local.day - 1;
    m_monthIndex = local.month - 1;
    m_year = local.year;
    m_hour = local.hour;
    m_minute = local.minute;
    m_second = local.second;
    CTopDialog::OnInitDialog();
    ApplyGroupBoxFont(*this, 1134);
    ApplyGroupBoxFont(*this, 1135);
    // Opened in real time, the date is not the user's to change.
    OnModeChange();
}

void CDlgDateEphemerides::OnMidnightUT()
{
    for (int id : {kHourEdit, kMinuteEdit, kSecondEdit})
        SetDlgItemText(id, "0");
    SetRadioIndex(kUniversalRadio, 0);
}

void CDlgDateEphemerides::OnModeChange()
{
    const bool given = GetRadioIndex(kGivenRadio) != 1;
    for (int id : kDateControls)
        EnableControl(id, given);
}

bool ChooseEphemerisDate(std::int64_t& time, int& givenDate, int& summerTime, int& universal, QWidget* parent)
{
    CDlgDateEphemerides dialog(parent);
    dialog.m_mode = givenDate ? 0 : 1;
    dialog.m_timeKind = universal ? 0 : 1;
    dialog.m_summerTime = summerTime;
    dialog.m_time = time;
    if (dialog.DoModal() != IDOK)
        return false;
    DateTimeFields local;
    local.year = dialog.m_year;
    local.month = dialog.m_monthIndex + 1;
    local.day = dialog.m_dayIndex + 1;
    local.hour = dialog.m_hour;
    local.minute = dialog.m_minute;
    local.second = dialog.m_second;
    time = GetServices().FromLocal(local);
    summerTime = dialog.m_summerTime;
    givenDate = dialog.m_mode == 0 ? 1 : 0;
    universal = dialog.m_timeKind == 0 ? 1 : 0;
    return true;
}
