#include "shell/frames/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "drawtools/ToolManager.h"
#include "gui/dialogs/device/DlgDevice.h"
#include "gui/dialogs/options/OptionsSheet.h"
#include "gui/drc/DlgDrcRun.h"
#include "gui/kit/FontFaces.h"
#include "gui/library/DlgFind.h"
#include "gui/library/LibraryBar.h"
#include "gui/library/PaletteWnd.h"
#include "gui/library/TreeBar.h"
#include "model/app/SchematicApp.h"
#include "platform/AppIdentity.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/MenuTable.h"
#include "resources/ToolbarTable.h"
#include "shell/app/SplashWnd.h"
#include "shell/app/WindowPlacement.h"
#include "shell/commands/AcceleratorKeys.h"
#include "shell/commands/CommandActions.h"
#include "shell/commands/GestureCommands.h"
#include "shell/commands/TableMenus.h"
#include "shell/commands/ToolMenuEntries.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/MdiCascade.h"
#include "shell/frames/StatusBar.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/help/HelpService.h"
#include "shell/output/OutputEdit.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/toolbar/ToolbarBuilder.h"
#include "shell/toolbar/ToolbarPopups.h"
#include "shell/view/DrawView.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {

constexpr const char kGeneratedProperty[] = "voskGeneratedItem";
constexpr char kDockStateSection[] = "Toolbars";
constexpr char kDockStateEntry[] = "DockState";
// The status bar is one of the bars, but not of the toolbars' and docking bars' state.
constexpr char kStatusBarEntry[] = "StatusBar";
constexpr int kMaxWindowListEntries = ID_WINDOW_CHILD_LAST - ID_WINDOW_CHILD_FIRST + 1;

