// Makes the pictures of the help pages with the program itself: the whole program runs
// offscreen on a copy of the shipped data, File > New and the menu commands open the dialogs
// and wizard pages that the help pages document, and each one is saved as it opens; a few
// pages of the view (dials, style drawings, tables, tools) are saved through the view's own
// picture copy. French pictures go to <Help>/fr, English ones to <Help>/en and, as long as
// the program has no Italian texts, to <Help>/it.
//
//   cmake --build build/asan --target help_pictures
//   (or: QT_QPA_PLATFORM=offscreen build/asan/bin/horavel_help_pictures resources/data/Help)
#include "app/Accessors.h"
#include "app/CHoravelApp.h"
#include "app/qt/CDialogBase.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/CWizardSheet.h"
#include "app/qt/QtAppWindows.h"
#include "dialogs/qt/CDlgAncrageCadre.h"
#include "dialogs/qt/CDlgAncrageStyle.h"
#include "dialogs/qt/CDlgAnimationOmbre.h"
#include "dialogs/qt/CDlgAnneeReference.h"
#include "dialogs/qt/CDlgArcsDates.h"
#include "dialogs/qt/CDlgArcsDiurnes.h"
#include "dialogs/qt/CDlgBaseLieux.h"
#include "dialogs/qt/CDlgCadreTexte.h"
#include "dialogs/qt/CDlgCarte.h"
#include "dialogs/qt/CDlgCheckVersion.h"
#include "dialogs/qt/CDlgConversionDecimale.h"
#include "dialogs/qt/CDlgCourbeEquation.h"
#include "dialogs/qt/CDlgDateEphemerides.h"
#include "dialogs/qt/CDlgDemarrage.h"
#include "dialogs/qt/CDlgDimensions.h"
#include "dialogs/qt/CDlgDimensionsAnalemmatique.h"
#include "dialogs/qt/CDlgDimensionsCylindre.h"
#include "dialogs/qt/CDlgHorloge.h"
#include "dialogs/qt/CDlgIndications.h"
#include "dialogs/qt/CDlgMasqueHorizon.h"
#include "dialogs/qt/CDlgNewVersion.h"
#include "dialogs/qt/CDlgNouveauLieu.h"
#include "dialogs/qt/CDlgPreferencesGenerales.h"
#include "dialogs/qt/CDlgPreferencesLangue.h"
#include "dialogs/qt/CDlgRechercheAide.h"
#include "dialogs/qt/CDlgSaisieDevise.h"
#include "dialogs/qt/CDlgSelectionDevise.h"
#include "dialogs/qt/CDlgStyleTraces.h"
#include "dialogs/qt/CDlgZodiacSigns.h"
#include "dialogs/qt/CWizardCreationCadran.h"
#include "dialogs/qt/CWizardLieu.h"
#include "dialogs/qt/CWizardTypeBifilaire.h"
#include "dialogs/qt/CWizardTypeCadran.h"
#include "dialogs/qt/CWizardTypeCadranAnalemmatique.h"
#include "dialogs/qt/CWizardTypeCadranCylindrique.h"
#include "dialogs/qt/CWizardTypeCadranPlanAStylePolaire.h"
#include "dialogs/qt/FileNewWizard.h"
#include "dialogs/qt/FrameDialogs.h"
#include "dialogs/qt/SoftwareUpdateCheck.h"
#include "docview/CHoravelDoc.h"
#include "docview/CHoravelView.h"
#include "docview/CObjetCadre.h"
#include "docview/ColorTable.h"
#include "docview/Exports.h"
#include "docview/qt/CHoravelViewWidget.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "platform/FakeServices.h"
#include "platform/ImageDecoder.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/TextFile.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtImageDecoder.h"
#include "platform/qt/QtImageSurface.h"
#include "platform/qt/QtScreenDC.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The source tree's shipped data, found from the Help folder given (…/resources/data/Help).
fs::path DataFolderOf(const fs::path& help) { return help.parent_path(); }

