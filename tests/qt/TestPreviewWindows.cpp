// The preview windows, the colour swatch and the 3D view dialog as dialogs place them: over
// a placeholder, inert to the mouse, painting what their owner set.
#include "app/qt/CTopDialog.h"
#include "app/qt/DialogControls.h"
#include "dialogs/qt/C3DViewWnd.h"
#include "dialogs/qt/CColorSwatch.h"
#include "dialogs/qt/CHorizonMaskPreview.h"
#include "dialogs/qt/COrientationPreview.h"
#include "dialogs/qt/CPositionPreview.h"
#include "dialogs/qt/CVue3DDlg.h"
#include "docview/CHorizonPoint.h"
#include "platform/FakeServices.h"

#include <QImage>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A dialog with two placeholders, as the dialogs that show previews have.
class HostDialog : public CTopDialog {
public:
    HostDialog() : CTopDialog(-1, "", nullptr)
    {
        auto* body = new QVBoxLayout;
        body->addWidget(AddPlaceholder(1262, QSize(200, 160)));
        body->addWidget(AddPlaceholder(1263, QSize(40, 20)));
        SetDialogLayout(body, kOk);
    }
};

bool IsDark(const QColor& c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

TEST(PreviewWindows, PlacedOverTheirPlaceholderAndInertToTheMouse)
{
    ScopedFakeServices services;
    HostDialog host;
    COrientationPreview preview;
    ASSERT_TRUE(preview.CreateOverPlaceholder(host, 1262, 2001));
    EXPECT_FALSE(preview.CreateOverPlaceholder(host, 9999, 2002));
    ASSERT_TRUE(host.Create());
    EXPECT_EQ(host.GetDlgItem(2001), &preview);
    EXPECT_EQ(preview.size(), QSize(200, 160));
    EXPECT_FALSE(preview.isEnabled());
    EXPECT_TRUE(preview.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(preview.isVisible());
    EXPECT_FALSE(host.GetDlgItem(1262)->isVisible());

    // Created by rectangle instead.
    CPositionPreview free;
    EXPECT_FALSE(free.Create(QRect(0, 0, 50, 50), nullptr, 2003));
    ASSERT_TRUE(free.Create(QRect(10, 20, 100, 80), &host, 2003));
    EXPECT_EQ(free.geometry(), QRect(10, 20, 100, 80));
    EXPECT_EQ(host.GetDlgItem(2003), &free);
}

TEST(PreviewWindows, TheOrientationPreviewPaintsTheWallAtItsAngle)
{
    ScopedFakeServices services;
    HostDialog host;
    COrientationPreview preview;
    ASSERT_TRUE(preview.CreateOverPlaceholder(host, 1262, 2001));
    ASSERT_TRUE(host.Create());
    // R = 65 around (100, 80): the wall runs from x = 35 to 165.
    QImage shot = preview.grab().toImage();
    EXPECT_TRUE(IsDark(shot.pixelColor(150, 80)));
    EXPECT_FALSE(IsDark(shot.pixelColor(100, 30)));
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 255, 255));
    EXPECT_TRUE(IsDark(shot.pixelColor(0, 50)));

    preview.SetAngle(90.0);
    EXPECT_EQ(preview.m_angle, 90.0);
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        preview.grab().save(QString::fromUtf8(out) + "/orientation-preview.png");
    shot = preview.grab().toImage();
    EXPECT_TRUE(IsDark(shot.pixelColor(100, 30)));
    EXPECT_FALSE(IsDark(shot.pixelColor(150, 80)));
}

TEST(PreviewWindows, HorizonMaskAndSwatchPaintTheirValues)
{
    ScopedFakeServices services;
    HostDialog host;
    CHorizonMaskPreview mask;
    ASSERT_TRUE(mask.CreateOverPlaceholder(host, 1262, 2001));
    CColorSwatch swatch;
    ASSERT_TRUE(swatch.Create(host, 2004, 1263, gdi::RGB(200, 30, 40)));
    EXPECT_EQ(swatch.m_placeholderId, 1263);
    EXPECT_FALSE(swatch.isEnabled());
    EXPECT_FALSE(CColorSwatch().Create(host, 2005, 4242, 0));
    ASSERT_TRUE(host.Create());

    // The grey polygon covers the lower half once the points are given.
    EXPECT_NE(mask.grab().toImage().pixelColor(60, 150), QColor(128, 128, 128));
    const std::vector<CHorizonPoint> points{{-180, 0}, {-180, 60}, {180, 60}, {180, 0}};
    mask.m_points = &points;
    mask.update();
    EXPECT_EQ(mask.grab().toImage().pixelColor(60, 150), QColor(128, 128, 128));

    QImage shot = swatch.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 10), QColor(200, 30, 40));
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(shot.pixelColor(39, 19), QColor(0, 0, 0));
    swatch.m_color = gdi::RGB(10, 220, 30);
    shot = swatch.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 10), QColor(10, 220, 30));
}

TEST(ThreeDViewDialog, HoldsOneViewOverItsPlaceholder)
{
    ScopedFakeServices services;
    CVue3DDlg dialog;
    EXPECT_EQ(dialog.GetView(), nullptr);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetTitle(), "Vue 3D du cadran");
    C3DViewWnd* view = dialog.GetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dialog.GetDlgItem(CVue3DDlg::kViewId), view);
    EXPECT_NE(dialog.GetDlgItem(1351), nullptr);
    EXPECT_NE(dialog.GetDlgItem(1352), nullptr);
    EXPECT_EQ(view->m_view.declination, 0.0);
    const QImage shot = view->grab().toImage();
    EXPECT_EQ(shot.pixelColor(view->width() / 2, view->height() / 2), QColor(255, 255, 255));
    if (const char* out = std::getenv("HORAVEL_SCREENSHOTS"))
        dialog.grab().save(QString::fromUtf8(out) + "/view-3d.png");

    // Opening again keeps the same view.
    dialog.OnOK();
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetView(), view);
}

}  // namespace
