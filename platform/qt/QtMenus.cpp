#include "platform/qt/QtMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <map>

namespace {

// Tells when the mouse leaves a toolbar, so the status bar goes back to its idle prompt.
class LeaveFilter : public QObject {
public:
    LeaveFilter(std::function<void()> onLeave, QObject* parent) : QObject(parent), onLeave_(std::move(onLeave)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Leave)
            onLeave_();
        return false;
    }

private:
    std::function<void()> onLeave_;
};

Qt::Key NamedKey(const QString& name)
{
    static const std::pair<const char*, Qt::Key> names[] = {
        {"del", Qt::Key_Delete},       {"delete", Qt::Key_Delete},     {"suppr", Qt::Key_Delete},
        {"ins", Qt::Key_Insert},       {"insert", Qt::Key_Insert},     {"inser", Qt::Key_Insert},
        {"home", Qt::Key_Home},        {"origine", Qt::Key_Home},      {"end", Qt::Key_End},
        {"fin", Qt::Key_End},          {"pgup", Qt::Key_PageUp},       {"pageup", Qt::Key_PageUp},
        {"pgdn", Qt::Key_PageDown},    {"pagedown", Qt::Key_PageDown}, {"esc", Qt::Key_Escape},
        {"escape", Qt::Key_Escape},    {"echap", Qt::Key_Escape},      {"enter", Qt::Key_Return},
        {"return", Qt::Key_Return},    {"entrée", Qt::Key_Return},     {"entree", Qt::Key_Return},
        {"tab", Qt::Key_Tab},          {"space", Qt::Key_Space},       {"espace", Qt::Key_Space},
        {"backspace", Qt::Key_Backspace}, {"left", Qt::Key_Left},      {"gauche", Qt::Key_Left},
        {"right", Qt::Key_Right},      {"droite", Qt::Key_Right},      {"up", Qt::Key_Up},
        {"haut", Qt::Key_Up},          {"down", Qt::Key_Down},         {"bas", Qt::Key_Down},
    };
    for (const auto& [text, key] : names)
        if (name.compare(QString::fromUtf8(text), Qt::CaseInsensitive) == 0)
            return key;
    return Qt::Key_unknown;
}

// Alt+letter of a menu-bar title: the key that opens that menu.
bool IsBarMnemonic(const QMenuBar& bar, const QKeySequence& keys)
{
    for (const QAction* title : bar.actions())
        if (title->isVisible() && QKeySequence::mnemonic(title->text()) == keys)
            return true;
    return false;
}

}  // namespace

// Accelerators come before the menu bar's mnemonics, as in the accelerator table: Alt+F runs
// the item whose accelerator it is although a title reads "&Fichier". Such a menu is still
// reached with F10, which opens the first menu, and the arrow keys.
class QtMenuBinder::AcceleratorFilter : public QObject {
public:
    AcceleratorFilter(QtMenuBinder& binder, QMenuBar& bar) : QObject(binder.context_.get()), binder_(binder), bar_(&bar)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!bar_ || !widget || widget->window() != bar_->window() || !bar_->isVisible())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence keys(key->keyCombination());
        if (keys == QKeySequence(Qt::Key_F10)) {
            if (event->type() == QEvent::KeyPress)
                OpenFirstMenu();
            event->accept();
            return true;
        }
        if (!IsBarMnemonic(*bar_, keys))
            return false;
        const int id = binder_.BarAcceleratorCommand(*bar_, keys);
        if (id == 0)
            return false;
        // The override keeps the key away from the shortcuts (the menu title's among them);
        // the key press that follows runs the command.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            binder_.Run(id);
        return true;
    }

private:
    void OpenFirstMenu()
    {
        for (QAction* title : bar_->actions())
            if (title->isVisible() && title->isEnabled() && title->menu()) {
                bar_->setActiveAction(title);
                return;
            }
    }

    QtMenuBinder& binder_;
    QPointer<QMenuBar> bar_;
};

QtMenuBinder::QtMenuBinder(const CommandRouter& router) : router_(router), context_(std::make_unique<QObject>())
{
    idle_ = new QTimer(context_.get());
    idle_->setInterval(kIdlePeriodMs);
    QObject::connect(idle_, &QTimer::timeout, context_.get(), [this] { UpdateIdleActions(); });
    idle_->start();
}

QtMenuBinder::~QtMenuBinder() = default;

