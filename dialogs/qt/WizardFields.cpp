#include "dialogs/qt/WizardFields.h"

#include "app/qt/ControlHost.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"

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
