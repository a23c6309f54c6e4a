#include "setup/qt/CSetupApp.h"

#include "setup/SetupResources.h"
#include "setup/qt/CLangueDlg.h"
#include "setup/qt/CSetupSheet.h"
#include "setup/qt/CUninstallDlg.h"
#include "platform/Services.h"

CSetupApp::CSetupApp(std::filesystem::path currentFolder, setup::SetupLocations locations)
    : currentFolder_(std::move(currentFolder)), locations_(std::move(locations))
{
}

int CSetupApp::Run(const std::vector<std::string>& arguments)
{
    m_os = setup::DetectOs();
    setup::Resources().UseFrench();
    if (setup::IsUninstallCommandLine(arguments)) {
        CLangueDlg langue;
        langue.m_desinstallation = 1;
        if (langue.DoModal() == IDOK) {
            CUninstallDlg dlg(locations_);
            dlg.DoModal();
        }
        return 0;
    }
    std::error_code ec;
    if (!std::filesystem::exists(currentFolder_ / setup::kArchiveFile, ec)) {
        GetServices().MessageBox(setup::Resources().String(522), "", MB_OK | MB_ICONERROR);
        return 0;
    }
    CLangueDlg langue;
    if (langue.DoModal() == IDOK) {
        CSetupSheet sheet(currentFolder_, locations_);
        sheet.DoModal();
        m_destination = sheet.m_destination;
    }
    return 0;
}
