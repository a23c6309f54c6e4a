#include "dialogs/qt/GroupBoxFont.h"

#include "app/Accessors.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/ControlHost.h"

void ApplyGroupBoxFont(ControlHost& host, int id)
{
    const CMainFrame* frame = GetMainFrame();
    QWidget* control = host.GetDlgItem(id);
    if (frame && control && frame->GroupBoxFont())
        control->setFont(*frame->GroupBoxFont());
}
