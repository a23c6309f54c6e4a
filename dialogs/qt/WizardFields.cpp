#include "dialogs/qt/WizardFields.h"

#include "app/qt/ControlHost.h"
#include "app/qt/DataExchange.h"

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
