#include "shell/frames/MainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <functional>
#include <optional>
#include <tuple>

#include "drawtools/ToolManager.h"
#include "gui/kit/FontFaces.h"
#include "gui/library/PaletteWnd.h"
#include "gui/library/SymbButton.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/app/WindowPlacement.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/RulerBar.h"
#include "shell/frames/StatusBar.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/view/DrawView.h"
#include "support/TestSupport.h"

namespace {

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* action : actions)
        texts << action->text();
    return texts;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() {
        QtTestApp::ensure();
        m_app.LoadSettings();  // child frames as at a fresh start
    }

    // Every command of a menu (and its submenus), after it was prepared for showing.
    static std::vector<std::pair<UINT, QString>> Commands(QMenu* menu) {
        emit menu->aboutToShow();
        std::vector<std::pair<UINT, QString>> commands;
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                auto sub = Commands(action->menu());
                commands.insert(commands.end(), sub.begin(), sub.end());
            } else if (UINT id = CommandActions::IdOf(action)) {
                commands.emplace_back(id, action->text());
            }
        }
        return commands;
    }

    static QMenu* FindPopup(CMainFrame& frame, UINT menuId, const QString& objectName) {
        for (QMenu* popup : frame.menuBarPopups(menuId)) {
            if (popup->objectName() == objectName)
                return popup;
            if (auto* sub = popup->findChild<QMenu*>(objectName))
                return sub;
        }
        return nullptr;
    }

    static CDrawFrame* OpenDrawFrame(CMainFrame& frame, UINT menuId, const QString& title) {
        auto* child = new CDrawFrame(menuId);
        child->setWindowTitle(title);
        child->setView(new QWidget);
        frame.AddChildFrame(child);
        child->ActivateFrame();
        return child;
    }

    testsupport::TempDir m_dir;
    CSchematicApp m_app{m_dir / "settings.reg"};
    ScopedApp m_installed{m_app};
    SettingsStore& m_settings = m_app.Settings();
};

}  // namespace

TEST_F(MainFrameTest, StartsWithTheBarsTheirTextsAndTheEmptyMenu) {
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic");
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame.currentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(Texts(frame.menuBar()->actions()), QStringList({"&File", "&View", "&Help"}));

    for (auto [id, title, shown] : {std::tuple{IDR_MAIN_TOOLBAR, "Main Toolbar", true},
                                    std::tuple{IDR_DRAWING_TOOLBAR, "Drawing", true},
                                    std::tuple{IDR_TEXT_TOOLBAR, "Text Toolbar", false}}) {
        EXPECT_EQ(frame.toolbar(id)->windowTitle(), title);
        EXPECT_EQ(frame.toolbar(id)->isVisible(), shown) << title;
    }

    auto* zoom = qobject_cast<QComboBox*>(frame.actions().Control(ID_ZOOM_BOX));
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->width(), 80);
    EXPECT_EQ(Items(zoom), QStringList({"50%", "75%", "100%", "200%", "400%"}));
    EXPECT_EQ(frame.actions().Action(ID_LINE_COLOUR)->statusTip(), "Change the line colour");

    CStatusBar* status = frame.statusPanes();
    EXPECT_EQ(status->currentMessage(), "Ready");
    status->showMessage("Drag mouse to select objects.");
    status->clearMessage();
    EXPECT_EQ(status->currentMessage(), "Ready");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_CURSOR), "X: 00.000  Y: 00.000");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_SIZE), "X: 00.000  Y: 00.000");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "inch ");
    EXPECT_EQ(status->Pane(ID_INDICATOR_CURSOR)->toolTip(), "Status Bar Text");
    EXPECT_EQ(status->Pane(ID_INDICATOR_UNITS)->toolTip(),
              "Click here to change the units from inches to cm or cm to inches.");

    EXPECT_EQ(frame.workspaceBar()->windowTitle(), "Workspace");
    EXPECT_TRUE(frame.workspaceBar()->isVisible());
    EXPECT_EQ(frame.dockWidgetArea(frame.workspaceBar()), Qt::LeftDockWidgetArea);
    auto* tabs = frame.workspaceBar()->findChild<QTabWidget*>();
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
              QStringList({"Files", "Design View", "DRC"}));
    EXPECT_EQ(frame.outputBar()->windowTitle(), "Output");
    EXPECT_FALSE(frame.outputBar()->isVisible());
    EXPECT_EQ(frame.dockWidgetArea(frame.outputBar()), Qt::BottomDockWidgetArea);
}