// The picture less the plain border around what is drawn (the colour of its top-left
// pixel), keeping a small margin.
QImage Trimmed(const QImage& image)
{
    const QRgb border = image.pixel(0, 0);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != border) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return image;
    constexpr int kMargin = 12;
    const QRect kept = QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-kMargin, -kMargin, kMargin, kMargin);
    return image.copy(kept.intersected(image.rect()));
}

// Every picture is written into each folder given (the Italian pages show the English
// pictures); a failure is reported and makes the run fail.
class Pictures {
public:
    explicit Pictures(std::vector<fs::path> folders) : folders_(std::move(folders)) {}

    // maxWidth > 0: a page of the view, trimmed and brought down to that width at most.
    void Save(const QImage& image, const std::string& name, int maxWidth = 0)
    {
        QImage picture = image.convertToFormat(QImage::Format_RGB32);
        if (maxWidth > 0 && !picture.isNull()) {
            picture = Trimmed(picture);
            if (picture.width() > maxWidth)
                picture = picture.scaledToWidth(maxWidth, Qt::SmoothTransformation);
        }
        for (const fs::path& folder : folders_) {
            const fs::path file = folder / (name + ".png");
            if (picture.isNull() || !picture.save(QString::fromStdString(file.string()), "PNG", 0))
                Fail("cannot write " + file.string());
            else
                std::printf("%s\n", file.string().c_str());
        }
    }
    void Fail(const std::string& what)
    {
        std::fprintf(stderr, "help pictures: %s\n", what.c_str());
        failed_ = true;
    }
    bool Failed() const { return failed_; }

private:
    std::vector<fs::path> folders_;
    bool failed_ = false;
};

QImage Grab(QWidget& widget)
{
    widget.adjustSize();
    QApplication::processEvents();
    return widget.grab().toImage();
}

void Click(ControlHost& host, int id)
{
    if (auto* button = host.Control<QAbstractButton>(id))
        button->click();
    QApplication::processEvents();
}

void Type(ControlHost& host, int id, const char* text)
{
    if (auto* edit = host.Control<QLineEdit>(id))
        edit->setText(QString::fromUtf8(text));
}

void Choose(ControlHost& host, int id, int index)
{
    if (auto* combo = host.Control<QComboBox>(id)) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
}

