#include "shell/toolbar/DropDownButton.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QRubberBand>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include "gui/support/QtTestApp.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/frames/MainFrame.h"
#include "shell/frames/SplitterBar.h"
#include "shell/support/PopupTestSupport.h"
#include "shell/toolbar/ColourPopup.h"
#include "shell/toolbar/StylePopups.h"
#include "shell/toolbar/UndoPopup.h"
#include "support/TestSupport.h"

namespace {

// Ends whichever popup opens next, noting which it was.
class PopupCloser : public QObject {
public:
    PopupCloser() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (CPopupFrame* open = CPopupFrame::OpenPopup(); open && open->isVisible()) {
                opened.push_back(open->objectName().toStdString());
                open->EndPopup(CPopupFrame::kCancelled);
            }
        });
        m_timer.start();
    }
    std::vector<std::string> opened;

private:
    QTimer m_timer;
};

class DropDownButtonTest : public ::testing::Test, WithQtApp {
protected:
    DropDownButtonTest() {
        m_target.rows = {"1 - Move"};
        for (bool undo : {true, false}) {
            auto* action = new QAction(undo ? "Undo" : "Redo", &m_bar);
            auto* button = new CDropDownButton(action, &m_bar);
            button->setFixedWidth(36);
            auto* popup = new CUndoPopup(nullptr, undo);
            button->SetPopup(popup, [this, popup] { return popup->Init(&m_target); });
            m_bar.addWidget(button);
            (undo ? m_undo : m_redo) = button;
        }
        m_bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_bar));
    }

    FakePopupTarget m_target;
    QToolBar m_bar;
    CDropDownButton* m_undo = nullptr;
    CDropDownButton* m_redo = nullptr;
};

TEST_F(DropDownButtonTest, MainPartRunsTheCommandAndTheArrowOpensTheList) {
    QSignalSpy triggered(m_undo->defaultAction(), &QAction::triggered);
    PopupCloser closer;
    QTest::mouseClick(m_undo, Qt::LeftButton, {}, QPoint(4, m_undo->height() / 2));
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_TRUE(closer.opened.empty());
    QTest::mouseClick(m_undo, Qt::LeftButton, {}, m_undo->ArrowRect().center());
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_EQ(closer.opened, std::vector<std::string>({"undoPopup"}));
    EXPECT_FALSE(m_undo->isDown());
}

TEST_F(DropDownButtonTest, WholeButtonOpensTheDropDown) {
    QSignalSpy triggered(m_redo->defaultAction(), &QAction::triggered);
    m_redo->SetWholeButton(true);
    PopupCloser closer;
    QTest::mouseClick(m_redo, Qt::LeftButton, {}, QPoint(4, m_redo->height() / 2));
    EXPECT_EQ(triggered.count(), 0);
    EXPECT_EQ(closer.opened, std::vector<std::string>({"redoPopup"}));
}

TEST_F(DropDownButtonTest, MovingOntoAnotherDropDownSwitchesPopups) {
    QTimer::singleShot(0, [this] {
        CPopupFrame* popup = m_undo->popup();
        const QPoint onRedo = m_redo->mapToGlobal(m_redo->rect().center());
        SendMouse(popup, QEvent::MouseMove, popup->mapFromGlobal(onRedo), Qt::NoButton);
    });
    m_undo->DropDown();
    EXPECT_FALSE(m_undo->popup()->isVisible());
    PopupCloser closer;
    QTest::qWait(50);
    EXPECT_EQ(closer.opened, std::vector<std::string>({"redoPopup"}));
}

TEST(MainFrameDropDownTest, ToolbarButtonsOpenTheirPopups) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    SettingsStore settings(dir / "settings.reg");
    CMainFrame frame(settings);
    struct Case {
        UINT id;
        bool whole;
        const char* popup;
    } cases[] = {
        {ID_EDIT_UNDO, false, "undoPopup"},         {ID_EDIT_REDO, false, "redoPopup"},
        {ID_LINE_COLOUR, true, "colourPopup32872"}, {ID_FILL_COLOUR, true, "colourPopup32864"},
        {ID_LINE_WIDTH, true, "lineWidthPopup"},    {ID_FILL_STYLE, true, "fillStylePopup"},
    };
    for (const Case& c : cases) {
        auto* button = frame.findChild<CDropDownButton*>(QString("dropDown%1").arg(c.id));
        ASSERT_TRUE(button) << c.id;
        EXPECT_EQ(button->IsWholeButton(), c.whole) << c.id;
        ASSERT_TRUE(button->popup()) << c.id;
        EXPECT_EQ(button->popup()->objectName(), c.popup);
    }
}

// Screenshots of the popups as the toolbar opens them, and of the line colour grid.
TEST(MainFrameDropDownTest, LineColourScreenshot) {
    QtTestApp::ensure();
    FakePopupTarget target;
    target.colour = ColourState::FromWord(0x02000000);
    CColourPopup popup(nullptr, ID_LINE_COLOUR);
    popup.Init(&target, 0, kColourAskTarget | kColourNoOutline);
    TrackWith(popup, [&] {
        SaveArtefact(&popup, "line-colour");
        popup.EndPopup(CPopupFrame::kCancelled);
    });
}

TEST(SplitterBarTest, TheLineStaysWithinTheAllowedRange) {
    QtTestApp::ensure();
    QWidget parent;
    parent.resize(200, 400);
    CSplitterBar bar(&parent, [] { return std::pair(100, 300); });
    bar.setGeometry(0, 200, 200, 7);
    parent.show();
    QSignalSpy moved(&bar, &CSplitterBar::moved);
    SendMouse(&bar, QEvent::MouseButtonPress, QPoint(10, 3));
    SendMouse(&bar, QEvent::MouseMove, QPoint(10, 250));  // parent y 450: past the bottom
    EXPECT_EQ(bar.LinePosition(), 300);
    SendMouse(&bar, QEvent::MouseMove, QPoint(10, -180));  // parent y 23: past the top
    EXPECT_EQ(bar.LinePosition(), 100);
    SendMouse(&bar, QEvent::MouseButtonRelease, QPoint(10, -180), Qt::NoButton);
    EXPECT_EQ(bar.LinePosition(), -1);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.front().front().toInt(), 100 - 203);
}

}  // namespace
