#include "shell/MainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QDropEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <functional>
#include <ostream>

#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/CommandActions.h"
#include "shell/DrawFrame.h"
#include "shell/HelpService.h"
#include "shell/OutputEdit.h"
#include "shell/QtTestApp.h"
#include "shell/ResizableBar.h"
#include "shell/RulerBar.h"
#include "shell/StatusBar.h"
#include "shell/WindowPlacement.h"
#include "shell/WorkspaceBar.h"
#include "support/TestSupport.h"

namespace {

// Records the messages shown to the user.
class RecordingPrompt : public IUserPrompt {
public:
    RecordingPrompt() { m_previous = SetUserPrompt(this); }
    ~RecordingPrompt() override { SetUserPrompt(m_previous); }
    int MessageBox(const CString& text, const CString&, UINT) override {
        messages.push_back(text.str());
        return IDOK;
    }
    std::vector<std::string> messages;

private:
    IUserPrompt* m_previous;
};

// A stand-in view: white paper on the workspace grey.
class PaperView : public QWidget {
public:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        p.fillRect(QRect(12, 12, 780, 540), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(QRect(12, 12, 780, 540));
        p.drawRect(QRect(32, 32, 740, 500));
    }
};

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() { QtTestApp::ensure(); }

    // Every command of a menu (and its submenus), after it was prepared for showing.
    static std::vector<QAction*> Commands(QMenu* menu) {
        emit menu->aboutToShow();
        std::vector<QAction*> commands;
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                auto sub = Commands(action->menu());
                commands.insert(commands.end(), sub.begin(), sub.end());
            } else if (CommandActions::IdOf(action)) {
                commands.push_back(action);
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

    CDrawFrame* OpenDrawFrame(CMainFrame& frame, UINT menuId = IDR_SCHEMATIC) {
        auto* child = new CDrawFrame(menuId);
        child->setWindowTitle("Untitled1");
        child->setView(new PaperView);
        frame.AddChildFrame(child);
        child->ActivateFrame();
        return child;
    }

    testsupport::TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
};

}  // namespace