// A folder of a fixed name, emptied when made and removed at the end: the locations dialog
// shows the path of the base loaded, which must not change from one run to the next.
class ScratchFolder {
public:
    ScratchFolder() : path_(fs::temp_directory_path() / "horavel")
    {
        std::error_code error;
        fs::remove_all(path_, error);
        fs::create_directories(path_, error);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// The program in one language, on a temporary copy of the shipped data.
class Session {
public:
    Session(const fs::path& data, int language, Pictures& pictures) : pictures_(pictures)
    {
        const fs::path& install = install_.Path();
        for (const char* name : {"horavel.lang", "mottoes.txt", "tips_fr.txt", "tips_en.txt", "LIEUX.DBL"})
            fs::copy_file(data / name, install / name);
        // A wooded hill to the east and a village to the west.
        textfile::WriteAtomic(install / "HorizonMask.txt",
                  "HORAVEL_HORIZON_MASK\n-180 3\n-120 6\n-90 14\n-60 18\n-30 9\n0 4\n"
                  "30 5\n60 8\n90 6\n120 4\n180 3\n");
        paths::SetInstallFolder(install);
        paths::SetDataFolder(install);
        profile_->WriteInt("Options\\General", "Langage", language);
        profile_->WriteInt("Options\\General", "Langage Aide", language);
        profile_->WriteString("Options\\General", "NomFichierLieux", (install / "LIEUX.DBL").string());
        profile_->WriteInt("Options\\General", "AnneeReference", 2026);
        profile_->WriteString("Dialogues\\Lieu", "Ville", "PARIS");
        profile_->WriteString("Dialogues\\Lieu", "Pays", "FRANCE");
        profile_->WriteString("Dialogues\\Devises", "LangueDevise", language == 0 ? "fr" : "en");
        // 15 April 2026, 10:30 in Paris (summer time).
        fake_->SetNowMs(1776241800000);
        fake_->SetZone(FakeZone::European("Europe/Paris", 3600, 2025, 2027));
        ResetAstroState();
        ResetColorTable();
        app_ = std::make_unique<CHoravelApp>([] {
            auto document = std::make_unique<CHoravelDoc>();
            GetAppContext().document = document.get();
            return document;
        });
        windows_ = std::make_unique<QtAppWindows>(*app_, [](CMainFrame& frame) -> QWidget* {
            InstallFrameDialogs(frame);
            return new CHoravelViewWidget(&frame);
        });
        app_->SetWindows(windows_.get());
        InstallFileNewWizard(*app_, *windows_);
        if (!app_->InitInstance({}))
            pictures_.Fail("the program did not start");
        else
            windows_->Frame()->resize(1000, 760);
    }
    ~Session()
    {
        windows_->DestroyMainFrame();
        windows_.reset();
        app_->ExitInstance();
        app_.reset();
        GetAppContext() = AppContext{};
        paths::SetInstallFolder({});
        paths::SetDataFolder({});
        ResetAstroState();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Started() const { return windows_ && windows_->Frame(); }

    // The dialog of that template runs act as it opens; it is saved as a picture when a name
    // is given, then confirmed with OK when asked, else cancelled.
    void WhenOpened(int templateId, std::string name, std::function<void(CDialogBase&)> act, bool confirm)
    {
        fake_->SetDialogScript(templateId, [this, templateId, name, act, confirm](ModalDialog& modal) -> int {
            auto& dialog = dynamic_cast<CDialogBase&>(modal);
            const std::string what = "dialog " + std::to_string(templateId);
            if (!dialog.Create()) {
                pictures_.Fail(what + " did not open");
                return IDCANCEL;
            }
            if (act)
                act(dialog);
            if (!name.empty())
                pictures_.Save(Grab(dialog), name);
            if (confirm) {
                dialog.OnOK();
                if (!dialog.IsOpen())
                    return dialog.GetDialogResult();
                pictures_.Fail(what + " refused its fields");
            }
            dialog.OnCancel();
            return IDCANCEL;
        });
    }
    void ShootWhenOpened(int templateId, std::string name, std::function<void(CDialogBase&)> act = {},
                         bool confirm = false)
    {
        WhenOpened(templateId, std::move(name), std::move(act), confirm);
    }
    void AnswerWhenOpened(int templateId, std::function<void(CDialogBase&)> act)
    {
        WhenOpened(templateId, {}, std::move(act), true);
    }

    // Runs a menu command as the user would: only when its menu offers it.
    void Command(int id)
    {
        QAction* action = Item(id);
        if (!action || !action->isEnabled()) {
            pictures_.Fail("command " + std::to_string(id) + " is not offered");
            return;
        }
        action->trigger();
        QApplication::processEvents();
    }
    void AppCommand(int id)
    {
        if (!app_->Commands().Execute(id))
            pictures_.Fail("application command " + std::to_string(id) + " failed");
        QApplication::processEvents();
    }

    // File > New: act drives the wizard once it is shown.
    void NewDial(std::function<void(CWizardCreationCadran&)> act)
    {
        if (CHoravelDoc* document = GetDocument())
            document->SetModifiedFlag(false);
        fake_->SetDialogScript(CWizardCreationCadran::kWizardId, [act](ModalDialog& dialog) {
            auto& wizard = dynamic_cast<CWizardCreationCadran&>(dialog);
            QTimer::singleShot(0, qApp, [&wizard, act] {
                wizard.resize(780, 440);
                act(wizard);
            });
            return dialog.RunModalLoop();
        });
        AppCommand(57600);
    }
    void ShootPage(CWizardCreationCadran& wizard, const std::string& name)
    {
        QApplication::processEvents();
        pictures_.Save(wizard.grab().toImage(), name);
    }

    // The view's contents in a display mode, as its picture copy makes them.
    void ShootView(int modeCommand, const std::string& name, int maxWidth)
    {
        if (modeCommand)
            Command(modeCommand);
        CHoravelView* view = GetView();
        std::optional<gdi::Image> image = view ? exports::BuildClipboardBitmap(*view) : std::nullopt;
        if (!image) {
            pictures_.Fail("no picture of the view for " + name);
            return;
        }
        pictures_.Save(gdi::ToQImage(*image), name, maxWidth);
    }

    // The modeless window of that class, shown by the last command.
    template <class Window>
    Window* FindWindow() const
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = dynamic_cast<Window*>(widget); window && window->isVisible())
                return window;
        return nullptr;
    }

    CMainFrame& Frame() { return *windows_->Frame(); }
    Pictures& Out() { return pictures_; }

private:
    QAction* Item(int id)
    {
        std::vector<QMenu*> menus;
        for (QAction* top : Frame().menuBar()->actions())
            if (top->menu())
                menus.push_back(top->menu());
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            Frame().MenuBinder().UpdateMenu(*menu);
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus.push_back(action->menu());
                else if (action->data().isValid() && action->data().toInt() == id)
                    return action;
            }
        }
        return nullptr;
    }

    Pictures& pictures_;
    ScratchFolder install_;
    ScopedMemoryProfile profile_;
    ScopedFakeServices fake_;
    ScopedFakeTimers timers_;
    std::unique_ptr<CHoravelApp> app_;
    std::unique_ptr<QtAppWindows> windows_;
};

