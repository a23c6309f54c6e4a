#include "dialogs/qt/CDlgNewVersion.h"

#include "app/HelpPages.h"
#include "app/qt/DataExchange.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QVBoxLayout>

CDlgNewVersion::CDlgNewVersion(QWidget* parent) : CTopDialog(kTemplateId, "Notification de nouvelle version", parent)
{
    auto* body = new QVBoxLayout;
    QLabel* intro = AddStatic(1138, "Une nouvelle version du logiciel est disponible sur le site Web.");
    intro->setWordWrap(true);
    body->addWidget(intro);

    auto versionBox = [this](int group, const char* title, int versionId, int dateId) {
        QGroupBox* box = AddGroupBox(group, title);
        auto* grid = new QGridLayout(box);
        grid->addWidget(AddStatic(group + 100, "Version :"), 0, 0);
        grid->addWidget(AddStatic(versionId, ""), 0, 1);
        grid->addWidget(AddStatic(group + 200, "Date :"), 1, 0);
        grid->addWidget(AddStatic(dateId, ""), 1, 1);
        grid->setColumnStretch(1, 1);
        return box;
    };
    body->addWidget(versionBox(1130, "Version actuelle", 7812, 7813));
    body->addWidget(versionBox(1131, "Nouvelle version disponible", 7814, 7815));

    QGroupBox* next = AddGroupBox(1134, "Que voulez-vous faire ?");
    auto* choices = new QVBoxLayout(next);
    choices->addWidget(AddButton(1053, "En savoir plus sur cette nouvelle version..."));
    QLabel* hint = AddStatic(1139, "La page Web de la nouvelle version s'ouvrira dans votre navigateur.");
    hint->setWordWrap(true);
    choices->addWidget(hint);
    body->addWidget(next);
    SetDialogLayout(body, kOk);
    SetDlgItemText(IDOK, "Fermer et continuer avec la version actuelle...");
    SetControlColor(1138, kExplanationColor);
    SetControlColor(1139, kExplanationColor);
    OnClicked(1053, [this] { OnMoreInformation(); });
}

CDlgNewVersion::~CDlgNewVersion() = default;

void CDlgNewVersion::DoDataExchange(DataExchange& dx)
{
    dx.Text(7813, m_currentDate);
    dx.Text(7812, m_currentVersion);
    dx.Text(7815, m_availableDate);
    dx.Text(7814, m_availableVersion);
}

void CDlgNewVersion::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    for (int id : {1130, 1131, 1134})
        ApplyGroupBoxFont(*this, id);
    EnableControl(1053, IsFetchableUrl(m_link));
}

void CDlgNewVersion::OnMoreInformation()
{
    // The link comes from a file fetched over plain HTTP: a web page, never a mail or a file.
    if (!IsFetchableUrl(m_link)) {
        GetServices().Beep();
        return;
    }
    OpenAddress(m_link, m_link);
}
