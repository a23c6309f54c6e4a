#include "platform/Commands.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using Mark = CmdUI::Mark;

// Four targets asked in the program's order: view, document, frame, application.
struct Targets {
    CommandTable view, doc, frame, app;
    std::vector<std::string> ran;  // "target:id"

    void Handle(CommandTable& t, const std::string& name, int id)
    {
        t.OnCommand(id, [this, name, id] { ran.push_back(name + ":" + std::to_string(id)); });
    }
    CommandRouter Router() { return CommandRouter::Fixed({&view, &doc, nullptr, &frame, &app}); }
};

struct Row {
    int id;
    bool enabled;
    Mark mark;
    bool checked;
    std::string text;     // "" when the handler sets none
    std::string runs;     // "" when no target runs it
};

TEST(CommandRouting, FirstTargetRunsAndFirstUpdateHandlerDecides)
{
    Targets t;
    // 1: the view both handles and updates; the document's handler is never reached.
    t.Handle(t.view, "view", 1);
    t.Handle(t.doc, "doc", 1);
    t.view.OnUpdate(1, [](CmdUI& ui) { ui.SetCheck(1); });
    // 2: a handler further down and no update handler: enabled.
    t.Handle(t.doc, "doc", 2);
    // 3: the view disables what the application handles.
    t.Handle(t.app, "app", 3);
    t.view.OnUpdate(3, [](CmdUI& ui) { ui.Enable(false); });
    // 4: nobody knows it.
    // 5: an update handler enables a command nobody handles.
    t.frame.OnUpdate(5, [](CmdUI& ui) { ui.Enable(true); });
    // 6: an update handler that only checks, and no handler: disabled but checked.
    t.doc.OnUpdate(6, [](CmdUI& ui) { ui.SetCheck(2); });
    // 7: a radio mark from the document for an application command.
    t.doc.OnUpdate(7, [](CmdUI& ui) { ui.SetRadio(true); });
    t.Handle(t.app, "app", 7);
    // 8: the first update handler wins even when a later one would disable.
    t.view.OnUpdate(8, [](CmdUI& ui) {
        ui.SetText("Table des points &horaires");
        ui.SetCheck(0);
    });
    t.frame.OnUpdate(8, [](CmdUI& ui) { ui.Enable(false); });
    t.Handle(t.frame, "frame", 8);

    const Row rows[] = {
        {1, true, Mark::Check, true, "", "view:1"},
        {2, true, Mark::None, false, "", "doc:2"},
        {3, false, Mark::None, false, "", "app:3"},
        {4, false, Mark::None, false, "", ""},
        {5, true, Mark::None, false, "", ""},
        {6, false, Mark::Check, true, "", ""},
        {7, true, Mark::Radio, true, "", "app:7"},
        {8, true, Mark::Check, false, "Table des points &horaires", "frame:8"},
    };
    const CommandRouter router = t.Router();
    for (const Row& r : rows) {
        const CmdUI ui = router.Update(r.id);
        EXPECT_EQ(ui.IsEnabled(), r.enabled) << r.id;
        EXPECT_EQ(ui.GetMark(), r.mark) << r.id;
        EXPECT_EQ(ui.IsChecked(), r.checked) << r.id;
        EXPECT_EQ(ui.Text().value_or(""), r.text) << r.id;
        t.ran.clear();
        EXPECT_EQ(router.Execute(r.id), !r.runs.empty()) << r.id;
        EXPECT_EQ(t.ran, r.runs.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.runs}) << r.id;
    }
}

TEST(CommandRouting, RangesAndSingleIds)
{
    Targets t;
    int step = 15;
    // The azimuth-step items: one handler and one update handler for the whole range.
    t.view.OnCommandRange(32948, 32944, [&](int id) {
        const int steps[] = {5, 10, 15, 30, 45};
        step = steps[id - 32944];
    });
    t.view.OnUpdateRange(32944, 32948, [&](CmdUI& ui) {
        const int steps[] = {5, 10, 15, 30, 45};
        ui.SetCheck(steps[ui.Id() - 32944] == step);
    });
    // A single id in the same table overrides the range.
    t.Handle(t.view, "view", 32946);
    const CommandRouter router = t.Router();

    EXPECT_TRUE(router.Update(32946).IsChecked());
    EXPECT_TRUE(router.Execute(32947));
    EXPECT_EQ(step, 30);
    EXPECT_TRUE(router.Update(32947).IsChecked());
    EXPECT_FALSE(router.Update(32944).IsChecked());
    EXPECT_TRUE(router.Execute(32946));
    EXPECT_EQ(step, 30);
    EXPECT_EQ(t.ran, (std::vector<std::string>{"view:32946"}));
    EXPECT_FALSE(router.Execute(32943));
    EXPECT_FALSE(router.Execute(32949));
    EXPECT_FALSE(router.Update(32949).IsEnabled());
}

TEST(CommandRouting, TheChainIsAskedAfreshAndHandlersMayRebuildTheirTable)
{
    Targets t;
    std::vector<const CommandTable*> chain = {&t.frame, &t.app};
    const CommandRouter router([&] { return chain; });
    t.Handle(t.app, "app", 57602);
    t.Handle(t.view, "view", 57602);
    EXPECT_TRUE(router.Execute(57602));
    chain.insert(chain.begin(), &t.view);  // a view now exists
    EXPECT_TRUE(router.Execute(57602));
    EXPECT_EQ(t.ran, (std::vector<std::string>{"app:57602", "view:57602"}));

    // A handler that replaces itself while it runs (a menu rebuilt by a language change).
    int calls = 0;
    t.frame.OnCommand(32968, [&] {
        ++calls;
        t.frame.OnCommand(32968, [&] { calls += 100; });
        t.frame.OnCommandRange(1, 50000, [&](int) {});
    });
    EXPECT_TRUE(router.Execute(32968));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(router.Execute(32968));
    EXPECT_EQ(calls, 101);
}

}  // namespace