// Wizard page button ids.
constexpr int kFamilyPlane = 1178, kFamilyAnalemmatic = 1207, kFamilyCylindrical = 1179, kFamilyBifilar = 1177;

// On the plane dial page: a vertical wall declining 20 degrees west.
void SetDecliningWall(ControlHost& plane)
{
    Click(plane, 1176);  // vertical
    Click(plane, 1054);  // declining
    Click(plane, 1072);  // west
    Type(plane, 1031, "20");
    Type(plane, 1033, "0");
}

// The wizard page that follows the type page for a family.
ControlHost& FamilyPage(CWizardCreationCadran& wizard, int family)
{
    switch (family) {
    case kFamilyAnalemmatic: return wizard.AnalemmaticPage();
    case kFamilyCylindrical: return wizard.CylindricalPage();
    case kFamilyBifilar: return wizard.BifilarPage();
    default: return wizard.PlanePage();
    }
}

// File > New past the location page: a dial of the family, as set chooses on its page.
void NewDialOfFamily(Session& s, int family, std::function<void(ControlHost&)> set)
{
    s.NewDial([family, set = std::move(set)](CWizardCreationCadran& wizard) {
        wizard.NextButton()->click();
        Click(wizard.TypePage(), family);
        wizard.NextButton()->click();
        set(FamilyPage(wizard, family));
        wizard.FinishButton()->click();
    });
}

