#include "shell/frames/WorkspaceBar.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "gui/support/QtTestApp.h"

namespace {

// A page that records what it is told and asks for idle time a number of times.
class RecordingPage : public CBarPage {
public:
    RecordingPage(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name)), m_log(log) {}
    bool OnIdle(int count) override {
        m_log.push_back(m_name + " idle " + std::to_string(count));
        return wantsMore-- > 0;
    }
    void OnDocumentChanged(const DocumentChange& change) override {
        m_log.push_back(m_name + " change " + std::to_string(change.code));
    }
    int wantsMore = 0;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class WorkspaceBarTest : public ::testing::Test {
protected:
    struct App {
        App() { QtTestApp::ensure(); }
    } m_app;  // before any widget

    WorkspaceBarTest() {
        m_frame.setCentralWidget(new QWidget);
        m_frame.resize(1200, 800);
        m_bar = new CWorkspaceBar(&m_frame);
        m_frame.addDockWidget(Qt::LeftDockWidgetArea, m_bar);
        m_output = new CResizableBar("Output", 59404, &m_frame);
        m_output->setWidget(new QWidget);
        m_frame.addDockWidget(Qt::BottomDockWidgetArea, m_output);
        m_frame.show();
        QApplication::processEvents();
    }

    QMainWindow m_frame;
    CWorkspaceBar* m_bar;
    CResizableBar* m_output;
};

}  // namespace

TEST_F(WorkspaceBarTest, DockedWidthAndHeightStayWithinTheirLimits) {
    m_bar->SetDockedWidth(700);
    QApplication::processEvents();
    EXPECT_EQ(m_bar->StoredWidth(), 500);
    EXPECT_EQ(m_bar->width(), 500);
    m_bar->SetDockedWidth(20);
    QApplication::processEvents();
    EXPECT_EQ(m_bar->width(), 100);

    m_output->SetDockedHeight(10);
    QApplication::processEvents();
    EXPECT_EQ(m_output->height(), 50);
    m_output->SetDockedHeight(9000);
    QApplication::processEvents();
    EXPECT_EQ(m_output->height(), 500);
    // Dragging the separator is bound by the same limits.
    m_frame.resizeDocks({m_output}, {5}, Qt::Vertical);
    QApplication::processEvents();
    EXPECT_GE(m_output->height(), 50);

    // Moved to the top, the height limits follow; floating, nothing limits it.
    m_frame.addDockWidget(Qt::TopDockWidgetArea, m_output);
    QApplication::processEvents();
    EXPECT_EQ(m_output->minimumHeight(), CResizableBar::kMinHeight);
    m_output->setFloating(true);
    QApplication::processEvents();
    EXPECT_EQ(m_output->minimumHeight(), 0);
    EXPECT_EQ(m_output->maximumWidth(), QWIDGETSIZE_MAX);
}

TEST_F(WorkspaceBarTest, SelectPageSwitchesOnlyToAnotherPageOfTheBar) {
    EXPECT_EQ(m_bar->CurrentPage(), m_bar->FilesPage());
    EXPECT_FALSE(m_bar->SelectPage(m_bar->FilesPage()));
    EXPECT_TRUE(m_bar->SelectPage(m_bar->DrcPage()));
    EXPECT_EQ(m_bar->CurrentPage(), m_bar->DrcPage());
    EXPECT_TRUE(m_bar->DrcPage()->isVisible());
    EXPECT_FALSE(m_bar->FilesPage()->isVisible());
    EXPECT_FALSE(m_bar->DesignViewPage()->isVisible());
    CBarPage stranger;
    EXPECT_FALSE(m_bar->SelectPage(&stranger));
    EXPECT_EQ(m_bar->DrcPage()->caption(), "DRC");
}

TEST_F(WorkspaceBarTest, EnterAndEscapeLeaveThePageOpen) {
    auto* edit = new QLineEdit(m_bar->FilesPage());
    edit->show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(m_bar->FilesPage()->isVisible());
    EXPECT_TRUE(m_bar->isVisible());
}

TEST_F(WorkspaceBarTest, IdleTimeAndChangesReachThePagesInOrder) {
    std::vector<std::string> log;
    auto* files = new RecordingPage("files", log);
    auto* design = new RecordingPage("design", log);
    auto* drc = new RecordingPage("drc", log);
    CWorkspaceBar bar(&m_frame, files, design, drc);
    EXPECT_EQ(bar.DesignViewPage(), design);
    EXPECT_EQ(design->caption(), "Design View");

    EXPECT_FALSE(bar.OnIdle(0));
    EXPECT_EQ(log, (std::vector<std::string>{"files idle 0", "design idle 0", "drc idle 0"}));
    log.clear();
    design->wantsMore = 1;
    EXPECT_TRUE(bar.OnIdle(3));
    EXPECT_EQ(log, (std::vector<std::string>{"files idle 3", "design idle 3"}));

    // Changes go to the Design View page, then the DRC page.
    log.clear();
    bar.NotifyDocumentChanged({-1, nullptr, nullptr});
    EXPECT_EQ(log, (std::vector<std::string>{"design change -1", "drc change -1"}));
}