TEST_F(MainFrameTest, StartsWithTheBarsTheirTextsAndTheEmptyMenu) {
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic");
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame.currentMenuId(), IDR_MAINFRAME);
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "&Help"}));

    EXPECT_EQ(frame.toolbar(IDR_MAIN_TOOLBAR)->windowTitle(), "Main Toolbar");
    EXPECT_EQ(frame.toolbar(IDR_DRAWING_TOOLBAR)->windowTitle(), "Drawing");
    EXPECT_EQ(frame.toolbar(IDR_TEXT_TOOLBAR)->windowTitle(), "Text Toolbar");
    EXPECT_TRUE(frame.toolbar(IDR_MAIN_TOOLBAR)->isVisible());
    EXPECT_TRUE(frame.toolbar(IDR_DRAWING_TOOLBAR)->isVisible());
    EXPECT_FALSE(frame.toolbar(IDR_TEXT_TOOLBAR)->isVisible());

    auto* zoom = qobject_cast<QComboBox*>(frame.actions().Control(ID_ZOOM_BOX));
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->width(), 80);
    QStringList zooms;
    for (int i = 0; i < zoom->count(); ++i)
        zooms << zoom->itemText(i);
    EXPECT_EQ(zooms, QStringList({"50%", "75%", "100%", "200%", "400%"}));
    auto* sizes = qobject_cast<QComboBox*>(frame.actions().Control(ID_TEXT_SIZE));
    ASSERT_EQ(sizes->count(), 17);
    EXPECT_EQ(sizes->itemText(0), "7");
    EXPECT_EQ(sizes->itemText(16), "72");
    auto* faces = qobject_cast<QComboBox*>(frame.actions().Control(ID_TEXT_FACE));
    EXPECT_GT(faces->count(), 0);
    for (int i = 1; i < faces->count(); ++i)
        EXPECT_LT(faces->itemText(i - 1), faces->itemText(i));
    EXPECT_EQ(frame.actions().Action(ID_LINE_COLOUR)->statusTip(), "Change the line colour");
    EXPECT_EQ(frame.actions().Action(ID_FILL_STYLE)->toolTip(), "Fill Style");
    EXPECT_EQ(frame.actions().Action(ID_PALETTE_3)->statusTip(), "Place Symbol");

    CStatusBar* status = frame.statusPanes();
    EXPECT_EQ(status->currentMessage(), "Ready");
    status->showMessage("Drag mouse to select objects.");
    status->clearMessage();
    EXPECT_EQ(status->currentMessage(), "Ready");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_CURSOR), "X: 00.000  Y: 00.000");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_SIZE), "X: 00.000  Y: 00.000");
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "inch ");
    EXPECT_EQ(status->Pane(ID_INDICATOR_CURSOR)->toolTip(), "Status Bar Text");
    EXPECT_EQ(status->Pane(ID_INDICATOR_POSITION)->toolTip(),
              "Displays the position of the selected object(s).");
    EXPECT_EQ(status->Pane(ID_INDICATOR_SIZE)->toolTip(),
              "Displays the width and height of the selected object(s).");
    EXPECT_EQ(status->Pane(ID_INDICATOR_UNITS)->toolTip(),
              "Click here to change the units from inches to cm or cm to inches.");

    EXPECT_EQ(frame.workspaceBar()->windowTitle(), "Workspace");
    EXPECT_TRUE(frame.workspaceBar()->isVisible());
    EXPECT_EQ(frame.dockWidgetArea(frame.workspaceBar()), Qt::LeftDockWidgetArea);
    auto* tabs = frame.workspaceBar()->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Files");
    EXPECT_EQ(tabs->tabText(1), "Design View");
    EXPECT_EQ(tabs->tabText(2), "DRC");
    EXPECT_EQ(frame.outputBar()->windowTitle(), "Output");
    EXPECT_FALSE(frame.outputBar()->isVisible());
    EXPECT_EQ(frame.dockWidgetArea(frame.outputBar()), Qt::BottomDockWidgetArea);
    EXPECT_EQ(frame.outputBar()->widget(), frame.outputEdit());
    std::ostream log(frame.GetOutputStreamBuf());
    log << "Netlist\nOK" << std::flush;
    EXPECT_EQ(frame.outputEdit()->toPlainText(), "Netlist\nOK");

    const LOGFONT& preview = CMainFrame::GetPreviewLogFont();
    EXPECT_STREQ(preview.lfFaceName, "Arial");
    EXPECT_EQ(preview.lfHeight, -80);
    EXPECT_EQ(preview.lfWeight, 400);
    EXPECT_EQ(preview.lfOutPrecision, 7);
    EXPECT_EQ(preview.lfPitchAndFamily, 0x20);
}

TEST_F(MainFrameTest, ViewCommandsToggleTheBarsAndCheckTheirItems) {
    CMainFrame frame(m_settings);
    frame.show();
    struct Toggle {
        UINT id;
        QWidget* bar;
    };
    const Toggle toggles[] = {{ID_VIEW_TOOLBAR, frame.toolbar(IDR_MAIN_TOOLBAR)},
                              {ID_VIEW_DRAWING_BAR, frame.toolbar(IDR_DRAWING_TOOLBAR)},
                              {ID_VIEW_TEXT_BAR, frame.toolbar(IDR_TEXT_TOOLBAR)},
                              {ID_VIEW_STATUS_BAR, frame.statusPanes()},
                              {ID_VIEW_WORKSPACE, frame.workspaceBar()},
                              {ID_VIEW_OUTPUT, frame.outputBar()}};
    for (const Toggle& t : toggles) {
        const bool before = t.bar->isVisible();
        EXPECT_EQ(frame.router().Update(t.id).checked, before) << t.id;
        frame.actions().Action(t.id)->trigger();
        EXPECT_NE(t.bar->isVisible(), before) << t.id;
        frame.UpdateCommandUI();
        EXPECT_EQ(frame.actions().Action(t.id)->isChecked(), !before) << t.id;
        frame.actions().Action(t.id)->trigger();
        EXPECT_EQ(t.bar->isVisible(), before) << t.id;
    }
    // The bars' own close button hides them like the View command.
    frame.workspaceBar()->close();
    EXPECT_EQ(frame.router().Update(ID_VIEW_WORKSPACE).checked, false);
    frame.ShowOutputBar();
    EXPECT_TRUE(frame.outputBar()->isVisible());
}

