#include "app/qt/CMainFrame.h"

#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/CLanguageFile.h"
#include "app/FramePrompts.h"
#include "app/HelpEntry.h"
#include "app/Languages.h"
#include "app/MainMenu.h"
#include "app/Translation.h"
#include "app/UpdateSchedule.h"
#include "app/qt/CMainStatusBar.h"
#include "app/qt/Pictures.h"
#include "dialogs/qt/CDlgAPropos.h"
#include "platform/Profile.h"
#include "platform/Services.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QToolBar>
#include <QTranslator>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

Qt::ToolBarArea AreaOf(DockSide side)
{
    switch (side) {
    case DockSide::Bottom: return Qt::BottomToolBarArea;
    case DockSide::Left: return Qt::LeftToolBarArea;
    case DockSide::Right: return Qt::RightToolBarArea;
    default: return Qt::TopToolBarArea;
    }
}

gdi::Rect ToRect(const QRect& r) { return gdi::Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Where windows may go: the screen under the point, else the primary one.
gdi::Rect ScreenArea(QPoint at)
{
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? ToRect(screen->availableGeometry()) : gdi::Rect{};
}

// The title of a bar: the tooltip of its menu command, or its own string.
std::string ToolBarTitle(int index)
{
    const ToolBarInfo& info = MainToolBars()[static_cast<size_t>(index)];
    return info.toggleCommand ? ToolTipText(info.toggleCommand) : GetTranslatedString(228);
}

// A floating bar's own small window.
class ToolBarHolder : public QWidget {
public:
    ToolBarHolder(QToolBar* bar, QWidget* owner) : QWidget(owner, Qt::Tool)
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(bar);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }
};

}  // namespace

CMainFrame::CMainFrame(CHoravelApp& app)
    : app_(app),
      router_([this] {
          std::vector<const CommandTable*> chain = targets_;
          chain.push_back(&commands_);
          chain.push_back(&app_.Commands());
          return chain;
      }),
      binder_(std::make_unique<QtMenuBinder>(router_))
{
    GetAppContext().mainFrame = this;
    ReadLanguageSettings(program_, fallback_, help_);

    // The window's place, brought back onto the screen when it would open off it.
    const gdi::Rect screen = ScreenArea(QPoint(0, 0));
    const WindowPlacement placement = ReadWindowPlacement(screen.Width(), screen.Height());
    const gdi::Rect rect = FitOnScreen({placement.x, placement.y, placement.x + placement.cx, placement.y + placement.cy},
                                       ScreenArea(QPoint(placement.x, placement.y)));
    move(rect.left, rect.top);
    resize(std::max(rect.Width(), 200), std::max(rect.Height(), 150));
    for (int i = 0; i < kToolBarCount; ++i)
        wanted_[static_cast<size_t>(i)] = ReadToolBarVisible(i);

    setWindowIcon(QIcon(LoadApplicationIcon()));
    InstallCommands();
    binder_->SetPromptCallback([this](int id) { ShowPrompt(id); });
    binder_->SetPopupCallback([this](QMenu& menu, int index) { OnMenuAboutToShow(menu, index); });

    auto* placeholder = new QWidget(this);
    placeholder->setBackgroundRole(QPalette::Dark);
    placeholder->setAutoFillBackground(true);
    setCentralWidget(placeholder);

    statusBar_ = new CMainStatusBar(this);
    setStatusBar(statusBar_);
    BuildMenu();
    BuildToolBars();
    UpdateTitle();
}

CMainFrame::~CMainFrame()
{
    Profile& profile = GetProfile();
    profile.WriteInt("Options\\General", "Langage", std::max(program_, 0));
    profile.WriteInt("Options\\General", "DefaultLangage", std::max(fallback_, 0));
    profile.WriteInt("Options\\General", "Langage Aide", std::max(help_, 0));
    AppContext& context = GetAppContext();
    if (context.mainFrame == this) {
        context.mainFrame = nullptr;
        context.programLanguage = 0;
        context.fallbackLanguage = 0;
    }
    splash_.reset();
    if (qtTranslator_)
        QCoreApplication::removeTranslator(qtTranslator_.get());
    // The menus' actions go before the binder that watches them.
    menuBar()->clear();
}

// ---------------------------------------------------------------------------------------
// Commands, menu and prompts

