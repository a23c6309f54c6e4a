#include "dialogs/qt/LocationListWidgets.h"

#include "app/Translation.h"
#include "dialogs/LocationBrowsing.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {

constexpr int kRecordRole = Qt::UserRole;
constexpr int kAllCountriesString = 303;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void SetupLocationColumns(QTreeWidget& list)
{
    list.setColumnCount(3);
    list.setHeaderLabels({Q(GetTranslatedString(301)), Q(GetTranslatedString(331)), Q(GetTranslatedString(302))});
    list.setColumnWidth(kColumnName, 220);
    list.setColumnWidth(kColumnRegion, 110);
    list.setColumnWidth(kColumnCountry, 150);
    list.setSortingEnabled(false);
}

void FillLocationItems(QTreeWidget& list, const std::vector<CDataBaseElement*>& records)
{
    list.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(records.size()));
    for (CDataBaseElement* record : records) {
        auto* item = new QTreeWidgetItem({Q(record->name), Q(record->region), Q(record->country)});
        item->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
        items.push_back(item);
    }
    list.addTopLevelItems(items);
}

void SortLocationItems(QTreeWidget& list, int column)
{
    std::vector<CDataBaseElement*> records;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        records.push_back(ItemRecord(list.topLevelItem(i)));
    CDataBaseElement* selected = SelectedRecord(list);
    SortLocations(records, column);
    const QSignalBlocker quiet(list);
    FillLocationItems(list, records);
    if (selected)
        SelectLocationItem(list, FindItemOfRecord(list, selected));
}

CDataBaseElement* ItemRecord(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CDataBaseElement*>(item->data(0, kRecordRole).value<quintptr>()) : nullptr;
}

CDataBaseElement* SelectedRecord(const QTreeWidget& list)
{
    const QTreeWidgetItem* item = list.currentItem();
    return item && item->isSelected() ? ItemRecord(item) : nullptr;
}

QTreeWidgetItem* FindItemOfRecord(const QTreeWidget& list, const CDataBaseElement* record)
{
    for (int i = 0; record && i < list.topLevelItemCount(); ++i)
        if (ItemRecord(list.topLevelItem(i)) == record)
            return list.topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* FindItemByName(const QTreeWidget& list, std::string_view name)
{
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        if (SameTextNoCase(list.topLevelItem(i)->text(kColumnName).toStdString(), name))
            return list.topLevelItem(i);
    return nullptr;
}

void SelectLocationItem(QTreeWidget& list, QTreeWidgetItem* item)
{
    if (!item) {
        list.clearSelection();
        list.setCurrentItem(nullptr);
        return;
    }
    list.setCurrentItem(item);
    item->setSelected(true);
    list.scrollToItem(item);
}

int FillCountryCombo(QComboBox& combo, const CLocationList& list)
{
    combo.clear();
    combo.addItem(Q(GetTranslatedString(kAllCountriesString)));
    const std::vector<std::string> countries = CountriesOf(list);
    for (const std::string& country : countries)
        combo.addItem(Q(country));
    return static_cast<int>(countries.size());
}

int FindComboText(const QComboBox& combo, std::string_view text)
{
    for (int i = 0; i < combo.count(); ++i)
        if (SameTextNoCase(combo.itemText(i).toStdString(), text))
            return i;
    return -1;
}

std::string SelectedCountry(const QComboBox& combo)
{
    if (combo.currentIndex() <= 0)
        return {};
    return combo.currentText().toStdString();
}
