// The view's keyboard: arrow keys steer the cursor, Enter clicks where it is.

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "shell/view/DrawView.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class ViewKeys : public ::testing::Test, WithApp {
protected:
    ViewKeys() {
        m_view.resize(600, 400);
        m_view.show();
        m_view.activateWindow();
        m_view.setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }
    QPoint Cursor() const { return m_view.viewport()->mapFromGlobal(QCursor::pos()); }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

// About 3 pixels every 10 ms while the key is held, 10 with Shift; none once it is let go.
TEST_F(ViewKeys, HeldArrowsSteerTheCursor) {
    for (const bool fast : {false, true}) {
        QTest::mouseMove(m_view.viewport(), QPoint(100, 200));
        const Qt::KeyboardModifiers modifiers = fast ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyPress(&m_view, Qt::Key_Right, modifiers);
        QTest::qWait(100);
        QTest::keyRelease(&m_view, Qt::Key_Right, modifiers);
        QTest::qWait(30);
        const int moved = Cursor().x() - 100;
        EXPECT_EQ(Cursor().y(), 200);
        EXPECT_GE(moved, fast ? 50 : 15) << fast;
        EXPECT_LE(moved, fast ? 200 : 60) << fast;
        QTest::qWait(50);
        EXPECT_EQ(Cursor().x() - 100, moved);
    }
}

TEST_F(ViewKeys, EnterClicksWhereTheCursorIs) {
    m_doc.AddObject(std::make_unique<CDrawRect>(CRect(0, -700, 1000, -1500)));
    auto* rect = static_cast<CDrawObj*>(m_doc.GetObjects().GetTail());
    rect->SetFlags(kFlagFilled, kFlagFilled);
    const CPoint inside = m_view.DocToClient(CPoint(500, -1100));
    QTest::mouseMove(m_view.viewport(), QPoint(inside.x, inside.y));
    QTest::keyClick(&m_view, Qt::Key_Return);
    EXPECT_TRUE(m_view.IsSelected(rect));
}

}  // namespace
