#include "DialogTestSupport.h"

#include "dialogs/qt/CDlgSaisieDevise.h"
#include "dialogs/qt/CDlgSelectionDevise.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const char* const kFile = "; mottoes\n"
                          "<LANG:la> Tempus fugit <COMMENT:Le temps fuit>\n"
                          "<LANG:fr> Sans le soleil je ne suis rien\n"
                          "<LANG:la> Ultima latet\n"
                          "<LANG:fra> Trois lettres\n"
                          "<LANG:en> Time flies\n"
                          "<END>\n";

class MottoDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(context_.Dir() / "install");
        paths::SetInstallFolder(context_.Dir() / "install");
    }
    void TearDown() override { paths::SetInstallFolder({}); }
    void WriteShipped(const std::string& text) { testsupport::WriteFileBytes(context_.Dir() / "install" / "mottoes.txt", text); }
    std::filesystem::path Saved() const { return context_.Dir() / "mottoes.txt"; }

    static std::vector<std::string> Items(const CDlgSelectionDevise& dialog)
    {
        std::vector<std::string> items;
        const auto* list = dialog.Control<QListWidget>(1152);
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->item(i)->text().toStdString());
        return items;
    }
    static std::vector<std::string> Languages(const CDlgSelectionDevise& dialog)
    {
        std::vector<std::string> items;
        const auto* combo = dialog.Control<QComboBox>(1151);
        for (int i = 0; i < combo->count(); ++i)
            items.push_back(combo->itemText(i).toStdString());
        return items;
    }
    static QListWidget& List(const CDlgSelectionDevise& dialog) { return *dialog.Control<QListWidget>(1152); }
    // The user picks a language in the combo.
    static void PickLanguage(CDlgSelectionDevise& dialog, int index)
    {
        auto* combo = dialog.Control<QComboBox>(1151);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The entry dialog answers with these fields; what it was given is kept.
    void AnswerEntry(CMottoRecord answer, int result = IDOK)
    {
        fake_->SetDialogScript(CDlgSaisieDevise::kTemplateId, [this, answer, result](ModalDialog& modal) {
            auto& entry = dynamic_cast<CDlgSaisieDevise&>(modal);
            given_.push_back({entry.m_language, entry.m_text, entry.m_comment});
            entry.m_language = answer.language;
            entry.m_text = answer.text;
            entry.m_comment = answer.comment;
            return result;
        });
    }

    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    dialogtest::ScopedDialogContext context_;
    std::vector<CMottoRecord> given_;
};

}  // namespace

TEST_F(MottoDialogs, LanguagesOnceEachAndTheMottoesOfTheChosenOne)
{
    WriteShipped(kFile);
    CDlgSelectionDevise dialog;
    ASSERT_TRUE(dialog.Create());
    // "fr" and "fra" are two languages: each keeps its own mottoes.
    EXPECT_EQ(Languages(dialog), (std::vector<std::string>{"la", "fr", "fra", "en"}));
    EXPECT_EQ(dialog.SelectedLanguage(), "la");
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Tempus fugit", "Ultima latet"}));
    EXPECT_EQ(dialog.GetDlgItemText(1156), "Tempus fugit");
    EXPECT_EQ(dialog.GetDlgItemText(1157), "Le temps fuit");
    List(dialog).setCurrentRow(1);
    EXPECT_EQ(dialog.GetDlgItemText(1156), "Ultima latet");
    EXPECT_EQ(dialog.GetDlgItemText(1157), "");
    PickLanguage(dialog, 2);
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Trois lettres"}));
    EXPECT_EQ(dialog.GetDlgItemText(1156), "Trois lettres");
    PickLanguage(dialog, 1);
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Sans le soleil je ne suis rien"}));
}

TEST_F(MottoDialogs, OkRemembersTheLanguageSavesTheListAndHandsOverTheChosenText)
{
    WriteShipped(kFile);
    {
        CDlgSelectionDevise dialog;
        ASSERT_TRUE(dialog.Create());
        PickLanguage(dialog, 3);
        dialog.OnOK();
        EXPECT_EQ(dialog.GetDialogResult(), IDOK);
        EXPECT_EQ(dialog.m_text, "Time flies");
    }
    EXPECT_EQ(profile_->GetString("Dialogues\\Devises", "LangueDevise", ""), "en");
    // The whole list, written by the program.
    std::vector<CMottoRecord> saved;
    ASSERT_TRUE(mottoes::LoadMottoes(Saved(), saved));
    EXPECT_EQ(saved.size(), 5u);
    EXPECT_EQ(testsupport::ReadFileBytes(Saved()).rfind("<END>\n"), testsupport::ReadFileBytes(Saved()).size() - 6);

    // The next opening starts on the remembered language (found in any case).
    profile_->WriteString("Dialogues\\Devises", "LangueDevise", "FR");
    CDlgSelectionDevise again;
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(again.SelectedLanguage(), "fr");
    EXPECT_EQ(Items(again), (std::vector<std::string>{"Sans le soleil je ne suis rien"}));

    fake_->SetDialogScript(CDlgSelectionDevise::kTemplateId, [](ModalDialog& modal) {
        auto& dialog = dynamic_cast<CDlgSelectionDevise&>(modal);
        dialog.m_text = "Ultima latet";
        return IDOK;
    });
    EXPECT_EQ(ChooseMotto(), "Ultima latet");
    fake_->SetDialogScript(CDlgSelectionDevise::kTemplateId, [](ModalDialog&) { return IDCANCEL; });
    EXPECT_EQ(ChooseMotto(), std::nullopt);
}

