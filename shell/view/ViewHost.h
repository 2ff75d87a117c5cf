#pragma once
// What a drawing view asks of the main window it sits in: the toolbar's zoom box, command
// updates and routing, the status bar's prompt, opening dropped files and the Find dialog.
// The main frame provides it; a view without one (on its own in a test) does without.

#include <string>
#include <vector>

#include "platform/Types.h"

class CDlgFind;
class QComboBox;
class QString;
class QWidget;

class IViewHost {
public:
    virtual ~IViewHost() = default;

    // The zoom box of the toolbar, or null.
    virtual QComboBox* ZoomBox() const = 0;
    // Brings the commands' menu items, buttons and controls up to date soon.
    virtual void ScheduleCommandUpdate() = 0;
    // Runs a command as the menus would.
    virtual void ExecuteCommand(UINT id) = 0;
    // Runs a command as its accelerator would: only while it is enabled.
    virtual void TriggerCommand(UINT id) = 0;
    // Shows a prompt in the status bar; an empty text clears it.
    virtual void ShowPrompt(const QString& text) = 0;
    // Opens dropped or given files in order.
    virtual void OpenFiles(const std::vector<std::string>& paths) = 0;
    // The "Find" dialog, made on first use; the dialog when it was made, else null.
    virtual CDlgFind& findDialog() = 0;
    virtual const CDlgFind* existingFindDialog() const = 0;
};

// The host of the window that widget sits in, or null.
IViewHost* ViewHostOf(const QWidget* widget);