// ---------------------------------------------------------------------------------------
// Texts and keys

QKeySequence QtMenuBinder::AcceleratorKeys(const QString& accelerator)
{
    static const std::pair<const char*, Qt::KeyboardModifier> modifiers[] = {
        {"ctrl", Qt::ControlModifier}, {"ctl", Qt::ControlModifier}, {"control", Qt::ControlModifier},
        {"shift", Qt::ShiftModifier},  {"maj", Qt::ShiftModifier},   {"alt", Qt::AltModifier},
    };
    QString rest = accelerator.trimmed();
    Qt::KeyboardModifiers mods;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [name, modifier] : modifiers) {
            const auto length = static_cast<qsizetype>(std::char_traits<char>::length(name));
            if (rest.size() > length && rest.startsWith(QString::fromLatin1(name), Qt::CaseInsensitive) &&
                (rest[length] == '+' || rest[length] == '-')) {
                mods |= modifier;
                rest = rest.mid(length + 1);
                found = true;
                break;
            }
        }
    }
    const QString name = rest.trimmed().isEmpty() ? rest : rest.trimmed();
    Qt::Key key = Qt::Key_unknown;
    static const QRegularExpression function(QStringLiteral("^[Ff]([1-9]|[12][0-9]|3[0-5])$"));
    if (name.size() == 1) {
        const char16_t c = name[0].toUpper().unicode();
        if (c > 0x20 && c <= 0xFF && c != 0x7F)
            key = static_cast<Qt::Key>(c);
    } else if (const auto m = function.match(name); m.hasMatch()) {
        key = static_cast<Qt::Key>(Qt::Key_F1 + m.captured(1).toInt() - 1);
    } else {
        key = NamedKey(name);
    }
    if (key == Qt::Key_unknown)
        return {};
    return QKeySequence(QKeyCombination(mods, key));
}

void QtMenuBinder::ApplyMenuText(QAction& action, const std::string& text)
{
    const QString full = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const qsizetype tab = full.indexOf('\t');
    if (tab < 0) {
        action.setText(full);
        action.setShortcut({});
        return;
    }
    const QString label = full.left(tab);
    const QString accelerator = full.mid(tab + 1).trimmed();
    const QKeySequence keys = AcceleratorKeys(accelerator);
    action.setShortcut(keys);
    // An accelerator Qt cannot read is still shown, after the tab.
    action.setText(keys.isEmpty() && !accelerator.isEmpty() ? label + '\t' + accelerator : label);
}

// ---------------------------------------------------------------------------------------
// Building

QAction* QtMenuBinder::MakeAction(int id, QObject* parent)
{
    auto* action = new QAction(parent);
    action->setData(id);
    QObject::connect(action, &QAction::triggered, context_.get(), [this, id] { Run(id); });
    QObject::connect(action, &QAction::hovered, context_.get(), [this, id] {
        if (prompt_)
            prompt_(id);
    });
    actions_.emplace_back(action);
    return action;
}

void QtMenuBinder::WatchMenu(QMenu& menu, int index)
{
    QMenu* m = &menu;
    QObject::connect(m, &QMenu::aboutToShow, context_.get(), [this, m, index] {
        if (popup_)
            popup_(*m, index);
        UpdateMenu(*m);
    });
    QObject::connect(m, &QMenu::aboutToHide, context_.get(), [this] {
        if (prompt_)
            prompt_(0);
    });
}

void QtMenuBinder::FillMenu(QMenu& menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item.text));
            WatchMenu(*sub, -1);
            FillMenu(*sub, item.items);
        } else {
            QAction* action = MakeAction(item.id, &menu);
            ApplyMenuText(*action, item.text);
            menu.addAction(action);
        }
    }
}

