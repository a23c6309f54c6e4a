// The dialog base: translation, colours, the Japanese font, Help, field exchange and the
// life of a modal and a modeless dialog.
#include "DialogTestSupport.h"

#include "app/qt/CTopDialog.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "platform/FakeServices.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace dialogtest;

namespace {

// A dialog as the program declares them.
class SampleDialog : public CTopDialog {
public:
    explicit SampleDialog(int templateId = 184) : CTopDialog(templateId, "Ancien titre")
    {
        auto* grid = new QGridLayout;
        grid->addWidget(AddStatic(1130, "Ancienne note"), 0, 0, 1, 3);
        grid->addWidget(AddStatic(1133, "Sans traduction"), 1, 0, 1, 3);
        grid->addWidget(AddEdit(1031), 2, 0);
        grid->addWidget(AddEdit(1032), 2, 1);
        grid->addWidget(AddCheck(1206, "Méridienne"), 2, 2);
        auto* group = AddGroupBox(1131, "Côté");
        auto* sides = new QGridLayout(group);
        sides->addWidget(AddRadio(1050, "&Est", kNewGroup), 0, 0);
        sides->addWidget(AddRadio(1072, "&Ouest"), 0, 1);
        // A second group in the same box: groups are kept apart by their declaration.
        sides->addWidget(AddRadio(1049, "Méridional", kNewGroup), 1, 0);
        sides->addWidget(AddRadio(1051, "Occidental"), 1, 1);
        sides->addWidget(AddRadio(1052, "Oriental"), 1, 2);
        grid->addWidget(group, 3, 0, 1, 3);
        grid->addWidget(AddStatic(1140, ""), 5, 0);
        SetDialogLayout(grid);
    }

    int year = 2000;
    double size = 12.5;
    int noon = 0;
    int side = 0;
    int vertical = -1;
    std::string note;
    int initCount = 0;

protected:
    void OnInitDialog() override
    {
        ++initCount;
        CTopDialog::OnInitDialog();
    }
    void DoDataExchange(DataExchange& dx) override
    {
        dx.Text(1031, year);
        dx.Range(year, 1950, 2100);
        dx.Text(1032, size);
        dx.Range(size, 0.5, 100.0);
        dx.Check(1206, noon);
        dx.Radio(1050, side);
        dx.Radio(1049, vertical);
        dx.Text(1140, note);
    }
};

std::string Text(const QWidget* w) { return w ? GetControlText(*w) : "<missing>"; }

class DialogBaseTest : public ::testing::Test {
protected:
    ScopedDialogContext context_;
    ScopedFakeServices fake_;
};

}  // namespace

TEST_F(DialogBaseTest, TranslatesTitleAndControlsByTemplateAndControlId)
{
    const auto file = MakeLanguageFile({
        {"DLG", 184, 184, {"Sélection du style des tracés", "Line styles"}},
        {"DLG", 184, 1130, {"Note :\\nles épaisseurs", "Note:\\nthicknesses", "", ""}},
        {"DLG", 184, 1206, {"Méridienne", "Noon mark", "", "Meridiana"}},
        {"DLG", 184, 1140, {"jamais", "never"}},  // an empty control stays empty
        {"DLG", 184, 1050, {"&Est", "&East"}},
        {"DLG", 999, 1130, {"autre dialogue", "other dialog"}},
    });
    ASSERT_TRUE(file);

    // French: the file's texts replace the built-in ones.
    context_.UseLanguage(file.get(), 0);
    {
        SampleDialog dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetTitle(), "Sélection du style des tracés");
        EXPECT_EQ(Text(dialog.GetDlgItem(1130)), "Note :\nles épaisseurs");
        EXPECT_EQ(dialog.Control<QLabel>(1130)->text().toStdString(), "Note :\nles épaisseurs");
        EXPECT_EQ(Text(dialog.GetDlgItem(1133)), "Sans traduction");
        EXPECT_EQ(Text(dialog.GetDlgItem(1031)), "2000");
        EXPECT_EQ(Text(dialog.GetDlgItem(1140)), "");
        dialog.EndDialog(IDCANCEL);
    }
    // English; a radio inside a group box is found too; the mnemonic stays a mnemonic.
    context_.UseLanguage(file.get(), 1);
    {
        SampleDialog dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetTitle(), "Line styles");
        EXPECT_EQ(Text(dialog.GetDlgItem(1130)), "Note:\nthicknesses");
        EXPECT_EQ(Text(dialog.GetDlgItem(1206)), "Noon mark");
        EXPECT_EQ(dialog.Control<QRadioButton>(1050)->text().toStdString(), "&East");
        EXPECT_EQ(Text(dialog.GetDlgItem(1140)), "");
        dialog.EndDialog(IDCANCEL);
    }
    // Spanish: a text of its own where it has one, else the fallback language's.
    context_.UseLanguage(file.get(), 3, 1);
    {
        SampleDialog dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Text(dialog.GetDlgItem(1206)), "Meridiana");
        EXPECT_EQ(Text(dialog.GetDlgItem(1130)), "Note:\nthicknesses");
        EXPECT_EQ(dialog.GetTitle(), "Line styles");
        dialog.EndDialog(IDCANCEL);
    }
    // Without a language file every text stays as built.
    context_.UseLanguage(nullptr, 1);
    {
        SampleDialog dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetTitle(), "Ancien titre");
        EXPECT_EQ(Text(dialog.GetDlgItem(1130)), "Ancienne note");
        dialog.EndDialog(IDCANCEL);
    }
}

