#include "shell/DrawFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "platform/SettingsStore.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/QtTestApp.h"
#include "shell/RulerBar.h"
#include "support/TestSupport.h"

namespace {

class DrawFrameTest : public ::testing::Test {
protected:
    struct App {
        App() { QtTestApp::ensure(); }
    } m_app;  // before any widget

    DrawFrameTest() {
        CDrawFrame::LoadSettings(m_settings);  // a fresh start
        m_frame.show();
    }

    CDrawFrame* Open(UINT menuId = IDR_SCHEMATIC) {
        auto* child = new CDrawFrame(menuId);
        child->setView(new QWidget);
        m_frame.AddChildFrame(child);
        child->ActivateFrame();
        return child;
    }

    testsupport::TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
    CMainFrame m_frame{m_settings};
};

}  // namespace

TEST_F(DrawFrameTest, WithNothingStoredFramesOpenMaximisedWithRulers) {
    CDrawFrame* child = Open();
    EXPECT_TRUE(child->isMaximized());
    EXPECT_TRUE(child->RulersVisible());
    EXPECT_TRUE(child->horizontalRuler()->isVisible());
    EXPECT_TRUE(child->verticalRuler()->isVisible());
    EXPECT_EQ(child->horizontalRuler()->height(), CRulerBar::kThickness);
    EXPECT_EQ(child->verticalRuler()->width(), CRulerBar::kThickness);
    // The horizontal ruler covers the corner above the vertical one.
    EXPECT_EQ(child->horizontalRuler()->x(), 0);
    EXPECT_EQ(child->view()->x(), CRulerBar::kThickness);

    // Exit without a change: no "ShowCmd", and "Rulers" 1.
    CDrawFrame::SaveSettings(m_settings);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "ShowCmd", 99), 99u);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "Rulers", 99), 1u);
}

TEST_F(DrawFrameTest, TheLastRestoreOrMaximiseDecidesHowFramesOpen) {
    CDrawFrame* child = Open();
    child->showNormal();
    CDrawFrame::SaveSettings(m_settings);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "ShowCmd", 99), 1u);
    EXPECT_FALSE(Open()->isMaximized());

    // Minimising changes nothing.
    child->showMinimized();
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 1);
    child->showMaximized();
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 3);

    // Stored values that would hide or minimise new frames are not taken.
    m_settings.WriteProfileInt("Settings", "ShowCmd", 0);
    CDrawFrame::LoadSettings(m_settings);
    EXPECT_EQ(CChildFrame::SavedShowCommand(), 3);
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
    CDrawFrame::SaveSettings(m_settings);
    EXPECT_EQ(m_settings.GetProfileInt("Settings", "Rulers", 99), 0u);

    CDrawFrame* next = Open();
    EXPECT_FALSE(next->verticalRuler()->isVisible());
    m_frame.router().Execute(ID_VIEW_RULERS_KEY);
    EXPECT_TRUE(next->verticalRuler()->isVisible());
    EXPECT_FALSE(child->verticalRuler()->isVisible());  // only the active frame's rulers

    m_settings.WriteProfileInt("Settings", "Rulers", 0);
    CDrawFrame::LoadSettings(m_settings);
    EXPECT_FALSE(CDrawFrame::RulersShownByDefault());
}

TEST_F(DrawFrameTest, TheRulersFollowScrollZoomAndUnits) {
    CDrawFrame* child = Open();
    QApplication::processEvents();
    CRulerBar* h = child->horizontalRuler();
    CRulerBar* v = child->verticalRuler();
    const double unitsPerPixel = 10;
    child->UpdateRulers(QPointF(0, 0), unitsPerPixel, QSizeF(11693, 8268), false, kRulerAll);
    EXPECT_EQ(h->unitsButton()->text(), "inches");
    RulerScale hs = h->Scale();
    ASSERT_FALSE(hs.majors.empty());
    // The sheet's left edge lies at the view's left edge, one ruler thickness in.
    EXPECT_EQ(hs.sheetStart, CRulerBar::kThickness);
    EXPECT_EQ(hs.majors.front().label, "0");
    EXPECT_EQ(hs.majors.front().pixel, CRulerBar::kThickness);
    EXPECT_EQ(v->Scale().sheetStart, 0);
    EXPECT_EQ(v->Scale().sheetEnd, 827);

    // Scrolled down by an inch: only the vertical ruler was told.
    child->UpdateRulers(QPointF(0, 1000), unitsPerPixel, QSizeF(11693, 8268), false,
                        kRulerVertical);
    EXPECT_EQ(v->Scale().sheetStart, -100);
    EXPECT_EQ(h->Scale().sheetStart, CRulerBar::kThickness);

    // Other units set both rulers whatever the flags.
    child->UpdateRulers(QPointF(0, 0), unitsPerPixel * 2, QSizeF(11693, 8268), true, 0);
    EXPECT_TRUE(h->IsMetric());
    EXPECT_TRUE(v->IsMetric());
    EXPECT_EQ(h->unitsButton()->text(), "cm");
    EXPECT_EQ(v->Scale().sheetEnd, 413);
}

