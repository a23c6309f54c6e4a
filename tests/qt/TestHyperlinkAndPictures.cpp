// Links opened only where they may go, their colours and cursor; pictures by id and the
// picture control over its placeholder.
#include "DialogTestSupport.h"

#include "app/Translation.h"
#include "app/qt/CBitmapCtrl.h"
#include "app/qt/CHyperlinkCtrl.h"
#include "app/qt/CTopDialog.h"
#include "app/qt/DialogControls.h"
#include "app/qt/Pictures.h"
#include "platform/FakeServices.h"

#include <QEnterEvent>
#include <QFile>
#include <QGridLayout>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace dialogtest;
namespace fs = std::filesystem;

namespace {

constexpr gdi::COLORREF kLink = gdi::RGB(0, 0, 238);
constexpr gdi::COLORREF kVisited = gdi::RGB(85, 26, 139);

class LinkDialog : public CTopDialog {
public:
    LinkDialog() : CTopDialog(4126, "Préférences")
    {
        auto* grid = new QGridLayout;
        grid->addWidget(AddHyperlink(1301, "http://www.example.org/horavel"), 0, 0);
        grid->addWidget(AddHyperlink(1302, ""), 1, 0);
        grid->addWidget(AddHyperlink(1303, "Écrire à l'auteur"), 2, 0);
        grid->addWidget(AddPlaceholder(1078, QSize(200, 100)), 3, 0);
        grid->addWidget(AddStatic(1079, "placeholder"), 4, 0);
        SetDialogLayout(grid, kOk);
    }
    CHyperlinkCtrl* Link(int id) const { return Control<CHyperlinkCtrl>(id); }
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(help_);
        testsupport::WriteFileBytes(help_ / "contents.html", "<html/>");
        testsupport::WriteFileBytes(context_.Dir() / "outside.html", "<html/>");
        SetHelpFolder(help_);
        fake_->SetShellOpenFolders({help_, context_.Dir().path()});
    }
    ScopedDialogContext context_;
    ScopedFakeServices fake_;
    fs::path help_ = context_.Dir() / "Help" / "fr";
};

}  // namespace

TEST_F(LinkTest, TakesItsAddressFromItsTextOrShowsTheAddress)
{
    LinkDialog dialog;
    dialog.Link(1302)->SetURL("mailto:auteur@example.org");
    dialog.Link(1303)->SetURL("https://www.example.org/contact?a=1&b=2");
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.Link(1301)->GetURL(), "http://www.example.org/horavel");
    EXPECT_EQ(dialog.Link(1302)->text().toStdString(), "mailto:auteur@example.org");
    EXPECT_EQ(dialog.Link(1303)->text().toStdString(), "Écrire à l'auteur");
    EXPECT_EQ(dialog.Link(1303)->toolTip().toStdString(), "https://www.example.org/contact?a=1&b=2");
    EXPECT_EQ(dialog.Link(1301)->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(dialog.Link(1301)->font().underline());
    // Sized to its text, not to its column (as wide as the 200-pixel placeholder): a click
    // beside the text is not on the link.
    EXPECT_EQ(dialog.Link(1303)->width(), dialog.Link(1303)->sizeHint().width());
    EXPECT_LT(dialog.Link(1303)->width(), 200);
    EXPECT_EQ(dialog.Link(1303)->x(), dialog.GetDlgItem(1078)->x());

    dialog.Link(1301)->SetUnderline(false);
    EXPECT_FALSE(dialog.Link(1301)->font().underline());
    dialog.Link(1301)->SetLinkCursor(QCursor(Qt::CrossCursor));
    EXPECT_EQ(dialog.Link(1301)->cursor().shape(), Qt::CrossCursor);
    dialog.Link(1301)->SetLinkCursor(std::nullopt);
    EXPECT_EQ(dialog.Link(1301)->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LinkTest, OpensWebAddressesAndHelpPagesAndBecomesVisited)
{
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CHyperlinkCtrl* link = dialog.Link(1301);
    EXPECT_EQ(link->GetTextColour(), kLink);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(fake_->shellOpens.size(), 1u);
    EXPECT_EQ(fake_->shellOpens[0].target, "http://www.example.org/horavel");
    EXPECT_TRUE(link->GetVisited());
    EXPECT_EQ(link->GetTextColour(), kVisited);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(85, 26, 139));

    EXPECT_GT(CHyperlinkCtrl::GotoURL("mailto:auteur@example.org"), 32);
    EXPECT_GT(CHyperlinkCtrl::GotoURL((help_ / "contents.html").string()), 32);
    EXPECT_TRUE(fake_->messageBoxes.empty());
    EXPECT_EQ(fake_->beeps, 0);

    // A help page the desktop cannot open shows in the program's own help window, as the help does.
    fake_->SetDesktopOpensFiles(false);
    EXPECT_GT(CHyperlinkCtrl::GotoURL((help_ / "contents.html").string()), 32);
    EXPECT_EQ(fake_->helpPagesShown, std::vector<fs::path>{help_ / "contents.html"});
}

