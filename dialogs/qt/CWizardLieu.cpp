#include "dialogs/qt/CWizardLieu.h"

#include "app/Formatting.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "dialogs/LocationBrowsing.h"
#include "dialogs/LocationEntry.h"
#include "dialogs/qt/CDlgCarte.h"
#include "dialogs/qt/CDlgNouveauLieu.h"
#include "dialogs/qt/LocationListWidgets.h"
#include "dialogs/qt/WizardFields.h"
#include "docview/CHoravelDoc.h"
#include "model/LocationDatabase.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QHeaderView>

#include <memory>

namespace {

constexpr const char* kSection = "Dialogues\\Lieu";
constexpr const char* kDefaultCity = "BESANÇON";
constexpr const char* kDefaultCountry = "FRANCE";

// The entry refused with "Un champ n'a pas été correctement rempli !".
void ShowEntryError()
{
    GetServices().MessageBox(GetTranslatedString(304), GetTranslatedString(305), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CWizardLieu::CWizardLieu(CHoravelDoc& document)
    : CTopPropertyPage(kTemplateId, "Créer un nouveau cadran solaire : choix du lieu"),
      m_latitudeText("Latitude : ?"),
      m_placeText("Lieu : ?"),
      m_longitudeText("Longitude : ?"),
      m_zoneText("Fuseau : ?"),
      document_(document)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1131, "Pour quel lieu souhaitez-vous créer le cadran solaire ?"), 0, 0, 1, 3);
    grid->addWidget(AddComboList(kCountryComboId), 1, 0, 1, 3);
    QTreeWidget* list = AddReportList(kListId);
    list->setMinimumSize(480, 200);
    grid->addWidget(list, 2, 0, 1, 3);
    grid->addWidget(AddStatic(1021, "Lieu : ?"), 3, 0, 1, 3);
    grid->addWidget(AddStatic(1002, "Latitude : ?"), 4, 0);
    grid->addWidget(AddStatic(1003, "Longitude : ?"), 4, 1, 1, 2);
    grid->addWidget(AddStatic(1022, "Fuseau : ?"), 5, 0, 1, 3);
    grid->addWidget(AddButton(1048, "&Ajouter un lieu..."), 6, 0);
    grid->addWidget(AddButton(1123, "Modifier le lieu..."), 6, 1);
    grid->addWidget(AddButton(1023, "Voir..."), 6, 2);
    grid->setRowStretch(2, 1);

    PlaceBesidePicture(*this, 1132, 150, grid);

    OnSelChange(kListId, [this] { OnItemChanged(); });
    OnSelChange(kCountryComboId, [this] { OnCountryChange(); });
    OnClicked(1048, [this] { OnAddLocation(); });
    OnClicked(1123, [this] { OnModifyLocation(); });
    OnClicked(1023, [this] { OnShowMap(); });
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
}

CWizardLieu::~CWizardLieu() = default;

QTreeWidget& CWizardLieu::List() const { return *Control<QTreeWidget>(kListId); }

QComboBox& CWizardLieu::CountryCombo() const { return *Control<QComboBox>(kCountryComboId); }

CDataBaseElement* CWizardLieu::GetSelectedLocation() const { return SelectedRecord(List()); }

void CWizardLieu::DoDataExchange(DataExchange& dx)
{
    dx.Text(1002, m_latitudeText);
    dx.Text(1021, m_placeText);
    dx.Text(1003, m_longitudeText);
    dx.Text(1022, m_zoneText);
}

bool CWizardLieu::OnSetActive()
{
    GetParentSheet()->SetWizardButtons(PSWIZB_NEXT);
    FillPage();
    return CTopPropertyPage::OnSetActive();
}

void CWizardLieu::FillPage()
{
    const CLocationList& locations = document_.GetLocationList();
    if (locations.empty())
        return;
    UpdateData(true);
    SetupLocationColumns(List());
    QComboBox& combo = CountryCombo();
    FillCountryCombo(combo, locations);
    const std::string country = GetProfile().GetString(kSection, "Pays", kDefaultCountry);
    const int index = FindComboText(combo, country);
    if (index < 0) {
        combo.setCurrentIndex(0);
        FillList({});
    } else {
        combo.setCurrentIndex(index);
        FillList(country);
    }
    UpdateData(false);
}

void CWizardLieu::FillList(const std::string& country)
{
    WaitCursor wait;
    QTreeWidget& list = List();
    FillLocationItems(list, LocationsOfCountry(document_.GetLocationList(), country));
    m_sortColumn = 0;
    SortLocationItems(list, m_sortColumn);
    QTreeWidgetItem* item = FindItemByName(list, GetProfile().GetString(kSection, "Ville", kDefaultCity));
    if (!item)
        item = list.topLevelItem(0);
    SelectLocationItem(list, item);
    list.viewport()->update();
    ShowDetails();
}

