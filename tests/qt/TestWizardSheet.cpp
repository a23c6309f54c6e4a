// The wizard sheet: page flow with set-active and kill-active, pages added and removed while
// it runs, Finish and Cancel, and the property-page base's title, texts, colours and help.
#include "DialogTestSupport.h"

#include "app/qt/CTopPropertyPage.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "platform/FakeServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QApplication>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace dialogtest;

namespace {

using Log = std::vector<std::string>;

// A page that writes each call into a shared log and answers as told.
class LoggingPage : public CTopPropertyPage {
public:
    LoggingPage(Log& log, std::string name, int templateId, std::string caption = {})
        : CTopPropertyPage(templateId, caption), log_(log), name_(std::move(name))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(AddStatic(1131, "Texte du " + name_));
        layout->addWidget(AddEdit(1031));
    }

    int value = 0;
    bool acceptActivation = true;
    int nextChoice = 0;
    int backChoice = 0;
    bool acceptFinish = true;
    bool acceptCancel = true;
    unsigned buttons = PSWIZB_BACK | PSWIZB_NEXT;
    std::function<void()> onSetActive;
    std::function<bool()> onKillActive;

    bool OnSetActive() override
    {
        log_.push_back("set " + name_);
        if (!acceptActivation)
            return false;
        GetParentSheet()->SetWizardButtons(buttons);
        if (onSetActive)
            onSetActive();
        return CTopPropertyPage::OnSetActive();
    }
    bool OnKillActive() override
    {
        log_.push_back("kill " + name_);
        if (onKillActive && !onKillActive())
            return false;
        return CTopPropertyPage::OnKillActive();
    }
    int OnWizardNext() override
    {
        log_.push_back("next " + name_);
        return nextChoice;
    }
    int OnWizardBack() override
    {
        log_.push_back("back " + name_);
        return backChoice;
    }
    bool OnWizardFinish() override
    {
        log_.push_back("finish " + name_);
        return acceptFinish;
    }
    bool OnQueryCancel() override
    {
        log_.push_back("query cancel " + name_);
        return acceptCancel;
    }
    void OnCancel() override { log_.push_back("cancel " + name_); }

protected:
    void OnInitDialog() override
    {
        log_.push_back("init " + name_);
        CTopPropertyPage::OnInitDialog();
    }
    void DoDataExchange(DataExchange& dx) override
    {
        dx.Text(1031, value);
        dx.Range(value, 0, 100);
    }

private:
    Log& log_;
    std::string name_;
};

class WizardTest : public ::testing::Test {
protected:
    // The log since the last call.
    Log Take() { return std::exchange(log_, {}); }

    ScopedDialogContext context_;
    ScopedFakeServices fake_;
    Log log_;
};

}  // namespace

TEST_F(WizardTest, BackAndNextRunKillActiveThenSetActiveEveryTime)
{
    LoggingPage a(log_, "A", 204), b(log_, "B", 205), c(log_, "C", 206);
    a.buttons = PSWIZB_NEXT;
    CWizardSheet sheet;
    for (auto* page : {&a, &b, &c})
        sheet.AddPage(*page);

    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(Take(), (Log{"init A", "set A"}));
    EXPECT_FALSE(sheet.BackButton()->isEnabled());

    a.Control<QLineEdit>(1031)->setText("7");
    sheet.NextButton()->click();
    EXPECT_EQ(Take(), (Log{"next A", "kill A", "init B", "set B"}));
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_EQ(a.value, 7);
    EXPECT_TRUE(sheet.BackButton()->isEnabled());

    // Back: the page is activated again (not created again) and shows its members.
    a.value = 42;
    sheet.BackButton()->click();
    EXPECT_EQ(Take(), (Log{"back B", "kill B", "set A"}));
    EXPECT_EQ(sheet.GetActivePage(), &a);
    EXPECT_EQ(a.GetDlgItemText(1031), "42");

    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(Take(), (Log{"next A", "kill A", "set B"}));

    // A page may jump by template id, or refuse to move at all.
    b.nextChoice = -1;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(Take(), (Log{"next B"}));
    b.backChoice = -1;
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(Take(), (Log{"back B"}));
    b.backChoice = 0;
    sheet.PressButton(PSBTN_NEXT);
    b.nextChoice = 204;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(Take(), (Log{"next B", "next B", "kill B", "set A"}));
}

