#include "dialogs/qt/CDlgAPropos.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/GraphicsHelpers.h"
#include "app/HelpPages.h"
#include "app/Translation.h"
#include "app/qt/CMainFrame.h"
#include "dialogs/qt/DialogTexts.h"
#include "platform/qt/QtDC.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 312;
constexpr int kLineTop = 268;
constexpr int kButtonTop = 278;
constexpr int kPictureSize = 112;
constexpr int kPictureTop = 54;

// Texts of the program itself, not translated.
constexpr const char* kTitle = "Horavel";
constexpr const char* kCopyright = "\xC2\xA9 Orlune Software";

}  // namespace

CDlgAPropos::CDlgAPropos(QWidget* parent) : QDialog(parent)
{
    setFixedSize(kWidth, kHeight);
    picture_ = new QLabel(this);
    picture_->setProperty("controlId", kPictureId);
    picture_->setGeometry((kWidth - kPictureSize) / 2, kPictureTop, kPictureSize, kPictureSize);
    picture_->setPixmap(QPixmap(QStringLiteral(":/images/horavel_256.png"))
                            .scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    buttonsLine_ = new QWidget(this);
    buttonsLine_->setProperty("controlId", kButtonsLineId);
    buttonsLine_->setGeometry(12, kLineTop, kWidth - 24, 1);
    buttonsLine_->setStyleSheet(QStringLiteral("background: rgb(150, 170, 185);"));

    ok_ = AddButton(IDOK, "OK", kWidth - 112, 100);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton(1304, "Site Web Horavel...", 12, 160), &QPushButton::clicked, this, [this] { OnWebSite(); });
    connect(AddButton(1305, "Remerciements...", 180, 140), &QPushButton::clicked, this, [this] { OnCredits(); });
    setWindowTitle(DialogText(kTemplateId, kTemplateId, "A propos de Horavel"));
}

CDlgAPropos::~CDlgAPropos() = default;

QPushButton* CDlgAPropos::AddButton(int id, const char* text, int x, int width)
{
    auto* button = new QPushButton(DialogText(kTemplateId, id, text), this);
    button->setProperty("controlId", id);
    button->setGeometry(x, kButtonTop, width, 26);
    button->setAutoDefault(false);
    return button;
}

void CDlgAPropos::CreateModeless()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    OnInitDialog();
    if (parentWidget()) {
        const QRect owner = parentWidget()->geometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

int CDlgAPropos::RunModalLoop()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CDlgAPropos::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
}

void CDlgAPropos::OnInitDialog()
{
    if (initialised_)
        return;
    initialised_ = true;
    // The dialogs' group titles take a bold copy of this box's button font.
    if (CMainFrame* frame = GetMainFrame()) {
        QFont bold = ok_->font();
        bold.setWeight(QFont::Bold);
        frame->SetGroupBoxFont(bold);
    }
    if (splash_) {
        for (QPushButton* button : findChildren<QPushButton*>())
            button->hide();
        buttonsLine_->hide();
        setFixedSize(kWidth, kLineTop);
    } else {
        buttonsLine_->hide();
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

void CDlgAPropos::OnWebSite() { GetServices().ShellOpen(CHoravelApp::kMakerWebSite); }

void CDlgAPropos::OnCredits()
{
    if (CHoravelApp* app = GetApp())
        app->WinHelp(kHelpIdBase + 32974, HELP_CONTEXT);
}
