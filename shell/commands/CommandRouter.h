#pragma once
// Routes commands to their handlers: the active view first, then its document, its child
// frame, the main frame and last the application. The first target with a handler runs the
// command; the first target with an update handler decides how its items look, and without
// one an item is enabled while some target handles it.

#include <functional>
#include <span>
#include <vector>

#include "shell/commands/CommandMap.h"

class CommandRouter {
public:
    // The active child frame's targets in routing order (view, document, frame); nulls are
    // skipped. Asked anew for every command, so it follows the active window.
    using ActiveTargets = std::function<std::vector<const CommandMap*>()>;

    void SetActiveTargets(ActiveTargets targets) { m_activeTargets = std::move(targets); }
    void SetFrameTarget(const CommandMap* frame) { m_frame = frame; }
    void SetApplicationTarget(const CommandMap* app) { m_app = app; }
    // What runs before every handled command, whatever its target; the command runs only when
    // it answers true.
    void SetBeforeCommand(std::function<bool(UINT id)> before) { m_before = std::move(before); }
    // Commands known to exist whose handlers are registered later; they stay disabled
    // until then.
    void SetPendingCommands(std::span<const UINT> ids) { m_pending.assign(ids.begin(), ids.end()); }

    // Runs the handler of id; false when no target handles it. A handled command that its
    // before step stops counts as handled.
    bool Execute(UINT id) const;
    // How the items of id look now.
    CmdUI Update(UINT id) const;
    // Whether some target handles or updates id, or it is pending.
    bool IsRouted(UINT id) const;

private:
    std::vector<const CommandMap*> Chain() const;
    bool IsPending(UINT id) const;

    ActiveTargets m_activeTargets;
    const CommandMap* m_frame = nullptr;
    const CommandMap* m_app = nullptr;
    std::function<bool(UINT id)> m_before;
    std::vector<UINT> m_pending;
};