TEST_F(MainFrameTest, ClosingWhileMaximisedStoresTheNormalPlacement) {
    {
        CMainFrame frame(m_settings);
        frame.setGeometry(100, 80, 800, 600);
        frame.show();
        frame.showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.close();
    }
    const std::string stored = m_settings.GetProfileString("Settings", "WindowPos").str();
    EXPECT_EQ(stored, "2,3,-1,-1,-1,-1,100,80,900,680");
    std::vector<BYTE> state;
    EXPECT_TRUE(m_settings.GetProfileBinary("Toolbars", "DockState", state));
    EXPECT_FALSE(state.empty());

    CMainFrame again(m_settings);
    again.LoadWindowPlacement(SW_SHOWNORMAL);
    EXPECT_TRUE(again.isMaximized());
    EXPECT_EQ(again.normalGeometry(), QRect(100, 80, 800, 600));
}

TEST_F(MainFrameTest, RestoresARestoredWindowAndClampsItToTheScreen) {
    m_settings.WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,100,80,900,680");
    {
        CMainFrame frame(m_settings);
        frame.LoadWindowPlacement(SW_SHOWNORMAL);
        EXPECT_FALSE(frame.isMaximized());
        EXPECT_EQ(frame.geometry(), QRect(100, 80, 800, 600));
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Off the screen's top-left corner: moved onto it.
    m_settings.WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,-500,-40,900,300");
    {
        CMainFrame frame(m_settings);
        frame.LoadWindowPlacement(SW_SHOWNORMAL);
        EXPECT_TRUE(screen.contains(frame.frameGeometry()));
        EXPECT_EQ(frame.geometry().size(), QSize(1400, 340));
    }
    // Wider than the screen: made narrower.
    m_settings.WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,0,0,9000,300");
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    EXPECT_LE(frame.geometry().width(), screen.width());
}

TEST_F(MainFrameTest, AMalformedPlacementIsIgnoredWithTheDockState) {
    {
        CMainFrame frame(m_settings);
        frame.show();
        frame.toolbar(IDR_MAIN_TOOLBAR)->hide();
        frame.close();
    }
    m_settings.WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,100,80,900");
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.toolbar(IDR_MAIN_TOOLBAR)->isVisible());  // no dock state loaded
}

TEST_F(MainFrameTest, TheDockStateComesBackWithThePlacement) {
    {
        CMainFrame frame(m_settings);
        frame.show();
        frame.toolbar(IDR_MAIN_TOOLBAR)->hide();
        frame.toolbar(IDR_TEXT_TOOLBAR)->show();
        frame.addDockWidget(Qt::RightDockWidgetArea, frame.workspaceBar());
        frame.ShowOutputBar();
        frame.close();
    }
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    EXPECT_FALSE(frame.toolbar(IDR_MAIN_TOOLBAR)->isVisible());
    EXPECT_TRUE(frame.toolbar(IDR_TEXT_TOOLBAR)->isVisible());
    EXPECT_TRUE(frame.outputBar()->isVisible());
    EXPECT_EQ(frame.dockWidgetArea(frame.workspaceBar()), Qt::RightDockWidgetArea);
}

TEST_F(MainFrameTest, AWindowClosedMinimisedComesBackNormal) {
    {
        CMainFrame frame(m_settings);
        frame.setGeometry(50, 60, 700, 500);
        frame.show();
        frame.showMinimized();
        frame.close();
    }
    EXPECT_EQ(m_settings.GetProfileString("Settings", "WindowPos").str(),
              "0,2,-1,-1,-1,-1,50,60,750,560");
    CMainFrame frame(m_settings);
    frame.LoadWindowPlacement(SW_SHOWNORMAL);
    EXPECT_FALSE(frame.isMinimized());
    EXPECT_EQ(frame.geometry(), QRect(50, 60, 700, 500));
}

