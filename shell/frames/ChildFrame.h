#pragma once
// A document window inside the main frame. It names the menu bar shown while it is active,
// handles the window commands (close, next, previous) and passes commands on to its view and
// document. All drawing and output windows open the way the user last left one: maximised
// or restored ("Settings"/"ShowCmd"); restored, a window is at least as large as its place in
// the area's cascade. A window that goes hands the activation back to the one used before it,
// and its maximised state with it.

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <vector>

#include "platform/Types.h"
#include "shell/commands/CommandMap.h"

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // menuId is the menu bar shown while the frame is active (IDR_SCHEMATIC, ...).
    explicit CChildFrame(UINT menuId, QWidget* parent = nullptr);
    // The view goes first, before the frame tells anyone (destroyed) that it is gone.
    ~CChildFrame() override;

    UINT menuId() const { return m_menuId; }

    // The view shown in the frame; the frame owns it.
    virtual void setView(QWidget* view);
    QWidget* view() const { return m_view.data(); }

    // Command targets in routing order: the view's, the document's, then the frame's own.
    // The view and the document keep their maps; null removes one.
    void setViewCommands(const CommandMap* commands) { m_viewCommands = commands; }
    void setDocumentCommands(const CommandMap* commands) { m_documentCommands = commands; }
    CommandMap& commands() { return m_commands; }
    std::vector<const CommandMap*> RoutingTargets() const;

    // Asked before the frame closes (the document's save prompt); false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

    // Shows the frame with showCmd; -1 means the saved show command.
    virtual void ActivateFrame(int showCmd = -1);

    // Places the frame as window number index of its area's cascade. The place is taken
    // again when the frame first shows restored smaller than that, for the area may have had
    // no size of its own yet (before the main window showed).
    void PlaceInCascade(int index);

    // How new frames are shown: the application's shared show command, which follows the user's
    // last restore or maximise; maximised when there is no application.
    static int SavedShowCommand();

signals:
    // A popup menu of the menu table is asked for at a global position; rightAligned puts
    // the menu's right edge there.
    void popupMenuRequested(UINT menuId, const QPoint& position, bool rightAligned);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Records view as the frame's view without placing it.
    // The view's own commands, when it has any, come first in the routing.
    void SetViewWidget(QWidget* view);

private:
    // Once a change of window states is done, the current frame's restored or maximised state
    // becomes the shared show command; minimised changes nothing.
    void TrackShowCommand();
    // Once, when the frame is first seen restored: no smaller than its cascade place.
    void EnsureOpeningSize();
    // Closed or deleted, the frame leaves its area; when it was active, the frame active before
    // it takes over (the order of activation, not of creation), maximised when this one was.
    void LeaveArea();

    UINT m_menuId;
    QPointer<QWidget> m_view;
    const CommandMap* m_viewCommands = nullptr;
    const CommandMap* m_documentCommands = nullptr;
    CommandMap m_commands;
    std::function<bool()> m_closeGuard;
    int m_cascadeIndex = -1;  // -1 while the frame has no place in a cascade
    bool m_openedRestored = false;
};