void CMainFrame::InstallCommands()
{
    for (int i = 0; i < kEphemeridesBar; ++i) {
        const int id = MainToolBars()[static_cast<size_t>(i)].toggleCommand;
        commands_.OnCommand(id, [this, i] { ShowToolBar(i, !wanted_[static_cast<size_t>(i)]); });
        commands_.OnUpdate(id, [this, i](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(wanted_[static_cast<size_t>(i)] ? 1 : 0);
        });
    }
    commands_.OnCommand(57665, [this] { close(); });
}

void CMainFrame::SetLanguageDialog(std::function<bool(int&, int&, int&)> dialog)
{
    languageDialog_ = std::move(dialog);
    commands_.OnCommand(32968, [this] {
        int program = program_;
        int fallback = fallback_;
        int help = help_;
        if (languageDialog_ && languageDialog_(program, fallback, help))
            ApplyLanguagePreferences(program, fallback, help);
    });
}

void CMainFrame::AddCommandTarget(const CommandTable* table) { targets_.push_back(table); }

void CMainFrame::RemoveCommandTarget(const CommandTable* table) { std::erase(targets_, table); }

void CMainFrame::BuildMenu()
{
    MenuModel menu = BuildMainMenu();
    if (const CLanguageFile* file = GetLanguageFile())
        file->TranslateMenu(&menu);
    ExpandRecentFileItems(menu, app_.GetDocTemplate().RecentFiles().GetSize());
    binder_->BuildMenuBar(*menuBar(), menu);
}

void CMainFrame::OnMenuAboutToShow(QMenu& menu, int index)
{
    if (index != kFileMenu)
        return;
    // One item per recent file; the first stays (disabled) when the list is empty.
    const int count = app_.GetDocTemplate().RecentFiles().GetCount();
    for (QAction* action : menu.actions()) {
        if (!action->data().isValid())
            continue;
        const int slot = action->data().toInt() - CRecentFileList::kFirstCommandId;
        if (slot >= 1 && slot < app_.GetDocTemplate().RecentFiles().GetSize())
            action->setVisible(slot < count);
    }
}

void CMainFrame::ShowPrompt(int id)
{
    if (id == 0)
        statusBar_->ShowIdle();
    else
        statusBar_->SetText(CommandPrompt(id));
}

// ---------------------------------------------------------------------------------------
// Languages

void CMainFrame::SetLanguage(int program, int fallback, int help)
{
    program_ = program;
    fallback_ = fallback;
    help_ = help;
    const CLanguageFile* file = GetLanguageFile();
    if (file && !file->SetThreadLanguage(program_)) {
        program_ = 1;
        file->SetThreadLanguage(program_);
    }
    AppContext& context = GetAppContext();
    context.programLanguage = program_;
    context.fallbackLanguage = fallback_;
    InstallQtTranslations();
    BuildMenu();
    RetranslateToolBars();
    statusBar_->Retranslate();
    UpdateTitle();
    // Links in dialogs may open the pages of the help language only.
    SetHelpFolder(app_.GetHelpFolder());
    update();
}

