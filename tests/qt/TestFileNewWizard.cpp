// File > New in the program, as a user runs it: the main frame with its view, the wizard
// shown modally, a vertical declining dial chosen through the pages, and the dial at scale
// in the view afterwards; Cancel leaves the emptied document. With HORAVEL_SCREENSHOTS set
// to a folder, the pages and the result are saved there.
#include "DialogTestSupport.h"
#include "MainFrameTestSupport.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "dialogs/qt/CWizardLieu.h"
#include "dialogs/qt/CWizardTypeCadran.h"
#include "dialogs/qt/CWizardTypeCadranPlanAStylePolaire.h"
#include "dialogs/qt/FileNewWizard.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "platform/FakeServices.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numbers>

namespace {

class FileNewTest : public MainFrameTest {
protected:
    std::string LocationsFileText() const override
    {
        return "$VERSION 6\n$NBRECORDS 2\n"
               "BESANÇON DOUBS FRANCE 47 15 N 6 2 E 1 1\n"
               "PARIS ? FRANCE 48 52 N 2 20 E 1 1\n"
               "$END\n";
    }
    void SetUp() override
    {
        MainFrameTest::SetUp();
        InstallFileNewWizard(*app_, *windows_);
    }

    // Runs the wizard modally when File > New asks for it; act drives it once it is shown.
    void WhenTheWizardRuns(std::function<void(CWizardCreationCadran&)> act)
    {
        fake_->SetDialogScript(CWizardCreationCadran::kWizardId, [act](ModalDialog& dialog) {
            auto& wizard = dynamic_cast<CWizardCreationCadran&>(dialog);
            dialogtest::WhenRunning([&wizard, act] { act(wizard); });
            return dialog.RunModalLoop();
        });
    }
    void Shot(QWidget& widget, const char* name)
    {
        QApplication::processEvents();
        const QImage image = widget.grab().toImage();
        EXPECT_FALSE(image.isNull()) << name;
        if (const char* folder = std::getenv("HORAVEL_SCREENSHOTS"))
            image.save(QString::fromUtf8(folder) + "/" + name);
    }
};

void Click(ControlHost& page, int id)
{
    auto* button = page.Control<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

}  // namespace

TEST_F(FileNewTest, TheWizardLeadsToAVerticalDecliningDialDrawnAtScale)
{
    ASSERT_TRUE(app_->InitInstance({}));
    // The command line's File > New during start-up shows no wizard.
    EXPECT_TRUE(fake_->dialogsRun.empty());
    CMainFrame& frame = *windows_->Frame();
    frame.resize(1000, 760);

    WhenTheWizardRuns([this](CWizardCreationCadran& wizard) {
        wizard.resize(760, 420);
        CWizardLieu& location = wizard.LocationPage();
        ASSERT_EQ(wizard.GetActivePage(), &location);
        EXPECT_EQ(location.GetSelectedLocation()->name, "BESANÇON");
        Shot(wizard, "wizard-location.png");
        wizard.NextButton()->click();

        ASSERT_EQ(wizard.GetActivePage(), &wizard.TypePage());
        Click(wizard.TypePage(), 1178);
        Shot(wizard, "wizard-type.png");
        wizard.NextButton()->click();

        auto& plane = wizard.PlanePage();
        ASSERT_EQ(wizard.GetActivePage(), &plane);
        Click(plane, 1054);
        Click(plane, 1072);
        plane.Control<QLineEdit>(1031)->setText("30");
        plane.Control<QLineEdit>(1033)->setText("15");
        Shot(wizard, "wizard-plane.png");
        wizard.FinishButton()->click();
    });
    ASSERT_TRUE(app_->Commands().Execute(57600));
    ASSERT_EQ(fake_->dialogsRun, std::vector<int>{CWizardCreationCadran::kWizardId});

    const CHoravelDoc& doc = *GetDocument();
    const CCadran* dial = doc.GetDial();
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->typeCode, 5);
    EXPECT_NEAR(dial->planeAngle1, 30.25 * std::numbers::pi / 180.0, 1e-12);
    EXPECT_EQ(dial->tablesValid, 1);
    // The view's defaults: 160 x 180 mm, style 25 mm.
    EXPECT_EQ(dial->width, 160);
    EXPECT_EQ(dial->height, 180);
    EXPECT_EQ(dial->styleHeight, 25);
    EXPECT_EQ(GetView()->GetDisplayMode(), CHoravelView::kScaleDrawing);
    EXPECT_EQ(doc.GetTitle(), "BESANÇON-Cadran solaire déclinant (alpha = 30° 15' Ouest)");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(frame.windowTitle().startsWith(QString::fromUtf8("BESANÇON-Cadran solaire déclinant")));

    // The view draws it: black hour lines over the page.
    QWidget* view = frame.centralWidget();
    ASSERT_NE(view, nullptr);
    Shot(frame, "wizard-result.png");
    const QImage drawn = view->grab().toImage();
    int black = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            black += drawn.pixelColor(x, y) == Qt::black;
    EXPECT_GT(black, 200);
}

TEST_F(FileNewTest, CancelLeavesTheEmptiedDocument)
{
    ASSERT_TRUE(app_->InitInstance({}));
    WhenTheWizardRuns([](CWizardCreationCadran& wizard) {
        wizard.NextButton()->click();
        Click(wizard.TypePage(), 1177);
        wizard.NextButton()->click();
        wizard.FinishButton()->click();  // a bifilar dial...
    });
    ASSERT_TRUE(app_->Commands().Execute(57600));
    ASSERT_NE(GetDocument()->GetDial(), nullptr);
    EXPECT_EQ(GetDocument()->GetDial()->typeCode, 40);

    // ...then File > New again, cancelled on the family page: the framework emptied the
    // document before the wizard ran, and it stays empty.
    GetDocument()->SetModifiedFlag(false);
    WhenTheWizardRuns([](CWizardCreationCadran& wizard) {
        wizard.NextButton()->click();
        wizard.CancelButton()->click();
    });
    ASSERT_TRUE(app_->Commands().Execute(57600));
    EXPECT_EQ(GetDocument()->GetDial(), nullptr);
    EXPECT_FALSE(GetDocument()->IsModified());
    EXPECT_EQ(fake_->dialogsRun.size(), 2u);
}
