#pragma once
// Qt menus and toolbars built from menu models and wired to the command router.
//
// Menu texts keep the program's form: "&" marks the mnemonic, "\t" separates the
// accelerator ("&Dimensions...\tCtrl+D"), which becomes the item's shortcut. An accelerator
// that is also a menu title's mnemonic (Alt+F beside "&Fichier") runs its item; F10 opens
// the first menu. Update
// handlers run when a menu is about to show, and for toolbar buttons and items with a
// shortcut every 100 ms, so that a shortcut or a button never runs a command its update
// handler disables. A command is checked once more against its update handler before it runs.
#include "platform/Commands.h"
#include "platform/MenuModel.h"

#include <QIcon>
#include <QKeySequence>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QTimer;
class QToolBar;

struct QtToolButton {
    int id = 0;  // 0: a separator
    QIcon icon;
    QString toolTip;
};

class QtMenuBinder {
public:
    static constexpr int kIdlePeriodMs = 100;

    // The router must outlive the binder.
    explicit QtMenuBinder(const CommandRouter& router);
    ~QtMenuBinder();
    QtMenuBinder(const QtMenuBinder&) = delete;
    QtMenuBinder& operator=(const QtMenuBinder&) = delete;

    // Replaces the bar's menus by menus built from the model.
    void BuildMenuBar(QMenuBar& bar, const MenuModel& model);
    // A context menu from a popup's items.
    std::unique_ptr<QMenu> BuildPopupMenu(const std::vector<MenuItem>& items);
    // Appends the buttons to the toolbar.
    void BuildToolBar(QToolBar& bar, const std::vector<QtToolButton>& buttons);

    // Status-bar prompts: called with the id of the item under the mouse, 0 when the menu
    // closes or the mouse leaves a toolbar (the idle prompt).
    void SetPromptCallback(std::function<void(int id)> prompt) { prompt_ = std::move(prompt); }
    // Called when a menu is about to show, before its items are updated, with its index in
    // the menu bar (-1 for a submenu or a context menu); it may change the menu.
    void SetPopupCallback(std::function<void(QMenu& menu, int index)> popup) { popup_ = std::move(popup); }

    // Runs the update handlers of the menu's items (not of its submenus).
    void UpdateMenu(QMenu& menu);
    // Runs the update handlers of toolbar buttons and items with a shortcut.
    void UpdateIdleActions();
    // Every live action bound to the command id.
    std::vector<QAction*> ActionsFor(int id) const;

    // Sets the action's text and shortcut from a menu text; an accelerator that cannot be
    // read stays in the text, after a tab, without a shortcut.
    static void ApplyMenuText(QAction& action, const std::string& text);
    // "Ctrl+D", "CTRL-SHIFT-C", "Shift+F5", "Alt+Suppr"...; empty when unreadable.
    static QKeySequence AcceleratorKeys(const QString& accelerator);

private:
    class AcceleratorFilter;

    QAction* MakeAction(int id, QObject* parent);
    // The enabled command of the bar's menus whose accelerator the keys are; 0 when none.
    int BarAcceleratorCommand(const QMenuBar& bar, const QKeySequence& keys) const;
    void FillMenu(QMenu& menu, const std::vector<MenuItem>& items);
    void WatchMenu(QMenu& menu, int index);
    void Run(int id);
    void Apply(QAction& action, const CmdUI& ui);
    // The same with the state of the action's command, asked of the router once a pass
    // however many actions show it (states keeps the answers of the pass).
    void Apply(QAction& action, std::map<int, CmdUI>& states);

    const CommandRouter& router_;
    std::unique_ptr<QObject> context_;  // owns the connections, the timer and the filters
    QTimer* idle_ = nullptr;
    std::vector<QPointer<QAction>> actions_;
    std::vector<QPointer<QAction>> toolbarActions_;
    std::function<void(int)> prompt_;
    std::function<void(QMenu&, int)> popup_;
    std::vector<const QMenuBar*> filteredBars_;  // each with its accelerator filter, owned by context_
};