// The wizard's pages and the new-location dialog; ends with a horizontal dial at Paris.
void ShootWizard(Session& s)
{
    s.ShootWhenOpened(CDlgNouveauLieu::kTemplateId, "dlgNewLocation", [](CDialogBase& d) {
        Type(d, 1009, "MONTBENOÎT");
        Type(d, 1015, "25");
        Type(d, 1010, "FRANCE");
        Type(d, 1011, "46");
        Type(d, 1012, "59");
        Type(d, 1013, "6");
        Type(d, 1014, "28");
        Choose(d, 1018, 14);  // UT + 1 h
    });
    s.NewDial([&s](CWizardCreationCadran& wizard) {
        s.ShootPage(wizard, "dlgWizLocation");
        s.ShootWhenOpened(CDlgCarte::kTemplateId, "dlgMap");
        Click(wizard.LocationPage(), 1023);
        Click(wizard.LocationPage(), 1048);
        wizard.NextButton()->click();
        Click(wizard.TypePage(), kFamilyPlane);
        s.ShootPage(wizard, "dlgWizType");

        const std::pair<int, const char*> families[] = {
            {kFamilyAnalemmatic, "dlgWizType3"}, {kFamilyCylindrical, "dlgWizType4"}, {kFamilyBifilar, "dlgWizBifilar"}};
        for (const auto& [button, name] : families) {
            Click(wizard.TypePage(), button);
            wizard.NextButton()->click();
            s.ShootPage(wizard, name);
            wizard.BackButton()->click();
        }
        Click(wizard.TypePage(), kFamilyPlane);
        wizard.NextButton()->click();
        auto& plane = wizard.PlanePage();
        SetDecliningWall(plane);
        s.ShootPage(wizard, "dlgWizType2");
        Click(plane, 1178);   // horizontal
        wizard.FinishButton()->click();
    });
}

// The dialogs of the dial menu, on the horizontal dial the wizard left.
void ShootDialDialogs(Session& s)
{
    s.ShootWhenOpened(CDlgDimensions::kTemplateId, "dlgDimensions");
    s.Command(32803);
    s.ShootWhenOpened(CDlgAncrageStyle::kTemplateId, "dlgAnchor");
    s.Command(32865);
    s.ShootWhenOpened(CDlgCourbeEquation::kTemplateId, "dlgAnalemma");
    s.Command(32852);
    s.ShootWhenOpened(CDlgArcsDiurnes::kTemplateId, "dlgDeclination");
    s.Command(32864);
    s.ShootWhenOpened(CDlgArcsDates::kTemplateId, "dlgAnniversary", [](CDialogBase& d) {
        // 14 July and 1 May, as a user adds them.
        for (const auto& [day, month] : {std::pair{13, 6}, std::pair{0, 4}}) {
            Choose(d, 1074, day);
            Choose(d, 1075, month);
            Click(d, 1226);
        }
    });
    s.Command(32812);
    s.ShootWhenOpened(CDlgStyleTraces::kTemplateId, "dlgStyleTraces", [](CDialogBase& d) {
        if (auto* tree = d.Control<QTreeWidget>(1100)) {
            tree->expandAll();
            if (QTreeWidgetItem* group = tree->topLevelItem(0); group && group->childCount() > 0)
                tree->setCurrentItem(group->child(0));
        }
        QApplication::processEvents();
    });
    s.Command(32904);
    s.ShootWhenOpened(CDlgIndications::kTemplateId, "dlgProperties");
    s.Command(32941);
    s.ShootWhenOpened(CDlgPreferencesGenerales::kTemplateId, "dlgGeneralPreferences");
    s.Command(32986);
    s.ShootWhenOpened(CDlgPreferencesLangue::kTemplateId, "dlgLanguage");
    s.Command(32968);
    s.ShootWhenOpened(CDlgBaseLieux::kTemplateId, "dlgBase");
    s.Command(32772);

    // A text frame: the motto, motto entry and zodiac dialogs open from its dialog.
    s.ShootWhenOpened(CDlgSaisieDevise::kTemplateId, "dlgEditMotto", [](CDialogBase& d) {
        Type(d, 1159, "Lux mea lex");
        Type(d, 1161, "la");
    });
    s.ShootWhenOpened(CDlgSelectionDevise::kTemplateId, "dlgSelectMotto", [](CDialogBase& d) { Click(d, 1158); });
    s.ShootWhenOpened(CDlgZodiacSigns::kTemplateId, "dlgZodiacSigns", [](CDialogBase& d) { Click(d, 1180); });
    s.ShootWhenOpened(CDlgCadreTexte::kTemplateId, "dlgEditText", [](CDialogBase& d) {
        Type(d, 1115, "Carpe diem");
        Click(d, 1150);
        Click(d, 1238);
    });
    s.Command(32900);
    // The frame's menu acts on the frame under the mouse: the one just placed.
    CCadran* dial = GetDocument() ? GetDocument()->GetDial() : nullptr;
    if (dial && !dial->frames.empty()) {
        dial->frames.back()->active = 1;
        s.ShootWhenOpened(CDlgAncrageCadre::kTemplateId, "dlgFrameAnchoring");
        s.Command(32908);
        dial->frames.back()->active = 0;
    } else {
        s.Out().Fail("no frame to anchor");
    }

    s.Command(32936);
    if (auto* animation = s.FindWindow<CDlgAnimationOmbre>()) {
        s.Out().Save(Grab(*animation), "dlgRemoteCtrl");
        s.ShootView(0, "dial-shadow", 640);
        Click(*animation, 1168);
    } else {
        s.Out().Fail("the shadow animation did not open");
    }

    // The live shadow at the fixed clock, and its clock window.
    s.Command(32978);
    if (auto* clock = s.FindWindow<CDlgHorloge>()) {
        s.Out().Save(Grab(*clock), "dlgClock");
        s.Command(32978);
    } else {
        s.Out().Fail("the clock did not open");
    }

    s.ShootWhenOpened(CDlgAnneeReference::kTemplateId, "dlgReferenceYear");
    s.Command(32866);
    s.ShootWhenOpened(CDlgConversionDecimale::kTemplateId, "dlgDecimalConversion", [](CDialogBase& d) {
        Type(d, 1311, "12");
        Type(d, 1312, "24");
        Type(d, 1313, "2");
    });
    s.Command(32977);
    // A word of both languages.
    s.ShootWhenOpened(CDlgRechercheAide::kTemplateId, "dlgHelpSearch", [](CDialogBase& d) { Type(d, 1323, "style"); });
    s.Command(32979);
    s.ShootWhenOpened(CDlgCheckVersion::kTemplateId, "dlgCheckVersion");
    s.Command(32884);
    // The notice shows what the version file of the web site announces: an example here,
    // since the pictures are made without the network.
    s.ShootWhenOpened(CDlgNewVersion::kTemplateId, "dlgNewVersion");
    NewVersionNotice notice;
    notice.currentVersion = CHoravelApp::GetVersionString();
    notice.currentDate = FormatUpdateDate(1767225600);
    notice.availableVersion = "2.1.0";
    notice.availableDate = FormatUpdateDate(1780300800);
    notice.link = "http://www.orlune-software.example/horavel.html";
    MakeSoftwareUpdateHooks(&s.Frame()).announce(notice);

    s.ShootWhenOpened(CDlgDemarrage::kTemplateId, "dlgStart");
    s.AppCommand(109);
}

