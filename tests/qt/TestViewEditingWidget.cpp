// Editing through the view's window: real mouse and key events on a horizontal dial with a
// text frame move the frame, show the handle cursors and delete it; the window scrolls
// from the keys. Pictures of the drag are written to the build folder as
// editing-before.png and editing-after.png.
#include "model/DialTestDials.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/CObjetTexte.h"
#include "docview/ColorTable.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "platform/FakeServices.h"
#include "platform/Profile.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

class ViewEditingWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetProfile(std::make_unique<MemoryProfile>());
        GetProfile().WriteString("Options\\General", "NomFichierLieux", (dir_ / "none.dbl").string());
        GetAppContext() = AppContext{};
        ResetAstroState();
        ResetColorTable();
        doc_ = std::make_unique<CHoravelDoc>();  // 200 x 280 mm sheets
        GetAppContext().document = doc_.get();
        widget_ = std::make_unique<CHoravelViewWidget>();
        widget_->resize(800, 600);
        widget_->show();

        auto dial = dialtest::MakeDial<dialtest::HorizontalDial>(47.24, -6.02, 1.0, 2024, 0.0, 150, 150, 50, 30);
        dial->tablesValid = 1;
        auto text = std::make_unique<CObjetTexte>();
        text->text = "Horavel";
        text->size = 20;
        text->SetPosition(-100, 60, 60, 110);
        frame_ = text.get();
        dial->frames.push_back(std::move(text));
        doc_->SetDial(std::move(dial));
        widget_->View().RecalcLayout(1);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        widget_.reset();
        doc_.reset();
        GetAppContext() = AppContext{};
        SetProfile(nullptr);
        ResetAstroState();
    }

    // The client point of a frame point (relative to the style anchor), at the scroll.
    QPoint At(int x, int y) const
    {
        const gdi::Point a = doc_->GetDial()->GetAnchorPoint();
        return {a.x + x - widget_->horizontalScrollBar()->value(), a.y + y - widget_->verticalScrollBar()->value()};
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
               Qt::MouseButtons held = Qt::NoButton)
    {
        QWidget* target = widget_->viewport();
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(widget_.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(widget_.get(), &release);
    }

    QImage Grab()
    {
        QApplication::processEvents();
        return widget_->grab().toImage();
    }

    testsupport::TempDir dir_;
    ScopedFakeServices services_;
    std::unique_ptr<CHoravelDoc> doc_;
    std::unique_ptr<CHoravelViewWidget> widget_;
    CObjetTexte* frame_ = nullptr;
};

// Whether a pixel of the image is dark (text or outline).
bool Dark(const QImage& image, QPoint p)
{
    return QColor(image.pixel(p)).lightness() < 128;
}

// Dark pixels inside a rectangle of the client area.
int InkIn(const QImage& image, const QRect& r)
{
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += (image.rect().contains(x, y) && Dark(image, {x, y})) ? 1 : 0;
    return ink;
}

TEST_F(ViewEditingWidgetTest, DraggingTheTextFrameMovesItWhereTheMouseTakesIt)
{
    const QRect before(At(-100, 60), At(59, 109));
    const QRect after(At(-20, 0), At(139, 49));
    const QImage first = Grab();
    EXPECT_GT(InkIn(first, before), 30);  // the text is drawn there

    Mouse(QEvent::MouseMove, At(-20, 85));
    EXPECT_EQ(frame_->active, 1);
    EXPECT_EQ(widget_->viewport()->cursor().shape(), Qt::SizeAllCursor);
    Mouse(QEvent::MouseMove, At(-100, 60));
    EXPECT_EQ(widget_->viewport()->cursor().shape(), Qt::SizeFDiagCursor);

    Mouse(QEvent::MouseMove, At(-20, 85));
    Mouse(QEvent::MouseButtonPress, At(-20, 85), Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        Mouse(QEvent::MouseMove, At(-20 + 20 * step, 85 - 15 * step), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, At(60, 25), Qt::LeftButton);

    EXPECT_EQ(frame_->GetRect(), (gdi::Rect{-20, 0, 140, 50}));
    EXPECT_EQ(frame_->selected, 1);
    EXPECT_TRUE(doc_->IsModified());
    const QImage second = Grab();
    // The text left its place for the new one (the two do not overlap).
    EXPECT_GT(InkIn(second, after), InkIn(first, after) + 30);
    EXPECT_LT(InkIn(second, before), InkIn(first, before) - 30);

    first.save(QString::fromStdString((testsupport::BinDir() / "editing-before.png").string()));
    second.save(QString::fromStdString((testsupport::BinDir() / "editing-after.png").string()));

    // The right-hand edge stretches it.
    Mouse(QEvent::MouseMove, At(140, 25));
    EXPECT_EQ(widget_->viewport()->cursor().shape(), Qt::SizeHorCursor);
    Mouse(QEvent::MouseButtonPress, At(140, 25), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, At(170, 25), Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, At(170, 25), Qt::LeftButton);
    EXPECT_EQ(frame_->GetRect(), (gdi::Rect{-20, 0, 170, 50}));

    // Delete, released while it is active, takes it away.
    Key(Qt::Key_Delete);
    EXPECT_TRUE(doc_->GetDial()->frames.empty());
}

TEST_F(ViewEditingWidgetTest, KeysMoveTheAnchorResizeTheDialAndScroll)
{
    CCadran& dial = *doc_->GetDial();
    Key(Qt::Key_Right, Qt::ControlModifier);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(dial.anchorPercentX, 51);
    EXPECT_EQ(dial.anchorPercentY, 31);

    Key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(dial.width, 157);
    Key(Qt::Key_Minus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dial.styleHeight, 38);

    // The drawing is a sheet high, more than the window: the keys scroll it, once each.
    QScrollBar* bar = widget_->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    Key(Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    Key(Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), bar->pageStep());
    Key(Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->pageStep() + bar->singleStep());
}

}  // namespace
