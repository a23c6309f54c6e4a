#pragma once
// The locations database: browse the document's locations by country, add, modify and
// delete them (the user's locations are saved after every change), load another standard
// locations file, and choose one location with OK.
//
// Records added, changed and removed stay so after Cancel. Items observe records of the
// document's list; a removed record is freed at once and forgotten by the dialog.
#include "app/qt/CTopDialog.h"

#include <string>

class CDataBaseElement;
class CHoravelDoc;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

class CDlgBaseLieux : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 138;

    CDlgBaseLieux(CHoravelDoc& document, QWidget* parent = nullptr);
    ~CDlgBaseLieux() override;

    // Records in the base; 0: the size of the list when the dialog opens.
    int m_baseCount = 0;
    // Column the list is sorted on: 0 name, 1 region, 2 country.
    int m_sortColumn = 0;
    // In: the record to show first (may be null, or a record outside the list, found by
    // name). Out, after IDOK: the record of the list chosen (null when none was selected).
    const CDataBaseElement* m_chosen = nullptr;

    // The buttons' actions, as a click runs them.
    void OnNew();
    void OnModify();
    void OnDelete();
    void OnLoadBase();
    void OnShowMap();
    void OnOK() override;

protected:
    void OnInitDialog() override;

private:
    QTreeWidget& List() const;
    QComboBox& Countries() const;
    // Fills the list with the records of the country (all when empty), sorted by name.
    void FillList(const std::string& country);
    void ShowDetails(const CDataBaseElement* record);
    void ShowSelectionDetails();
    void ShowCounts();
    void ShowFileText();
    void OnCountryChange();
    void OnColumnClick(int column);
    // Selects the record's country in the combo (added when missing) and lists it.
    void ListCountryOf(const CDataBaseElement& record);
    void SelectRecord(const CDataBaseElement* record);
    void SaveUserRecords();

    CHoravelDoc& document_;
};

// Runs the locations database on the document's list (the application's document), showing
// first the given record; the record chosen with OK, null on cancel or without a document.
const CDataBaseElement* ChooseLocationFromBase(const CDataBaseElement* first);
