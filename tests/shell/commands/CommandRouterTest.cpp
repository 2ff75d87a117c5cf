#include "shell/commands/CommandRouter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Chain {
    CommandMap view, document, child, frame, app;
    CommandRouter router;
    bool childActive = true;

    Chain() {
        router.SetActiveTargets([this] {
            return childActive ? std::vector<const CommandMap*>{&view, &document, &child}
                               : std::vector<const CommandMap*>{};
        });
        router.SetFrameTarget(&frame);
        router.SetApplicationTarget(&app);
    }
};

}  // namespace

TEST(CommandRouter, RunsTheFirstHandlerFromViewToApplication) {
    Chain c;
    std::string ran;
    c.app.On(1, [&] { ran += "app"; });
    c.frame.On(1, [&] { ran += "frame"; });
    c.child.On(1, [&] { ran += "child"; });
    c.document.On(1, [&] { ran += "old"; });
    c.document.On(1, [&] { ran += "document"; });  // replaces the entry before
    EXPECT_TRUE(c.router.Execute(1));
    EXPECT_EQ(ran, "document");
    c.view.On(1, [&] { ran += "view"; });
    EXPECT_TRUE(c.router.Execute(1));
    EXPECT_EQ(ran, "documentview");
    // Without an active child frame the frame and the application remain.
    c.childActive = false;
    EXPECT_TRUE(c.router.Execute(1));
    EXPECT_EQ(ran, "documentviewframe");
    EXPECT_FALSE(c.router.Execute(2));

    UINT got = 0;  // range handlers are told the id
    c.frame.OnRange(10, 20, [&](UINT id) { got = id; });
    EXPECT_TRUE(c.router.Execute(17));
    EXPECT_EQ(got, 17u);
    EXPECT_FALSE(c.router.Execute(21));
}

TEST(CommandRouter, UpdateTakesTheFirstUpdateHandlerElseEnablesHandledCommands) {
    Chain c;
    c.app.On(1, [] {});
    EXPECT_TRUE(c.router.Update(1).enabled);
    EXPECT_FALSE(c.router.Update(1).checked.has_value());
    EXPECT_FALSE(c.router.Update(99).enabled);

    // A target with only a handler does not stop the search for an update handler.
    c.view.On(2, [] {});
    c.frame.OnUpdate(2, [](CmdUI& ui) {
        ui.SetCheck(true);
        ui.SetText("Checked");
    });
    CmdUI ui = c.router.Update(2);
    EXPECT_TRUE(ui.enabled);
    EXPECT_EQ(ui.checked, true);
    EXPECT_EQ(ui.text, "Checked");
    c.document.OnUpdate(2, [](CmdUI& ui) { ui.Enable(false); });
    EXPECT_FALSE(c.router.Update(2).enabled);
    c.view.OnUpdate(3, [](CmdUI&) {});
    EXPECT_FALSE(c.router.Execute(3)) << "an update-only entry handles nothing";

    // Pending commands are routed but disabled until a handler comes.
    const UINT pending[] = {5};
    c.router.SetPendingCommands(pending);
    EXPECT_TRUE(c.router.IsRouted(5));
    EXPECT_FALSE(c.router.IsRouted(6));
    EXPECT_FALSE(c.router.Update(5).enabled);
    EXPECT_FALSE(c.router.Execute(5));
    c.view.On(5, [] {});
    EXPECT_TRUE(c.router.Update(5).enabled);
    EXPECT_TRUE(c.router.Execute(5));
}

TEST(CommandRouter, AHandlerMayDestroyTheTargetThatHoldsIt) {
    CommandRouter router;
    auto child = std::make_unique<CommandMap>();
    int after = 0;
    child->On(1, [&] {
        child.reset();  // closing the window that handles the command
        after = 42;
    });
    router.SetActiveTargets([&] {
        return child ? std::vector<const CommandMap*>{child.get()}
                     : std::vector<const CommandMap*>{};
    });
    EXPECT_TRUE(router.Execute(1));
    EXPECT_EQ(after, 42);
    EXPECT_FALSE(router.Execute(1));
}