TEST_F(MottoDialogs, AddEditAndDeleteChangeTheListAndCancelForgetsThem)
{
    WriteShipped(kFile);
    {
        CDlgSelectionDevise dialog;
        ASSERT_TRUE(dialog.Create());
        // Add: the entry starts on the language shown.
        AnswerEntry({"la", "Hora fugit", "L'heure fuit"});
        dialog.Control<QPushButton>(1158)->click();
        EXPECT_EQ(given_.back(), (CMottoRecord{"la", "", ""}));
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Tempus fugit", "Ultima latet", "Hora fugit"}));
        EXPECT_EQ(List(dialog).currentRow(), 2);
        EXPECT_EQ(dialog.GetDlgItemText(1157), "L'heure fuit");
        // A new language joins the combo and is shown.
        AnswerEntry({"de", "Die Zeit vergeht", ""});
        dialog.Control<QPushButton>(1158)->click();
        EXPECT_EQ(Languages(dialog).back(), "de");
        EXPECT_EQ(dialog.SelectedLanguage(), "de");
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Die Zeit vergeht"}));

        // Edit starts from the selected motto; a new language moves the motto there.
        PickLanguage(dialog, 0);
        List(dialog).setCurrentRow(1);
        AnswerEntry({"la", "Ultima necat", "La dernière tue"});
        dialog.Control<QPushButton>(1159)->click();
        EXPECT_EQ(given_.back(), (CMottoRecord{"la", "Ultima latet", ""}));
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Tempus fugit", "Ultima necat", "Hora fugit"}));
        EXPECT_EQ(dialog.GetDlgItemText(1156), "Ultima necat");
        EXPECT_EQ(dialog.GetDlgItemText(1157), "La dernière tue");
        AnswerEntry({"fr", "Le temps fuit", ""});
        dialog.Control<QPushButton>(1159)->click();
        EXPECT_EQ(dialog.SelectedLanguage(), "fr");
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Sans le soleil je ne suis rien", "Le temps fuit"}));
        EXPECT_EQ(List(dialog).currentRow(), 1);

        // Delete asks first.
        fake_->QueueMessageBoxAnswer(IDNO);
        dialog.Control<QPushButton>(1160)->click();
        EXPECT_EQ(fake_->messageBoxes.back().text, "Supprimer ?");
        EXPECT_EQ(fake_->messageBoxes.back().type, unsigned{MB_YESNO | MB_ICONQUESTION});
        EXPECT_EQ(Items(dialog).size(), 2u);
        fake_->QueueMessageBoxAnswer(IDYES);
        dialog.Control<QPushButton>(1160)->click();
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Sans le soleil je ne suis rien"}));
        EXPECT_EQ(dialog.GetDlgItemText(1156), "Sans le soleil je ne suis rien");
        EXPECT_EQ(dialog.Mottoes().size(), 6u);
        dialog.OnCancel();
    }
    EXPECT_FALSE(std::filesystem::exists(Saved()));
    EXPECT_FALSE(profile_->HasValue("Dialogues\\Devises", "LangueDevise"));
}

TEST_F(MottoDialogs, AMissingFileWarnsAndOkThenWritesAnEmptyList)
{
    CDlgSelectionDevise dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Attention, le fichier MOTTOES.TXT contenant les devises est absent !");
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_OK | MB_ICONEXCLAMATION});
    EXPECT_TRUE(Items(dialog).empty());
    EXPECT_TRUE(Languages(dialog).empty());
    // Edit with nothing selected starts empty and changes nothing.
    AnswerEntry({"fr", "x", ""});
    dialog.Control<QPushButton>(1159)->click();
    EXPECT_EQ(given_.back(), (CMottoRecord{}));
    EXPECT_TRUE(dialog.Mottoes().empty());
    dialog.OnOK();
    EXPECT_EQ(dialog.m_text, "");
    std::vector<CMottoRecord> saved;
    ASSERT_TRUE(mottoes::LoadMottoes(Saved(), saved));
    EXPECT_TRUE(saved.empty());
    EXPECT_NE(testsupport::ReadFileBytes(Saved()).find("<END>"), std::string::npos);
}

TEST_F(MottoDialogs, AFailedSaveWarnsAndTheDialogClosesAnyway)
{
    WriteShipped(kFile);
    paths::SetDataFolder(context_.Dir() / "no such folder");
    CDlgSelectionDevise dialog;
    ASSERT_TRUE(dialog.Create());
    fake_->QueueMessageBoxAnswer(IDNO);
    dialog.OnOK();
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text.rfind("Attention ! La sauvegarde du fichier des devises", 0), 0u);
    EXPECT_EQ(fake_->messageBoxes[0].type, unsigned{MB_YESNO | MB_ICONEXCLAMATION});
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    EXPECT_EQ(dialog.m_text, "Tempus fugit");
}

TEST_F(MottoDialogs, TheEntryDialogExchangesItsThreeFields)
{
    CDlgSaisieDevise entry;
    entry.m_text = "Carpe diem";
    entry.m_language = "la";
    ASSERT_TRUE(entry.Create());
    EXPECT_EQ(entry.GetDlgItemText(1159), "Carpe diem");
    EXPECT_EQ(entry.GetDlgItemText(1161), "la");
    entry.SetDlgItemText(1160, "Cueille le jour");
    entry.OnOK();
    EXPECT_EQ(entry.m_comment, "Cueille le jour");
    EXPECT_EQ(entry.m_text, "Carpe diem");
}