QRect ToQRect(const RECT& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

RECT ToRECT(const QRect& r) {
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

// rect moved and if need be shrunk into area.
QRect ClampToArea(QRect rect, const QRect& area) {
    rect.setWidth(std::min(rect.width(), area.width()));
    rect.setHeight(std::min(rect.height(), area.height()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

void RemoveGeneratedItems(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->property(kGeneratedProperty).toBool()) {
            menu->removeAction(action);
            delete action;
        }
    }
}

QAction* InsertGeneratedItem(QMenu* menu, QAction* before, const QString& text, UINT id) {
    auto* action = new QAction(text, menu);
    action->setProperty(kGeneratedProperty, true);
    CommandActions::TagWithId(action, id);
    menu->insertAction(before, action);
    return action;
}

}  // namespace

CMainFrame::CMainFrame(SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_actions(new CommandActions(m_router, this)),
      m_mdiArea(new QMdiArea(this)),
      m_updateTimer(new QTimer(this)) {
    Q_INIT_RESOURCE(resources);  // the icons, compiled into this static library
    setObjectName("mainFrame");
    setWindowTitle(kApplicationTitle);
    setWindowIcon(QIcon(":/icons/vosk.svg"));
    setAcceptDrops(true);
    m_mdiArea->setObjectName("mdiArea");
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    // The area watches every key of the program for Ctrl+Tab, even in a dialog over it: it is
    // given only those of this window (see eventFilter).
    qApp->removeEventFilter(m_mdiArea);

    m_router.SetActiveTargets([this] {
        CChildFrame* child = ActiveChildFrame();
        return child ? child->RoutingTargets() : std::vector<const CommandMap*>();
    });
    m_router.SetFrameTarget(&m_commands);
    m_router.SetBeforeCommand([this](UINT id) { return EndGestureBefore(id); });
    m_router.SetPendingCommands(PendingCommandIds());

    CSplashWnd::ShowSplashScreen(this);
    CreateToolbars();
    m_statusBar = new CStatusBar(this);
    setStatusBar(m_statusBar);
    connect(m_statusBar, &CStatusBar::unitsPaneClicked, this, [this] {
        if (m_toggleUnits)
            m_toggleUnits();
    });
    CreateBars();
    RegisterCommands();
    // Accelerators work whichever menu bar is showing; the view's own keys work in the view.
    for (const CommandInfo& info : AllCommands()) {
        if (!WindowShortcutsOf(info).isEmpty())
            addAction(m_actions->Action(info.id));
    }
    SetMenuBar(IDR_MAINFRAME);

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnChildActivated);
    connect(m_actions, &CommandActions::commandExecuted, this, &CMainFrame::ScheduleCommandUpdate);
    m_updateTimer->setSingleShot(true);
    m_updateTimer->setInterval(0);
    connect(m_updateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    qApp->installEventFilter(this);
    resize(1024, 720);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The children outlive this part of the object; their signals must not reach it.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void CMainFrame::CreateToolbars() {
    for (const ToolbarInfo& info : AllToolbars()) {
        QToolBar* bar = BuildToolbar(info, *m_actions, this);
        const bool text = info.resourceId == IDR_TEXT_TOOLBAR;
        bar->setAllowedAreas(text ? Qt::AllToolBarAreas
                                  : Qt::TopToolBarArea | Qt::BottomToolBarArea);
        // The text toolbar, hidden at the start, gets a row of its own: shown, it must not
        // crowd the other bars (a saved dock state then keeps the rows the user made).
        if (text)
            addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setVisible(info.visibleAtStart);
        m_toolbars.emplace(info.resourceId, bar);
    }
    FillToolbarCombos();
    AttachToolbarPopups(m_toolbars.at(IDR_MAIN_TOOLBAR), m_toolbars.at(IDR_DRAWING_TOOLBAR),
                        [this] {
                            CChildFrame* child = ActiveChildFrame();
                            return child ? child->view() : nullptr;
                        });
    CreatePalettes();
}

void CMainFrame::CreatePalettes() {
    QToolBar* drawing = m_toolbars.at(IDR_DRAWING_TOOLBAR);
    const UINT ids[] = {ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4};
    for (int i = 0; i < kPaletteCount; ++i) {
        auto* palette = new CPaletteWnd(m_settings, this);
        palette->CreatePalette(kFirstPaletteId + i);
        connect(palette, &CPaletteWnd::placeObjects, this, &CMainFrame::PlaceObjects);
        m_palettes[i] = palette;
        auto* button = drawing->findChild<CDropDownButton*>(QString("dropDown%1").arg(ids[i]));
        connect(button, &CDropDownButton::dropDownRequested, palette, [palette, button] {
            if (palette->isVisible())
                palette->hide();
            else
                palette->TrackDropDown(button);
        });
        m_commands.OnUpdate(ids[i], [palette](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(palette->isVisible());
        });
    }
}

void CMainFrame::PlaceObjects(const CObList& objects) {
    activateWindow();
    CChildFrame* child = ActiveChildFrame();
    if (auto* view = child ? qobject_cast<CDrawView*>(child->view()) : nullptr)
        view->PlaceObjects(objects);
}

void CMainFrame::FillToolbarCombos() {
    auto* zoom = static_cast<QComboBox*>(m_actions->Control(ID_ZOOM_BOX));
    zoom->setEditable(true);
    zoom->setInsertPolicy(QComboBox::NoInsert);
    zoom->addItems({"50%", "75%", "100%", "200%", "400%"});
    zoom->setCurrentText("100%");
    auto focusView = [this] {
        if (CChildFrame* child = ActiveChildFrame(); child && child->view())
            child->view()->setFocus();
    };
    // A factor chosen from the list applies at once and gives the focus back to the view.
    connect(zoom, &QComboBox::activated, this, [this, focusView] {
        m_router.Execute(ID_ZOOM_BOX);
        focusView();
    });
    // Typed text applies when the typing ends, also when the completion made it a factor of
    // the list; the text the box was given to show applies nothing, else leaving the box would
    // undo every zoom made since.
    connect(zoom->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (m_actions->TakeTypedText(ID_ZOOM_BOX))
            m_router.Execute(ID_ZOOM_BOX);
    });
    connect(zoom->lineEdit(), &QLineEdit::returnPressed, this, focusView);

    auto* face = static_cast<QComboBox*>(m_actions->Control(ID_TEXT_FACE));
    face->addItems(TextToolbarFaces());
    auto* size = static_cast<QComboBox*>(m_actions->Control(ID_TEXT_SIZE));
    for (int points : {7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        size->addItem(QString::number(points));
}

void CMainFrame::CreateBars() {
    auto* library = new CLibraryBar;
    library->SetPlaceHandler([this](const CObList& objects) { PlaceObjects(objects); });
    m_workspace = new CWorkspaceBar(this, library, new CTreeBar, new CDlgDrcRun);
    m_workspace->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, m_workspace);
    m_workspace->SetDockedWidth(m_workspace->StoredWidth());

    m_output = new CResizableBar("Output", ID_BAR_OUTPUT, this);
    m_output->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_outputEdit = new COutputEdit(m_output);
    m_outputEdit->setObjectName("outputEdit");
    m_output->setWidget(m_outputEdit);
    addDockWidget(Qt::BottomDockWidgetArea, m_output);
    m_output->SetDockedHeight(m_output->StoredHeight());
    m_output->hide();
    for (QDockWidget* bar :
         {static_cast<QDockWidget*>(m_workspace), static_cast<QDockWidget*>(m_output)})
        connect(bar, &QDockWidget::visibilityChanged, this, &CMainFrame::ScheduleCommandUpdate);
}

void CMainFrame::RegisterBarToggle(UINT id, QWidget* bar) {
    m_commands.On(
        id, [this, bar] { bar->setVisible(!bar->isVisibleTo(this)); },
        [this, bar](CmdUI& ui) { ui.SetCheck(bar->isVisibleTo(this)); });
}

void CMainFrame::RegisterCommands() {
    RegisterBarToggle(ID_VIEW_TOOLBAR, m_toolbars.at(IDR_MAIN_TOOLBAR));
    RegisterBarToggle(ID_VIEW_DRAWING_BAR, m_toolbars.at(IDR_DRAWING_TOOLBAR));
    RegisterBarToggle(ID_VIEW_TEXT_BAR, m_toolbars.at(IDR_TEXT_TOOLBAR));
    RegisterBarToggle(ID_VIEW_STATUS_BAR, m_statusBar);
    RegisterBarToggle(ID_VIEW_WORKSPACE, m_workspace);
    RegisterBarToggle(ID_VIEW_OUTPUT, m_output);

    m_commands.On(ID_HELP_FINDER, [this] { WinHelp(0, HELP_FINDER); });
    m_commands.On(ID_DEFAULT_HELP, [this] { WinHelp(0, HELP_FINDER); });
    m_commands.On(ID_HELP, [this] { WinHelp(0, HELP_FINDER); });
    m_commands.On(ID_CONTEXT_HELP, [this] { WinHelp(0, HELP_FINDER); });
    m_commands.On(ID_HELP_INDEX, [this] { WinHelp(0, HELP_INDEX); });
    m_commands.On(ID_HELP_USING, [this] { WinHelp(0, HELP_HELPONHELP); });

    m_commands.On(ID_APP_EXIT, [this] { close(); });
    m_commands.On(ID_EDIT_NEW_DEVICE, [this] { CreateNewDevice(this); });
    m_commands.On(
        ID_VIEW_OPTIONS, [this] { ShowOptions(); },
        [](CmdUI& ui) { ui.Enable(GetApp() != nullptr); });
    m_commands.OnRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST,
                       [this](UINT id) { OpenRecentFile(id); });

    auto anyChild = [this](CmdUI& ui) { ui.Enable(!m_mdiArea->subWindowList().isEmpty()); };
    m_commands.On(
        ID_WINDOW_CASCADE, [this] { CascadeWindows(*m_mdiArea); }, anyChild);
    m_commands.On(
        ID_WINDOW_TILE_HORZ, [this] { m_mdiArea->tileSubWindows(); }, anyChild);
    m_commands.On(
        ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); }, anyChild);
    m_commands.OnRange(ID_WINDOW_CHILD_FIRST, ID_WINDOW_CHILD_LAST, [this](UINT id) {
        const auto windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
        const qsizetype index = id - ID_WINDOW_CHILD_FIRST;
        if (index < windows.size())
            m_mdiArea->setActiveSubWindow(windows[index]);
    });
}

QToolBar* CMainFrame::toolbar(UINT resourceId) const {
    auto it = m_toolbars.find(resourceId);
    return it == m_toolbars.end() ? nullptr : it->second;
}

// ---- menus

const std::vector<QMenu*>& CMainFrame::menuBarPopups(UINT menuId) {
    auto it = m_menuBars.find(menuId);
    if (it == m_menuBars.end()) {
        const MenuInfo* info = FindMenu(menuId);
        std::vector<QMenu*> popups =
            info ? BuildMenuBar(*info, *m_actions, this) : std::vector<QMenu*>();
        for (QMenu* popup : popups)
            ConnectMenus(popup);
        it = m_menuBars.emplace(menuId, std::move(popups)).first;
    }
    return it->second;
}

void CMainFrame::SetMenuBar(UINT menuId) {
    if (menuId == m_currentMenu)
        return;
    const std::vector<QMenu*>& popups = menuBarPopups(menuId);
    menuBar()->clear();
    for (QMenu* popup : popups)
        menuBar()->addMenu(popup);
    m_currentMenu = menuId;
}

void CMainFrame::ConnectMenus(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { PrepareMenu(menu); });
    for (QAction* action : menu->actions()) {
        if (action->menu())
            ConnectMenus(action->menu());
    }
}