TEST_F(LinkTest, RefusesTargetsThatAreNoLinkOrHelpPage)
{
    LinkDialog dialog;
    dialog.Link(1303)->SetURL("file:///bin/sh");
    ASSERT_TRUE(dialog.Create());
    dialog.Link(1303)->SetVisited(true);
    QTest::mouseClick(dialog.Link(1303), Qt::LeftButton, {}, QPoint(2, 2));
    // Never handed to the desktop.
    EXPECT_TRUE(fake_->shellOpens.empty());
    EXPECT_FALSE(dialog.Link(1303)->GetVisited());
    EXPECT_EQ(fake_->beeps, 1);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text,
              "Impossible d'ouvrir le lien :\n\nLe système d'exploitation a refusé\nl'accès au fichier indiqué.");
    EXPECT_EQ(fake_->messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);

    // Other programs and files, by any spelling, are refused too.
    const std::string outside = (context_.Dir() / "outside.html").string();
    const std::string escape = (help_ / ".." / ".." / "outside.html").string();
    EXPECT_EQ(CHyperlinkCtrl::GotoURL("/bin/sh"), 5);
    EXPECT_EQ(CHyperlinkCtrl::GotoURL(outside), 5);
    EXPECT_EQ(CHyperlinkCtrl::GotoURL(escape), 5);
    EXPECT_EQ(CHyperlinkCtrl::GotoURL("javascript:alert(1)"), 5);
    EXPECT_EQ(CHyperlinkCtrl::GotoURL("contents.html"), 5);
    EXPECT_EQ(CHyperlinkCtrl::GotoURL((help_ / "missing.html").string()), 2);
    // In the help folder, only its pages: no script or desktop entry that would start a program.
    for (const char* name : {"run.sh", "launch.desktop"}) {
        testsupport::WriteFileBytes(help_ / name, "#!/bin/sh\n");
        EXPECT_EQ(CHyperlinkCtrl::GotoURL((help_ / name).string()), 5) << name;
    }
    EXPECT_EQ(CHyperlinkCtrl::GotoURL(""), 2);
    EXPECT_TRUE(fake_->shellOpens.empty());

    // Without a help folder no local file is a link.
    SetHelpFolder({});
    EXPECT_EQ(CHyperlinkCtrl::GotoURL((help_ / "contents.html").string()), 5);
}

TEST_F(LinkTest, HoverColourWhileTheMouseIsOverTheLink)
{
    LinkDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CHyperlinkCtrl* link = dialog.Link(1301);
    link->SetColours(gdi::RGB(1, 2, 3), gdi::RGB(4, 5, 6), gdi::RGB(7, 8, 9));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->IsHovering());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(7, 8, 9));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsHovering());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    link->SetVisited(true);
    QApplication::sendEvent(link, &enter);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(4, 5, 6));

    // -1 stands for the desktop's highlight colour.
    link->SetColours(kLink, kVisited);
    const QColor highlight = link->palette().color(QPalette::Highlight);
    EXPECT_EQ(link->GetHoverColour(), gdi::RGB(highlight.red(), highlight.green(), highlight.blue()));
}

TEST_F(LinkTest, ErrorMessagesInTheProgramLanguage)
{
    EXPECT_EQ(CHyperlinkCtrl::ErrorText(1234), "Une erreur inconnue (1234) s'est produite.");
    CLanguageFile shipped(testsupport::SourceDir() / "resources" / "data" / "horavel.lang");
    ASSERT_TRUE(shipped.Load());
    context_.UseLanguage(&shipped, 1);
    EXPECT_EQ(CHyperlinkCtrl::ErrorText(1234), "Unknown Error (1234) occurred.");
    EXPECT_EQ(CHyperlinkCtrl::ErrorText(26), "A sharing violation occurred. ");
    EXPECT_EQ(CHyperlinkCtrl::ErrorText(30),
              "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.");
    CHyperlinkCtrl::ReportError(31);
    ASSERT_EQ(fake_->messageBoxes.size(), 1u);
    EXPECT_EQ(fake_->messageBoxes[0].text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
    // Every code of the table has its own text.
    std::set<std::string> texts;
    for (int code : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32})
        texts.insert(CHyperlinkCtrl::ErrorText(code));
    EXPECT_EQ(texts.size(), 13u);
}

namespace {

// 100 x 50 pixels, each a colour of its own.
QImage Pattern()
{
    QImage image(100, 50, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 5, (x * 7 + y * 3) % 256));
    return image;
}

}  // namespace