TEST_F(MainFrameTest, TheTextToolbarListsFamiliesAndLeavesTheOtherBarsWhole) {
    EXPECT_EQ(FamilyNames({"C059 [UKWN]", "Sans", "C059 [URW]", "Mono [x] [y]", "A[1]"}),
              QStringList({"A[1]", "C059", "Mono [x]", "Sans"}));

    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.router().Execute(ID_VIEW_TEXT_BAR);
    QApplication::processEvents();
    const QStringList faces =
        Items(qobject_cast<QComboBox*>(frame.actions().Control(ID_TEXT_FACE)));
    EXPECT_EQ(faces, FamilyNames(faces));
    for (UINT id : {IDR_MAIN_TOOLBAR, IDR_DRAWING_TOOLBAR, IDR_TEXT_TOOLBAR}) {
        QToolBar* bar = frame.toolbar(id);
        ASSERT_TRUE(bar->isVisible());
        auto* overflow = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
        EXPECT_TRUE(!overflow || !overflow->isVisible()) << bar->windowTitle().toStdString();
    }
}

TEST_F(MainFrameTest, ViewCommandsToggleTheBarsAndCheckTheirItems) {
    CMainFrame frame(m_settings);
    frame.show();
    const std::pair<UINT, QWidget*> toggles[] = {
        {ID_VIEW_TOOLBAR, frame.toolbar(IDR_MAIN_TOOLBAR)},
        {ID_VIEW_DRAWING_BAR, frame.toolbar(IDR_DRAWING_TOOLBAR)},
        {ID_VIEW_TEXT_BAR, frame.toolbar(IDR_TEXT_TOOLBAR)},
        {ID_VIEW_STATUS_BAR, frame.statusPanes()},
        {ID_VIEW_WORKSPACE, frame.workspaceBar()},
        {ID_VIEW_OUTPUT, frame.outputBar()}};
    for (const auto& [id, bar] : toggles) {
        SCOPED_TRACE(id);
        const bool before = bar->isVisible();
        EXPECT_EQ(frame.router().Update(id).checked, before);
        frame.actions().Action(id)->trigger();
        EXPECT_NE(bar->isVisible(), before);
        frame.UpdateCommandUI();
        EXPECT_EQ(frame.actions().Action(id)->isChecked(), !before);
        frame.actions().Action(id)->trigger();
        EXPECT_EQ(bar->isVisible(), before);
    }
    // The bars' own close button hides them like the View command.
    frame.workspaceBar()->close();
    EXPECT_EQ(frame.router().Update(ID_VIEW_WORKSPACE).checked, false);
    frame.ShowOutputBar();
    EXPECT_TRUE(frame.outputBar()->isVisible());
}

TEST_F(MainFrameTest, ClosingStoresThePlacementAndTheDockStateForTheNextStart) {
    struct Case {
        const char* name;
        QRect normal;
        std::function<void(CMainFrame&)> leave;
        const char* stored;
        bool maximised;
    };
    const std::vector<Case> cases = {
        {"maximised",
         {100, 80, 800, 600},
         [](CMainFrame& f) { f.showMaximized(); },
         "2,3,-1,-1,-1,-1,100,80,900,680",
         true},
        // Closed minimised, the next start must not come up minimised.
        {"minimised",
         {50, 60, 700, 500},
         [](CMainFrame& f) { f.showMinimized(); },
         "0,2,-1,-1,-1,-1,50,60,750,560",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            CMainFrame frame(m_settings);
            frame.setGeometry(c.normal);
            frame.show();
            frame.toolbar(IDR_MAIN_TOOLBAR)->hide();
            frame.toolbar(IDR_TEXT_TOOLBAR)->show();
            frame.addDockWidget(Qt::RightDockWidgetArea, frame.workspaceBar());
            frame.ShowOutputBar();
            frame.router().Execute(ID_VIEW_STATUS_BAR);
            c.leave(frame);
            frame.close();
        }
        EXPECT_EQ(m_settings.GetProfileString("Settings", "WindowPos").str(), c.stored);
        CMainFrame frame(m_settings);
        frame.LoadWindowPlacement(SW_SHOWNORMAL);
        EXPECT_EQ(frame.isMaximized(), c.maximised);
        EXPECT_FALSE(frame.isMinimized());
        EXPECT_EQ(frame.normalGeometry(), c.normal);
        EXPECT_FALSE(frame.toolbar(IDR_MAIN_TOOLBAR)->isVisible());
        EXPECT_TRUE(frame.toolbar(IDR_TEXT_TOOLBAR)->isVisible());
        EXPECT_TRUE(frame.outputBar()->isVisible());
        EXPECT_FALSE(frame.statusPanes()->isVisible());
        EXPECT_EQ(frame.dockWidgetArea(frame.workspaceBar()), Qt::RightDockWidgetArea);
    }
}