TEST_F(DialogBaseTest, StaticsShowMnemonicMarksAsTheDesktopDoes)
{
    SampleDialog dialog;
    dialog.SetDlgItemText(1130, "&Limiter la base && le style");
    EXPECT_EQ(dialog.Control<QLabel>(1130)->text().toStdString(), "Limiter la base & le style");
    EXPECT_EQ(dialog.GetDlgItemText(1130), "&Limiter la base && le style");
    // Label texts are never read as markup.
    dialog.SetDlgItemText(1133, "<b>a</b>");
    EXPECT_EQ(dialog.Control<QLabel>(1133)->textFormat(), Qt::PlainText);
}

TEST_F(DialogBaseTest, ColoursStaticsFromTheColourListLastEntryWinning)
{
    SampleDialog dialog;
    dialog.SetControlColor(1130, kExplanationColor);
    dialog.SetControlColor(1133, gdi::RGB(255, 0, 0));
    dialog.SetControlColor(1133, gdi::RGB(0, 128, 0));
    dialog.SetControlColor(1206, gdi::RGB(255, 0, 0));  // not a static: not coloured
    ASSERT_TRUE(dialog.Create());
    const auto textColour = [&](int id) { return dialog.GetDlgItem(id)->palette().color(QPalette::WindowText); };
    EXPECT_EQ(textColour(1130), QColor(100, 100, 180));
    EXPECT_EQ(textColour(1133), QColor(0, 128, 0));
    EXPECT_NE(textColour(1206), QColor(255, 0, 0));
    EXPECT_EQ(dialog.GetControlColors().size(), 4u);

    // The text is drawn in that colour: its darkest pixels are the colour itself.
    QLabel* label = dialog.Control<QLabel>(1130);
    label->setText("MMMMMMMM");
    label->resize(label->sizeHint());
    const QImage image = label->grab().toImage();
    int closest = 1000;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            closest = std::min(closest, std::abs(c.red() - 100) + std::abs(c.green() - 100) + std::abs(c.blue() - 180));
        }
    EXPECT_LE(closest, 12);
    dialog.EndDialog(IDOK);
}

TEST_F(DialogBaseTest, JapaneseUsesTheFontOfString115AtTenPoints)
{
    const auto file = MakeLanguageFile({{"STR", 115, 0, {"Arial", "Arial", "", "", "", "", "", "", "", "Kochi Gothic"}}});
    ASSERT_TRUE(file);
    context_.UseLanguage(file.get(), 9);
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.font().family(), "Kochi Gothic");
    EXPECT_EQ(dialog.font().pointSize(), 10);
    EXPECT_EQ(dialog.GetDlgItem(1130)->font().family(), "Kochi Gothic");
    dialog.EndDialog(IDOK);

    // Opened again in another language, the dialog has its usual font back.
    context_.UseLanguage(file.get(), 1);
    ASSERT_TRUE(dialog.Create());
    EXPECT_NE(dialog.font().family(), "Kochi Gothic");
    dialog.EndDialog(IDOK);
}