// Esc on a menu of the bar closes it and, while a text is edited in place, gives the keys back
// to the editor at once instead of to the menu bar, which would take the typing and Return as
// its own.
bool CMainFrame::CloseMenuToTextEdit(QObject* watched, const QEvent& event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || event.type() != QEvent::KeyPress ||
        static_cast<const QKeyEvent&>(event).key() != Qt::Key_Escape ||
        !menuBar()->actions().contains(menu->menuAction()))
        return false;
    CChildFrame* child = ActiveChildFrame();
    auto* view = child ? qobject_cast<CDrawView*>(child->view()) : nullptr;
    if (!view || !view->TextEditor())
        return false;
    menu->hide();
    view->TextEditor()->setFocus();
    return true;
}

void CMainFrame::PrepareMenu(QMenu* menu) {
    const QList<QAction*> items = menu->actions();
    const UINT first = items.isEmpty() ? 0 : CommandActions::IdOf(items.front());
    if (first == ID_TOOL_FIRST || first == ID_SIMULATOR_FIRST) {
        const auto entries = first == ID_TOOL_FIRST ? UserToolMenuEntries(m_settings)
                                                    : SimulatorMenuEntries(m_settings);
        for (QAction* action : items)
            menu->removeAction(action);
        for (const ToolMenuEntry& entry : entries) {
            QAction* action = m_actions->Action(entry.id);
            action->setText(QString::fromStdString(entry.text));
            menu->addAction(action);
        }
    }
    FillRecentFiles(menu);
    FillWindowList(menu);
    for (QAction* action : menu->actions()) {
        if (UINT id = CommandActions::IdOf(action);
            id && !action->property(kGeneratedProperty).toBool())
            m_actions->Update(id);
    }
}

