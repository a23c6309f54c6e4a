#include "platform/qt/QtMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

MenuModel SampleMenus()
{
    using I = MenuItem;
    return MenuModel{{
        I::Popup("&Fichier", {I::Command(57600, "&Nouveau\tCtrl+N"), I::Separator(), I::Command(57602, "&Fermer"),
                              I::Command(32929, "Le contenu de la vue au format image\tCTRL-C"),
                              I::Command(32930, "Le contenu de la vue au format vectoriel\tCTRL-SHIFT-C")}),
        I::Popup("&Cadran",
                 {I::Command(32803, "&Dimensions...\tCtrl+D"),
                  I::Popup("Tracer les lignes horaires", {I::Command(32790, "des demi-&heures"),
                                                          I::Command(32789, "des &quarts d'heure")}),
                  I::Command(32944, "tous les 5°"), I::Command(32945, "tous les 10°"),
                  I::Command(32994, "Heures limites\tpas une touche")}),
    }};
}

// The program's state that the handlers read and change.
struct Program {
    CommandTable view;
    bool hasDial = true;
    bool halfHours = false;
    int azimuthStep = 10;
    std::vector<int> ran;
    QString tableText = "Table des coordonnées des lignes &horaires";

    Program()
    {
        for (int id : {57600, 57602, 32929, 32930, 32803, 32790, 32789, 32994})
            view.OnCommand(id, [this, id] { ran.push_back(id); });
        view.OnUpdate(32803, [this](CmdUI& ui) { ui.Enable(hasDial); });
        view.OnCommand(32790, [this] {
            ran.push_back(32790);
            halfHours = !halfHours;
        });
        view.OnUpdate(32790, [this](CmdUI& ui) { ui.SetCheck(halfHours); });
        view.OnUpdate(32789, [this](CmdUI& ui) { ui.SetText(tableText.toStdString()); });
        view.OnCommandRange(32944, 32945, [this](int id) { azimuthStep = id == 32944 ? 5 : 10; });
        view.OnUpdateRange(32944, 32945, [this](CmdUI& ui) { ui.SetRadio((ui.Id() == 32944 ? 5 : 10) == azimuthStep); });
    }
};

QAction* Only(const QtMenuBinder& binder, int id)
{
    const auto actions = binder.ActionsFor(id);
    EXPECT_EQ(actions.size(), 1u) << id;
    return actions.empty() ? nullptr : actions.front();
}