// Pages of the view for the horizontal dial: drawings, sheets, tables and tools.
void ShootPages(Session& s)
{
    s.ShootView(32813, "dial-horizontal", 640);
    s.ShootView(32815, "page-style-plan", 640);
    s.ShootView(32874, "page-style-at-scale", 640);
    s.ShootView(32817, "page-technical-sheet", 640);
    s.ShootView(32846, "page-eot-table", 700);
    s.ShootView(32816, "page-eot-graph", 700);
    s.ShootView(32850, "page-hour-line-table", 700);
    s.ShootView(32981, "page-noon-mark-table", 700);
    s.ShootView(32942, "page-azimuth-circle", 560);
    s.ShootView(32863, "page-protractor", 560);
    s.Command(32939);
    s.ShootWhenOpened(
        CDlgMasqueHorizon::kTemplateId, "graphsun", [](CDialogBase& d) { d.CheckDlgButton(1333, 1); }, true);
    s.Command(32982);
    s.ShootView(0, "page-azimuth-altitude", 700);

    // The worked example of the reading guide: the clock times at which the sun stands on
    // the XI line on 11 February and on the XII line on 16 July, in Paris.
    struct Instant {
        int dayIndex, monthIndex;
        const char *hour, *minute, *second;
        int summerTime;
        const char* name;
    };
    for (const Instant& instant : {Instant{10, 1, "12", "4", "49", 0, "page-ephemerides-february"},
                                   Instant{15, 6, "13", "56", "42", 1, "page-ephemerides-july"}}) {
        const std::string picture = instant.dayIndex == 10 ? "dlgEphemerisDate" : "";
        s.WhenOpened(CDlgDateEphemerides::kTemplateId, picture, [instant](CDialogBase& d) {
            Click(d, 1266);  // the date controls come on, as for the user
            d.SetRadioIndex(1319, 1);
            Choose(d, 1074, instant.dayIndex);
            Choose(d, 1075, instant.monthIndex);
            Type(d, 1061, "2026");
            Type(d, 1062, instant.hour);
            Type(d, 1063, instant.minute);
            Type(d, 1064, instant.second);
            d.CheckDlgButton(1265, instant.summerTime);
        }, true);
        s.Command(32883);
        s.ShootView(0, instant.name, 640);
    }
    s.Command(32813);
}