TEST_F(LinkTest, PictureIsStretchedOverItsPlaceholder)
{
    const fs::path file = context_.Dir() / "pattern.bmp";
    ASSERT_TRUE(Pattern().save(QString::fromStdString(file.string()), "BMP"));
    LinkDialog dialog;
    CBitmapCtrl picture;
    ASSERT_TRUE(picture.CreateFromFile(dialog, 2003, 1078, file, false));
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItem(2003), &picture);
    EXPECT_TRUE(dialog.GetDlgItem(1078)->isHidden());
    EXPECT_EQ(picture.size(), QSize(200, 100));
    EXPECT_FALSE(picture.isEnabled());
    EXPECT_EQ(picture.GetPlaceholderId(), 1078);
    int width = 0, height = 0;
    EXPECT_TRUE(picture.GetBitmapSize(width, height));
    EXPECT_EQ(QSize(width, height), QSize(100, 50));

    const QImage shown = picture.grab().toImage();
    const QImage source = Pattern();
    int wrong = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            wrong += shown.pixel(x, y) != source.pixel(x / 2, y / 2);
    EXPECT_EQ(wrong, 0);
}

TEST_F(LinkTest, PictureFailuresLeaveAnEmptyControl)
{
    LinkDialog dialog;
    CBitmapCtrl noPlace;
    EXPECT_FALSE(noPlace.CreateFromResource(dialog, 2003, 4444, 152, false));
    EXPECT_EQ(noPlace.parent(), nullptr);

    // A static as placeholder, outside any layout.
    QLabel* loose = dialog.Control<QLabel>(1079);
    dialog.layout()->itemAt(0)->layout()->removeWidget(loose);
    loose->setGeometry(10, 20, 30, 40);
    CBitmapCtrl missing;
    EXPECT_FALSE(missing.CreateFromFile(dialog, 2004, 1079, context_.Dir() / "none.bmp", false));
    EXPECT_EQ(missing.parentWidget(), &dialog);
    EXPECT_EQ(missing.geometry(), QRect(10, 20, 30, 40));
    int width = -1, height = -1;
    EXPECT_FALSE(missing.GetBitmapSize(width, height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);

    CBitmapCtrl unknown;
    EXPECT_FALSE(unknown.CreateFromResource(dialog, 2005, 1078, 9999, false));
    EXPECT_EQ(unknown.GetResourceId(), 9999);
    EXPECT_FALSE(unknown.HasBitmap());
}

TEST(Pictures, EveryListedPictureAndToolbarIconLoadsAtItsSize)
{
    const auto rows = [](const fs::path& csv) {
        std::vector<std::vector<std::string>> out;
        std::ifstream in(csv);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::vector<std::string> fields;
            std::stringstream ss(line);
            for (std::string f; fields.size() < 4 && std::getline(ss, f, ',');)
                fields.push_back(f);
            out.push_back(fields);
        }
        return out;
    };
    const fs::path images = testsupport::SourceDir() / "resources" / "images";
    const auto pictures = rows(images / "pictures.csv");
    ASSERT_GE(pictures.size(), 6u);
    for (const auto& row : pictures) {
        const QPixmap pixmap = LoadBitmapResource(std::stoi(row[0]));
        EXPECT_EQ(pixmap.size(), QSize(std::stoi(row[2]), std::stoi(row[3]))) << row[1];
    }
    const auto icons = rows(images / "toolbar" / "index.csv");
    ASSERT_GE(icons.size(), 30u);
    for (const auto& row : icons) {
        const auto x = row[2].find('x');
        const QSize size(std::stoi(row[2].substr(0, x)), std::stoi(row[2].substr(x + 1)));
        EXPECT_EQ(LoadToolbarBitmap(std::stoi(row[1])).size(), size) << row[1];
    }
    EXPECT_EQ(LoadApplicationIcon().size(), QSize(256, 256));
    EXPECT_TRUE(LoadBitmapResource(9999).isNull());  // no such picture
    EXPECT_TRUE(LoadToolbarBitmap(128).isNull());
}

TEST(Pictures, TransparentPicturesTakeTheDialogColours)
{
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(192, 192, 192));
    image.setPixel(2, 0, qRgb(255, 0, 255));
    image.setPixel(3, 0, qRgb(10, 20, 30));
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(1, 1, 1));
    palette.setColor(QPalette::Button, QColor(2, 2, 2));
    const QImage mapped = MapToDialogColours(image, palette);
    EXPECT_EQ(mapped.pixel(0, 0), qRgb(1, 1, 1));
    EXPECT_EQ(mapped.pixel(1, 0), qRgb(2, 2, 2));
    EXPECT_EQ(mapped.pixel(2, 0), qRgb(1, 1, 1));
    EXPECT_EQ(mapped.pixel(3, 0), qRgb(10, 20, 30));
}