TEST_F(DialogBaseTest, HelpOpensThePageOfTheTemplate)
{
    // The application's entry, as it maps help ids to pages of the help folder.
    const auto& help = context_.Dir();
    testsupport::WriteFileBytes(help / "dlgStyleTraces.html", "<html/>");
    testsupport::WriteFileBytes(help / "contents.html", "<html/>");
    fake_->SetShellOpenFolders({help.path()});
    std::vector<std::pair<unsigned long, unsigned>> calls;
    SetHelpEntry([&](unsigned long data, unsigned command) {
        calls.emplace_back(data, command);
        const char* page = data == 0x20000 + 184 ? "dlgStyleTraces.html" : "contents.html";
        GetServices().ShellOpen((help / page).string());
    });

    SampleDialog styles(184);
    SampleDialog limits(248);
    ASSERT_TRUE(styles.Create());
    ASSERT_TRUE(limits.Create());
    styles.Control<QPushButton>(ID_HELP)->click();
    limits.Control<QPushButton>(ID_HELP)->click();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(0x20000ul + 184, HELP_CONTEXT));
    EXPECT_EQ(calls[1], std::make_pair(0x20000ul + 248, HELP_CONTEXT));
    ASSERT_EQ(fake_->shellOpens.size(), 2u);
    EXPECT_EQ(fake_->shellOpens[0].target, (help / "dlgStyleTraces.html").string());
    EXPECT_EQ(fake_->shellOpens[1].target, (help / "contents.html").string());
    EXPECT_TRUE(fake_->shellOpens[0].opened);
    // Help leaves the dialog open.
    EXPECT_TRUE(styles.IsOpen());

    // A dialog without template asks for help id 0x20000 - 1.
    CTopDialog bare;
    bare.OnHelp();
    EXPECT_EQ(calls.back().first, 0x1FFFFul);
}

TEST_F(DialogBaseTest, ExchangeFillsControlsAndReadsThemBack)
{
    SampleDialog dialog;
    dialog.noon = 1;
    dialog.side = 1;
    dialog.vertical = -1;
    dialog.note = "Taille :\nvaleur";
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItemText(1031), "2000");
    EXPECT_EQ(dialog.GetDlgItemText(1032), "12.5");
    EXPECT_EQ(dialog.IsDlgButtonChecked(1206), 1);
    EXPECT_EQ(dialog.IsDlgButtonChecked(1072), 1);
    EXPECT_EQ(dialog.IsDlgButtonChecked(1050), 0);
    for (int id : {1049, 1051, 1052})
        EXPECT_EQ(dialog.IsDlgButtonChecked(id), 0) << id;
    EXPECT_EQ(dialog.GetDlgItemText(1140), "Taille :\nvaleur");

    dialog.SetDlgItemText(1031, " 1987 ");
    dialog.SetDlgItemText(1032, "1e1");
    dialog.CheckDlgButton(1206, 0);
    dialog.Control<QRadioButton>(1051)->click();
    dialog.Control<QRadioButton>(1050)->click();
    // The two groups are independent: a click in one leaves the other's choice.
    EXPECT_EQ(dialog.IsDlgButtonChecked(1051), 1);
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.GetDialogResult(), IDOK);
    EXPECT_EQ(dialog.year, 1987);
    EXPECT_DOUBLE_EQ(dialog.size, 10.0);
    EXPECT_EQ(dialog.noon, 0);
    EXPECT_EQ(dialog.side, 0);
    EXPECT_EQ(dialog.vertical, 1);
    EXPECT_TRUE(fake_->messageBoxes.empty());

    // Indices count from the button given; -1 and an index past the group check nothing.
    dialog.SetRadioIndex(1049, 2);
    EXPECT_EQ(dialog.GetRadioIndex(1049), 2);
    EXPECT_EQ(dialog.GetRadioIndex(1051), 1);
    dialog.SetRadioIndex(1049, 3);
    EXPECT_EQ(dialog.GetRadioIndex(1049), -1);
}

TEST_F(DialogBaseTest, BadFieldsKeepTheDialogOpenWithAMessage)
{
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create());
    struct Case {
        std::string year;
        std::string size;
        std::string message;
    };
    const Case cases[] = {
        {"12a", "1", "Veuillez entrer un nombre entier."},
        {"", "1", "Veuillez entrer un nombre entier."},
        {"99999999999", "1", "Veuillez entrer un nombre entier."},
        {"2101", "1", "Veuillez entrer un nombre entier compris entre 1950 et 2100."},
        {"1949", "1", "Veuillez entrer un nombre entier compris entre 1950 et 2100."},
        {"2000", "47,25", "Veuillez entrer un nombre."},
        {"2000", "nan", "Veuillez entrer un nombre."},
        {"2000", "0.25", "Veuillez entrer un nombre compris entre 0.5 et 100."},
    };
    for (const Case& c : cases) {
        fake_->messageBoxes.clear();
        dialog.SetDlgItemText(1031, c.year);
        dialog.SetDlgItemText(1032, c.size);
        dialog.OnOK();
        EXPECT_TRUE(dialog.IsOpen()) << c.year << " " << c.size;
        ASSERT_EQ(fake_->messageBoxes.size(), 1u) << c.year << " " << c.size;
        EXPECT_EQ(fake_->messageBoxes[0].text, c.message);
        EXPECT_EQ(fake_->messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);
    }
    // The field in fault is selected for retyping.
    EXPECT_EQ(dialog.Control<QLineEdit>(1032)->selectedText(), "0.25");
    // The bounds themselves are accepted.
    dialog.SetDlgItemText(1031, "2100");
    dialog.SetDlgItemText(1032, "100");
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.year, 2100);
}

