#pragma once
// The application's first look at every event, before any window sees it:
// - while the splash window shows, a key or mouse press only closes it;
// - a function key bound to a command (the function-key table) is taken away from the
//   widgets and their shortcuts, and its command is queued; not while a modal dialog or a
//   popup is open, where a command could change a document under the dialog;
// - user input restarts the idle work;
// - every dialog opens wide enough to show its whole title (DialogTitle.h).

#include <QObject>
#include <functional>

#include "platform/Types.h"

struct FunctionKeyTable;
class QKeyEvent;

class CAppEventFilter : public QObject {
public:
    // postCommand queues a command id for the command router; onInput is told of user input.
    CAppEventFilter(const FunctionKeyTable& keys, std::function<void(UINT id)> postCommand,
                    std::function<void()> onInput, QObject* parent = nullptr);

    // The command bound to the key of event, 0 for none (also for unbindable keys and for
    // keys with Alt or Meta).
    UINT BoundCommand(const QKeyEvent& event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FilterFunctionKey(QEvent* event);

    const FunctionKeyTable& m_keys;
    std::function<void(UINT)> m_postCommand;
    std::function<void()> m_onInput;
};