void CMainFrame::FillRecentFiles(QMenu* menu) {
    QAction* anchor = FindDynamicAnchor(menu, MenuItem::kRecentFiles);
    if (!anchor)
        return;
    RemoveGeneratedItems(menu);
    const std::vector<std::string> files =
        m_recentFiles ? m_recentFiles() : std::vector<std::string>();
    if (files.empty()) {
        InsertGeneratedItem(menu, anchor, "Recent File", ID_FILE_MRU_FIRST)->setEnabled(false);
        return;
    }
    const size_t count = std::min<size_t>(files.size(), ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1);
    for (size_t i = 0; i < count; ++i) {
        const UINT id = ID_FILE_MRU_FIRST + static_cast<UINT>(i);
        const QString text = QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(files[i]));
        QAction* action = InsertGeneratedItem(menu, anchor, text, id);
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    }
}

void CMainFrame::FillWindowList(QMenu* menu) {
    QAction* anchor = FindDynamicAnchor(menu, MenuItem::kWindowList);
    if (!anchor)
        return;
    RemoveGeneratedItems(menu);
    const auto windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    const qsizetype count = std::min<qsizetype>(windows.size(), kMaxWindowListEntries);
    for (qsizetype i = 0; i < count; ++i) {
        const UINT id = ID_WINDOW_CHILD_FIRST + static_cast<UINT>(i);
        const QString text = QString("&%1 %2").arg(i + 1).arg(windows[i]->windowTitle());
        QAction* action = InsertGeneratedItem(menu, anchor, text, id);
        action->setCheckable(true);
        action->setChecked(windows[i] == m_mdiArea->currentSubWindow());
        connect(action, &QAction::triggered, this, [this, id] { m_router.Execute(id); });
    }
}