TEST_F(DrawFrameTest, TheWindowCommandsCloseAndSwitchFrames) {
    CDrawFrame* first = Open();
    CDrawFrame* second = Open(IDR_SYMBOL);
    EXPECT_EQ(m_frame.ActiveChildFrame(), second);
    m_frame.router().Execute(ID_WINDOW_NEXT);
    EXPECT_EQ(m_frame.ActiveChildFrame(), first);
    m_frame.router().Execute(ID_WINDOW_PREVIOUS);
    EXPECT_EQ(m_frame.ActiveChildFrame(), second);

    // The document may refuse to close (its save prompt was cancelled).
    bool allow = false;
    second->setCloseGuard([&] { return allow; });
    m_frame.router().Execute(ID_WINDOW_CLOSE);
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 2);
    allow = true;
    m_frame.router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(m_frame.currentMenuId(), IDR_SCHEMATIC);
}

TEST_F(DrawFrameTest, CommandsGoToTheViewThenTheDocumentThenTheFrame) {
    CDrawFrame* child = Open();
    CommandMap view, document;
    std::string ran;
    document.On(ID_FILE_SAVE, [&] { ran = "document"; });
    view.On(ID_EDIT_COPY, [&] { ran = "view"; });
    child->setViewCommands(&view);
    child->setDocumentCommands(&document);
    m_frame.UpdateCommandUI();
    EXPECT_TRUE(m_frame.actions().Action(ID_FILE_SAVE)->isEnabled());
    m_frame.actions().Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(ran, "document");
    m_frame.actions().Action(ID_EDIT_COPY)->trigger();
    EXPECT_EQ(ran, "view");
    // A view handler wins over the frame's own.
    view.On(ID_VIEW_RULERS, [&] { ran = "view rulers"; });
    m_frame.router().Execute(ID_VIEW_RULERS);
    EXPECT_EQ(ran, "view rulers");
    EXPECT_TRUE(child->RulersVisible());

    child->setViewCommands(nullptr);
    child->setDocumentCommands(nullptr);
    m_frame.UpdateCommandUI();
    EXPECT_FALSE(m_frame.actions().Action(ID_FILE_SAVE)->isEnabled());
}

TEST_F(DrawFrameTest, TheUnitsButtonAsksForTheUnitsMenuUnderItsRightEdge) {
    CDrawFrame* child = Open();
    QApplication::processEvents();
    QPoint asked;
    UINT menu = 0;
    bool right = false;
    QObject::connect(child, &CChildFrame::popupMenuRequested,
                     [&](UINT id, const QPoint& at, bool rightAligned) {
                         menu = id;
                         asked = at;
                         right = rightAligned;
                     });
    // The main frame shows the menu; close it as soon as it is up.
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QToolButton* units = child->horizontalRuler()->unitsButton();
    units->click();
    EXPECT_EQ(menu, IDR_UNITS_POPUP);
    EXPECT_TRUE(right);
    EXPECT_EQ(asked, units->mapToGlobal(units->rect().bottomRight()));
    std::unique_ptr<QMenu> popup(m_frame.CreateTablePopup(IDR_UNITS_POPUP));
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_EQ(popup->actions()[0]->text(), "cm");
    EXPECT_EQ(popup->actions()[1]->text(), "inches");
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