TEST(DataExchangeNumbers, ReadAndWriteInTheCFormWhateverTheLocale)
{
    int i = -7;
    EXPECT_TRUE(DataExchange::ParseInt("+42", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(DataExchange::ParseInt("\t-3 ", i));
    EXPECT_EQ(i, -3);
    for (const char* bad : {"", " ", "4 2", "++4", "4.0", "0x10", "2147483648"})
        EXPECT_FALSE(DataExchange::ParseInt(bad, i)) << bad;
    EXPECT_EQ(i, -3);

    double d = 0;
    EXPECT_TRUE(DataExchange::ParseDouble("-0.125", d));
    EXPECT_EQ(d, -0.125);
    EXPECT_TRUE(DataExchange::ParseDouble("+2.5e-3", d));
    EXPECT_EQ(d, 0.0025);
    for (const char* bad : {"", "1,5", "inf", "-nan", "1e999", "1.5.2", "."})
        EXPECT_FALSE(DataExchange::ParseDouble(bad, d)) << bad;

    EXPECT_EQ(DataExchange::FormatDouble(47.25), "47.25");
    EXPECT_EQ(DataExchange::FormatDouble(0.1), "0.1");
    EXPECT_EQ(DataExchange::FormatDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(DataExchange::FormatDouble(-1e20), "-1e+20");
}

namespace {

// Ends itself while it opens, as a dialog does that has nothing to show.
class SelfCancellingDialog : public CTopDialog {
public:
    SelfCancellingDialog() : CTopDialog(173, "Coordonnées") { SetDialogLayout(nullptr); }
    bool shown = false;

protected:
    void OnInitDialog() override
    {
        CTopDialog::OnInitDialog();
        EndDialog(IDCANCEL);
    }
    void showEvent(QShowEvent*) override { shown = true; }
};

}  // namespace

TEST_F(DialogBaseTest, RunsModallyThroughTheDesktopServices)
{
    // A script answers the dialog in tests.
    SampleDialog scripted;
    fake_->SetDialogScript(184, [](ModalDialog& d) {
        dynamic_cast<SampleDialog&>(d).year = 1999;
        return IDOK;
    });
    EXPECT_EQ(scripted.DoModal(), IDOK);
    EXPECT_EQ(scripted.year, 1999);
    EXPECT_EQ(fake_->dialogsRun, std::vector<int>{184});

    // The real modal loop: opened (members to controls, once per run), ended by its buttons.
    SampleDialog dialog;
    WhenRunning([&] {
        EXPECT_TRUE(dialog.isVisible());
        dialog.SetDlgItemText(1031, "1960");
        dialog.Control<QPushButton>(IDOK)->click();
    });
    EXPECT_EQ(dialog.RunModalLoop(), IDOK);
    EXPECT_EQ(dialog.year, 1960);
    EXPECT_FALSE(dialog.isVisible());

    WhenRunning([&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.RunModalLoop(), IDCANCEL);
    EXPECT_EQ(dialog.initCount, 2);

    // Enter presses OK, which refuses a bad field; Cancel still leaves.
    WhenRunning([&] {
        dialog.SetDlgItemText(1031, "3000");
        QTest::keyClick(dialog.Control<QLineEdit>(1031), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(fake_->messageBoxes.size(), 1u);
        dialog.Control<QPushButton>(IDCANCEL)->click();
    });
    EXPECT_EQ(dialog.RunModalLoop(), IDCANCEL);

    // A dialog that ends itself while opening is never shown.
    SelfCancellingDialog self;
    EXPECT_EQ(self.RunModalLoop(), IDCANCEL);
    EXPECT_FALSE(self.shown);
    EXPECT_FALSE(self.Create());
    EXPECT_FALSE(self.shown);
}