TEST_F(MainFrameTest, AStoredPlacementIsClampedToTheScreenAndAMalformedOneIgnored) {
    {
        CMainFrame frame(m_settings);  // leaves a dock state without the main toolbar
        frame.show();
        frame.toolbar(IDR_MAIN_TOOLBAR)->hide();
        frame.close();
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* stored;
        std::function<void(const CMainFrame&)> check;
    };
    const std::vector<Case> cases = {
        {"0,1,-1,-1,-1,-1,100,80,900,680",
         [](const CMainFrame& f) { EXPECT_EQ(f.geometry(), QRect(100, 80, 800, 600)); }},
        {"0,1,-1,-1,-1,-1,-500,-40,900,300",  // off the top-left corner: moved onto the screen
         [&](const CMainFrame& f) {
             EXPECT_TRUE(screen.contains(f.frameGeometry()));
             EXPECT_EQ(f.geometry().size(), QSize(1400, 340));
         }},
        {"0,1,-1,-1,-1,-1,0,0,9000,300",
         [&](const CMainFrame& f) { EXPECT_LE(f.geometry().width(), screen.width()); }},
        {"0,1,-1,-1,-1,-1,100,80,900",  // nine numbers: default show, no dock state
         [](const CMainFrame& f) { EXPECT_TRUE(f.toolbar(IDR_MAIN_TOOLBAR)->isVisible()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        m_settings.WriteProfileString("Settings", "WindowPos", c.stored);
        CMainFrame frame(m_settings);
        frame.LoadWindowPlacement(SW_SHOWNORMAL);
        EXPECT_TRUE(frame.isVisible());
        EXPECT_FALSE(frame.isMaximized());
        c.check(frame);
    }
}

TEST_F(MainFrameTest, ToolMenusAreBuiltFromTheSettingsWhenTheyOpen) {
    CMainFrame frame(m_settings);
    frame.show();
    OpenDrawFrame(frame, IDR_SCHEMATIC, "Untitled1");
    QMenu* tools = FindPopup(frame, IDR_SCHEMATIC, "menuRunTool");
    QMenu* simulators = FindPopup(frame, IDR_SCHEMATIC, "menuSelectSimulator");
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(simulators, nullptr);
    using Entries = std::vector<std::pair<UINT, QString>>;

    const Entries none = {{ID_TOOL_FIRST, "none\t "}};
    EXPECT_EQ(Commands(tools), none) << "nothing stored";
    EXPECT_EQ(Commands(simulators), (Entries{{33023, "none\t "}}));
    for (int stored : {1, 2, -4}) {
        m_settings.WriteProfileInt("Tools", "UserTools", stored);
        EXPECT_EQ(Commands(tools), none) << stored;
    }

    m_settings.WriteProfileInt("Tools", "UserTools", 9);
    m_settings.WriteProfileString("Tools", "Tool1.Name", "PCB");
    for (int k = 3; k <= 7; ++k)
        m_settings.WriteProfileString("Tools", ("Tool" + std::to_string(k) + ".Name").c_str(),
                                      std::string(1, char('A' + k - 3)).c_str());
    EXPECT_EQ(
        Commands(tools),
        (Entries{
            {33026, "A\t "}, {33027, "B\t "}, {33028, "C\t "}, {33029, "D\t "}, {33030, "E\t "}}));
    m_settings.WriteProfileInt("Tools", "UserTools", 3);  // fewer tools later: the menu shrinks
    EXPECT_EQ(Commands(tools), (Entries{{33026, "A\t "}}));

    m_settings.WriteProfileInt("Simulator", "UserTools", 12);
    for (int k = 1; k <= 6; ++k)
        m_settings.WriteProfileString("Simulator", ("Tool" + std::to_string(k) + ".Name").c_str(),
                                      ("sim" + std::to_string(k)).c_str());
    EXPECT_EQ(Commands(simulators), (Entries{{33023, "sim1\t "},
                                             {33031, "sim2\t "},
                                             {33032, "sim3\t "},
                                             {33033, "sim4\t "},
                                             {33034, "sim5\t "}}));
}

TEST_F(MainFrameTest, DroppedFilesOpenInTheOrderOfTheDrop) {
    CMainFrame frame(m_settings);
    frame.show();
    std::vector<std::string> opened;
    frame.setOpenDocumentHandler([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    const std::string longName = "/tmp/" + std::string(300, 'n') + ".sch";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/b.sch"), QUrl::fromLocalFile("/tmp/a.sch"),
                  QUrl("https://example.com/x.sch"), QUrl::fromLocalFile("/tmp/c.sch"),
                  QUrl::fromLocalFile(QString::fromStdString(longName))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_EQ(opened, (std::vector<std::string>{"/tmp/b.sch", "/tmp/a.sch", "/tmp/c.sch",
                                                longName}));  // long paths are not cut
}

TEST_F(MainFrameTest, TheFileMenuListsTheRecentFiles) {
    CMainFrame frame(m_settings);
    QMenu* file = FindPopup(frame, IDR_MAINFRAME, "menuFile");
    ASSERT_NE(file, nullptr);
    auto recent = [&] {
        std::vector<std::pair<UINT, QString>> entries;
        for (const auto& entry : Commands(file))
            if (entry.first >= ID_FILE_MRU_FIRST && entry.first <= ID_FILE_MRU_LAST)
                entries.push_back(entry);
        return entries;
    };
    EXPECT_EQ(recent(),
              (std::vector<std::pair<UINT, QString>>{{ID_FILE_MRU_FIRST, "Recent File"}}));

    frame.setRecentFilesProvider([] { return std::vector<std::string>{"/w/a.sch", "/w/b.sch"}; });
    EXPECT_EQ(recent(),
              (std::vector<std::pair<UINT, QString>>{{ID_FILE_MRU_FIRST, "&1 /w/a.sch"},
                                                     {ID_FILE_MRU_FIRST + 1, "&2 /w/b.sch"}}));
}

TEST_F(MainFrameTest, TheBarsContextMenuOpensInsideTheClientAreaFromTheKeyboard) {
    CMainFrame frame(m_settings);
    frame.setGeometry(100, 100, 900, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(-1, -1), QPoint(-1, -1));
    const QPoint client = frame.mapToGlobal(QPoint(0, frame.menuBar()->height()));
    EXPECT_EQ(frame.ContextMenuPosition(keyboard), client + QPoint(5, 5));

    std::unique_ptr<QMenu> menu(frame.CreateTablePopup(IDR_BARS_POPUP));
    EXPECT_EQ(Texts(menu->actions()),
              QStringList({"&Main Toolbar", "&Drawing Toolbar", "&Status Bar", "&Rulers",
                           "&Workspace", "&Output Window"}));
    // The entry with a text of its own still runs the shared command.
    menu->actions().back()->trigger();
    EXPECT_TRUE(frame.outputBar()->isVisible());
    EXPECT_FALSE(menu->actions()[3]->isEnabled()) << "no rulers without a drawing window";
}

TEST_F(MainFrameTest, TheWindowCommandsSwitchAndCloseAndTheMenuBarFollows) {
    CMainFrame frame(m_settings);
    frame.show();
    CDrawFrame* schematic = OpenDrawFrame(frame, IDR_SCHEMATIC, "Untitled1");
    EXPECT_EQ(frame.currentMenuId(), IDR_SCHEMATIC);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [Untitled1]");  // maximised
    CDrawFrame* symbol = OpenDrawFrame(frame, IDR_SYMBOL, "Symbol1");
    EXPECT_EQ(frame.ActiveChildFrame(), symbol);
    EXPECT_EQ(frame.currentMenuId(), IDR_SYMBOL);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [Symbol1]");
    // A restored window names its document too, also after a switch.
    symbol->showNormal();
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - Symbol1");
    frame.router().Execute(ID_WINDOW_NEXT);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - Untitled1");
    schematic->setWindowTitle("amp.sch");
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - amp.sch");
    schematic->showMaximized();
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [amp.sch]");
    schematic->setWindowTitle("Untitled1");
    frame.router().Execute(ID_WINDOW_NEXT);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [Symbol1]");

    // The window list names both, the active one checked.
    QMenu* window = FindPopup(frame, IDR_SYMBOL, "menuWindow");
    emit window->aboutToShow();
    QStringList checked;
    for (QAction* a : window->actions())
        if (a->isChecked())
            checked << a->text();
    EXPECT_EQ(checked, QStringList({"&2 Symbol1"}));

    frame.router().Execute(ID_WINDOW_NEXT);
    EXPECT_EQ(frame.ActiveChildFrame(), schematic);
    frame.router().Execute(ID_WINDOW_PREVIOUS);
    EXPECT_EQ(frame.ActiveChildFrame(), symbol);
    frame.router().Execute(ID_WINDOW_CHILD_FIRST);
    EXPECT_EQ(frame.ActiveChildFrame(), schematic);

    // The document may refuse to close (its save prompt was cancelled).
    bool allow = false;
    schematic->setCloseGuard([&] { return allow; });
    frame.router().Execute(ID_WINDOW_CLOSE);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
    allow = true;
    frame.router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_EQ(frame.currentMenuId(), IDR_SYMBOL);
    frame.router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame.currentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic");
}

namespace {

// Child frames in a shown main frame.
class DrawFrameTest : public MainFrameTest {
protected:
    DrawFrameTest() { m_frame.show(); }
    CDrawFrame* Open(UINT menuId = IDR_SCHEMATIC) {
        return OpenDrawFrame(m_frame, menuId, "Untitled");
    }
    CMainFrame m_frame{m_settings};
};

}  // namespace

TEST_F(DrawFrameTest, FramesOpenAsTheLastRestoreOrMaximiseLeftThem) {
    CDrawFrame* child = Open();
    EXPECT_TRUE(child->isMaximized()) << "nothing stored";
    EXPECT_TRUE(child->horizontalRuler()->isVisible());
    EXPECT_TRUE(child->verticalRuler()->isVisible());
    EXPECT_EQ(child->horizontalRuler()->height(), CRulerBar::kThickness);
    EXPECT_EQ(child->verticalRuler()->width(), CRulerBar::kThickness);
    // The horizontal ruler covers the corner above the vertical one.
    EXPECT_EQ(child->horizontalRuler()->x(), 0);
    EXPECT_EQ(child->view()->x(), CRulerBar::kThickness);
    m_app.StoreSettings();  // no change: no "ShowCmd", and "Rulers" 1
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "ShowCmd", 99), 99u);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "Rulers", 99), 1u);

    child->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "ShowCmd", 99), 1u);
    child = Open();
    EXPECT_FALSE(child->isMaximized());
    child->showMinimized();  // changes nothing
    QApplication::processEvents();
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 1);
    child->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 3);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "ShowCmd", 99), 3u);
    // A stored value that would hide or minimise new frames is not taken.
    m_settings.WriteProfileInt("Settings", "ShowCmd", 0);
    m_app.LoadSettings();
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 3);
}

