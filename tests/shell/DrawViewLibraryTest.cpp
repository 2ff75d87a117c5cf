// Objects from the library browser placed in the view, and the rail commands' menu state.

#include <gtest/gtest.h>

#include <QTest>

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/DrawView.h"
#include "shell/QtTestApp.h"
#include "shell/tools/ToolManager.h"

namespace {

// The application's tools carry placed objects.
struct WithApp {
    WithApp() : previous(SetToolManager(&tools)) { QtTestApp::ensure(); }
    ~WithApp() { SetToolManager(previous); }
    ToolManager tools;
    ToolManager* previous;
};

class DrawViewLibraryTest : public ::testing::Test, WithApp {
protected:
    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

TEST_F(DrawViewLibraryTest, PlacedObjectsAreCopiesAddedSelectedInOneStep) {
    CDrawRect first(CRect(0, 0, 100, -50));
    CDrawRect second(CRect(200, 0, 300, -50));
    CObList objects;
    objects.AddTail(&first);
    objects.AddTail(&second);
    m_view.PlaceObjects(objects);
    ASSERT_EQ(m_doc.GetObjects().GetCount(), 2);
    EXPECT_EQ(objects.GetCount(), 2);  // the sender's list and objects stay as they were
    EXPECT_FALSE(m_doc.GetObjects().Find(&first));
    EXPECT_EQ(m_view.GetSelection().GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition(),
              CRect(0, 0, 100, -50));
    ASSERT_TRUE(m_doc.GetUndoList().Undo());
    EXPECT_TRUE(m_doc.GetObjects().IsEmpty());
}

TEST_F(DrawViewLibraryTest, RailCommandsShowTheNetAndNeedADanglingWire) {
    m_doc.SetAttribute("Power1", "+3V3", 0);
    CmdUI ui;
    m_view.Commands().Find(ID_CONNECT_POWER1)->update(ui);
    EXPECT_FALSE(ui.enabled);
    EXPECT_EQ(ui.text, "+3V3");
    ui = CmdUI{};
    m_view.Commands().Find(ID_CONNECT_GROUND2)->update(ui);
    EXPECT_EQ(ui.text, "AGND");

    auto wire = std::make_unique<CWire>();
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(1000, 0));
    CWire* placed = wire.get();
    ASSERT_TRUE(m_doc.AddObject(std::move(wire)));
    m_view.Select(placed);
    ui = CmdUI{};
    m_view.Commands().Find(ID_CONNECT_POWER1)->update(ui);
    EXPECT_TRUE(ui.enabled);
}

}  // namespace