TEST_F(WizardTest, RefusingKillActiveKeepsThePage)
{
    LoggingPage a(log_, "A", 204), b(log_, "B", 205);
    CWizardSheet sheet;
    sheet.AddPage(a);
    sheet.AddPage(b);
    ASSERT_TRUE(sheet.SetActivePage(0));
    Take();

    // Refused by the page itself...
    a.onKillActive = [] { return false; };
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(Take(), (Log{"next A", "kill A"}));
    EXPECT_EQ(sheet.GetActivePage(), &a);
    EXPECT_FALSE(b.IsInitialised());

    // ...or by a field out of its range, with the range message.
    a.onKillActive = nullptr;
    a.SetDlgItemText(1031, "101");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &a);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text, "Veuillez entrer un nombre entier compris entre 0 et 100.");

    a.SetDlgItemText(1031, "100");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &b);

    // Back is refused the same way.
    b.SetDlgItemText(1031, "x");
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_EQ(fake_->messageBoxes.size(), 2u);
}

TEST_F(WizardTest, PagesRefusingActivationAreSkippedInTheDirectionOfTheMove)
{
    LoggingPage a(log_, "A", 204), b(log_, "B", 205), c(log_, "C", 206);
    CWizardSheet sheet;
    for (auto* page : {&a, &b, &c})
        sheet.AddPage(*page);
    b.acceptActivation = false;
    ASSERT_TRUE(sheet.SetActivePage(0));
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &c);
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(sheet.GetActivePage(), &a);
    Take();

    // With no page left to accept, the wizard stays where it was (after kill-active).
    c.acceptActivation = false;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(Take(), (Log{"next A", "kill A", "set B", "set C"}));
    EXPECT_EQ(sheet.GetActivePage(), &a);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
}

TEST_F(WizardTest, AFamilyPageAddedOnLeavingAndRemovedOnReturning)
{
    // The type page removes the family pages when it becomes active and adds the chosen one
    // when it is left: Back and Next may change the family any number of times.
    LoggingPage location(log_, "location", 204), type(log_, "type", 205);
    LoggingPage plane(log_, "plane", 206), cylinder(log_, "cylinder", 216);
    CWizardSheet sheet;
    sheet.AddPage(location);
    sheet.AddPage(type);
    int family = 0;
    type.onSetActive = [&] {
        for (auto* page : {&plane, &cylinder})
            if (sheet.GetPageIndex(*page) > 0)
                sheet.RemovePage(*page);
    };
    type.onKillActive = [&] {
        if (family == 0)
            sheet.AddPage(plane);
        else if (family == 1)
            sheet.AddPage(cylinder);
        return true;
    };
    plane.buttons = cylinder.buttons = PSWIZB_BACK | PSWIZB_FINISH;

    ASSERT_TRUE(sheet.SetActivePage(0));
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &plane);
    EXPECT_TRUE(sheet.FinishButton()->isVisibleTo(&sheet));
    EXPECT_FALSE(sheet.NextButton()->isVisibleTo(&sheet));
    EXPECT_EQ(sheet.GetPageCount(), 3);

    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(sheet.GetActivePage(), &type);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(plane.GetParentSheet(), nullptr);
    EXPECT_FALSE(sheet.NextButton()->isHidden());

    family = 1;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &cylinder);
    EXPECT_EQ(sheet.GetPageIndex(cylinder), 2);
    EXPECT_EQ(sheet.GetPageIndex(plane), -1);

    // A choice with no family page: Next has nowhere to go.
    sheet.PressButton(PSBTN_BACK);
    family = 4;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.GetActivePage(), &type);
    EXPECT_EQ(sheet.GetPageCount(), 2);
}

TEST_F(WizardTest, FinishReturns12325AndCancelAsksThePages)
{
    LoggingPage a(log_, "A", 204), b(log_, "B", 205), unseen(log_, "unseen", 206);
    b.buttons = PSWIZB_BACK | PSWIZB_DISABLEDFINISH;
    CWizardSheet sheet;
    for (auto* page : {&a, &b, &unseen})
        sheet.AddPage(*page);

    WhenRunning([&] {
        EXPECT_TRUE(sheet.isVisible());
        sheet.NextButton()->click();
        // A disabled Finish cannot be clicked; a refusing page keeps the wizard open.
        EXPECT_FALSE(sheet.FinishButton()->isEnabled());
        sheet.FinishButton()->click();
        sheet.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        b.acceptFinish = false;
        sheet.FinishButton()->click();
        EXPECT_TRUE(sheet.isVisible());
        b.acceptFinish = true;
        sheet.FinishButton()->click();
    });
    EXPECT_EQ(sheet.RunModalLoop(), ID_WIZFINISH);
    EXPECT_EQ(ID_WIZFINISH, 12325);
    EXPECT_EQ(Take(), (Log{"init A", "set A", "next A", "kill A", "init B", "set B", "finish B", "finish B"}));

    // Cancel: the current page may refuse; then every page that was shown hears of it.
    WhenRunning([&] {
        sheet.PressButton(PSBTN_NEXT);
        b.acceptCancel = false;
        sheet.CancelButton()->click();
        EXPECT_TRUE(sheet.isVisible());
        b.acceptCancel = true;
        sheet.CancelButton()->click();
    });
    EXPECT_EQ(sheet.RunModalLoop(), IDCANCEL);
    EXPECT_EQ(Take(), (Log{"set A", "next A", "kill A", "set B", "query cancel B", "query cancel B", "cancel A",
                           "cancel B"}));

    // Run through the desktop services, a script answers for the wizard.
    CWizardSheet scripted({}, nullptr, 4101);
    fake_->SetDialogScript(4101, [](ModalDialog&) { return ID_WIZFINISH; });
    EXPECT_EQ(scripted.DoModal(), ID_WIZFINISH);

    // A wizard whose pages all refuse cannot be shown.
    CWizardSheet empty;
    LoggingPage refusing(log_, "refusing", 204);
    refusing.acceptActivation = false;
    empty.AddPage(refusing);
    EXPECT_EQ(empty.RunModalLoop(), -1);
}

