#pragma once
// The application's main window: the menu bar of the active document kind, the main,
// drawing and text toolbars, the status bar, the Workspace and Output bars and the MDI area
// that holds the child frames. It owns the command router, keeps its placement and the bars'
// layout in the settings, opens dropped files and routes help requests.
//
// What the application supplies is plugged in through the set...Handler calls; without a
// handler the matching action does nothing.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/Types.h"
#include "shell/commands/CommandMap.h"
#include "shell/commands/CommandRouter.h"
#include "shell/view/ViewHost.h"

class CChildFrame;
class CDlgFind;
class CObList;
class CPaletteWnd;
class CommandActions;
class COutputEdit;
class COutputStreamBuf;
class CResizableBar;
class CStatusBar;
class CWorkspaceBar;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class SettingsStore;

class CMainFrame : public QMainWindow, public IViewHost {
    Q_OBJECT
public:
    // Opens a file (dropped, or chosen from the recent files); false when it failed.
    using OpenDocumentHandler = std::function<bool(const std::string& path)>;
    // The recent files, most recent first.
    using RecentFilesProvider = std::function<std::vector<std::string>()>;
    // Shows help for a help command (HELP_CONTEXT with the topic in data, HELP_INDEX,
    // HELP_FINDER, HELP_HELPONHELP) and tells the user when it cannot.
    using HelpHandler = std::function<void(DWORD data, UINT command)>;
    // Asked when the window closes, to save the documents; false cancels the close.
    using CloseHandler = std::function<bool()>;

    explicit CMainFrame(SettingsStore& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void setOpenDocumentHandler(OpenDocumentHandler handler) {
        m_openDocument = std::move(handler);
    }
    void setRecentFilesProvider(RecentFilesProvider provider) {
        m_recentFiles = std::move(provider);
    }
    void setUnitsToggleHandler(std::function<void()> handler) {
        m_toggleUnits = std::move(handler);
    }
    void setHelpHandler(HelpHandler handler) { m_help = std::move(handler); }
    void setCloseHandler(CloseHandler handler) { m_close = std::move(handler); }

    // Commands: the router, the frame's own handlers, the shared actions.
    CommandRouter& router() { return m_router; }
    CommandMap& commands() { return m_commands; }
    CommandActions& actions() { return *m_actions; }
    // Applies every command's state to its menu items, buttons and controls now (it also
    // runs by itself after input and commands).
    void UpdateCommandUI();
    // Runs UpdateCommandUI soon, once however often it is asked for meanwhile.
    void ScheduleCommandUpdate() override;
    void ExecuteCommand(UINT id) override { m_router.Execute(id); }
    void TriggerCommand(UINT id) override;
    // The zoom box of the main toolbar.
    QComboBox* ZoomBox() const override;
    void ShowPrompt(const QString& text) override;

    // Parts.
    QMdiArea* mdiArea() const { return m_mdiArea; }
    CStatusBar* statusPanes() const { return m_statusBar; }
    CWorkspaceBar* workspaceBar() const { return m_workspace; }
    // The symbol palettes, 0..3.
    CPaletteWnd* palette(int index) const { return m_palettes[index]; }
    CResizableBar* outputBar() const { return m_output; }
    COutputEdit* outputEdit() const { return m_outputEdit; }
    // The stream buffer of the Output bar, for logs and reports.
    COutputStreamBuf* GetOutputStreamBuf() const;
    // The toolbar of a resource id (IDR_MAIN_TOOLBAR, ...), or null.
    QToolBar* toolbar(UINT resourceId) const;
    // The menu bar's popups for menu id (IDR_MAINFRAME, IDR_SCHEMATIC, ...).
    const std::vector<QMenu*>& menuBarPopups(UINT menuId);
    UINT currentMenuId() const { return m_currentMenu; }

    // Child frames.
    // Adds frame to the MDI area (its ActivateFrame shows it).
    void AddChildFrame(CChildFrame* frame);
    CChildFrame* ActiveChildFrame() const;
    void ShowOutputBar();
    // The "Find" dialog, made on first use; its buttons' commands go to the active view.
    CDlgFind& findDialog() override;
    // The dialog when it was made, else null.
    const CDlgFind* existingFindDialog() const override { return m_findDialog; }

    // Restores the placement and bar layout of the last run and shows the window with
    // showCmd (a start-up command other than SW_SHOWNORMAL wins over the stored one).
    void LoadWindowPlacement(int showCmd);
    // Writes "Settings"/"WindowPos" and the bar layout ("Toolbars").
    void SaveWindowPlacement();

    // Leaves menus and mouse captures, then passes a help command to the help handler;
    // without one, "Failed to launch help.".
    void WinHelp(DWORD data, UINT command);

    // Opens dropped or given files in order.
    void OpenFiles(const std::vector<std::string>& paths) override;

    // A popup menu of the menu table (IDR_BARS_POPUP, IDR_UNITS_POPUP), ready to show.
    QMenu* CreateTablePopup(UINT menuId);
    // Where the bars' context menu opens for an event: at the mouse, or for the keyboard
    // 5 pixels inside the client area's top-left corner.
    QPoint ContextMenuPosition(const QContextMenuEvent& event) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void CreateToolbars();
    void CreatePalettes();
    // Objects of a palette or the library bar go to the active view, to be placed.
    void PlaceObjects(const CObList& objects);
    void FillToolbarCombos();
    void CreateBars();
    void RegisterCommands();
    void RegisterBarToggle(UINT id, QWidget* bar);
    void SetMenuBar(UINT menuId);
    void ConnectMenus(QMenu* menu);
    void PrepareMenu(QMenu* menu);
    bool CloseMenuToTextEdit(QObject* watched, const QEvent& event);
    void TurnBackToTextEdit();
    void FillRecentFiles(QMenu* menu);
    void FillWindowList(QMenu* menu);
    // Another window turned to ends the drawing gesture left open in the one before.
    void OnChildActivated();
    // Before a command runs, a text edited in place is handed to its object (every command but
    // Cancel, which cancels it) and the drawing gesture open in a window ends there, unless
    // the command leaves it open and it lives in the active window. False when the text was
    // refused and the user goes on editing it: the command does not run.
    bool EndGestureBefore(UINT id);
    // The title names the active document: "Vosk Schematic - <child>" while the child is
    // restored, "Vosk Schematic - [<child>]" while it fills the area.
    void UpdateFrameTitle();
    void ShowTablePopup(UINT menuId, const QPoint& position, bool rightAligned);
    void OpenRecentFile(UINT id);
    // View > Options: the application's "Options" sheet.
    void ShowOptions();
    void ArrangeIcons();

    SettingsStore& m_settings;
    CommandRouter m_router;
    CommandMap m_commands;
    CommandActions* m_actions;
    QMdiArea* m_mdiArea;
    CStatusBar* m_statusBar = nullptr;
    CDlgFind* m_findDialog = nullptr;
    CWorkspaceBar* m_workspace = nullptr;
    CResizableBar* m_output = nullptr;
    COutputEdit* m_outputEdit = nullptr;
    std::map<UINT, QToolBar*> m_toolbars;
    std::array<CPaletteWnd*, 4> m_palettes{};
    std::map<UINT, std::vector<QMenu*>> m_menuBars;
    UINT m_currentMenu = 0;
    QTimer* m_updateTimer;

    OpenDocumentHandler m_openDocument;
    RecentFilesProvider m_recentFiles;
    std::function<void()> m_toggleUnits;
    HelpHandler m_help;
    CloseHandler m_close;
};
