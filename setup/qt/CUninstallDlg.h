#pragma once
// The uninstall dialog: the four steps with their markers, a progress bar and its
// percentage; the uninstallation starts at the first tick of timer 8787, once the dialog
// is on screen, and OK is enabled when it is over.
#include "app/qt/CDialogBase.h"
#include "setup/SetupSystem.h"
#include "platform/Timers.h"

class QProgressBar;

class CUninstallDlg : public CDialogBase, public TimerHost {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 142;
    static constexpr int kStartTimer = 8787;

    explicit CUninstallDlg(setup::SetupLocations locations, QWidget* parent = nullptr);

    void OnTimer(int id) override;
    // The procedure, as the first tick runs it; true when it reached its end.
    bool RunProcedure();

    QProgressBar* ProgressBar() const { return progress_; }

protected:
    void OnInitDialog() override;

private:
    setup::SetupLocations locations_;
    QProgressBar* progress_ = nullptr;
};
