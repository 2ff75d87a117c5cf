// The view's grid, zoom, undo and align items on a shown view (offscreen).

#include <gtest/gtest.h>

#include <QTest>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "resources/CommandIds.h"
#include "shell/DrawView.h"
#include "shell/QtTestApp.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class ViewArrange : public ::testing::Test, WithApp {
protected:
    ViewArrange() {
        m_view.resize(600, 400);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }
    CDrawObj* AddRect(int x) {
        m_doc.AddObject(std::make_unique<CDrawRect>(CRect(x, -700, x + 1000, -1500)));
        return static_cast<CDrawObj*>(m_doc.GetObjects().GetTail());
    }
    void Run(UINT id) { m_view.Commands().Find(id)->handler(id); }
    CmdUI State(UINT id) {
        CmdUI ui;
        m_view.Commands().Find(id)->update(ui);
        return ui;
    }
    void SetGrid(float space, DWORD metric) {
        CSnapGrid& grid = m_view.Grid();
        grid.m_spaceX = grid.m_spaceY = space;
        grid.m_metric = metric;
        grid.Update();
    }

    CDrawDoc m_doc;
    CDrawView m_view{m_doc};
};

TEST_F(ViewArrange, GridDownAndUpStepAlongTheMenuSpacings) {
    struct Case {
        float space;
        DWORD metric;
        UINT command;
        float logical;  // afterwards
    } const cases[] = {
        {0.01f, 0, ID_GRID_DOWN, 10.0f}, {0.25f, 0, ID_GRID_UP, 250.0f},
        {1.0f, 1, ID_GRID_DOWN, 250.0f}, {0.10f, 0, ID_GRID_DOWN, 50.0f},
        {0.10f, 0, ID_GRID_UP, 250.0f},  {0.005f, 0, ID_GRID_UP, 10.0f},
        {0.03f, 0, ID_GRID_DOWN, 20.0f}, {0.03f, 0, ID_GRID_UP, 50.0f},
    };
    for (const Case& c : cases) {
        SetGrid(c.space, c.metric);
        Run(c.command);
        EXPECT_FLOAT_EQ(m_view.Grid().m_logicalX, c.logical) << c.space << " " << c.command;
        EXPECT_FLOAT_EQ(m_view.Grid().m_logicalY, c.logical);
    }
    EXPECT_EQ(m_view.Grid().m_metric, 0u);
    Run(ID_GRID_005);
    EXPECT_TRUE(*State(ID_GRID_005).checked);
    EXPECT_FALSE(*State(ID_GRID_010).checked);
}

TEST_F(ViewArrange, UndoItemsNameTheNextCommand) {
    EXPECT_FALSE(State(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(*State(ID_EDIT_UNDO).text, "Cant Undo\tCrtl+Z");
    EXPECT_EQ(*State(ID_EDIT_REDO).text, "Cant Redo\tCrtl+Y");
    AddRect(0);
    m_view.Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()));
    EXPECT_FALSE(State(ID_ALIGN_LEFT).enabled);
    m_view.Select(AddRect(3000), true);
    ASSERT_TRUE(State(ID_ALIGN_LEFT).enabled);
    Run(ID_ALIGN_LEFT);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition().left, 3000);
    EXPECT_TRUE(State(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(*State(ID_EDIT_UNDO).text, "&Undo align left\tCrtl+Z");
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition().left, 0);
    EXPECT_EQ(*State(ID_EDIT_REDO).text, "&Redo align left\tCrtl+Y");
}

// Remove Highlights clears both highlight bits of every object, selected or not.
TEST_F(ViewArrange, HighlightsComeAndGo) {
    CDrawObj* selected = AddRect(0);
    CDrawObj* other = AddRect(2000);
    other->SetFlags(kFlagDrcError, kFlagDrcError);
    m_view.Select(selected);
    Run(ID_HIGHLIGHT_SELECTION);
    EXPECT_TRUE(selected->GetFlags() & kFlagHighlight);
    EXPECT_FALSE(other->GetFlags() & kFlagHighlight);
    m_view.Select(nullptr);
    Run(ID_REMOVE_HIGHLIGHTS);
    EXPECT_EQ(selected->GetFlags() & 0x60, 0u);
    EXPECT_EQ(other->GetFlags() & 0x60, 0u);
    EXPECT_FALSE(State(ID_SHOW_IDENTIFIER).enabled);
}

}  // namespace
