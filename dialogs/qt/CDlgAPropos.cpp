#include "dialogs/qt/CDlgAPropos.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/GraphicsHelpers.h"
#include "app/HelpPages.h"
#include "app/Translation.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/DialogControls.h"
#include "app/qt/Pictures.h"
#include "platform/qt/QtDC.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 312;
constexpr int kLineTop = 268;  // top of static 1306: the splash ends there
constexpr int kButtonTop = 278;
constexpr int kPictureSize = 112;
constexpr int kPictureTop = 54;

// Texts of the program itself, not translated.
constexpr const char* kTitle = "Horavel";
constexpr const char* kCopyright = "\xC2\xA9 Orlune Software";

}  // namespace

CDlgAPropos::CDlgAPropos(QWidget* parent) : CTopDialog(kTemplateId, "A propos de Horavel", parent)
{
    setFixedSize(kWidth, kHeight);
    // Controls without text: the picture and the line above the buttons.
    picture_ = new QLabel(this);
    SetControlId(*picture_, 1055);
    picture_->setGeometry((kWidth - kPictureSize) / 2, kPictureTop, kPictureSize, kPictureSize);
    picture_->setPixmap(
        LoadApplicationIcon().scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* line = new QLabel(this);
    SetControlId(*line, 1306);
    line->setGeometry(12, kLineTop, kWidth - 24, 1);
    line->setStyleSheet(QStringLiteral("background: rgb(150, 170, 185);"));

    QPushButton* ok = AddButton(IDOK, "OK");
    ok->setGeometry(kWidth - 112, kButtonTop, 100, 26);
    ok->setDefault(true);
    AddButton(1304, "Site Web Horavel...")->setGeometry(12, kButtonTop, 160, 26);
    AddButton(1305, "Remerciements...")->setGeometry(180, kButtonTop, 140, 26);
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(1304, [this] { OnWebSite(); });
    OnClicked(1305, [this] { OnCredits(); });
}

CDlgAPropos::~CDlgAPropos() = default;

bool CDlgAPropos::CreateModeless()
{
    // Above the main window, which is shown after it.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    if (parentWidget())
        move(parentWidget()->geometry().center() - QPoint(kWidth / 2, kLineTop / 2));
    return Create();
}

void CDlgAPropos::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    // The dialogs' group titles take a bold copy of this box's button font (made once).
    if (CMainFrame* frame = GetMainFrame()) {
        QFont bold = GetDlgItem(IDOK)->font();
        bold.setWeight(QFont::Bold);
        frame->SetGroupBoxFont(bold);
    }
    ShowControl(1306, false);
    if (splash_) {
        for (int id : {int{IDOK}, 1304, 1305})
            ShowControl(id, false);
        setFixedSize(kWidth, kLineTop);
    }
}

void CDlgAPropos::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gdi::QtDC dc(painter);
    dc.FillSolidRect({0, 0, width(), height()}, gdi::RGB(208, 224, 232));

    gdi::LogFont big;
    gdi::LogFont medium;
    gdi::LogFont small;
    FillLogFont(32, big, kFontArial, true, 0);
    FillLogFont(18, medium, kFontArial, true, 0);
    FillLogFont(13, small, kFontArial, true, 0);
    const int saved = dc.SaveDC();
    dc.SetBkMode(gdi::TRANSPARENT);
    dc.SetTextColor(gdi::RGB(0, 0, 128));
    dc.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
    const int middle = width() / 2;

    dc.SelectFont(big);
    dc.TextOut(middle, 10, std::string(kTitle) + " " + version_);
    const int y0 = picture_ ? picture_->geometry().top() + picture_->height() + 15 : 250;
    dc.SelectFont(medium);
    dc.TextOut(middle, y0, GetTranslatedString(202));
    dc.SelectFont(small);
    dc.TextOut(middle, y0 + 30, GetTranslatedString(203));
    dc.TextOut(middle, y0 + 48, GetTranslatedString(204));
    dc.TextOut(middle, y0 + 70, kCopyright);
    dc.RestoreDC(saved);
}

void CDlgAPropos::OnWebSite() { OpenAddress(CHoravelApp::kMakerWebSite, CHoravelApp::kMakerWebSite); }

void CDlgAPropos::OnCredits() { CallHelpEntry(kDialogHelpBase + 32974, HELP_CONTEXT); }
