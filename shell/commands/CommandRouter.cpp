#include "shell/commands/CommandRouter.h"

#include <algorithm>

std::vector<const CommandMap*> CommandRouter::Chain() const {
    std::vector<const CommandMap*> chain;
    if (m_activeTargets)
        chain = m_activeTargets();
    chain.push_back(m_frame);
    chain.push_back(m_app);
    std::erase(chain, nullptr);
    return chain;
}

bool CommandRouter::IsPending(UINT id) const {
    return std::find(m_pending.begin(), m_pending.end(), id) != m_pending.end();
}

bool CommandRouter::Execute(UINT id) const {
    for (const CommandMap* target : Chain()) {
        const CommandMap::Entry* entry = target->Find(id);
        if (entry && entry->handler) {
            // A copy: the handler may destroy the target that holds it (closing a window).
            CommandMap::RangeHandler handler = entry->handler;
            if (!m_before || m_before(id))
                handler(id);
            return true;
        }
    }
    return false;
}

CmdUI CommandRouter::Update(UINT id) const {
    CmdUI ui;
    ui.id = id;
    bool handled = false;
    for (const CommandMap* target : Chain()) {
        const CommandMap::Entry* entry = target->Find(id);
        if (!entry)
            continue;
        if (entry->update) {
            ui.enabled = true;
            entry->update(ui);
            return ui;
        }
        handled = handled || static_cast<bool>(entry->handler);
    }
    ui.enabled = handled;
    return ui;
}

bool CommandRouter::IsRouted(UINT id) const {
    if (IsPending(id))
        return true;
    const auto chain = Chain();
    return std::any_of(chain.begin(), chain.end(),
                       [id](const CommandMap* target) { return target->Find(id) != nullptr; });
}
