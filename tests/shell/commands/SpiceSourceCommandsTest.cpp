// "Source Parameters.." from a simulation source's right-click menu, in the program's window.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/dialogs/objects/DlgSpiceSource.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SpiceSymbol.h"
#include "shell/frames/ChildFrame.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"

namespace {

class SpiceSourceCommandsTest : public AppFixture {
protected:
    void SetUp() override {
        m_app = StartActive();
        ASSERT_TRUE(m_started);
        CChildFrame* child = m_app->MainFrame()->ActiveChildFrame();
        ASSERT_NE(child, nullptr);
        m_view = qobject_cast<CDrawView*>(child->view());
        ASSERT_NE(m_view, nullptr);
    }
    void TearDown() override {
        m_view->GetDocument().SetModifiedFlag(FALSE);
        EXPECT_TRUE(Close(*m_app));
    }

    // A source of kind drawn as a box over (x, y) .. (x + 400, y - 200).
    CSpiceSymbol* AddSource(DWORD kind, LONG x, LONG y) {
        auto source = std::make_unique<CSpiceSymbol>();
        source->GetGraphics().AddTail(new CDrawRect(CRect(0, 0, 400, -200)));
        source->RecalcBounds(nullptr);
        source->OffsetBy(CSize(x, y));
        source->SetSourceKind(kind);
        CSpiceSymbol* added = source.get();
        EXPECT_TRUE(m_view->GetDocument().AddObject(std::move(source)));
        return added;
    }

    // A right click at a sheet point, as the desktop gives it, with menu answered by choose.
    void RightClick(CPoint sheet, const std::function<void(QMenu&)>& choose) {
        const CPoint client = m_view->DocToClient(sheet);
        const QPoint at(client.x, client.y);
        bool shown = false;
        QTimer::singleShot(0, [&shown, &choose] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            shown = true;
            choose(*menu);
        });
        QWidget* port = m_view->viewport();
        QCursor::setPos(port->mapToGlobal(at));  // the menu is of the object under the cursor
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, port->mapToGlobal(at));
        QApplication::sendEvent(port, &request);
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, at);
        EXPECT_TRUE(shown);
    }

    std::unique_ptr<CSchematicQtApp> m_app;
    CDrawView* m_view = nullptr;
};

QAction* Entry(QMenu& menu, const char* text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Of a source and a second source selected after it, the one clicked opens; its dialog fits
// the screen even for the kind with the longest row, which scrolls.
TEST_F(SpiceSourceCommandsTest, TheClickedSourceOfASelectionOpensWithinTheScreen) {
    CSpiceSymbol* pwl = AddSource(CSpiceSymbol::kPwl, 1000, -1000);
    CSpiceSymbol* dc = AddSource(CSpiceSymbol::kDc, 3000, -1000);
    m_view->Select(pwl);
    m_view->Select(dc, true);
    int opened = -1;
    int width = 0;
    bool scrolls = false;
    RightClick(CPoint(1200, -1000),  // on the box's top edge
               [&](QMenu& menu) {
                   QAction* entry = Entry(menu, "Source &Parameters..");
                   if (!entry) {
                       menu.close();
                       FAIL() << "no entry in " << menu.actions().front()->text().toStdString();
                   }
                   EXPECT_TRUE(entry->isEnabled());
                   QTimer::singleShot(0, [&] {
                       auto* dialog =
                           qobject_cast<CDlgSpiceSource*>(QApplication::activeModalWidget());
                       ASSERT_NE(dialog, nullptr);
                       opened = dialog->kindBox()->currentIndex();
                       width = dialog->frameGeometry().width();
                       scrolls = dialog->table()->horizontalScrollBar()->maximum() > 0;
                       dialog->reject();
                   });
                   menu.setActiveAction(entry);
                   QTest::keyClick(&menu, Qt::Key_Return);
               });
    EXPECT_EQ(opened, CSpiceSymbol::kPwl);
    EXPECT_GT(width, 0);
    EXPECT_LE(width, m_view->screen()->availableGeometry().width());
    EXPECT_TRUE(scrolls);
}

}  // namespace
