#include "setup/qt/CUninstallDlg.h"

#include "app/qt/DialogControls.h"
#include "setup/SetupResources.h"
#include "setup/Uninstall.h"
#include "setup/qt/CSetupAboutDlg.h"
#include "setup/qt/SetupWindows.h"

#include <QGridLayout>
#include <QProgressBar>
#include <QVBoxLayout>

CUninstallDlg::CUninstallDlg(setup::SetupLocations locations, QWidget* parent)
    : CDialogBase(kTemplateId, parent), locations_(std::move(locations))
{
    SetTitle(setup::SetupTitle(kTemplateId, "Désinstallation de Horavel"));
    auto* body = new QVBoxLayout;
    QLabel* title = AddStatic(1019, "Désinstallation du logiciel Horavel 2.0");
    setup::MakeBold(*title);
    body->addWidget(title);
    auto* steps = new QGridLayout;
    const char* texts[] = {"Suppression des informations de désinstallation", "Suppression des fichiers du programme",
                           "Suppression des raccourcis dans le menu Programmes",
                           "Suppression des associations de fichiers avec les extensions .cds et .dbl"};
    for (int i = 0; i < 4; ++i) {
        QLabel* marker = AddStatic(1028 + i, "");
        marker->setTextFormat(Qt::PlainText);
        marker->setMinimumWidth(24);
        steps->addWidget(marker, i, 0);
        steps->addWidget(AddStatic(1040 + i, texts[i]), i, 1);
    }
    body->addLayout(steps);
    auto* bar = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    SetControlId(*progress_, 1032);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    bar->addWidget(progress_, 1);
    QLabel* percent = AddStatic(1034, "0%");
    percent->setTextFormat(Qt::PlainText);
    bar->addWidget(percent);
    body->addLayout(bar);
    QLabel* message = AddStatic(1033, "");
    message->setWordWrap(true);
    // Room for the final message from the start: filled in later, it would squeeze the rows above.
    message->setMinimumHeight(3 * message->fontMetrics().lineSpacing());
    body->addWidget(message);
    QLabel* site = AddStatic(1035, setup::Resources().String(519));
    SetNoPrefix(*site);
    setup::MakeBold(*site);
    body->addWidget(site);
    auto* about = new QHBoxLayout;
    about->addWidget(AddButton(1023, "?"));
    about->addStretch(1);
    body->addLayout(about);
    SetDialogLayout(body, kOk);
    OnClicked(1023, [this] {
        CSetupAboutDlg dlg(this);
        dlg.DoModal();
    });
}

void CUninstallDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    setup::TranslateSetupTexts(*this, kTemplateId);
    EnableControl(IDOK, false);
    SetTimer(kStartTimer, 1000);
}

void CUninstallDlg::OnTimer(int id)
{
    if (id != kStartTimer)
        return;
    KillTimer(kStartTimer);
    RunProcedure();
}

bool CUninstallDlg::RunProcedure()
{
    std::vector<QLabel*> markers;
    for (int i = 0; i < 4; ++i)
        markers.push_back(Control<QLabel>(1028 + i));
    setup::WindowProgress progress(*this, progress_, nullptr, Control<QLabel>(1034), markers);
    setup::CUninstallation uninstallation(locations_, progress);
    const bool done = uninstallation.Run();
    if (done)
        SetDlgItemText(1033, uninstallation.FinalMessage());
    EnableControl(IDOK, true);
    return done;
}