TEST(QtMenus, MenusFollowTheModelWithMnemonicsAndShortcuts)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    QMenuBar bar;
    binder.BuildMenuBar(bar, SampleMenus());

    ASSERT_EQ(bar.actions().size(), 2);
    EXPECT_EQ(bar.actions()[0]->text(), "&Fichier");
    auto* file = bar.actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->actions().size(), 5);
    EXPECT_TRUE(file->actions()[1]->isSeparator());

    QAction* newFile = Only(binder, 57600);
    EXPECT_EQ(newFile->text(), "&Nouveau");
    EXPECT_EQ(newFile->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(Only(binder, 32929)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(Only(binder, 32930)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    EXPECT_EQ(Only(binder, 32930)->text(), "Le contenu de la vue au format vectoriel");
    EXPECT_TRUE(Only(binder, 57602)->shortcut().isEmpty());
    // An accelerator text that names no key stays visible, without a shortcut.
    EXPECT_EQ(Only(binder, 32994)->text(), "Heures limites\tpas une touche");
    EXPECT_TRUE(Only(binder, 32994)->shortcut().isEmpty());

    // Building again replaces the menus.
    binder.BuildMenuBar(bar, SampleMenus());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar.actions().size(), 2);
    EXPECT_EQ(binder.ActionsFor(57600).size(), 1u);
}

TEST(QtMenus, AcceleratorTexts)
{
    const std::pair<const char*, QKeySequence> cases[] = {
        {"Ctrl+D", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"CTRL-C", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"CTRL-SHIFT-C", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {"Shift+F5", QKeySequence(Qt::SHIFT | Qt::Key_F5)},
        {"F5", QKeySequence(Qt::Key_F5)},
        {"Alt+Shift+G", QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_G)},
        {"alt+s", QKeySequence(Qt::ALT | Qt::Key_S)},
        {"Ctrl++", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {"Ctrl+-", QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {"Ctrl+Suppr", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"Maj+Inser", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {"F12", QKeySequence(Qt::Key_F12)},
        {"F0", QKeySequence()},
        {"Ctrl+", QKeySequence()},
        {"Ctrl+Ctrl", QKeySequence()},
        {"pas une touche", QKeySequence()},
        {"", QKeySequence()},
    };
    for (const auto& [text, keys] : cases)
        EXPECT_EQ(QtMenuBinder::AcceleratorKeys(QString::fromUtf8(text)), keys) << text;
}

TEST(QtMenus, OpeningAMenuRunsItsUpdateHandlers)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    std::vector<int> popups;
    binder.SetPopupCallback([&](QMenu& menu, int index) {
        popups.push_back(index);
        if (index == 1)  // the frame removes an item it never offers
            for (QAction* a : menu.actions())
                if (a->data().toInt() == 32994)
                    menu.removeAction(a);
    });
    QMenuBar bar;
    binder.BuildMenuBar(bar, SampleMenus());
    QMenu* dial = bar.actions()[1]->menu();
    QMenu* hours = dial->actions()[1]->menu();
    ASSERT_NE(hours, nullptr);

    program.hasDial = false;
    program.halfHours = true;
    emit dial->aboutToShow();
    EXPECT_FALSE(Only(binder, 32803)->isEnabled());
    EXPECT_EQ(dial->actions().size(), 4);
    EXPECT_TRUE(Only(binder, 32944)->isCheckable());
    EXPECT_FALSE(Only(binder, 32944)->isChecked());
    EXPECT_TRUE(Only(binder, 32945)->isChecked());
    ASSERT_NE(Only(binder, 32945)->actionGroup(), nullptr);  // drawn with a round mark
    // Submenus are updated when they open, not before.
    EXPECT_FALSE(Only(binder, 32790)->isChecked());
    emit hours->aboutToShow();
    EXPECT_TRUE(Only(binder, 32790)->isChecked());
    EXPECT_TRUE(Only(binder, 32790)->isEnabled());
    EXPECT_EQ(Only(binder, 32789)->text(), program.tableText);
    EXPECT_EQ(popups, (std::vector<int>{1, -1}));

    program.hasDial = true;
    program.tableText = "Table des points &horaires\tCtrl+H";
    emit dial->aboutToShow();
    emit hours->aboutToShow();
    EXPECT_TRUE(Only(binder, 32803)->isEnabled());
    EXPECT_EQ(Only(binder, 32789)->text(), "Table des points &horaires");
    EXPECT_EQ(Only(binder, 32789)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
}

TEST(QtMenus, TriggeringRunsOnlyWhatTheUpdateHandlerAllows)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    QMenuBar bar;
    binder.BuildMenuBar(bar, SampleMenus());

    Only(binder, 32790)->trigger();
    Only(binder, 32944)->trigger();
    EXPECT_EQ(program.ran, (std::vector<int>{32790}));
    EXPECT_TRUE(program.halfHours);
    EXPECT_EQ(program.azimuthStep, 5);

    // The item still looks enabled, but the dial has gone since the menu last opened.
    program.hasDial = false;
    QAction* dimensions = Only(binder, 32803);
    dimensions->setEnabled(true);
    dimensions->trigger();
    EXPECT_EQ(program.ran, (std::vector<int>{32790}));
}

TEST(QtMenus, ShortcutsWorkInTheWindowAndFollowTheState)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    QMainWindow window;
    binder.BuildMenuBar(*window.menuBar(), SampleMenus());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(program.ran, (std::vector<int>{32803}));
    // Without a dial the idle update disables the item, so its shortcut does nothing.
    program.hasDial = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Only(binder, 32803)->isEnabled(); }, 5000));
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(program.ran, (std::vector<int>{32803}));
}

TEST(QtMenus, ToolbarsFollowTheStateOnIdleAndShowPrompts)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    std::vector<int> prompts;
    binder.SetPromptCallback([&](int id) { prompts.push_back(id); });
    QToolBar bar;
    binder.BuildToolBar(bar, {{32803, QIcon(), "Dimensions"}, {0, {}, {}}, {32790, QIcon(), "Demi-heures"}});
    ASSERT_EQ(bar.actions().size(), 3);
    EXPECT_TRUE(bar.actions()[1]->isSeparator());
    EXPECT_EQ(bar.actions()[0]->toolTip(), "Dimensions");

    program.hasDial = false;
    program.halfHours = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.actions()[0]->isEnabled(); }, 5000));
    EXPECT_TRUE(bar.actions()[2]->isChecked());
    program.hasDial = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar.actions()[0]->isEnabled(); }, 5000));

    bar.actions()[2]->hover();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&bar, &leave);
    EXPECT_EQ(prompts, (std::vector<int>{32790, 0}));

    // A context menu reports its prompts and the idle prompt when it closes.
    const auto popup = binder.BuildPopupMenu({MenuItem::Command(32906, "Editer le cadre...")});
    popup->actions()[0]->hover();
    emit popup->aboutToHide();
    EXPECT_EQ(prompts, (std::vector<int>{32790, 0, 32906, 0}));
    emit popup->aboutToShow();
    EXPECT_FALSE(popup->actions()[0]->isEnabled());  // no target handles it
}

TEST(QtMenus, ACommandMayRebuildTheMenusItWasChosenFrom)
{
    Program program;
    const CommandRouter router = CommandRouter::Fixed({&program.view});
    QtMenuBinder binder(router);
    QMenuBar bar;
    binder.BuildMenuBar(bar, SampleMenus());
    int rebuilt = 0;
    // A language change rebuilds the whole bar from a menu command.
    program.view.OnCommand(57602, [&] {
        binder.BuildMenuBar(bar, SampleMenus());
        ++rebuilt;
    });
    QMenu* file = bar.actions()[0]->menu();
    file->actions()[2]->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(binder.ActionsFor(57602).size(), 1u);
    Only(binder, 57602)->trigger();
    EXPECT_EQ(rebuilt, 2);
}

}  // namespace