TEST_F(DrawFrameTest, RestoredWindowsOpenAndCascadeOverMostOfTheArea) {
    CDrawFrame* first = Open();
    first->showNormal();
    QApplication::processEvents();
    CDrawFrame* second = Open();
    const QSize area = m_frame.mdiArea()->viewport()->size();
    // A step of a title bar; as many steps as fit into a third of the height are taken off.
    const int step = second->geometry().top() - first->geometry().top();
    EXPECT_GE(step, 15);
    EXPECT_EQ(second->geometry().left(), first->geometry().left() + step);
    const QSize expected(area.width() - area.height() / (3 * step) * step,
                         area.height() - area.height() / (3 * step) * step);
    EXPECT_EQ(first->size(), expected);
    EXPECT_EQ(second->size(), expected);
    EXPECT_GE(expected.height(), area.height() * 2 / 3);

    first->resize(100, 80);
    second->showMaximized();
    m_frame.router().Execute(ID_WINDOW_CASCADE);
    EXPECT_FALSE(second->isMaximized());
    EXPECT_EQ(first->geometry(), QRect(QPoint(0, 0), expected));
    EXPECT_EQ(second->geometry(), QRect(QPoint(step, step), expected));
    EXPECT_EQ(m_frame.ActiveChildFrame(), second);
}

