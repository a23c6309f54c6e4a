#include "dialogs/qt/CDlgNouveauLieu.h"

#include "app/TextHelpers.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

constexpr int kNameEdit = 1009;
constexpr int kCountryEdit = 1010;
constexpr int kLatDegreesEdit = 1011;
constexpr int kLatMinutesEdit = 1012;
constexpr int kLonDegreesEdit = 1013;
constexpr int kLonMinutesEdit = 1014;
constexpr int kRegionEdit = 1015;
constexpr int kZoneList = 1018;
constexpr int kEastRadio = 1050;
constexpr int kNorthRadio = 1052;
constexpr int kOffsetStatic = 1129;
constexpr int kNoteStatic = 1142;

// Typed letters become capitals as they are typed, accented ones included.
void MakeUpperCaseEdit(QLineEdit& edit)
{
    QObject::connect(&edit, &QLineEdit::textEdited, &edit, [&edit](const QString& text) {
        std::string upper = text.toStdString();
        MakeUpperAccents(upper);
        const QString q = QString::fromStdString(upper);
        if (q == text)
            return;
        const int cursor = edit.cursorPosition();
        edit.setText(q);
        edit.setCursorPosition(cursor);
    });
}

int EditInt(const ControlHost& host, int id)
{
    int value = 0;
    return DataExchange::ParseInt(host.GetDlgItemText(id), value) ? value : 0;
}

}  // namespace

CDlgNouveauLieu::CDlgNouveauLieu(QWidget* parent) : CTopDialog(kTemplateId, "Saisie d'un nouveau lieu", parent)
{
    auto* grid = new QGridLayout;
    int row = 0;
    auto textRow = [&](int labelId, const char* label, int editId) {
        grid->addWidget(AddStatic(labelId, label), row, 0);
        QLineEdit* edit = AddEdit(editId);
        MakeUpperCaseEdit(*edit);
        grid->addWidget(edit, row, 1, 1, 5);
        ++row;
    };
    textRow(1901, "Lieu :", kNameEdit);
    textRow(1902, "Pays :", kCountryEdit);
    textRow(1903, "Division administrative :", kRegionEdit);
    grid->addWidget(AddStatic(1140, "( département français (ex : 75), état américain (ex : CA), etc. )"), row++, 1, 1, 5);

    auto angleRow = [&](int labelId, const char* label, int degreesId, int minutesId) {
        grid->addWidget(AddStatic(labelId, label), row, 0);
        grid->addWidget(AddEdit(degreesId), row, 1);
        grid->addWidget(AddStatic(IDC_STATIC, "°"), row, 2);
        grid->addWidget(AddEdit(minutesId), row, 3);
        grid->addWidget(AddStatic(IDC_STATIC, "'"), row, 4);
    };
    angleRow(1904, "Latitude :", kLatDegreesEdit, kLatMinutesEdit);
    auto* hemisphere = new QHBoxLayout;
    hemisphere->addWidget(AddRadio(kNorthRadio, "&Nord", kNewGroup));
    hemisphere->addWidget(AddRadio(1053, "&Sud"));
    grid->addLayout(hemisphere, row++, 5);
    angleRow(1905, "Longitude :", kLonDegreesEdit, kLonMinutesEdit);
    auto* side = new QHBoxLayout;
    side->addWidget(AddRadio(kEastRadio, "&Est", kNewGroup));
    side->addWidget(AddRadio(1049, "&Ouest"));
    grid->addLayout(side, row++, 5);
    grid->addWidget(AddStatic(1141, "Ne pas entrer de nombre négatif, ni de nombre à virgule."), row++, 0, 1, 6);

    grid->addWidget(AddStatic(1906, "Fuseau horaire :"), row, 0);
    grid->addWidget(AddComboList(kZoneList), row++, 1, 1, 5);
    grid->addWidget(AddStatic(kOffsetStatic, "(<écart de longitude>)"), row++, 1, 1, 5);
    QLabel* note = AddStatic(kNoteStatic, "Pour l'heure corrigée de la longitude, voir la boîte de dialogue "
                                          "des indications du cadran.");
    note->setWordWrap(true);
    grid->addWidget(note, row++, 0, 1, 6);
    SetDialogLayout(grid);
    SetControlColor(kNoteStatic, gdi::RGB(100, 100, 180));

    for (int id : {kLonDegreesEdit, kLonMinutesEdit})
        OnEditChange(id, [this] { UpdateOffsetText(); });
    for (int id : {kEastRadio, 1049})
        OnClicked(id, [this] { UpdateOffsetText(); });
    OnSelChange(kZoneList, [this] { UpdateOffsetText(); });
}

CDlgNouveauLieu::~CDlgNouveauLieu() = default;

void CDlgNouveauLieu::FillZoneList()
{
    auto* combo = Control<QComboBox>(kZoneList);
    combo->clear();
    for (double zone : kZoneTable)
        combo->addItem(QString::fromStdString(ZoneEntryText(zone)));
}

void CDlgNouveauLieu::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    FillZoneList();
    m_offsetText = LongitudeOffsetText(m_fields.zoneIndex, m_fields.lonDegrees, m_fields.lonMinutes, m_fields.side);
    UpdateData(false);
}

void CDlgNouveauLieu::UpdateOffsetText()
{
    m_offsetText = LongitudeOffsetText(Control<QComboBox>(kZoneList)->currentIndex(), EditInt(*this, kLonDegreesEdit),
                                       EditInt(*this, kLonMinutesEdit), GetRadioIndex(kEastRadio));
    SetDlgItemText(kOffsetStatic, m_offsetText);
}

void CDlgNouveauLieu::DoDataExchange(DataExchange& dx)
{
    LocationFields& f = m_fields;
    dx.Text(kNameEdit, f.name);
    dx.MaxChars(f.name, kMaxTextChars);
    dx.Text(kCountryEdit, f.country);
    dx.MaxChars(f.country, kMaxTextChars);
    dx.Text(kLatDegreesEdit, f.latDegrees);
    dx.Range(f.latDegrees, 0, 90);
    // Degrees and minutes together stay within 90 and 180.
    dx.Text(kLatMinutesEdit, f.latMinutes);
    dx.Range(f.latMinutes, 0, f.latDegrees >= 90 ? 0 : 59);
    dx.Text(kLonDegreesEdit, f.lonDegrees);
    dx.Range(f.lonDegrees, 0, 180);
    dx.Text(kLonMinutesEdit, f.lonMinutes);
    dx.Range(f.lonMinutes, 0, f.lonDegrees >= 180 ? 0 : 59);
    dx.Radio(kNorthRadio, f.hemisphere);
    dx.Radio(kEastRadio, f.side);
    dx.ComboIndex(kZoneList, f.zoneIndex);
    dx.Text(kOffsetStatic, m_offsetText);
    dx.Text(kRegionEdit, f.region);
    dx.MaxChars(f.region, kMaxTextChars);
}