void CMainFrame::InstallQtTranslations()
{
    // Qt's own windows and buttons (file choosers, print dialogs, Yes/No) in the program
    // language; English needs none.
    if (qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    const QString code = QString::fromStdString(LanguageIsoCode(program_));
    if (code == QLatin1String("en"))
        return;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        qtTranslator_ = std::move(translator);
}

void CMainFrame::ApplyLanguagePreferences(int program, int fallback, int help)
{
    SetLanguage(program, fallback, help);
    if (program == 5 || program == 6 || program > 7)
        TranslatedMessageBox(116, MB_ICONINFORMATION);
    if (QWidget* view = centralWidget())
        view->update();
}

// ---------------------------------------------------------------------------------------
// Toolbars

void CMainFrame::BuildToolBars()
{
    for (int i = 0; i < kToolBarCount; ++i) {
        const ToolBarInfo& info = MainToolBars()[static_cast<size_t>(i)];
        auto* bar = new QToolBar(this);
        bar->setIconSize(QSize(info.buttonWidth, info.buttonHeight));
        std::vector<QtToolButton> buttons;
        for (int id : info.buttons) {
            QtToolButton button;
            button.id = id;
            if (id != 0) {
                button.icon = QIcon(LoadToolbarBitmap(id));
                button.toolTip = Utf8(ToolTipText(id));
            }
            buttons.push_back(button);
        }
        binder_->BuildToolBar(*bar, buttons);
        bars_[static_cast<size_t>(i)].bar = bar;
        if (i == kEphemeridesBar) {
            // It only floats.
            bar->setAllowedAreas(Qt::NoToolBarArea);
            bar->setMovable(false);
        }
    }
    RetranslateToolBars();
    RestoreToolBars();
    for (int i = 0; i < kToolBarCount; ++i) {
        const bool show = i != kEphemeridesBar && wanted_[static_cast<size_t>(i)];
        Bar& b = bars_[static_cast<size_t>(i)];
        if (b.window)
            b.window->hide();  // shown with the frame
        else
            b.bar->setVisible(show);
    }
}

void CMainFrame::RetranslateToolBars()
{
    for (int i = 0; i < kToolBarCount; ++i) {
        Bar& b = bars_[static_cast<size_t>(i)];
        if (!b.bar)
            continue;
        const QString title = Utf8(ToolBarTitle(i));
        b.bar->setWindowTitle(title);
        if (b.window)
            b.window->setWindowTitle(title);
        for (QAction* action : b.bar->actions()) {
            if (!action->data().isValid())
                continue;
            const QString tip = Utf8(ToolTipText(action->data().toInt()));
            action->setText(tip);
            action->setToolTip(tip);
        }
    }
}

void CMainFrame::RestoreToolBars()
{
    struct Docked {
        Qt::ToolBarArea area;
        int line;  // bars on one line share it; bars without a saved place come last, one line each
        int position;
        int index;
    };
    std::vector<Docked> docked;
    int unplaced = INT_MAX - kToolBarCount;
    for (int i = 0; i < kToolBarCount; ++i) {
        const ToolBarInfo& info = MainToolBars()[static_cast<size_t>(i)];
        const ToolBarSavedState saved = ReadToolBarState(info.section);
        const ToolBarPlacement placement = DecideToolBarPlacement(saved, info.defaultSide, width(), height());
        if (placement.side == DockSide::Floating) {
            FloatToolBar(i, placement.rect, placement.vertical);
            continue;
        }
        const bool across = placement.side == DockSide::Top || placement.side == DockSide::Bottom;
        Docked d{AreaOf(placement.side), unplaced++, 0, i};
        if (placement.atSavedRect) {
            d.line = across ? placement.rect.top : placement.rect.left;
            d.position = across ? placement.rect.left : placement.rect.top;
        }
        docked.push_back(d);
    }
    std::sort(docked.begin(), docked.end(), [](const Docked& a, const Docked& b) {
        return std::tie(a.area, a.line, a.position, a.index) < std::tie(b.area, b.line, b.position, b.index);
    });
    for (size_t k = 0; k < docked.size(); ++k) {
        const Docked& d = docked[k];
        if (k > 0 && docked[k - 1].area == d.area && docked[k - 1].line != d.line)
            addToolBarBreak(d.area);
        QToolBar* bar = bars_[static_cast<size_t>(d.index)].bar;
        bar->setOrientation(d.area == Qt::LeftToolBarArea || d.area == Qt::RightToolBarArea ? Qt::Vertical
                                                                                            : Qt::Horizontal);
        addToolBar(d.area, bar);
    }
}

void CMainFrame::FloatToolBar(int index, const gdi::Rect& rect, bool vertical)
{
    Bar& b = bars_[static_cast<size_t>(index)];
    b.bar->setMovable(false);
    b.bar->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    b.window = std::make_unique<ToolBarHolder>(b.bar, this);
    b.window->setWindowTitle(b.bar->windowTitle());
    b.bar->show();
    b.window->adjustSize();
    const QSize size = b.window->sizeHint();
    const gdi::Rect placed = FitOnScreen({rect.left, rect.top, rect.left + size.width(), rect.top + size.height()},
                                         ScreenArea(QPoint(rect.left, rect.top)));
    b.window->move(placed.left, placed.top);
}

QToolBar& CMainFrame::ToolBar(int index) const { return *bars_.at(static_cast<size_t>(index)).bar; }

QWidget* CMainFrame::ToolBarWindow(int index) const { return bars_.at(static_cast<size_t>(index)).window.get(); }

bool CMainFrame::IsToolBarFloating(int index) const
{
    const Bar& b = bars_.at(static_cast<size_t>(index));
    return b.window != nullptr || b.bar->isFloating();
}

void CMainFrame::ShowToolBar(int index, bool show)
{
    wanted_[static_cast<size_t>(index)] = show;
    Bar& b = bars_[static_cast<size_t>(index)];
    if (b.window)
        b.window->setVisible(show && !previewing_);
    else
        b.bar->setVisible(show && !previewing_);
}

void CMainFrame::ToggleEphemerisToolBar() { ShowToolBar(kEphemeridesBar, !wanted_[kEphemeridesBar]); }

void CMainFrame::OnSetPreviewMode(bool preview)
{
    previewing_ = preview;
    for (int i = 0; i < kToolBarCount; ++i)
        ShowToolBar(i, wanted_[static_cast<size_t>(i)]);
}

void CMainFrame::SaveToolBarStates()
{
    for (int i = 0; i < kEphemeridesBar; ++i)
        WriteToolBarVisible(i, wanted_[static_cast<size_t>(i)]);
    for (int i = 0; i < kToolBarCount; ++i) {
        if (i != kEphemeridesBar && !wanted_[static_cast<size_t>(i)])
            continue;
        const Bar& b = bars_[static_cast<size_t>(i)];
        QRect rect;
        if (b.window)
            rect = QRect(b.window->pos(), b.window->size());
        else if (b.bar->isFloating())
            rect = QRect(b.bar->pos(), b.bar->size());
        else
            rect = QRect(b.bar->mapToGlobal(QPoint(0, 0)), b.bar->size());
        WriteToolBarState(MainToolBars()[static_cast<size_t>(i)].section, ToRect(rect), IsToolBarFloating(i));
    }
}

// ---------------------------------------------------------------------------------------
// Window

void CMainFrame::ShowFrame(bool maximised)
{
    if (maximised)
        showMaximized();
    else
        show();
    for (int i = 0; i < kToolBarCount; ++i)
        if (bars_[static_cast<size_t>(i)].window)
            ShowToolBar(i, wanted_[static_cast<size_t>(i)] && i != kEphemeridesBar);
    // The splash was shown first: it stays in front until it closes.
    if (splash_)
        splash_->raise();
}

void CMainFrame::SavePlacement()
{
    if (isMinimized())
        return;
    // A maximised window keeps the place it comes back to.
    const QRect normal = isMaximized() ? normalGeometry() : QRect(pos(), size());
    WriteWindowPlacement({normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()});
}

void CMainFrame::ShowSplash(const std::string& versionText)
{
    // The language file is loaded by now: the first window and everything after it speak
    // the program language.
    SetLanguage(program_, fallback_, help_);
    splash_ = std::make_unique<CDlgAPropos>(this);
    splash_->SetSplashMode(true);
    splash_->SetVersion(versionText);
    splash_->CreateModeless();
    SetTimer(kSplashTimer, kSplashDelayMs);
}

void CMainFrame::OnTimer(int id)
{
    switch (id) {
    case kSplashTimer:
        if (splash_) {
            splash_->hide();
            splash_.reset();
        }
        KillTimer(kSplashTimer);
        if (app_.GetStartupOption())
            app_.ShowStartupScreenIfWanted();
        if (updateCheck_)
            ScheduleUpdateCheck(*this);
        break;
    case kUpdateCheckTimer:
        KillTimer(kUpdateCheckTimer);
        if (updateCheck_)
            updateCheck_(0);
        break;
    default:
        break;
    }
}

void CMainFrame::UpdateTitle() { setWindowTitle(Utf8(app_.GetDocTemplate().FrameTitle())); }

void CMainFrame::SetView(QWidget* view)
{
    setCentralWidget(view);  // the placeholder goes
}

void CMainFrame::SetGroupBoxFont(const QFont& font)
{
    if (!groupBoxFont_)
        groupBoxFont_ = font;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    CSingleDocTemplate& docs = app_.GetDocTemplate();
    if (!docs.SaveModified()) {
        event->ignore();
        return;
    }
    // The document's close saves the bars, then the window its place; the view and the
    // document save their own settings as they go.
    SaveToolBarStates();
    docs.CloseDocument();
    SavePlacement();
    KillTimer(kSplashTimer);
    KillTimer(kUpdateCheckTimer);
    splash_.reset();
    for (Bar& b : bars_)
        if (b.window)
            b.window->hide();
    delete takeCentralWidget();
    docs.DestroyDocument();
    GetAppContext().document = nullptr;
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    if (OpenDroppedFiles(event->mimeData()->urls()))
        event->acceptProposedAction();
}

bool CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QByteArray file = url.toLocalFile().toUtf8();
        app_.GetDocTemplate().OpenDocumentFile(std::filesystem::path(file.toStdString()));
        return true;
    }
    return false;
}
