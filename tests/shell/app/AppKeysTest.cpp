// Function keys, the keys of an output window, the units pane and the services of the whole
// program.

#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <sstream>

#include "model/doc/DocView.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/ResizableBar.h"
#include "shell/frames/RulerBar.h"
#include "shell/frames/StatusBar.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/help/HelpWindow.h"
#include "shell/output/OutputEdit.h"
#include "shell/output/StrEditView.h"
#include "shell/support/AppFixture.h"

namespace {

class AppKeysTest : public AppFixture {
protected:
    // Every slot of the function-key table bound to command, stale slots of keys that cannot
    // be bound included.
    void BindEveryKeyTo(UINT command) {
        SettingsStore settings = Stored();
        for (int slot = 0; slot < kFunctionKeySlots; ++slot)
            settings.WriteProfileInt("Settings", ("Key" + std::to_string(slot)).c_str(),
                                     static_cast<int>(command));
        settings.Save();
    }

    static void Press(CSchematicQtApp& app, Qt::Key key,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = app.MainFrame()->ActiveChildFrame()
                              ? app.MainFrame()->ActiveChildFrame()->view()
                              : app.MainFrame()->mdiArea();
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }
};

// Counts the F10 presses that reach a window.
class KeyCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F10)
            ++f10Presses;
        return QObject::eventFilter(watched, event);
    }
    int f10Presses = 0;
};

// A page that wants idle time a few times, then no more.
class CountingPage : public CBarPage {
public:
    bool OnIdle(int count) override {
        counts.push_back(count);
        return count < 2;
    }
    std::vector<int> counts;
};

