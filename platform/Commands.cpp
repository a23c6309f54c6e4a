#include "platform/Commands.h"

#include <algorithm>

namespace {

template <typename Entry>
void Replace(std::vector<Entry>& entries, Entry entry)
{
    // A single id overrides an identical single registration; ranges stack.
    if (entry.first == entry.last) {
        for (auto& e : entries) {
            if (e.first == entry.first && e.last == entry.last) {
                e = std::move(entry);
                return;
            }
        }
    }
    entries.push_back(std::move(entry));
}

template <typename Entry>
const Entry* Find(const std::vector<Entry>& entries, int id)
{
    for (const auto& e : entries)
        if (e.first == id && e.last == id)
            return &e;
    for (const auto& e : entries)
        if (e.first != e.last && id >= e.first && id <= e.last)
            return &e;
    return nullptr;
}

}  // namespace

void CommandTable::OnCommand(int id, Handler handler)
{
    Replace(commands_, Command{id, id, [h = std::move(handler)](int) { h(); }});
}

void CommandTable::OnCommandRange(int firstId, int lastId, RangeHandler handler)
{
    if (firstId > lastId)
        std::swap(firstId, lastId);
    Replace(commands_, Command{firstId, lastId, std::move(handler)});
}

void CommandTable::OnUpdate(int id, UpdateHandler handler) { Replace(updaters_, Updater{id, id, std::move(handler)}); }

void CommandTable::OnUpdateRange(int firstId, int lastId, UpdateHandler handler)
{
    if (firstId > lastId)
        std::swap(firstId, lastId);
    Replace(updaters_, Updater{firstId, lastId, std::move(handler)});
}

const CommandTable::Command* CommandTable::FindCommand(int id) const { return Find(commands_, id); }

const CommandTable::Updater* CommandTable::FindUpdater(int id) const { return Find(updaters_, id); }

bool CommandTable::HasCommand(int id) const { return FindCommand(id) != nullptr; }

bool CommandTable::HasUpdate(int id) const { return FindUpdater(id) != nullptr; }

bool CommandTable::Execute(int id) const
{
    const Command* c = FindCommand(id);
    if (!c)
        return false;
    // A copy: the handler may rebuild this table while it runs.
    const RangeHandler run = c->run;
    run(id);
    return true;
}

bool CommandTable::Update(CmdUI& ui) const
{
    const Updater* u = FindUpdater(ui.Id());
    if (!u)
        return false;
    const UpdateHandler run = u->run;
    run(ui);
    return true;
}

CommandRouter CommandRouter::Fixed(std::vector<const CommandTable*> tables)
{
    return CommandRouter([tables = std::move(tables)] { return tables; });
}

bool CommandRouter::Execute(int id) const
{
    for (const CommandTable* t : chain_())
        if (t && t->Execute(id))
            return true;
    return false;
}

bool CommandRouter::HasHandler(int id) const
{
    const auto tables = chain_();
    return std::any_of(tables.begin(), tables.end(), [id](const CommandTable* t) { return t && t->HasCommand(id); });
}

CmdUI CommandRouter::Update(int id) const
{
    CmdUI ui(id);
    for (const CommandTable* t : chain_())
        if (t && t->Update(ui))
            break;
    if (!ui.enableChanged_)
        ui.enabled_ = HasHandler(id);
    return ui;
}
