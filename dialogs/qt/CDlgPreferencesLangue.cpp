#include "dialogs/qt/CDlgPreferencesLangue.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/HelpEntry.h"
#include "app/qt/DataExchange.h"
#include "dialogs/LanguageChoice.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "platform/Paths.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kHelpCombo = 1252;
constexpr int kProgramCombo = 1251;
constexpr int kFrenchRadio = 1253;
constexpr int kEnglishRadio = 1254;
constexpr int kLink = 1134;

QString LanguageLabel(const CLanguageFile& file, int language)
{
    return QString::fromStdString(file.GetEnglishName(language) + " ( " + file.GetLocalName(language) + " )");
}

}  // namespace

CDlgPreferencesLangue::CDlgPreferencesLangue(QWidget* parent) : CTopDialog(kTemplateId, "Préférences de langue", parent)
{
    auto* body = new QVBoxLayout;
    QGroupBox* program = AddGroupBox(1130, "Langue du logiciel");
    auto* programGrid = new QGridLayout(program);
    programGrid->addWidget(AddStatic(1135, "Langue des menus et des dialogues :"), 0, 0);
    programGrid->addWidget(AddComboList(kProgramCombo), 0, 1);
    programGrid->addWidget(AddStatic(1136, "Textes non traduits en :"), 1, 0);
    auto* radios = new QHBoxLayout;
    radios->addWidget(AddRadio(kFrenchRadio, "Français", kNewGroup));
    radios->addWidget(AddRadio(kEnglishRadio, "Anglais"));
    radios->addStretch(1);
    programGrid->addLayout(radios, 1, 1);
    body->addWidget(program);

    QGroupBox* help = AddGroupBox(1132, "Langue de l'aide en ligne");
    auto* helpGrid = new QGridLayout(help);
    helpGrid->addWidget(AddStatic(1137, "Pages d'aide en :"), 0, 0);
    helpGrid->addWidget(AddComboList(kHelpCombo), 0, 1);
    body->addWidget(help);
    body->addWidget(AddHyperlink(kLink, "En savoir plus sur les traductions..."), 0, Qt::AlignLeft);
    SetDialogLayout(body);
    OnSelChange(kProgramCombo, [this] { OnProgramLanguageChange(); });
}

CDlgPreferencesLangue::~CDlgPreferencesLangue() = default;

void CDlgPreferencesLangue::DoDataExchange(DataExchange& dx)
{
    dx.ComboIndex(kHelpCombo, m_help);
    dx.ComboIndex(kProgramCombo, m_program);
    dx.Radio(kFrenchRadio, m_fallback);
}

void CDlgPreferencesLangue::OnInitDialog()
{
    helpLanguageGiven_ = m_help;
    auto* programCombo = Control<QComboBox>(kProgramCombo);
    auto* helpCombo = Control<QComboBox>(kHelpCombo);
    programCombo->clear();
    helpCombo->clear();
    if (const CLanguageFile* file = GetLanguageFile()) {
        for (int language = 0; language < file->GetLanguageCount(); ++language)
            programCombo->addItem(LanguageLabel(*file, language));
        for (int language : kHelpLanguages)
            if (language < file->GetLanguageCount())
                helpCombo->addItem(LanguageLabel(*file, language));
    }
    // The frame gives the help language as a language index; the combo shows its place.
    m_help = HelpLanguagePlace(m_help);
    CTopDialog::OnInitDialog();
    ApplyGroupBoxFont(*this, 1130);
    ApplyGroupBoxFont(*this, 1132);
    OnProgramLanguageChange();
    if (auto* link = Control<CHyperlinkCtrl>(kLink))
        link->SetURL(paths::join(GetHelpFolderPath(), "trad.html").string());
}

void CDlgPreferencesLangue::OnProgramLanguageChange()
{
    UpdateData(true);
    auto* programCombo = Control<QComboBox>(kProgramCombo);
    if (!programCombo || programCombo->currentIndex() < 0)
        return;
    LanguageChoice choice;
    choice.fallback = m_fallback;
    choice.helpPlace = m_help;
    choice = ChooseProgramLanguage(choice, programCombo->currentIndex());
    m_program = choice.program;
    m_fallback = choice.fallback;
    m_help = choice.helpPlace;
    EnableControl(kFrenchRadio, choice.fallbackEnabled);
    EnableControl(kEnglishRadio, choice.fallbackEnabled);
    EnableControl(kHelpCombo, choice.helpEnabled);
    UpdateData(false);
}

int CDlgPreferencesLangue::GetHelpLanguage() const
{
    if (m_help >= 0 && m_help < static_cast<int>(kHelpLanguages.size()))
        return kHelpLanguages[static_cast<size_t>(m_help)];
    return helpLanguageGiven_;
}

bool RunLanguagePreferences(int& program, int& fallback, int& help, QWidget* parent)
{
    CDlgPreferencesLangue dialog(parent);
    dialog.m_program = program;
    dialog.m_fallback = fallback;
    dialog.m_help = help;
    if (dialog.DoModal() != IDOK)
        return false;
    program = dialog.m_program;
    fallback = dialog.m_fallback;
    help = dialog.GetHelpLanguage();
    return true;
}
