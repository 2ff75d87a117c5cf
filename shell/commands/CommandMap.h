#pragma once
// The command handlers of one command target (a view, a document, a frame or the
// application): what a command does and how its menu item and button look right now.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Types.h"

// The state of a command's menu items and buttons, filled by update handlers.
struct CmdUI {
    UINT id = 0;
    bool enabled = false;
    std::optional<bool> checked;      // unset: the handler says nothing about the check mark
    std::optional<std::string> text;  // unset: the item keeps its text

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on = true) { checked = on; }
    void SetText(std::string newText) { text = std::move(newText); }
};

class CommandMap {
public:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(UINT id)>;
    using UpdateHandler = std::function<void(CmdUI&)>;

    struct Entry {
        UINT first;
        UINT last;
        RangeHandler handler;  // empty for an entry that only updates
        UpdateHandler update;  // empty: enabled while the handler exists
    };

    // Handles id; an existing entry for the same ids is replaced.
    void On(UINT id, Handler handler, UpdateHandler update = {});
    // Handles first..last with one handler that is told the id.
    void OnRange(UINT first, UINT last, RangeHandler handler, UpdateHandler update = {});
    // Only decides how id looks; the command is handled elsewhere.
    void OnUpdate(UINT id, UpdateHandler update);

    // Each handler of a command that runs first says yes to runs first before it.
    void Precede(const std::function<bool(UINT first)>& runsFirst, const Handler& first);

    // The entry covering id, or null.
    const Entry* Find(UINT id) const;

private:
    void Add(Entry entry);

    std::vector<Entry> m_entries;
};

// A window that brings its own command handlers (a view); its frame routes commands to it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual const CommandMap& Commands() const = 0;
};
