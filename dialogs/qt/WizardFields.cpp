#include "dialogs/qt/WizardFields.h"

#include "app/qt/CPropertyPageBase.h"
#include "app/qt/ControlHost.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

constexpr int kNotDrawnString = 61931;

}  // namespace

bool ReadIntField(const ControlHost& host, int id, int& value)
{
    int parsed = 0;
    if (!DataExchange::ParseInt(host.GetDlgItemText(id), parsed))
        return false;
    value = parsed;
    return true;
}

void WriteIntField(ControlHost& host, int id, int value)
{
    int current = 0;
    if (ReadIntField(host, id, current) && current == value)
        return;
    host.SetDlgItemText(id, std::to_string(value));
}

void DisableChoicesNotDrawn(ControlHost& host, std::span<const int> radioIds, bool (*available)(int choice))
{
    for (int choice = 0; choice < static_cast<int>(radioIds.size()); ++choice) {
        if (available(choice))
            continue;
        host.EnableControl(radioIds[choice], false);
        if (QWidget* radio = host.GetDlgItem(radioIds[choice]))
            radio->setToolTip(QString::fromStdString(GetTranslatedString(kNotDrawnString)));
    }
}

void PlaceBesidePicture(CPropertyPageBase& page, int pictureId, int bitmapId, QLayout* fields)
{
    auto* row = new QHBoxLayout(&page);
    row->addWidget(page.AddPicture(pictureId, bitmapId), 0, Qt::AlignTop);
    row->addLayout(fields, 1);
}

void AddStyleDeclinationRows(ControlHost& host, QGridLayout& grid, int row)
{
    grid.addWidget(host.AddStatic(1401, "Déclinaison gnomonique du style ( 0° au sud ) :"), row, 0, 1, 5);
    grid.addWidget(host.AddEdit(1197), row + 1, 0);
    grid.addWidget(host.AddStatic(IDC_STATIC, "°"), row + 1, 1);
}
