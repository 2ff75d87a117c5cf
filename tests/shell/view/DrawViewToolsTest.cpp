// The schematic view hands its mouse and key events to the current drawing tool, chooses
// tools by command, and places objects for its callers.

#include <gtest/gtest.h>

#include <QTest>
#include <QToolTip>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/support/QtTestApp.h"
#include "shell/tools/ToolManager.h"
#include "shell/view/DrawView.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {

struct WithTools {
    WithTools() : previous(SetToolManager(&tools)) { QtTestApp::ensure(); }
    ~WithTools() { SetToolManager(previous); }
    ToolManager tools;
    ToolManager* previous;
};

class DrawViewToolsTest : public ::testing::Test, protected WithTools {
protected:
    DrawViewToolsTest() {
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    void Run(UINT id) {
        const CommandMap::Entry* entry = view->Commands().Find(id);
        ASSERT_NE(entry, nullptr);
        entry->handler(id);
    }
    CmdUI Update(UINT id) {
        CmdUI ui;
        view->Commands().Find(id)->update(ui);
        return ui;
    }
    QWidget* Port() const { return view->viewport(); }

    CDrawDoc doc;
    std::unique_ptr<CDrawView> view = std::make_unique<CDrawView>(doc);
};

TEST_F(DrawViewToolsTest, ToolCommandsChooseTheShapeAndMarkIt) {
    Run(ID_DRAW_RECT);
    EXPECT_EQ(tools.state.currentShape, kToolRect);
    EXPECT_TRUE(Update(ID_DRAW_RECT).checked.value_or(false));
    EXPECT_FALSE(Update(ID_DRAW_SELECT).checked.value_or(true));
    EXPECT_FALSE(Update(ID_END_WIRE).enabled);
    Run(ID_DRAW_BUS);
    EXPECT_EQ(Update(ID_END_WIRE).text.value_or(""), "End Bus");
    Run(ID_ZOOM_AREA);
    EXPECT_EQ(tools.state.currentShape, kToolZoom);
}

TEST_F(DrawViewToolsTest, MouseEventsReachTheCurrentTool) {
    Run(ID_DRAW_RECT);
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(300, 260));
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 260));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_EQ(view->GetSelection().GetCount(), 1);
}

TEST_F(DrawViewToolsTest, EscCancelsTheGesture) {
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(doc.GetObjects().GetCount(), 1);
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

TEST_F(DrawViewToolsTest, EscTakesAWireBeingDrawnAwayWithItsTip) {
    Run(ID_DRAW_WIRE);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QTest::mouseMove(Port(), QPoint(300, 200));
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    QTest::mouseMove(Port(), QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_TRUE(QToolTip::text().startsWith("Wire")) << QToolTip::text().toStdString();
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
}

TEST_F(DrawViewToolsTest, ANewTextIsTypedInPlaceThenTheSelectToolIsBack) {
    Run(ID_DRAW_TEXT);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    ASSERT_NE(view->TextEditor(), nullptr);
    QTest::keyClicks(view->TextEditor(), "R1");
    QTest::keyClick(view->TextEditor(), Qt::Key_Return);
    EXPECT_EQ(view->TextEditor(), nullptr);
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    EXPECT_EQ(static_cast<CTextBox*>(doc.GetObjects().GetHead())->GetText(), "R1");
    EXPECT_EQ(tools.state.currentShape, kToolSelect);

    // Esc in the editor keeps the text as it was.
    view->BeginTextEdit(static_cast<CTextBox*>(doc.GetObjects().GetHead()));
    QTest::keyClicks(view->TextEditor(), "00");
    Run(ID_CANCEL);
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_EQ(static_cast<CTextBox*>(doc.GetObjects().GetHead())->GetText(), "R1");
}

TEST_F(DrawViewToolsTest, WithPlaceOnPasteThePastedObjectsFollowTheMouse) {
    CSchematicApp app(std::filesystem::path{});
    ScopedApp installed(app);
    auto rect = std::make_unique<CDrawRect>(CRect(0, 0, 400, -200));
    CDrawRect* copied = rect.get();
    ASSERT_TRUE(doc.AddObject(std::move(rect)));
    view->Select(copied);
    Run(ID_EDIT_COPY);

    Run(ID_EDIT_PASTE);
    EXPECT_EQ(tools.state.currentShape, kToolSelect) << "the option is off";
    app.Options |= kOptionPlaceOnPaste;
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(doc.GetObjects().GetCount(), 3);
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    QTest::keyClick(Port(), Qt::Key_Escape);
    EXPECT_EQ(doc.GetObjects().GetCount(), 2) << "Esc takes the carried paste away";
}

TEST_F(DrawViewToolsTest, PlacedObjectsFollowTheMouseUntilTheViewCloses) {
    CDrawRect rect(CRect(0, 0, 400, -200));
    CObList objects;
    objects.AddTail(&rect);
    ASSERT_TRUE(view->PlaceObjects(objects));
    EXPECT_EQ(tools.state.currentShape, kToolPlace);
    QTest::mouseMove(Port(), QPoint(300, 300));
    QTest::keyClick(Port(), Qt::Key_Space);
    view.reset();
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_EQ(doc.GetObjects().GetCount(), 0);
}

}  // namespace
