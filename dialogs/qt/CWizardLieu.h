#pragma once
// The wizard's location page: the known locations of a country (or of all), sorted by a
// column, with the details of the selected one; new locations are added and known ones
// changed here, and those of the map's window shown on the map. Next makes the selected
// location the document's current location.
#include "app/qt/CTopPropertyPage.h"

#include <string>

class CDataBaseElement;
class CHoravelDoc;
class QComboBox;
class QTreeWidget;

class CWizardLieu : public CTopPropertyPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 204;
    static constexpr int kListId = 1046;
    static constexpr int kCountryComboId = 1045;

    explicit CWizardLieu(CHoravelDoc& document);
    ~CWizardLieu() override;

    bool OnSetActive() override;
    bool OnKillActive() override;

    std::string m_latitudeText;   // static 1002
    std::string m_placeText;      // static 1021
    std::string m_longitudeText;  // static 1003
    std::string m_zoneText;       // static 1022
    int m_sortColumn = 0;         // 0 name, 1 region, 2 country

    QTreeWidget& List() const;
    QComboBox& CountryCombo() const;
    // The record of the selected item; null when none.
    CDataBaseElement* GetSelectedLocation() const;

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    void FillPage();
    // The records of that country (empty: every record), sorted by name, with the last
    // chosen location (else the first) selected.
    void FillList(const std::string& country);
    void SortList(int column);
    // Details of the record, else of the selection; nothing without either.
    void ShowDetails(const CDataBaseElement* record = nullptr);
    // Selects the record's item and scrolls to it.
    void SelectRecord(const CDataBaseElement* record);
    // Shows the country in the combo (added when it is missing) and lists its records.
    void ShowCountry(const std::string& country);
    void SaveLocations();

    void OnItemChanged();
    void OnColumnClick(int column);
    void OnCountryChange();
    void OnAddLocation();
    void OnModifyLocation();
    void OnShowMap();

    CHoravelDoc& document_;
};