namespace {

// A document window opens restored at least at the cascade size: the area less as many
// title-bar steps as fit into a third of its height.
void ExpectAtLeastTheCascadeSize(const CMainFrame& frame, const QWidget* child) {
    const QSize area = frame.mdiArea()->viewport()->size();
    ASSERT_GT(area.height(), 300);
    EXPECT_GE(child->width(), area.width() - area.height() / 3);
    EXPECT_GE(child->height(), area.height() - area.height() / 3);
}

}  // namespace

// The start-up document opens before the main window shows, while its area has no size yet.
TEST_F(MainFrameTest, WindowsOpenedBeforeTheMainWindowShowsAreNoStrips) {
    m_settings.WriteProfileInt("Settings", "ShowCmd", SW_SHOWNORMAL);
    m_app.LoadSettings();
    CMainFrame frame(m_settings);
    CDrawFrame* restored = OpenDrawFrame(frame, IDR_SCHEMATIC, "Untitled1");
    frame.show();
    ExpectAtLeastTheCascadeSize(frame, restored);
    ExpectAtLeastTheCascadeSize(frame, OpenDrawFrame(frame, IDR_SCHEMATIC, "Untitled2"));

    // Opened maximised, it is no strip either when the user restores it.
    m_settings.WriteProfileInt("Settings", "ShowCmd", SW_SHOWMAXIMIZED);
    m_app.LoadSettings();
    CMainFrame second(m_settings);
    CDrawFrame* maximised = OpenDrawFrame(second, IDR_SCHEMATIC, "Untitled1");
    second.show();
    EXPECT_TRUE(maximised->isMaximized());
    maximised->showNormal();
    ExpectAtLeastTheCascadeSize(second, maximised);
}

