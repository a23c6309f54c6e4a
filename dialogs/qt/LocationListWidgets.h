#pragma once
// The location list and country combo as the locations dialogs and the creation wizard's
// location page show them: a report list of name, region and country whose items observe
// the records of the document's list, and a combo of "TOUS LES PAYS" and every country.
//
// Items are found by their record (identity), or by a whole text compared without regard to
// case; never by a prefix.
#include "model/LocationDatabase.h"

#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// The three columns: 301 "LIEU" (220 pixels), 331 "Zone" (110) showing the region, 302
// "PAYS" (150).
void SetupLocationColumns(QTreeWidget& list);
// Replaces the items by one item per record, in that order.
void FillLocationItems(QTreeWidget& list, const std::vector<CDataBaseElement*>& records);
// Puts the items in the order of the column (accents folded, case ignored); the selection
// stays on its record.
void SortLocationItems(QTreeWidget& list, int column);

CDataBaseElement* ItemRecord(const QTreeWidgetItem* item);
// The record of the selected (current) item; null when none.
CDataBaseElement* SelectedRecord(const QTreeWidget& list);
QTreeWidgetItem* FindItemOfRecord(const QTreeWidget& list, const CDataBaseElement* record);
// The first item whose name is that whole text, without regard to case.
QTreeWidgetItem* FindItemByName(const QTreeWidget& list, std::string_view name);
// Makes the item the current and only selected one and scrolls it into view (null: clears
// the selection).
void SelectLocationItem(QTreeWidget& list, QTreeWidgetItem* item);

// Empties the combo, puts string 303 "TOUS LES PAYS" first and then each country of the
// list once; returns the number of countries added.
int FillCountryCombo(QComboBox& combo, const CLocationList& list);
// The index of the entry whose whole text is that text without regard to case; -1 when none.
int FindComboText(const QComboBox& combo, std::string_view text);
// The combo's selected country; empty for "TOUS LES PAYS" or no selection.
std::string SelectedCountry(const QComboBox& combo);
