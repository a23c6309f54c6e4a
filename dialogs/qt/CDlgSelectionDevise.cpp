#include "dialogs/qt/CDlgSelectionDevise.h"

#include "app/Translation.h"
#include "app/qt/DialogControls.h"
#include "dialogs/qt/CDlgSaisieDevise.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

constexpr int kLanguageCombo = 1151;
constexpr int kMottoList = 1152;
constexpr int kTextStatic = 1156;
constexpr int kCommentStatic = 1157;
constexpr const char* kSection = "Dialogues\\Devises";
constexpr const char* kLanguageEntry = "LangueDevise";
constexpr int kRecordRole = Qt::UserRole;

QLabel* MakeShownText(QLabel* label)
{
    SetNoPrefix(*label);
    label->setWordWrap(true);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumHeight(40);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CDlgSelectionDevise::CDlgSelectionDevise(QWidget* parent) : CTopDialog(kTemplateId, "Sélection d'une devise", parent)
{
    auto* grid = new QGridLayout;
    auto* language = new QHBoxLayout;
    language->addWidget(AddStatic(1741, "Langue :"));
    language->addWidget(AddComboList(kLanguageCombo), 1);
    grid->addLayout(language, 0, 0);
    QListWidget* list = AddListBox(kMottoList);
    list->setMinimumSize(380, 160);
    grid->addWidget(list, 1, 0, 4, 1);
    grid->addWidget(AddButton(1158, "Ajouter une nouvelle devise..."), 1, 1);
    grid->addWidget(AddButton(1159, "Editer..."), 2, 1);
    grid->addWidget(AddButton(1160, "Supprimer..."), 3, 1);
    grid->setRowStretch(4, 1);
    grid->addWidget(AddStatic(1742, "Texte de la devise :"), 5, 0, 1, 2);
    grid->addWidget(MakeShownText(AddStatic(kTextStatic, {})), 6, 0, 1, 2);
    grid->addWidget(AddStatic(1743, "Commentaire associé :"), 7, 0, 1, 2);
    grid->addWidget(MakeShownText(AddStatic(kCommentStatic, {})), 8, 0, 1, 2);
    SetDialogLayout(grid);

    OnSelChange(kMottoList, [this] { ShowSelected(); });
    OnSelChange(kLanguageCombo, [this] { FillList(); });
    OnClicked(1158, [this] { OnAdd(); });
    OnClicked(1159, [this] { OnEdit(); });
    OnClicked(1160, [this] { OnDelete(); });
}

CDlgSelectionDevise::~CDlgSelectionDevise() = default;

std::vector<std::string> CDlgSelectionDevise::ComboEntries() const
{
    const QComboBox* combo = Control<QComboBox>(kLanguageCombo);
    std::vector<std::string> entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.push_back(combo->itemText(i).toStdString());
    return entries;
}

std::string CDlgSelectionDevise::SelectedLanguage() const
{
    const QComboBox* combo = Control<QComboBox>(kLanguageCombo);
    return combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
}

void CDlgSelectionDevise::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    mottoes_.clear();
    QComboBox* combo = Control<QComboBox>(kLanguageCombo);
    combo->clear();
    Control<QListWidget>(kMottoList)->clear();
    if (!mottoes::LoadMottoes(mottoes::FileToRead(), mottoes_)) {
        TranslatedMessageBox(209, MB_OK | MB_ICONEXCLAMATION);
        ShowSelected();
        return;
    }
    for (const std::string& language : mottoes::Languages(mottoes_))
        combo->addItem(QString::fromStdString(language));
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    const std::string remembered = GetProfile().GetString(kSection, kLanguageEntry, "");
    if (const int found = mottoes::FindLanguage(ComboEntries(), remembered); found >= 0)
        combo->setCurrentIndex(found);
    FillList();
}

