#include "dialogs/qt/CDlgBaseLieux.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "dialogs/LocationBrowsing.h"
#include "dialogs/LocationEntry.h"
#include "dialogs/qt/CDlgCarte.h"
#include "dialogs/qt/CDlgNouveauLieu.h"
#include "dialogs/qt/LocationListWidgets.h"
#include "docview/CHoravelDoc.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

constexpr int kCountryCombo = 1045;
constexpr int kLocationList = 1054;
constexpr int kLatitudeText = 1002;
constexpr int kLongitudeText = 1003;
constexpr int kZoneText = 1004;
constexpr int kPlaceText = 1021;
constexpr int kBaseCountText = 1024;
constexpr int kListedCountText = 1025;
constexpr int kFileText = 1136;
constexpr int kDeleteButton = 1022;
constexpr int kModifyButton = 1023;
constexpr int kNewButton = 1037;
constexpr int kMapButton = 1056;
constexpr int kLoadButton = 1361;

constexpr const char* kBaseSection = "Dialogues\\Base";
constexpr const char* kNewSection = "Dialogues\\Nouveau";
constexpr const char* kGeneralSection = "Options\\General";

void RefuseEntry()
{
    GetServices().MessageBox(GetTranslatedString(304), GetTranslatedString(305), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CDlgBaseLieux::CDlgBaseLieux(CHoravelDoc& document, QWidget* parent)
    : CTopDialog(kTemplateId, "Base de donnée des lieux géographiques", parent), document_(document)
{
    auto* base = new QGridLayout;
    base->addWidget(AddStatic(1907, "Pays :"), 0, 0);
    base->addWidget(AddComboList(kCountryCombo), 0, 1, 1, 3);
    QTreeWidget* list = AddReportList(kLocationList);
    list->setMinimumSize(500, 260);
    base->addWidget(list, 1, 0, 1, 4);
    base->addWidget(AddStatic(kListedCountText, {}), 2, 0, 1, 2);
    base->addWidget(AddStatic(kBaseCountText, {}), 2, 2, 1, 2);
    base->addWidget(AddStatic(kFileText, {}), 3, 0, 1, 4);
    base->addWidget(AddButton(kNewButton, "&Nouveau..."), 4, 0);
    base->addWidget(AddButton(kModifyButton, "&Modifier..."), 4, 1);
    base->addWidget(AddButton(kDeleteButton, "&Supprimer..."), 4, 2);
    base->addWidget(AddButton(kLoadButton, "Charger une base..."), 4, 3);
    QGroupBox* baseBox = AddGroupBox(1138, "Base de lieux");
    baseBox->setLayout(base);

    auto* selected = new QGridLayout;
    selected->addWidget(AddStatic(kPlaceText, {}), 0, 0, 1, 2);
    selected->addWidget(AddStatic(kLatitudeText, {}), 1, 0);
    selected->addWidget(AddStatic(kLongitudeText, {}), 1, 1);
    selected->addWidget(AddStatic(kZoneText, {}), 2, 0);
    selected->addWidget(AddButton(kMapButton, "&Voir..."), 2, 1, Qt::AlignRight);
    QGroupBox* selectedBox = AddGroupBox(1137, "Lieu sélectionné");
    selectedBox->setLayout(selected);

    auto* body = new QVBoxLayout;
    body->addWidget(baseBox);
    body->addWidget(selectedBox);
    SetDialogLayout(body, kOk | kHelp);
    SetControlColor(kFileText, gdi::RGB(128, 128, 128));

    OnSelChange(kCountryCombo, [this] { OnCountryChange(); });
    OnSelChange(kLocationList, [this] { ShowSelectionDetails(); });
    OnClicked(kNewButton, [this] { OnNew(); });
    OnClicked(kModifyButton, [this] { OnModify(); });
    OnClicked(kDeleteButton, [this] { OnDelete(); });
    OnClicked(kLoadButton, [this] { OnLoadBase(); });
    OnClicked(kMapButton, [this] { OnShowMap(); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
}

CDlgBaseLieux::~CDlgBaseLieux() = default;

QTreeWidget& CDlgBaseLieux::List() const { return *Control<QTreeWidget>(kLocationList); }
QComboBox& CDlgBaseLieux::Countries() const { return *Control<QComboBox>(kCountryCombo); }

void CDlgBaseLieux::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    const CLocationList& locations = document_.GetLocationList();
    if (m_baseCount == 0)
        m_baseCount = static_cast<int>(locations.size());
    // Columns and combo are set up even for an empty list, so that a first location can be
    // added and shown.
    SetupLocationColumns(List());
    const int added = FillCountryCombo(Countries(), locations);
    Countries().setCurrentIndex(added == 1 ? 1 : 0);

    std::string filter = m_chosen ? m_chosen->country : GetProfile().GetString(kBaseSection, "Pays", "");
    if (!filter.empty() && !CountryExists(locations, filter))
        filter.clear();
    FillList(filter);
    if (!filter.empty())
        Countries().setCurrentIndex(FindComboText(Countries(), filter));
    if (m_chosen) {
        ShowDetails(m_chosen);
        QTreeWidgetItem* item = FindItemByName(List(), m_chosen->name);
        SelectLocationItem(List(), item ? item : List().topLevelItem(0));
    }
    ShowCounts();
    ShowFileText();
}

void CDlgBaseLieux::FillList(const std::string& country)
{
    WaitCursor wait;
    std::vector<CDataBaseElement*> records = LocationsOfCountry(document_.GetLocationList(), country);
    m_sortColumn = kColumnName;
    SortLocations(records, m_sortColumn);
    {
        const QSignalBlocker quiet(List());
        FillLocationItems(List(), records);
    }
    ShowSelectionDetails();
}

void CDlgBaseLieux::ShowDetails(const CDataBaseElement* record)
{
    if (!record)
        return;
    const LocationDetails details = DescribeLocation(*record);
    SetDlgItemText(kLatitudeText, details.latitude);
    SetDlgItemText(kLongitudeText, details.longitude);
    SetDlgItemText(kPlaceText, details.place);
    SetDlgItemText(kZoneText, details.zone);
    EnableControl(kMapButton, details.onMap);
}

void CDlgBaseLieux::ShowSelectionDetails() { ShowDetails(SelectedRecord(List())); }

void CDlgBaseLieux::ShowCounts()
{
    SetDlgItemText(kListedCountText, FillFormat(GetTranslatedString(317), {std::to_string(List().topLevelItemCount())}));
    SetDlgItemText(kBaseCountText, FillFormat(GetTranslatedString(309), {std::to_string(m_baseCount)}));
}

void CDlgBaseLieux::ShowFileText()
{
    // The name as the file has it (LIEUX.DBL), not lower-cased.
    SetDlgItemText(kFileText, GetTranslatedString(332) + " " + document_.GetLocationsFilePath().string());
}

void CDlgBaseLieux::OnCountryChange()
{
    FillList(SelectedCountry(Countries()));
    SelectLocationItem(List(), List().topLevelItem(0));
    ShowSelectionDetails();
    ShowCounts();
}

void CDlgBaseLieux::OnColumnClick(int column)
{
    m_sortColumn = column;
    SortLocationItems(List(), column);
}

void CDlgBaseLieux::SelectRecord(const CDataBaseElement* record)
{
    SelectLocationItem(List(), FindItemOfRecord(List(), record));
}

void CDlgBaseLieux::ListCountryOf(const CDataBaseElement& record)
{
    int index = FindComboText(Countries(), record.country);
    if (index < 0) {
        Countries().addItem(QString::fromStdString(record.country));
        index = Countries().count() - 1;
    }
    Countries().setCurrentIndex(index);
    FillList(record.country);
}

void CDlgBaseLieux::SaveUserRecords()
{
    if (std::string error; !SaveUserLocations(document_.GetLocationList(), &error))
        GetServices().MessageBox(WithReason(GetTranslatedString(206), error), "", MB_OK | MB_ICONEXCLAMATION);
}

namespace {

void RememberNewLocationChoices(const LocationFields& fields)
{
    Profile& profile = GetProfile();
    profile.WriteInt(kNewSection, "Est", fields.side);
    profile.WriteInt(kNewSection, "Nord", fields.hemisphere);
    if (IsZoneIndex(fields.zoneIndex))
        profile.WriteInt(kNewSection, "Fuseau", fields.zoneIndex);
}

}  // namespace

void CDlgBaseLieux::OnNew()
{
    CDlgNouveauLieu dialog(this);
    const Profile& profile = GetProfile();
    dialog.m_fields.hemisphere = profile.GetInt(kNewSection, "Nord", kNorth);
    dialog.m_fields.side = profile.GetInt(kNewSection, "Est", kEast);
    dialog.m_fields.zoneIndex = profile.GetInt(kNewSection, "Fuseau", kDefaultZoneIndex);
    dialog.m_fields.country = SelectedCountry(Countries());
    if (dialog.DoModal() != IDOK) {
        ShowSelectionDetails();
        return;
    }
    if (CheckLocationFields(dialog.m_fields) != LocationEntryError::None) {
        RefuseEntry();
        return;
    }
    auto record = std::make_unique<CDataBaseElement>();
    ApplyFieldsToRecord(dialog.m_fields, *record);
    record->standard = 0;
    CDataBaseElement* added = record.get();
    document_.GetLocationList().push_back(std::move(record));
    ++m_baseCount;

    ListCountryOf(*added);
    ShowCounts();
    RememberNewLocationChoices(dialog.m_fields);
    SelectRecord(added);
    List().setFocus();
    SaveUserRecords();
    ShowDetails(added);
}

void CDlgBaseLieux::OnModify()
{
    CDataBaseElement* record = SelectedRecord(List());
    if (!record)
        return;
    const CDataBaseElement before = *record;
    CDlgNouveauLieu dialog(this);
    dialog.m_fields = FieldsFromRecord(*record);
    if (dialog.DoModal() != IDOK) {
        ShowDetails(record);
        return;
    }
    if (CheckLocationFields(dialog.m_fields) != LocationEntryError::None) {
        RefuseEntry();
        ShowDetails(record);
        return;
    }
    ApplyFieldsToRecord(dialog.m_fields, *record);
    if (QTreeWidgetItem* item = FindItemOfRecord(List(), record)) {
        item->setText(kColumnName, QString::fromStdString(record->name));
        item->setText(kColumnRegion, QString::fromStdString(record->region));
        item->setText(kColumnCountry, QString::fromStdString(record->country));
    }
    const std::string shown = SelectedCountry(Countries());
    if (!shown.empty() && !SameTextNoCase(shown, record->country))
        ListCountryOf(*record);
    RememberNewLocationChoices(dialog.m_fields);
    SelectRecord(record);
    List().setFocus();
    if (*record != before)
        record->standard = 0;
    SaveUserRecords();
    ShowDetails(record);
}

void CDlgBaseLieux::OnDelete()
{
    QTreeWidget& list = List();
    // The base keeps at least one location, whatever country the combo shows.
    if (document_.GetLocationList().size() <= 1) {
        GetServices().MessageBox(GetTranslatedString(310), GetTranslatedString(311), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDataBaseElement* record = SelectedRecord(list);
    if (!record)
        return;
    const std::string question = FillFormat(GetTranslatedString(312), {record->name});
    if (GetServices().MessageBox(question, GetTranslatedString(313), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    if (list.topLevelItemCount() == 1) {
        // The last location of its country: the country goes, and every location is listed.
        const int index = FindComboText(Countries(), record->country);
        if (index > 0)
            Countries().removeItem(index);
        Countries().setCurrentIndex(0);
        FillList({});
    }
    {
        const QSignalBlocker quiet(list);
        delete FindItemOfRecord(list, record);
    }
    if (m_chosen == record)
        m_chosen = nullptr;
    if (TakeLocation(document_.GetLocationList(), record))
        --m_baseCount;
    SelectLocationItem(list, list.topLevelItem(0));
    ShowSelectionDetails();
    ShowCounts();
    SaveUserRecords();
}

void CDlgBaseLieux::OnLoadBase()
{
    const std::filesystem::path current = document_.GetLocationsFilePath();
    FileDialogRequest request;
    request.filter = "Fichier des lieux Horavel (*.dbl)|*.dbl||";
    request.defaultExtension = ".dbl";
    request.initialFolder = current.parent_path();
    request.initialName = current.filename().string();
    const std::optional<std::filesystem::path> file = GetServices().GetOpenFileName(request);
    if (!file)
        return;

    WaitCursor wait;
    {
        // A file that is no locations base must not replace the one in use.
        CLocationList probe;
        if (!LoadDatabaseFile(probe, *file)) {
            GetServices().MessageBox(FillFormat(GetTranslatedString(335), {file->string()}), "",
                                     MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    SaveUserRecords();
    const CDataBaseElement* selected = SelectedRecord(List());
    const std::string country = selected ? selected->country : (m_chosen ? m_chosen->country : std::string());
    {
        // The items observe the records about to be freed.
        const QSignalBlocker quiet(List());
        List().clear();
    }
    CLocationList& locations = document_.GetLocationList();
    DeleteAllLocations(locations);
    m_chosen = nullptr;
    document_.SetLocationsFilePath(*file);
    LoadLocationDatabase(locations, *file);
    m_baseCount = static_cast<int>(locations.size());
    GetProfile().WriteString(kGeneralSection, "NomFichierLieux", file->string());

    FillCountryCombo(Countries(), locations);
    if (!country.empty() && CountryExists(locations, country)) {
        Countries().setCurrentIndex(FindComboText(Countries(), country));
        FillList(country);
    } else {
        Countries().setCurrentIndex(0);
        FillList({});
    }
    if (!SelectedRecord(List()))
        SelectLocationItem(List(), List().topLevelItem(0));
    m_chosen = SelectedRecord(List());
    ShowDetails(m_chosen);
    ShowCounts();
    ShowFileText();
}

void CDlgBaseLieux::OnShowMap()
{
    const CDataBaseElement* record = SelectedRecord(List());
    if (!record || !IsOnMap(record->latitude, record->longitude))
        return;
    CDlgCarte map(this, &document_.GetLocationList());
    map.m_location = record;
    map.DoModal();
}

void CDlgBaseLieux::OnOK()
{
    GetProfile().WriteString(kBaseSection, "Pays", SelectedCountry(Countries()));
    m_chosen = SelectedRecord(List());
    EndDialog(IDOK);
}

const CDataBaseElement* ChooseLocationFromBase(const CDataBaseElement* first)
{
    CHoravelDoc* document = GetDocument();
    if (!document)
        return nullptr;
    CDlgBaseLieux dialog(*document, QApplication::activeWindow());
    dialog.m_chosen = first;
    return dialog.DoModal() == IDOK ? dialog.m_chosen : nullptr;
}