QMenu* CMainFrame::CreateTablePopup(UINT menuId) {
    const MenuInfo* info = FindMenu(menuId);
    if (!info)
        return nullptr;
    QMenu* menu = BuildMenu(QString(), info->items, *m_actions, this);
    PrepareMenu(menu);
    return menu;
}

QMenu* CMainFrame::createPopupMenu() {
    return CreateTablePopup(IDR_BARS_POPUP);
}

void CMainFrame::ShowTablePopup(UINT menuId, const QPoint& position, bool rightAligned) {
    QMenu* menu = CreateTablePopup(menuId);
    if (!menu)
        return;
    QPoint at = position;
    if (rightAligned)
        at.rx() -= menu->sizeHint().width();
    menu->exec(at);
    delete menu;
}

QPoint CMainFrame::ContextMenuPosition(const QContextMenuEvent& event) const {
    if (event.reason() != QContextMenuEvent::Keyboard)
        return event.globalPos();
    const int clientTop = menuBar()->isVisible() ? menuBar()->geometry().bottom() + 1 : 0;
    return mapToGlobal(QPoint(5, clientTop + 5));
}

void CMainFrame::contextMenuEvent(QContextMenuEvent* event) {
    ShowTablePopup(IDR_BARS_POPUP, ContextMenuPosition(*event), false);
}

// ---- commands

void CMainFrame::UpdateCommandUI() {
    m_actions->UpdateAll();
    // The panes that follow the active view; they keep their text while no view answers.
    for (UINT pane : {ID_INDICATOR_CURSOR, ID_INDICATOR_POSITION, ID_INDICATOR_SIZE}) {
        const CmdUI ui = m_router.Update(pane);
        if (ui.text)
            m_statusBar->SetPaneText(pane, QString::fromStdString(*ui.text));
    }
}

void CMainFrame::TriggerCommand(UINT id) {
    m_actions->Update(id);
    m_actions->Action(id)->trigger();
}