TEST_F(DrawFrameTest, AMaximisedStateSurvivesClosingASibling) {
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    auto activeIsMaximised = [this] {
        const CChildFrame* active = m_frame.ActiveChildFrame();
        return active && active->isMaximized();
    };
    CDrawFrame* first = Open();
    CDrawFrame* second = Open();
    CDrawFrame* third = Open();
    ASSERT_TRUE(third->isMaximized());
    // Closing a document deletes its frame.
    delete third;
    QApplication::processEvents();
    EXPECT_TRUE(activeIsMaximised());
    EXPECT_EQ(CChildFrame::SavedShowCommand(), SW_SHOWMAXIMIZED);
    EXPECT_TRUE(Open()->isMaximized());
    // Closed from the Window menu.
    m_frame.router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_TRUE(activeIsMaximised());
    // A document behind the active one.
    CChildFrame* active = m_frame.ActiveChildFrame();
    ASSERT_TRUE(active == first || active == second);
    delete (active == first ? second : first);
    EXPECT_EQ(m_frame.ActiveChildFrame(), active);
    EXPECT_TRUE(active->isMaximized());

    active->showNormal();
    ExpectAtLeastTheCascadeSize(m_frame, active);
}

TEST_F(DrawFrameTest, TheRulersCommandHidesBothRulersAndNewFramesFollow) {
    CDrawFrame* child = Open();
    EXPECT_EQ(m_frame.router().Update(ID_VIEW_RULERS).checked, true);
    m_frame.router().Execute(ID_VIEW_RULERS);
    EXPECT_FALSE(child->horizontalRuler()->isVisible());
    EXPECT_FALSE(child->verticalRuler()->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(child->view()->x(), 0);
    EXPECT_EQ(m_frame.router().Update(ID_VIEW_RULERS).checked, false);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "Rulers", 99), 0u);

    CDrawFrame* next = Open();
    EXPECT_FALSE(next->verticalRuler()->isVisible());
    m_frame.router().Execute(ID_VIEW_RULERS_KEY);
    EXPECT_TRUE(next->verticalRuler()->isVisible());
    EXPECT_FALSE(child->verticalRuler()->isVisible());  // only the active frame's rulers

    m_settings.WriteProfileInt("Settings", "Rulers", 0);
    m_app.LoadSettings();
    EXPECT_FALSE(CDrawFrame::RulersShownByDefault());
}