// One dial of each family, drawn at scale, and the dialogs that only some families have.
void ShootFamilies(Session& s)
{
    NewDialOfFamily(s, kFamilyPlane, SetDecliningWall);
    s.ShootView(32813, "dial-declining", 640);
    s.ShootView(32954, "page-equinoctial-rule", 640);
    s.ShootView(32898, "page-equinoctial-table", 700);
    s.Command(32813);

    // The button of the family's page, the picture, and the family's own dimensions dialog.
    struct FamilyDial {
        int family, button;
        const char* name;
        int dimensionsTemplate;
        const char* dimensionsName;
    };
    for (const FamilyDial& dial :
         {FamilyDial{kFamilyPlane, 1163, "dial-equatorial", 0, nullptr},
          FamilyDial{kFamilyPlane, 1053, "dial-polar", 0, nullptr},
          FamilyDial{kFamilyAnalemmatic, 1178, "dial-analemmatic", CDlgDimensionsAnalemmatique::kTemplateId,
                     "dlgDimensionsAnalemmatic"},
          FamilyDial{kFamilyBifilar, 1178, "dial-bifilar", 0, nullptr},
          FamilyDial{kFamilyCylindrical, 1178, "dial-armillary", CDlgDimensionsCylindre::kTemplateId,
                     "dlgDimensionsCylinder"},
          FamilyDial{kFamilyCylindrical, 1222, "dial-shepherd", 0, nullptr}}) {
        NewDialOfFamily(s, dial.family, [button = dial.button](ControlHost& page) { Click(page, button); });
        s.ShootView(32813, dial.name, 640);
        if (dial.dimensionsTemplate != 0) {
            s.ShootWhenOpened(dial.dimensionsTemplate, dial.dimensionsName);
            s.Command(32803);
        }
    }
}

bool MakePictures(const fs::path& help, int language, std::vector<fs::path> folders)
{
    Pictures pictures(std::move(folders));
    {
        Session s(DataFolderOf(help), language, pictures);
        if (!s.Started())
            return false;
        ShootWizard(s);
        ShootDialDialogs(s);
        ShootPages(s);
        ShootFamilies(s);
    }
    return !pictures.Failed();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Help folder of the shipped data>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    SetImageDecoder(std::make_unique<QtImageDecoder>());
    InstallQtScreenDC();
    InstallTextFrameEditor();
    InstallQtImageSurface();

    const fs::path help = fs::absolute(argv[1]);
    bool ok = true;
    // The program has no Italian texts: the Italian pages show the English pictures.
    ok = MakePictures(help, 0, {help / "fr"}) && ok;
    ok = MakePictures(help, 1, {help / "en", help / "it"}) && ok;

    SetImageDecoder(nullptr);
    SetImageSurfaceFactory(nullptr);
    return ok ? 0 : 1;
}