void QtMenuBinder::BuildMenuBar(QMenuBar& bar, const MenuModel& model)
{
    // The old menus may be the ones whose command is running (a language change rebuilds
    // the bar from a menu command): they go once that command is over.
    for (QAction* old : bar.actions())
        bar.removeAction(old);
    for (QMenu* old : bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        old->deleteLater();
    for (QAction* old : bar.findChildren<QAction*>(Qt::FindDirectChildrenOnly))
        if (old->data().isValid())
            old->deleteLater();

    if (std::find(filteredBars_.begin(), filteredBars_.end(), &bar) == filteredBars_.end()) {
        new AcceleratorFilter(*this, bar);
        filteredBars_.push_back(&bar);
    }

    int index = 0;
    for (const MenuItem& item : model.items) {
        if (item.IsSeparator())
            continue;
        if (item.IsPopup()) {
            auto* menu = new QMenu(QString::fromStdString(item.text), &bar);
            WatchMenu(*menu, index);
            FillMenu(*menu, item.items);
            bar.addMenu(menu);
        } else {
            QAction* action = MakeAction(item.id, &bar);
            ApplyMenuText(*action, item.text);
            bar.addAction(action);
        }
        ++index;
    }
}

std::unique_ptr<QMenu> QtMenuBinder::BuildPopupMenu(const std::vector<MenuItem>& items)
{
    auto menu = std::make_unique<QMenu>();
    WatchMenu(*menu, -1);
    FillMenu(*menu, items);
    return menu;
}

void QtMenuBinder::BuildToolBar(QToolBar& bar, const std::vector<QtToolButton>& buttons)
{
    for (const QtToolButton& button : buttons) {
        if (button.id == 0) {
            bar.addSeparator();
            continue;
        }
        QAction* action = MakeAction(button.id, &bar);
        action->setIcon(button.icon);
        action->setText(button.toolTip);
        action->setToolTip(button.toolTip);
        bar.addAction(action);
        toolbarActions_.emplace_back(action);
    }
    bar.installEventFilter(new LeaveFilter(
        [this] {
            if (prompt_)
                prompt_(0);
        },
        context_.get()));
}

// ---------------------------------------------------------------------------------------
// States and commands

void QtMenuBinder::Apply(QAction& action, const CmdUI& ui)
{
    action.setEnabled(ui.IsEnabled());
    switch (ui.GetMark()) {
    case CmdUI::Mark::None:
        break;  // the handler leaves the mark as it is
    case CmdUI::Mark::Check:
        if (action.actionGroup())
            action.setActionGroup(nullptr);
        action.setCheckable(true);
        action.setChecked(ui.IsChecked());
        break;
    case CmdUI::Mark::Radio:
        // A one-action exclusive group: Qt draws its check as a round mark.
        if (!action.actionGroup()) {
            auto* group = new QActionGroup(&action);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            action.setActionGroup(group);
        }
        action.setCheckable(true);
        action.setChecked(ui.IsChecked());
        break;
    }
    if (ui.Text())
        ApplyMenuText(action, *ui.Text());
}

void QtMenuBinder::Apply(QAction& action, std::map<int, CmdUI>& states)
{
    const int id = action.data().toInt();
    auto it = states.find(id);
    if (it == states.end())
        it = states.emplace(id, router_.Update(id)).first;
    Apply(action, it->second);
}

void QtMenuBinder::UpdateMenu(QMenu& menu)
{
    std::map<int, CmdUI> states;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->menu() || !action->data().isValid())
            continue;
        Apply(*action, states);
    }
}

void QtMenuBinder::UpdateIdleActions()
{
    std::erase_if(actions_, [](const QPointer<QAction>& a) { return a.isNull(); });
    std::erase_if(toolbarActions_, [](const QPointer<QAction>& a) { return a.isNull(); });
    std::map<int, CmdUI> states;
    for (const QPointer<QAction>& action : actions_) {
        const bool onToolbar = std::find(toolbarActions_.begin(), toolbarActions_.end(), action) != toolbarActions_.end();
        if (!onToolbar && action->shortcut().isEmpty())
            continue;
        Apply(*action, states);
    }
}

std::vector<QAction*> QtMenuBinder::ActionsFor(int id) const
{
    std::vector<QAction*> out;
    for (const QPointer<QAction>& action : actions_)
        if (action && action->data().toInt() == id)
            out.push_back(action.data());
    return out;
}

int QtMenuBinder::BarAcceleratorCommand(const QMenuBar& bar, const QKeySequence& keys) const
{
    for (const QPointer<QAction>& action : actions_) {
        if (!action || action->shortcut() != keys || !action->data().isValid())
            continue;
        const QObject* owner = action->parent();
        while (owner && owner != &bar)
            owner = owner->parent();
        const int id = action->data().toInt();
        if (owner && router_.Update(id).IsEnabled())
            return id;
    }
    return 0;
}

void QtMenuBinder::Run(int id)
{
    // The item may show a state older than the program's: ask again.
    if (!router_.Update(id).IsEnabled())
        return;
    router_.Execute(id);
}