void CWizardLieu::SortList(int column)
{
    m_sortColumn = column;
    SortLocationItems(List(), column);
    List().viewport()->update();
}

void CWizardLieu::ShowDetails(const CDataBaseElement* record)
{
    if (!record)
        record = GetSelectedLocation();
    if (!record)
        return;
    const LocationDetails details = DescribeLocation(*record);
    m_latitudeText = details.latitude;
    m_longitudeText = details.longitude;
    m_placeText = details.place;
    m_zoneText = details.zone;
    EnableControl(1023, details.onMap);
}

void CWizardLieu::SelectRecord(const CDataBaseElement* record)
{
    QTreeWidget& list = List();
    SelectLocationItem(list, FindItemOfRecord(list, record));
}

void CWizardLieu::ShowCountry(const std::string& country)
{
    QComboBox& combo = CountryCombo();
    int index = FindComboText(combo, country);
    if (index < 0) {
        combo.addItem(QString::fromStdString(country));
        index = combo.count() - 1;
    }
    combo.setCurrentIndex(index);
    FillList(country);
}

void CWizardLieu::SaveLocations()
{
    if (std::string error; !SaveUserLocations(document_.GetLocationList(), &error))
        GetServices().MessageBox(WithReason(GetTranslatedString(206), error), "", MB_ICONEXCLAMATION);
}

void CWizardLieu::OnItemChanged()
{
    UpdateData(true);
    ShowDetails();
    UpdateData(false);
}

void CWizardLieu::OnColumnClick(int column) { SortList(column); }

void CWizardLieu::OnCountryChange()
{
    UpdateData(true);
    FillList(SelectedCountry(CountryCombo()));
    UpdateData(false);
}

bool CWizardLieu::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    const CDataBaseElement* record = GetSelectedLocation();
    if (!record)
        return false;
    document_.SetLocation(record);
    Profile& profile = GetProfile();
    profile.WriteString(kSection, "Ville", record->name);
    profile.WriteString(kSection, "Pays", record->country);
    Trace("Selected Location: %s (%s), latitude : %s, longitude : %s, Time Zone : %s", record->name.c_str(),
          record->country.c_str(), FormatLatitude(record).c_str(), FormatLongitude(record).c_str(),
          FormatNumber(record->zone, -1).c_str());
    return CTopPropertyPage::OnKillActive();
}

void CWizardLieu::OnAddLocation()
{
    CDlgNouveauLieu dialog(this);
    dialog.m_fields.hemisphere = kNorth;
    dialog.m_fields.side = kEast;
    dialog.m_fields.zoneIndex = kDefaultZoneIndex;
    if (dialog.DoModal() != IDOK)
        return;
    if (CheckLocationFields(dialog.m_fields) != LocationEntryError::None) {
        ShowEntryError();
        return;
    }
    auto created = std::make_unique<CDataBaseElement>();
    ApplyFieldsToRecord(dialog.m_fields, *created);
    created->standard = 0;
    CDataBaseElement* record = created.get();
    document_.GetLocationList().push_back(std::move(created));

    UpdateData(true);
    ShowCountry(record->country);
    SelectRecord(record);
    ShowDetails(record);
    UpdateData(false);
    SaveLocations();
}

void CWizardLieu::OnModifyLocation()
{
    CDataBaseElement* record = GetSelectedLocation();
    if (!record)
        return;
    UpdateData(true);
    const CDataBaseElement before = *record;
    CDlgNouveauLieu dialog(this);
    dialog.m_fields = FieldsFromRecord(*record);
    if (dialog.DoModal() != IDOK) {
        ShowDetails(record);
        UpdateData(false);
        return;
    }
    if (CheckLocationFields(dialog.m_fields) != LocationEntryError::None) {
        ShowEntryError();
        return;
    }
    ApplyFieldsToRecord(dialog.m_fields, *record);

    QTreeWidget& list = List();
    if (QTreeWidgetItem* item = FindItemOfRecord(list, record)) {
        item->setText(kColumnName, QString::fromStdString(record->name));
        item->setText(kColumnRegion, QString::fromStdString(record->region));
        item->setText(kColumnCountry, QString::fromStdString(record->country));
    }
    const std::string shown = SelectedCountry(CountryCombo());
    if (!shown.empty() && !SameTextNoCase(shown, record->country))
        ShowCountry(record->country);
    else
        SortLocationItems(list, m_sortColumn);
    SelectRecord(record);
    list.setFocus();
    if (!(*record == before))
        record->standard = 0;
    SaveLocations();
    ShowDetails(record);
    UpdateData(false);
}

void CWizardLieu::OnShowMap()
{
    const CDataBaseElement* record = GetSelectedLocation();
    if (!record)
        return;
    CDlgCarte dialog(this, &document_.GetLocationList());
    dialog.m_location = record;
    dialog.DoModal();
}
