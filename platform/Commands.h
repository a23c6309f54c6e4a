#pragma once
// Menu and toolbar commands: numeric command ids, the handlers that run them and the update
// handlers that decide how their items look (enabled, checked, radio mark, text).
//
// Each command target (view, document, frame, application) fills a CommandTable. A
// CommandRouter asks the targets in order, the view first:
// - running a command: the first target with a handler runs it;
// - updating an item: the first target with an update handler decides; an update handler
//   that leaves the enabled state alone, or no update handler at all, leaves the item
//   enabled when some target has a handler for it and disabled otherwise.
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What an update handler sets on a menu item or toolbar button.
class CmdUI {
public:
    enum class Mark { None, Check, Radio };

    explicit CmdUI(int id) : id_(id) {}
    int Id() const { return id_; }

    void Enable(bool on = true)
    {
        enabled_ = on;
        enableChanged_ = true;
    }
    // 0 clear, 1 checked, 2 indeterminate (shown as checked).
    void SetCheck(int state = 1)
    {
        mark_ = Mark::Check;
        checked_ = state != 0;
    }
    // A round mark instead of a tick; off clears it.
    void SetRadio(bool on = true)
    {
        mark_ = Mark::Radio;
        checked_ = on;
    }
    void SetText(std::string text) { text_ = std::move(text); }

    bool IsEnabled() const { return enabled_; }
    bool EnableChanged() const { return enableChanged_; }
    Mark GetMark() const { return mark_; }       // None: the handler did not touch the mark
    bool IsChecked() const { return checked_; }
    const std::optional<std::string>& Text() const { return text_; }

private:
    friend class CommandRouter;
    int id_;
    bool enabled_ = false;
    bool enableChanged_ = false;
    Mark mark_ = Mark::None;
    bool checked_ = false;
    std::optional<std::string> text_;
};

class CommandTable {
public:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(int id)>;
    using UpdateHandler = std::function<void(CmdUI&)>;

    // A later registration for the same id replaces the earlier one. Single ids are looked
    // up before ranges; ranges in the order they were added.
    void OnCommand(int id, Handler handler);
    void OnCommandRange(int firstId, int lastId, RangeHandler handler);
    void OnUpdate(int id, UpdateHandler handler);
    void OnUpdateRange(int firstId, int lastId, UpdateHandler handler);

    bool HasCommand(int id) const;
    bool HasUpdate(int id) const;
    // Runs the handler; false when there is none.
    bool Execute(int id) const;
    // Runs the update handler; false when there is none.
    bool Update(CmdUI& ui) const;

private:
    struct Command {
        int first;
        int last;
        RangeHandler run;
    };
    struct Updater {
        int first;
        int last;
        UpdateHandler run;
    };
    const Command* FindCommand(int id) const;
    const Updater* FindUpdater(int id) const;

    std::vector<Command> commands_;  // single ids have first == last
    std::vector<Updater> updaters_;
};

class CommandRouter {
public:
    // The targets to ask, in order; null entries (a view not built yet) are skipped. Asked
    // afresh at every call, as the targets change while the program runs.
    using Chain = std::function<std::vector<const CommandTable*>()>;

    explicit CommandRouter(Chain chain) : chain_(std::move(chain)) {}
    static CommandRouter Fixed(std::vector<const CommandTable*> tables);

    // True when a target ran the command.
    bool Execute(int id) const;
    // The state of the command's items after the update rules.
    CmdUI Update(int id) const;
    bool HasHandler(int id) const;

private:
    Chain chain_;
};