TEST_F(MainFrameTest, TheCloseHandlerCanKeepTheWindowOpen) {
    CMainFrame frame(m_settings);
    frame.show();
    bool allow = false;
    int asked = 0;
    frame.setCloseHandler([&] {
        ++asked;
        return allow;
    });
    frame.actions().Action(ID_APP_EXIT)->trigger();
    EXPECT_TRUE(frame.isVisible());
    allow = true;
    frame.actions().Action(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(asked, 2);
}

TEST_F(MainFrameTest, ToolMenusAreBuiltFromTheSettingsWhenTheyOpen) {
    CMainFrame frame(m_settings);
    frame.show();
    OpenDrawFrame(frame);
    ASSERT_EQ(frame.currentMenuId(), IDR_SCHEMATIC);
    QMenu* tools = FindPopup(frame, IDR_SCHEMATIC, "menuRunTool");
    QMenu* simulators = FindPopup(frame, IDR_SCHEMATIC, "menuSelectSimulator");
    ASSERT_NE(tools, nullptr);
    ASSERT_NE(simulators, nullptr);

    auto items = [](QMenu* menu) {
        std::vector<std::pair<UINT, QString>> result;
        for (QAction* action : Commands(menu))
            result.emplace_back(CommandActions::IdOf(action), action->text());
        return result;
    };
    m_settings.WriteProfileInt("Tools", "UserTools", 2);
    EXPECT_EQ(items(tools), (std::vector<std::pair<UINT, QString>>{{33026, "none\t "}}));

    m_settings.WriteProfileInt("Tools", "UserTools", 9);
    for (int k = 3; k <= 7; ++k)
        m_settings.WriteProfileString("Tools", ("Tool" + std::to_string(k) + ".Name").c_str(),
                                      std::string(1, char('A' + k - 3)).c_str());
    EXPECT_EQ(
        items(tools),
        (std::vector<std::pair<UINT, QString>>{
            {33026, "A\t "}, {33027, "B\t "}, {33028, "C\t "}, {33029, "D\t "}, {33030, "E\t "}}));
    // Fewer tools later: the menu shrinks again.
    m_settings.WriteProfileInt("Tools", "UserTools", 3);
    EXPECT_EQ(items(tools), (std::vector<std::pair<UINT, QString>>{{33026, "A\t "}}));

    m_settings.WriteProfileInt("Simulator", "UserTools", 12);
    const auto sims = items(simulators);
    ASSERT_EQ(sims.size(), 5u);
    EXPECT_EQ(sims[0].first, 33023u);
    EXPECT_EQ(sims[1].first, 33031u);
    EXPECT_EQ(sims[4].first, 33034u);
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

TEST_F(MainFrameTest, TheRecentFilesOpenFromTheFileMenu) {
    CMainFrame frame(m_settings);
    std::vector<std::string> opened;
    frame.setOpenDocumentHandler([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    QMenu* file = FindPopup(frame, IDR_MAINFRAME, "menuFile");
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    auto texts = [&] {
        QStringList t;
        for (QAction* a : file->actions())
            if (a->isVisible() && !a->isSeparator())
                t << a->text();
        return t;
    };
    EXPECT_TRUE(texts().contains("Recent File"));

    frame.setRecentFilesProvider([] { return std::vector<std::string>{"/w/a.sch", "/w/b.sch"}; });
    emit file->aboutToShow();
    EXPECT_FALSE(texts().contains("Recent File"));
    EXPECT_TRUE(texts().contains("&2 /w/b.sch"));
    for (QAction* a : file->actions()) {
        if (a->text() == "&2 /w/b.sch")
            a->trigger();
    }
    EXPECT_EQ(opened, std::vector<std::string>{"/w/b.sch"});
}

TEST_F(MainFrameTest, ClickingTheUnitsPaneAsksForTheOtherUnits) {
    CMainFrame frame(m_settings);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    // The application's units: switching them updates every view and so every ruler.
    bool metric = false;
    CDrawFrame* first = OpenDrawFrame(frame);
    CDrawFrame* second = OpenDrawFrame(frame);
    frame.setUnitsToggleHandler([&] {
        metric = !metric;
        for (CDrawFrame* f : {first, second})
            f->UpdateRulers(QPointF(0, 0), 10, QSizeF(11693, 8268), metric, 0);
        frame.statusPanes()->SetPaneText(ID_INDICATOR_UNITS, metric ? "cm" : "inch ");
    });
    QWidget* units = frame.statusPanes()->Pane(ID_INDICATOR_UNITS);
    QTest::mouseClick(units, Qt::LeftButton);
    EXPECT_TRUE(metric);
    EXPECT_EQ(frame.statusPanes()->PaneText(ID_INDICATOR_UNITS), "cm");
    for (CDrawFrame* f : {first, second}) {
        EXPECT_TRUE(f->horizontalRuler()->IsMetric());
        EXPECT_TRUE(f->verticalRuler()->IsMetric());
    }
    QTest::mouseClick(units, Qt::LeftButton);
    EXPECT_FALSE(metric);
    EXPECT_FALSE(second->verticalRuler()->IsMetric());
    // Other panes do not toggle.
    QTest::mouseClick(frame.statusPanes()->Pane(ID_INDICATOR_SIZE), Qt::LeftButton);
    EXPECT_FALSE(metric);
}

TEST_F(MainFrameTest, HelpCommandsReachTheHelpHandler) {
    RecordingPrompt prompt;
    CMainFrame frame(m_settings);
    frame.actions().Action(ID_HELP_FINDER)->trigger();
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"Failed to launch help."});

    std::vector<std::pair<DWORD, UINT>> requests;
    frame.setHelpHandler([&](DWORD data, UINT command) { requests.emplace_back(data, command); });
    frame.actions().Action(ID_HELP_FINDER)->trigger();
    frame.actions().Action(ID_HELP_INDEX)->trigger();
    frame.router().Execute(ID_HELP_USING);
    frame.WinHelp(0x10000 + ID_FILE_NEW, HELP_CONTEXT);
    EXPECT_EQ(requests,
              (std::vector<std::pair<DWORD, UINT>>{{0, HELP_FINDER},
                                                   {0, HELP_INDEX},
                                                   {0, HELP_HELPONHELP},
                                                   {0x10000 + ID_FILE_NEW, HELP_CONTEXT}}));
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(frame.actions().Action(ID_HELP_FINDER)->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(MainFrameTest, TheBarsContextMenuOpensInsideTheClientAreaFromTheKeyboard) {
    CMainFrame frame(m_settings);
    frame.setGeometry(100, 100, 900, 700);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(-1, -1), QPoint(-1, -1));
    const QPoint client = frame.mapToGlobal(QPoint(0, frame.menuBar()->height()));
    EXPECT_EQ(frame.ContextMenuPosition(keyboard), client + QPoint(5, 5));
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(30, 40), QPoint(130, 140));
    EXPECT_EQ(frame.ContextMenuPosition(mouse), QPoint(130, 140));

    std::unique_ptr<QMenu> menu(frame.CreateTablePopup(IDR_BARS_POPUP));
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text();
    EXPECT_EQ(texts, QStringList({"&Main Toolbar", "&Drawing Toolbar", "&Status Bar", "&Rulers",
                                  "&Workspace", "&Output Window"}));
    // The entry with a text of its own still runs the shared command.
    menu->actions().back()->trigger();
    EXPECT_TRUE(frame.outputBar()->isVisible());
    // Without a drawing window the rulers entry is disabled.
    EXPECT_FALSE(menu->actions()[3]->isEnabled());
}

TEST_F(MainFrameTest, TheMenuBarFollowsTheActiveDocumentKind) {
    CMainFrame frame(m_settings);
    frame.show();
    CDrawFrame* schematic = OpenDrawFrame(frame);
    EXPECT_EQ(frame.currentMenuId(), IDR_SCHEMATIC);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [Untitled1]");  // maximised
    EXPECT_EQ(frame.ActiveChildFrame(), schematic);
    CDrawFrame* symbol = OpenDrawFrame(frame, IDR_SYMBOL);
    symbol->setWindowTitle("Symbol1");
    EXPECT_EQ(frame.currentMenuId(), IDR_SYMBOL);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic - [Symbol1]");

    // The window list names both, the active one checked.
    QMenu* window = FindPopup(frame, IDR_SYMBOL, "menuWindow");
    emit window->aboutToShow();
    QStringList listed;
    for (QAction* a : window->actions())
        if (a->isChecked())
            listed << a->text();
    EXPECT_EQ(listed, QStringList({"&2 Symbol1"}));

    frame.router().Execute(ID_WINDOW_CHILD_FIRST);
    EXPECT_EQ(frame.ActiveChildFrame(), schematic);
    frame.router().Execute(ID_WINDOW_CLOSE);
    frame.router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_TRUE(frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(frame.currentMenuId(), IDR_MAINFRAME);
    EXPECT_EQ(frame.windowTitle(), "Vosk Schematic");
}