void CMainFrame::ScheduleCommandUpdate() {
    m_updateTimer->start();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:  // Ctrl+wheel zooms
        case QEvent::WindowActivate:
            ScheduleCommandUpdate();
            break;
        default:
            break;
    }
    if (CloseMenuToTextEdit(watched, *event))
        return true;
    // Keys pressed in a dialog stay in it: the area switches windows only on those of this one.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if ((!key || (widget && widget->window() == this)) &&
        static_cast<QObject*>(m_mdiArea)->eventFilter(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OpenRecentFile(UINT id) {
    const std::vector<std::string> files =
        m_recentFiles ? m_recentFiles() : std::vector<std::string>();
    const size_t index = id - ID_FILE_MRU_FIRST;
    if (index < files.size())
        OpenFiles({files[index]});
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows in a row along the bottom of the area.
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, m_mdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

// ---- child frames

void CMainFrame::AddChildFrame(CChildFrame* frame) {
    const int index = static_cast<int>(m_mdiArea->subWindowList().size());
    m_mdiArea->addSubWindow(frame);
    frame->PlaceInCascade(index);
    connect(frame, &CChildFrame::popupMenuRequested, this, &CMainFrame::ShowTablePopup);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateFrameTitle);
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateFrameTitle);
    connect(frame, &QObject::destroyed, this, [this] {
        // The last window closed without another becoming active.
        if (m_mdiArea->subWindowList().isEmpty())
            OnChildActivated();
    });
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    return qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
}

namespace {

// The drawing view of a child frame, or null (an output window).
IToolView* ToolViewOf(const CChildFrame* child) {
    return child ? dynamic_cast<IToolView*>(child->view()) : nullptr;
}

}  // namespace

bool CMainFrame::EndGestureBefore(UINT id) {
    ToolManager* tools = GetToolManager();
    if (!tools)
        return true;
    if (id != ID_CANCEL && !tools->FinishInPlaceEdit())
        return false;
    IToolView* view = ToolViewOf(ActiveChildFrame());
    if (LeavesGestureOpen(id))
        tools->EndGestureOutside(view);
    else if (view)
        tools->EndGesture(*view);
    else
        tools->EndGestureOutside(nullptr);
    return true;
}

// A text edited in place in the window left is handed to its object; when the object refuses
// it and the user goes on editing it, that window is turned back to.
void CMainFrame::OnChildActivated() {
    CChildFrame* child = ActiveChildFrame();
    if (ToolManager* tools = GetToolManager();
        tools && child && !tools->EndGestureOutside(ToolViewOf(child))) {
        TurnBackToTextEdit();
        return;
    }
    SetMenuBar(child ? child->menuId() : IDR_MAINFRAME);
    UpdateFrameTitle();
    ScheduleCommandUpdate();
}

// The window whose text the user goes on editing in place is the active one again, the keys
// with its editor.
void CMainFrame::TurnBackToTextEdit() {
    const ToolManager* tools = GetToolManager();
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        auto* editing = qobject_cast<CChildFrame*>(window);
        auto* view = editing ? qobject_cast<CDrawView*>(editing->view()) : nullptr;
        if (view && view->TextEditor() && tools->EngagedView() == ToolViewOf(editing)) {
            m_mdiArea->setActiveSubWindow(editing);
            view->TextEditor()->setFocus();
            return;
        }
    }
}

void CMainFrame::UpdateFrameTitle() {
    QString title = QString::fromUtf8(kApplicationTitle);
    if (CChildFrame* child = ActiveChildFrame()) {
        const QString name = child->windowTitle();
        title += child->isMaximized() ? " - [" + name + "]" : " - " + name;
    }
    setWindowTitle(title);
}

CDlgFind& CMainFrame::findDialog() {
    if (!m_findDialog)
        m_findDialog = new CDlgFind([this](UINT id) { m_router.Execute(id); }, this);
    return *m_findDialog;
}

void CMainFrame::ShowOutputBar() {
    m_output->show();
}

COutputStreamBuf* CMainFrame::GetOutputStreamBuf() const {
    return m_outputEdit->GetStreamBuf();
}

// ---- placement