TEST_F(WizardTest, EnterGoesOnAndThenFinishesLikeTheButtons)
{
    // Finish takes the place of the Next button that Enter pressed: the focus must follow it,
    // or it falls to Cancel and the next Enter throws the wizard away.
    LoggingPage a(log_, "A", 204), b(log_, "B", 205);
    b.buttons = PSWIZB_BACK | PSWIZB_FINISH;
    CWizardSheet sheet;
    sheet.AddPage(a);
    sheet.AddPage(b);
    WhenRunning([&] {
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        sheet.NextButton()->setFocus();
        for (int press = 0; press < 2; ++press) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_Return);
        }
    });
    EXPECT_EQ(sheet.RunModalLoop(), ID_WIZFINISH);
    EXPECT_EQ(Take(), (Log{"init A", "set A", "next A", "kill A", "init B", "set B", "finish B"}));
}

TEST_F(WizardTest, PagesTakeTitlesAndTextsFromTheLanguageFileAndOpenTheirHelp)
{
    const auto file = MakeLanguageFile({
        {"DLG", 204, 204, {"Créer un nouveau cadran solaire : choix du lieu", "Create a new sundial: location"}},
        {"DLG", 204, 1131, {"Pour quel lieu ?\\nChoisissez.", "Which location?\\nChoose."}},
    });
    ASSERT_TRUE(file);
    context_.UseLanguage(file.get(), 1);
    LoggingPage location(log_, "location", 204, "Lieu");
    LoggingPage type(log_, "type", 205, "Type");
    location.SetControlColor(1131, kExplanationColor);
    CWizardSheet sheet("Assistant");
    sheet.AddPage(location);
    sheet.AddPage(type);
    ASSERT_TRUE(sheet.SetActivePage(0));

    EXPECT_EQ(location.GetTitle(), "Create a new sundial: location");
    EXPECT_EQ(sheet.windowTitle().toStdString(), "Create a new sundial: location");
    // Page texts break their lines like dialog texts.
    EXPECT_EQ(location.GetDlgItemText(1131), "Which location?\nChoose.");
    auto* note = location.Control<QLabel>(1131);
    EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(100, 100, 180));
    EXPECT_FALSE(note->autoFillBackground());
    // A page without a title of its own keeps its built-in caption.
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(sheet.windowTitle().toStdString(), "Type");

    std::vector<unsigned long> helpIds;
    SetHelpEntry([&](unsigned long data, unsigned command) {
        EXPECT_EQ(command, HELP_CONTEXT);
        helpIds.push_back(data);
    });
    sheet.HelpButton()->click();
    sheet.PressButton(PSBTN_BACK);
    sheet.HelpButton()->click();
    EXPECT_EQ(helpIds, (std::vector<unsigned long>{0x20000 + 205, 0x20000 + 204}));
}

TEST_F(WizardTest, PagesMayDieBeforeTheSheetAndTheSheetBeforeThePages)
{
    auto a = std::make_unique<LoggingPage>(log_, "A", 204);
    LoggingPage b(log_, "B", 205);
    {
        CWizardSheet sheet;
        sheet.AddPage(*a);
        sheet.AddPage(b);
        ASSERT_TRUE(sheet.SetActivePage(1));
        a.reset();
        EXPECT_EQ(sheet.GetPageCount(), 1);
        EXPECT_EQ(sheet.GetPage(0), &b);
    }
    EXPECT_EQ(b.GetParentSheet(), nullptr);
    EXPECT_EQ(b.parent(), nullptr);
}