TEST_F(AppKeysTest, ABoundFunctionKeyRunsItsCommandAndUnbindableKeysNever) {
    BindEveryKeyTo(ID_FILE_NEW);
    auto app = Start();
    CMainFrame* frame = app->MainFrame();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

    Press(*app, Qt::Key_F2);
    EXPECT_EQ(Titles(*app), (std::vector<std::string>{"Untitled1", "Untitled2"}));
    // Keys with a meaning of their own run their bound command instead.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> ownMeaning[] = {
        {Qt::Key_F12, Qt::ControlModifier}, {Qt::Key_F10, Qt::NoModifier},
        {Qt::Key_F10, Qt::ShiftModifier},   {Qt::Key_F4, Qt::ControlModifier},
        {Qt::Key_F6, Qt::ControlModifier},  {Qt::Key_F10, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : ownMeaning)
        Press(*app, key, modifiers);
    EXPECT_EQ(Titles(*app).size(), 8u);

    // F1 shows help, Ctrl+Shift and Alt do nothing.
    Press(*app, Qt::Key_F1);
    EXPECT_EQ(Titles(*app).size(), 8u);
    ASSERT_NE(app->Help().Window(), nullptr);
    EXPECT_TRUE(app->Help().Window()->isVisible());
    app->Help().Window()->close();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    Press(*app, Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
    Press(*app, Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
    Press(*app, Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(Titles(*app).size(), 8u);

    // Not while a dialog is open over the frame.
    QDialog dialog(frame);
    dialog.open();
    Press(*app, Qt::Key_F2);
    EXPECT_EQ(Titles(*app).size(), 8u);
    dialog.close();

    // A key pressed while the splash shows only closes it.
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(frame);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    Press(*app, Qt::Key_F2);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_EQ(Titles(*app).size(), 8u);
    CSplashWnd::EnableSplashScreen(false);
}

TEST_F(AppKeysTest, UnboundKeysKeepTheirOwnMeaning) {
    {
        SettingsStore settings = Stored();
        settings.WriteProfileInt("Settings", "Key0", ID_FILE_NEW);  // F2 only
        settings.Save();
    }
    auto app = Start();
    CMainFrame* frame = app->MainFrame();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    Press(*app, Qt::Key_F2);
    ASSERT_EQ(WindowCount(*app), 2);
    CChildFrame* second = frame->ActiveChildFrame();

    // Ctrl+F6 goes to the next window, Ctrl+F4 closes it.
    Press(*app, Qt::Key_F6, Qt::ControlModifier);
    EXPECT_NE(frame->ActiveChildFrame(), second);
    Press(*app, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(WindowCount(*app), 1);
    EXPECT_EQ(frame->ActiveChildFrame(), second);

    // F10, Shift+F10 and Ctrl+F10 are left to the window that has the focus.
    KeyCounter counter;
    second->view()->installEventFilter(&counter);
    Press(*app, Qt::Key_F10);
    Press(*app, Qt::Key_F10, Qt::ShiftModifier);
    Press(*app, Qt::Key_F10, Qt::ControlModifier);
    EXPECT_EQ(counter.f10Presses, 3);
    EXPECT_EQ(WindowCount(*app), 1);
}

// A report shown on the screen keeps the keys its text is edited with; the menus' keys and the
// window keys work there as in a drawing window.
TEST_F(AppKeysTest, AnOutputWindowLeavesTheMenuAndWindowKeysToTheWindow) {
    auto app = StartActive();
    ASSERT_TRUE(m_started);
    CMainFrame* frame = app->MainFrame();
    ASSERT_NE(app->Documents().OpenDocumentFile(*app->OutputTemplate(), {}), nullptr);
    CChildFrame* output = frame->ActiveChildFrame();
    auto* view = qobject_cast<CStrEditView*>(output->view());
    ASSERT_NE(view, nullptr);
    view->setFocus();

    for (const Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_Home})
        Press(*app, key);
    Press(*app, Qt::Key_Delete);
    EXPECT_EQ(view->toPlainText(), "bc");
    Press(*app, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->toPlainText(), "abc");

    Press(*app, Qt::Key_W, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    EXPECT_EQ(menu ? menu->objectName() : QString(), "menuWindow");
    if (menu)
        menu->close();
    EXPECT_EQ(view->toPlainText(), "abc");

    Press(*app, Qt::Key_F6, Qt::ControlModifier);
    EXPECT_NE(frame->ActiveChildFrame(), output);
    frame->mdiArea()->setActiveSubWindow(output);
    view->setFocus();
    m_prompt.Answer(IDNO);  // not saving the text typed
    Press(*app, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(WindowCount(*app), 1);
    EXPECT_EQ(m_prompt.shown().size(), 1u);
}

TEST_F(AppKeysTest, TheUnitsPaneSwitchesTheUnitsOfEveryRuler) {
    auto app = Start();
    app->MainFrame()->router().Execute(ID_FILE_NEW);
    std::vector<CDrawFrame*> frames;
    for (CDocumentBase* document : app->Documents().Documents())
        frames.push_back(qobject_cast<CDrawFrame*>(app->Documents().FrameOf(*document)));
    CStatusBar* status = app->MainFrame()->statusPanes();
    QWidget* units = status->Pane(ID_INDICATOR_UNITS);

    QTest::mouseClick(units, Qt::LeftButton);
    EXPECT_TRUE(app->App().Options & kOptionMetric);
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "cm");
    for (CDrawFrame* frame : frames) {
        EXPECT_TRUE(frame->horizontalRuler()->IsMetric());
        EXPECT_TRUE(frame->verticalRuler()->IsMetric());
    }
    QTest::mouseClick(units, Qt::LeftButton);
    EXPECT_FALSE(app->App().Options & kOptionMetric);
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "inch");
    EXPECT_FALSE(frames[0]->verticalRuler()->IsMetric());
    QTest::mouseClick(status->Pane(ID_INDICATOR_SIZE), Qt::LeftButton);  // other panes do not
    EXPECT_FALSE(app->App().Options & kOptionMetric);

    ASSERT_TRUE(Close(*app));
    EXPECT_EQ(Stored().GetProfileInt("Settings", "Options", 1), 0u);
}

TEST_F(AppKeysTest, TheUnitsPaneFollowsUnitsChosenElsewhere) {
    auto app = Start();
    app->MainFrame()->router().Execute(ID_FILE_NEW);
    CStatusBar* status = app->MainFrame()->statusPanes();
    // The rulers' units menu and the Options sheet change the units without the pane.
    app->MainFrame()->router().Execute(ID_UNITS_CM);
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "cm");
    app->App().SetUnits(FALSE);
    EXPECT_EQ(status->PaneText(ID_INDICATOR_UNITS), "inch");
    ASSERT_TRUE(Close(*app));
}

TEST_F(AppKeysTest, ServicesReachTheBarsOnceTheMainFrameExists) {
    CSchematicQtApp app(SettingsFile(), {});
    // Before the start there is no main frame: the notices go nowhere.
    app.NotifyDocumentChanged(nullptr, kDocumentSetChanged);
    EXPECT_EQ(app.GetOutputStreamBuf(), nullptr);
    EXPECT_EQ(app.GetActiveView(), nullptr);
    ASSERT_TRUE(app.InitInstance({}));
    delete CSplashWnd::Current();
    CSplashWnd::EnableSplashScreen(false);

    CWorkspaceBar* workspace = app.MainFrame()->workspaceBar();
    auto* page = new CountingPage;
    workspace->AddPage(page, "Counting");
    // The start left idle work running, until the pages want no more; a notice restarts it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->counts.size() == 3; }));
    page->counts.clear();
    int document = 0;
    GetAppServices().NotifyDocumentChanged(&document, kDocumentContentChanged);
    EXPECT_TRUE(QTest::qWaitFor([&] { return page->counts.size() == 3; }));
    QTest::qWait(20);
    EXPECT_EQ(page->counts, (std::vector<int>{0, 1, 2}));

    std::ostream log(app.GetOutputStreamBuf());
    log << "Checking\n" << std::flush;
    app.ShowOutputBar();
    EXPECT_TRUE(app.MainFrame()->outputBar()->isVisible());
    EXPECT_EQ(app.MainFrame()->outputEdit()->toPlainText(), "Checking\n");

    workspace->hide();
    app.ShowDrcPage();
    EXPECT_TRUE(workspace->isVisible());
    EXPECT_EQ(workspace->CurrentPage(), workspace->DrcPage());
    app.ShowLibraryPage();
    EXPECT_EQ(workspace->CurrentPage(), workspace->FilesPage());

    EXPECT_EQ(app.GetActiveView(),
              dynamic_cast<IDocView*>(app.MainFrame()->ActiveChildFrame()->view()));
    EXPECT_FALSE(app.IsPrinterUsable({}, {}));
    EXPECT_FALSE(app.IsPrinterUsable({0, 0, 8, 0, 0, 0, 0, 0, 'N', 'o', 'n', 'e', 0}, {}));
}

}  // namespace