void CMainFrame::LoadWindowPlacement(int showCmd) {
    const auto placement =
        ParseWindowPlacement(m_settings.GetProfileString("Settings", "WindowPos", "").str());
    if (!placement) {
        ShowWithCommand(*this, showCmd);
        return;
    }
    QRect rect = ToQRect(placement->normal);
    const QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        rect = ClampToArea(rect, screen->availableGeometry());
    setGeometry(rect);
    ShowWithCommand(*this, ResolveShowCommand(*placement, showCmd));
    std::vector<BYTE> state;
    if (m_settings.GetProfileBinary(kDockStateSection, kDockStateEntry, state))
        restoreState(QByteArray(reinterpret_cast<const char*>(state.data()),
                                static_cast<qsizetype>(state.size())));
    m_statusBar->setVisible(m_settings.GetProfileInt(kDockStateSection, kStatusBarEntry, 1) != 0);
}

void CMainFrame::SaveWindowPlacement() {
    WindowPlacement placement;
    // Minimised from maximised, the window comes back maximised.
    placement.flags = (windowState() & Qt::WindowMaximized) ? WPF_RESTORETOMAXIMIZED : 0;
    placement.showCmd = isMinimized()   ? SW_SHOWMINIMIZED
                        : isMaximized() ? SW_SHOWMAXIMIZED
                                        : SW_SHOWNORMAL;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.normal = ToRECT(normal);
    m_settings.WriteProfileString("Settings", "WindowPos",
                                  FormatWindowPlacement(placement).c_str());
    const QByteArray state = saveState();
    m_settings.WriteProfileBinary(kDockStateSection, kDockStateEntry,
                                  reinterpret_cast<const BYTE*>(state.constData()),
                                  static_cast<UINT>(state.size()));
    m_settings.WriteProfileInt(kDockStateSection, kStatusBarEntry, m_statusBar->isVisible());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement();
    if (m_close && !m_close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// ---- help

void CMainFrame::WinHelp(DWORD data, UINT command) {
    // Leave menus, drags and other modes before the help window takes over.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (m_help)
        m_help(data, command);
    else
        AfxMessageBox("Failed to launch help.");
}

// ---- dropped files

void CMainFrame::OpenFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (m_openDocument)
            m_openDocument(path);
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    activateWindow();
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    OpenFiles(paths);
}

QComboBox* CMainFrame::ZoomBox() const {
    return qobject_cast<QComboBox*>(m_actions->Control(ID_ZOOM_BOX));
}

void CMainFrame::ShowPrompt(const QString& text) {
    if (!m_statusBar)
        return;
    if (text.isEmpty())
        m_statusBar->clearMessage();
    else
        m_statusBar->showMessage(text);
}

namespace {

// The commands of the menus in actions, in menu order, each labelled with its path and the
// text the command table gives it (not the text an update may have put on the item).
void CollectMenuCommands(const QList<QAction*>& actions, std::vector<CString>& path,
                         std::vector<MenuCommand>& commands) {
    for (const QAction* action : actions) {
        if (action->isSeparator())
            continue;
        path.emplace_back(action->text().toUtf8().constData());
        if (const QMenu* menu = action->menu()) {
            CollectMenuCommands(menu->actions(), path, commands);
        } else if (const UINT id = CommandActions::IdOf(action)) {
            if (const CommandInfo* info = FindCommandInfo(id))
                path.back() = info->text;
            commands.push_back({MenuCommandLabel(path), id});
        }
        path.pop_back();
    }
}

}  // namespace

void CMainFrame::ShowOptions() {
    CSchematicApp* app = GetApp();
    if (!app)
        return;
    std::vector<CString> path;
    std::vector<MenuCommand> commands;
    CollectMenuCommands(menuBar()->actions(), path, commands);
    RunOptionsSheet(
        *app, commands,
        [this] {
            for (QWidget* widget : m_mdiArea->findChildren<QWidget*>())
                widget->update();
        },
        this);
}
