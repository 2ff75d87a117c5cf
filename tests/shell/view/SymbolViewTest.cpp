// The symbol editor's view: its own grid, the pin tool and the commands it disables.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "drawtools/ToolManager.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/doc/SymbolDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "resources/CommandIds.h"
#include "shell/view/SymbolView.h"
#include "support/TestSupport.h"

namespace {

class SymbolViewTest : public ::testing::Test {
protected:
    SymbolViewTest() : app(dir / "settings.ini"), scopedApp(app), previous(SetToolManager(&tools)) {
        QtTestApp::ensure();
        doc.OnNewDocument();
    }
    ~SymbolViewTest() override { SetToolManager(previous); }

    std::unique_ptr<CSymbolView> Show() {
        auto view = std::make_unique<CSymbolView>(doc);
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view;
    }
    static CmdUI Update(CSymbolView& view, UINT id) {
        CmdUI ui;
        const CommandMap::Entry* entry = view.Commands().Find(id);
        EXPECT_NE(entry, nullptr) << id;
        if (entry && entry->update)
            entry->update(ui);
        return ui;
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scopedApp;
    ToolManager tools;
    ToolManager* previous;
    CSymbolDoc doc;
};

TEST_F(SymbolViewTest, ItsGridIsFineAndNavyUnlessItsSettingsSayOtherwise) {
    {
        auto view = Show();
        EXPECT_FLOAT_EQ(view->Grid().m_logicalX, 20.0f);
        EXPECT_FLOAT_EQ(view->Grid().m_logicalY, 20.0f);
        EXPECT_EQ(view->Grid().m_colour, COLORREF(0x800000));
    }
    app.WriteProfileDouble("SymbGrid", "XSpace", 0.05);
    app.WriteProfileDouble("SymbGrid", "YSpace", 0.05);
    app.WriteProfileDouble("Grid", "XSpace", 0.25);
    auto view = Show();
    EXPECT_FLOAT_EQ(view->Grid().m_logicalX, 50.0f);
}

TEST_F(SymbolViewTest, SymbolsWiresBusesAndSavingAreDisabled) {
    auto view = Show();
    for (UINT id : {ID_FILE_SAVE, ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4,
                    ID_DRAW_WIRE, ID_DRAW_BUS, ID_EDIT_CREATE_SYMBOL})
        EXPECT_FALSE(Update(*view, id).enabled) << id;
    view->Commands().Find(ID_FILE_SAVE)->handler(ID_FILE_SAVE);
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

// The click gives the hot end; the pin reaches 200 units to the right of it.
TEST_F(SymbolViewTest, APinClickMakesAPinOf200ToTheRight) {
    auto view = Show();
    EXPECT_FALSE(Update(*view, ID_DRAW_PIN).checked.value_or(true));
    view->Commands().Find(ID_DRAW_PIN)->handler(ID_DRAW_PIN);
    EXPECT_TRUE(Update(*view, ID_DRAW_PIN).checked.value_or(false));
    const CPoint at = view->DocToClient(CPoint(1000, -1000));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(at.x, at.y));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    auto* pin = dynamic_cast<CPin*>(doc.GetObjects().GetHead());
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->GetBodyEnd().x - pin->GetHotEnd().x, 200);
    EXPECT_EQ(pin->GetBodyEnd().y, pin->GetHotEnd().y);
    EXPECT_EQ(pin->GetAttr("_ID"), "Pin 1");
}

// A placed capacitor, its pins reaching 200 units either side of its origin: at 1000 % the
// scroll bars reach every part of it, pin 1 at the far left included.
TEST_F(SymbolViewTest, AtTenTimesTheScrollBarsReachTheWholeLoadedSymbol) {
    CDrawDoc schematic;
    auto* part = new CSymbol();
    for (const int side : {-1, 1}) {
        auto* pin = new CPin(part);
        pin->SetEnds(CPoint(30 * side, 0), CPoint(200 * side, 0));
        pin->SetAttr("_ID", side < 0 ? "1" : "2", kSetAttrForce);
        part->GetPins().AddTail(pin);
    }
    part->SetDocument(&schematic);
    part->RecalcBounds(nullptr);
    schematic.GetObjects().AddTail(part);
    auto view = Show();
    doc.LoadSymbol(&schematic, part);
    view->SetZoomFactor(10.0f);
    QApplication::processEvents();
    QScrollBar* across = view->horizontalScrollBar();
    QScrollBar* down = view->verticalScrollBar();
    for (const char* id : {"1", "2"}) {
        const CPoint hot = doc.FindPinById(id)->GetHotEnd();
        across->setValue(across->minimum());
        down->setValue(down->minimum());
        const CPoint first = view->DocToClient(hot);
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        const CPoint last = view->DocToClient(hot);
        // Somewhere between the two ends of the bars the pin is in the window.
        EXPECT_LE(last.x, view->viewport()->width()) << id;
        EXPECT_GE(first.x, 0) << id;
        EXPECT_LE(last.y, view->viewport()->height()) << id;
        EXPECT_GE(first.y, 0) << id;
    }
}

}  // namespace
