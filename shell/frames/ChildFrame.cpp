#include "shell/frames/ChildFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QTimer>

#include "model/app/SchematicApp.h"
#include "resources/CommandIds.h"
#include "shell/app/WindowPlacement.h"
#include "shell/frames/MdiCascade.h"

CChildFrame::CChildFrame(UINT menuId, QWidget* parent) : QMdiSubWindow(parent), m_menuId(menuId) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/icons/document.svg"));
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CChildFrame::TrackShowCommand);
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CChildFrame::EnsureOpeningSize);
    // Ctrl+F4 and Ctrl+F6 are the window commands of the menus; the system menu must not
    // claim the same keys.
    if (QMenu* system = systemMenu()) {
        for (QAction* action : system->actions())
            action->setShortcuts({});
    }
    m_commands.On(ID_WINDOW_CLOSE, [this] { close(); });
    m_commands.On(ID_WINDOW_NEXT, [this] {
        if (mdiArea())
            mdiArea()->activateNextSubWindow();
    });
    m_commands.On(ID_WINDOW_PREVIOUS, [this] {
        if (mdiArea())
            mdiArea()->activatePreviousSubWindow();
    });
}

CChildFrame::~CChildFrame() {
    LeaveArea();
    delete m_view.data();
}

void CChildFrame::setView(QWidget* view) {
    SetViewWidget(view);
    setWidget(view);
}

void CChildFrame::SetViewWidget(QWidget* view) {
    m_view = view;
    const auto* target = dynamic_cast<const CommandTarget*>(view);
    m_viewCommands = target ? &target->Commands() : nullptr;
}

std::vector<const CommandMap*> CChildFrame::RoutingTargets() const {
    return {m_viewCommands, m_documentCommands, &m_commands};
}

void CChildFrame::ActivateFrame(int showCmd) {
    if (showCmd == -1)
        showCmd = SavedShowCommand();
    ShowWithCommand(*this, showCmd);
    if (showCmd != SW_HIDE && mdiArea())
        mdiArea()->setActiveSubWindow(this);
}

void CChildFrame::PlaceInCascade(int index) {
    m_cascadeIndex = index;
    if (QMdiArea* area = mdiArea())
        setGeometry(CascadeRect(*area, index));
}

void CChildFrame::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    EnsureOpeningSize();
}

void CChildFrame::EnsureOpeningSize() {
    if (m_openedRestored || !isVisible() ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return;
    m_openedRestored = true;
    QMdiArea* area = mdiArea();
    if (!area || m_cascadeIndex < 0)
        return;
    const QRect place = CascadeRect(*area, m_cascadeIndex);
    if (width() < place.width() || height() < place.height())
        setGeometry(place);
}

void CChildFrame::LeaveArea() {
    // The sub-window leaves its maximised state as it goes, which is no choice of the user's;
    // when deleted, this part of it is gone by then.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
    QMdiArea* area = mdiArea();
    if (!area)
        return;
    const bool maximised = isMaximized();
    // The area picks the window that follows by its activation order; the frames keep theirs
    // (Window > Next goes by creation) and take the history only for this.
    const QMdiArea::WindowOrder order = area->activationOrder();
    area->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    area->removeSubWindow(this);
    area->setActivationOrder(order);
    QMdiSubWindow* next = area->currentSubWindow();
    if (next && maximised)
        next->showMaximized();
}

void CChildFrame::TrackShowCommand() {
    // The area restores the maximised window it leaves and maximises the one it switches to, and
    // a new window turns active before it is maximised: the state the user chose is the one the
    // current window is left in once the change is done.
    QTimer::singleShot(0, this, [this] {
        CSchematicApp* app = GetApp();
        const QMdiArea* area = mdiArea();
        if (!app || !area || area->currentSubWindow() != this || !isVisible() || isMinimized())
            return;
        app->FrameSettings.SetShowCommand(isMaximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    });
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    LeaveArea();
    QMdiSubWindow::closeEvent(event);
}

int CChildFrame::SavedShowCommand() {
    const CSchematicApp* app = GetApp();
    return app ? app->FrameSettings.ShowCommand() : SW_SHOWMAXIMIZED;
}