TEST_F(DrawFrameTest, TheRulersFollowScrollZoomAndUnits) {
    CDrawFrame* child = Open();
    QApplication::processEvents();
    CRulerBar* h = child->horizontalRuler();
    CRulerBar* v = child->verticalRuler();
    const double unitsPerPixel = 10;
    child->UpdateRulers(QPointF(0, 0), unitsPerPixel, QSizeF(11693, 8268), false, kRulerAll);
    // The sheet's left edge lies at the view's left edge, one ruler thickness in.
    EXPECT_EQ(h->Scale().sheetStart, CRulerBar::kThickness);
    EXPECT_EQ(v->Scale().sheetStart, 0);
    EXPECT_EQ(v->Scale().sheetEnd, 827);

    // Scrolled down by an inch: only the vertical ruler was told.
    child->UpdateRulers(QPointF(0, 1000), unitsPerPixel, QSizeF(11693, 8268), false,
                        kRulerVertical);
    EXPECT_EQ(v->Scale().sheetStart, -100);
    EXPECT_EQ(h->Scale().sheetStart, CRulerBar::kThickness);

    // Other units set both rulers whatever the flags.
    child->UpdateRulers(QPointF(0, 0), unitsPerPixel * 2, QSizeF(11693, 8268), true, 0);
    EXPECT_EQ(h->unitsButton()->text(), "cm");
    EXPECT_TRUE(v->IsMetric());
    EXPECT_EQ(v->Scale().sheetEnd, 413);
}

TEST_F(DrawFrameTest, CtrlF6AndCtrlF4SwitchAndCloseWindows) {
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    CDrawFrame* first = Open();
    CDrawFrame* second = Open();
    ASSERT_EQ(m_frame.ActiveChildFrame(), second);
    QApplication::processEvents();  // the commands' states follow on idle
    QTest::keyClick(m_frame.mdiArea(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(m_frame.ActiveChildFrame(), first);
    QApplication::processEvents();
    QTest::keyClick(m_frame.mdiArea(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(m_frame.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(m_frame.ActiveChildFrame(), second);
}

// A palette button drops its palette down, checked while it shows; a click on a symbol ends
// the drop-down and puts the symbol, selected, into the active view.
TEST_F(MainFrameTest, PaletteButtonsDropThePalettesAndPlaceIntoTheView) {
    m_settings.WriteProfileString("Directories", "stdlib", VOSK_BINARY_DIR "/Libraries");
    ToolManager tools;
    ToolManager* previous = SetToolManager(&tools);
    CDrawDoc doc;
    CMainFrame frame(m_settings);
    frame.show();
    auto* child = new CDrawFrame(IDR_SCHEMATIC);
    auto* view = new CDrawView(doc);
    child->setView(view);
    frame.AddChildFrame(child);
    child->ActivateFrame();
    CPaletteWnd* palette = frame.palette(0);
    EXPECT_EQ(palette->windowTitle(), "Resistive");
    auto* button = frame.toolbar(IDR_DRAWING_TOOLBAR)
                       ->findChild<CDropDownButton*>(QString("dropDown%1").arg(ID_PALETTE_1));
    ASSERT_NE(button, nullptr);
    std::optional<bool> checkedWhileShown;
    QTimer::singleShot(0, [&] {
        checkedWhileShown = frame.router().Update(ID_PALETTE_1).checked;
        QTest::mouseClick(palette->Button(0), Qt::LeftButton);
    });
    button->DropDown();
    EXPECT_EQ(checkedWhileShown, true);
    EXPECT_FALSE(palette->isVisible());
    EXPECT_EQ(frame.router().Update(ID_PALETTE_1).checked, false);
    // The resistor with its identifier and value texts.
    EXPECT_EQ(doc.GetObjects().GetCount(), 3);
    EXPECT_EQ(view->GetSelection().GetCount(), 3);
    SetToolManager(previous);
}