CMottoRecord* CDlgSelectionDevise::SelectedRecord()
{
    const QListWidgetItem* item = Control<QListWidget>(kMottoList)->currentItem();
    if (!item)
        return nullptr;
    const int index = item->data(kRecordRole).toInt();
    return index >= 0 && index < static_cast<int>(mottoes_.size()) ? &mottoes_[index] : nullptr;
}

void CDlgSelectionDevise::FillList(const CMottoRecord* select)
{
    QListWidget* list = Control<QListWidget>(kMottoList);
    const QSignalBlocker quiet(list);
    list->clear();
    const std::string language = SelectedLanguage();
    int selectRow = 0;
    for (std::size_t i = 0; i < mottoes_.size(); ++i) {
        if (mottoes_[i].language != language)
            continue;
        if (&mottoes_[i] == select)
            selectRow = list->count();
        auto* item = new QListWidgetItem(QString::fromStdString(mottoes_[i].text));
        item->setData(kRecordRole, static_cast<int>(i));
        list->addItem(item);
    }
    list->setCurrentRow(list->count() > 0 ? selectRow : -1);
    ShowSelected();
}

void CDlgSelectionDevise::ShowLanguage(const std::string& language, const CMottoRecord* select)
{
    QComboBox* combo = Control<QComboBox>(kLanguageCombo);
    int index = combo->findText(QString::fromStdString(language), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        combo->addItem(QString::fromStdString(language));
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    FillList(select);
}

void CDlgSelectionDevise::ShowSelected()
{
    const CMottoRecord* record = SelectedRecord();
    SetDlgItemText(kTextStatic, record ? record->text : std::string());
    SetDlgItemText(kCommentStatic, record ? record->comment : std::string());
}

void CDlgSelectionDevise::OnAdd()
{
    CDlgSaisieDevise entry(this);
    entry.m_language = SelectedLanguage();
    if (entry.DoModal() != IDOK)
        return;
    mottoes_.push_back({entry.m_language, entry.m_text, entry.m_comment});
    ShowLanguage(mottoes_.back().language, &mottoes_.back());
}

void CDlgSelectionDevise::OnEdit()
{
    CDlgSaisieDevise entry(this);
    if (const CMottoRecord* record = SelectedRecord()) {
        entry.m_text = record->text;
        entry.m_comment = record->comment;
        entry.m_language = record->language;
    }
    if (entry.DoModal() != IDOK)
        return;
    CMottoRecord* record = SelectedRecord();
    if (!record)
        return;
    *record = {entry.m_language, entry.m_text, entry.m_comment};
    // A changed language moves the motto to that language's list.
    ShowLanguage(record->language, record);
}

void CDlgSelectionDevise::OnDelete()
{
    if (TranslatedMessageBox(158, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const CMottoRecord* record = SelectedRecord();
    if (!record) {
        SetDlgItemText(kTextStatic, {});
        SetDlgItemText(kCommentStatic, {});
        return;
    }
    mottoes_.erase(mottoes_.begin() + (record - mottoes_.data()));
    FillList();
}

void CDlgSelectionDevise::OnOK()
{
    if (!UpdateData(true))
        return;
    const CMottoRecord* record = SelectedRecord();
    m_text = record ? record->text : std::string();
    m_comment = record ? record->comment : std::string();
    if (const std::string language = SelectedLanguage(); !language.empty())
        GetProfile().WriteString(kSection, kLanguageEntry, language);
    if (std::string error; !mottoes::SaveMottoes(mottoes::FileToWrite(), mottoes_, &error))
        GetServices().MessageBox(WithReason(GetTranslatedString(210), error), "", MB_YESNO | MB_ICONEXCLAMATION);
    EndDialog(IDOK);
}

std::optional<std::string> ChooseMotto(QWidget* parent)
{
    CDlgSelectionDevise dialog(parent);
    if (dialog.DoModal() != IDOK || dialog.m_text.empty())
        return std::nullopt;
    return dialog.m_text;
}
