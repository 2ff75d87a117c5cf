// The symbol editor's sheet: what it may hold, loading a placed symbol, and writing the edited
// symbol back into the schematic as one undoable step.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/SymbolDoc.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawRect.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"

namespace {

// Output window text the core writes.
class OutputServices : public testsupport::RecordingAppServices {
public:
    std::streambuf* GetOutputStreamBuf() override { return text.rdbuf(); }
    std::ostringstream text;
};

CPin* MakePin(CSymbol* owner, const char* id, CPoint hot) {
    auto* pin = new CPin(owner);
    pin->SetEnds(CPoint(hot.x + (hot.x < 0 ? 100 : -100), hot.y), hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    return pin;
}

// A schematic with a symbol "U1" whose pins "1" (hot end at -100, 0) and "2" (at 300, 0) are
// wired, plus a rectangle as its body.
struct WiredSchematic {
    WiredSchematic() {
        doc.OnNewDocument();
        symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->GetPins().AddTail(MakePin(symbol, "1", CPoint(-100, 0)));
        symbol->GetPins().AddTail(MakePin(symbol, "2", CPoint(300, 0)));
        symbol->GetGraphics().AddTail(new CDrawRect(CRect(0, 100, 200, -100)));
        symbol->SetDocument(&doc);
        symbol->SetAttr("_ID", "U1", kSetAttrForce);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        left = Wire(CPoint(-600, 0), CPoint(-100, 0));
        right = Wire(CPoint(300, 0), CPoint(800, 0));
        left->SetEndObject(Pin(symbol, 0));
        right->SetStartObject(Pin(symbol, 1));
    }
    CWire* Wire(CPoint a, CPoint b) {
        auto* wire = new CWire;
        wire->AddPoint(a);
        wire->AddPoint(b);
        wire->SetDocument(&doc);
        doc.GetObjects().AddTail(wire);
        return wire;
    }
    static CPin* Pin(CSymbol* symbol, int index) {
        const CObList& pins = symbol->GetPins();
        return static_cast<CPin*>(pins.GetAt(pins.FindIndex(index)));
    }
    CSymbol* OnlySymbol() {
        CSymbol* found = nullptr;
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            if (auto* s = dynamic_cast<CSymbol*>(doc.GetObjects().GetNext(pos))) {
                EXPECT_EQ(found, nullptr);
                found = s;
            }
        }
        return found;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CSymbol* symbol;
    CWire* left;
    CWire* right;
};

TEST(SymbolDocTest, ANewSheetHasNoMarginsAndTheSymbolPaper) {
    testsupport::RecordingAppServices services;
    CSymbolDoc doc;
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetPaperSize().cx, 20000);
    EXPECT_EQ(doc.GetPaperSize().cy, -15000);
    const RECT& margins = doc.GetMargins();
    EXPECT_EQ(margins.left + margins.top + margins.right + margins.bottom, 0);
    EXPECT_EQ(doc.m_border.m_flags, 0xA0u);
    ASSERT_EQ(view.pageSizes.size(), 1u);
    EXPECT_EQ(view.pageSizes[0].cx, 20000);
    // The schematic's document attributes stay: the twelve rails among them.
    EXPECT_EQ(doc.GetAttributeMap()->GetCount(), 12);
    doc.RemoveView(&view);
}

TEST(SymbolDocTest, ASymbolSheetHoldsPinsAndGraphicsOnly) {
    CSymbolDoc symbolDoc;
    CDrawDoc schematic;
    CWire wire;
    CBus bus;
    CAttrText text;
    CSymbol symbol;
    CSpiceSymbol spice;
    CDrawOleObj ole;
    CPin pin;
    CDrawRect rect;
    CTextBox box;
    for (CObject* refused :
         std::initializer_list<CObject*>{&wire, &bus, &text, &symbol, &spice, &ole})
        EXPECT_FALSE(symbolDoc.IsObjectAllowed(refused))
            << refused->GetRuntimeClass()->m_lpszClassName;
    for (CObject* allowed : std::initializer_list<CObject*>{&pin, &rect, &box})
        EXPECT_TRUE(symbolDoc.IsObjectAllowed(allowed));
    EXPECT_FALSE(schematic.IsObjectAllowed(&pin));
}

TEST(SymbolDocTest, PinNamesAreTheFirstFree) {
    CSymbolDoc doc;
    EXPECT_EQ(doc.MakePinName(), "Pin 1");
    auto* first = MakePin(nullptr, "Pin 1", CPoint(0, 0));
    auto* third = MakePin(nullptr, "Pin 3", CPoint(0, 0));
    doc.GetObjects().AddTail(first);
    doc.GetObjects().AddTail(third);
    EXPECT_EQ(doc.MakePinName(), "Pin 2");
    EXPECT_EQ(doc.FindPinById("Pin 3"), third);
    EXPECT_EQ(doc.FindPinById("Pin 2"), nullptr);
}

TEST(SymbolDocTest, LoadingCopiesPinsThenGraphicsAndLeavesOutWhatASheetCannotHold) {
    OutputServices services;
    CDrawDoc owner;
    auto* grouped = new CSymbol();
    grouped->SetDocument(&owner);
    grouped->GetGraphics().AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    auto* wire = new CWire;
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(100, 0));
    grouped->GetGraphics().AddTail(wire);
    grouped->GetGraphics().AddTail(new CAttrText);
    grouped->GetPins().AddTail(MakePin(grouped, "A", CPoint(-100, 0)));
    owner.GetObjects().AddTail(grouped);

    CSymbolDoc doc;
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    doc.LoadSymbol(&owner, grouped);
    doc.RemoveView(&view);
    ASSERT_EQ(doc.GetObjects().GetCount(), 2);
    EXPECT_NE(dynamic_cast<CPin*>(doc.GetObjects().GetHead()), nullptr);
    EXPECT_NE(dynamic_cast<CDrawRect*>(doc.GetObjects().GetTail()), nullptr);
    EXPECT_NE(doc.GetObjects().GetHead(), grouped->GetPins().GetHead());
    EXPECT_NE(services.text.str().find("1 attribute text, 1 wire"), std::string::npos)
        << services.text.str();
    EXPECT_EQ(doc.FindSourceSymbol(), grouped);
}

TEST(SymbolDocTest, ClosingUnchangedWritesNothing) {
    WiredSchematic sheet;
    const DocSnapshot before = Snapshot(sheet.doc);
    CSymbolDoc editor;
    editor.LoadSymbol(&sheet.doc, sheet.symbol);
    EXPECT_TRUE(editor.SaveModified({}));
    EXPECT_EQ(sheet.doc.GetUndoList().GetCount(), 0);
    EXPECT_TRUE(Snapshot(sheet.doc) == before);
}

TEST(SymbolDocTest, ARenamedPinLosesItsWireAndOneUndoBringsBackTheOldSymbol) {
    WiredSchematic sheet;
    sheet.doc.SetModifiedFlag(FALSE);
    const DocSnapshot before = Snapshot(sheet.doc);
    CSymbolDoc editor;
    editor.LoadSymbol(&sheet.doc, sheet.symbol);
    editor.FindPinById("2")->SetAttr("_ID", "3", kSetAttrForce);
    editor.SetModifiedFlag();
    bool asked = false;
    EXPECT_TRUE(editor.SaveModified([&] { return asked = true; }));
    EXPECT_FALSE(asked);
    EXPECT_FALSE(editor.IsModified());

    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "symbol edit");
    CSymbol* edited = sheet.OnlySymbol();
    ASSERT_NE(edited, nullptr);
    EXPECT_NE(edited, sheet.symbol);
    EXPECT_EQ(edited->GetAttr("_ID"), "U1");
    CPin* one = edited->FindPin("1");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(edited->FindPin("3"), nullptr);
    EXPECT_NE(one->GetWire(), nullptr);
    EXPECT_EQ(edited->FindPin("3")->GetWire(), nullptr);
    for (POSITION pos = sheet.doc.GetObjects().GetHeadPosition(); pos;) {
        auto* wire = dynamic_cast<CWire*>(sheet.doc.GetObjects().GetNext(pos));
        if (!wire)
            continue;
        if (wire->GetStartObject() == nullptr && wire->GetEndObject() == nullptr)
            EXPECT_EQ(wire->GetPointFromEnd(0, 0).x, 300);  // the wire of old pin 2, now free
        else
            EXPECT_EQ(wire->GetEndObject(), one);
    }
    EXPECT_TRUE(sheet.doc.IsModified());

    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(sheet.OnlySymbol(), sheet.symbol);
    EXPECT_EQ(WiredSchematic::Pin(sheet.symbol, 0)->GetWire(), sheet.left);
    EXPECT_EQ(WiredSchematic::Pin(sheet.symbol, 1)->GetWire(), sheet.right);
    EXPECT_EQ(Snapshot(sheet.doc).bytes, before.bytes);

    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(sheet.OnlySymbol()->FindPin("3")->GetWire(), nullptr);
    EXPECT_NE(sheet.OnlySymbol()->FindPin("1")->GetWire(), nullptr);
}

// A gate of one pin, its hot end at hot and its body on the side of body.
CSymbol* OnePinGate(CDrawDoc& doc, const char* id, const char* pinId, CPoint hot, LONG body) {
    auto* gate = new CSymbol();
    auto* pin = new CPin(gate);
    pin->SetEnds(CPoint(hot.x + body, hot.y), hot);
    pin->SetAttr("_ID", pinId, kSetAttrForce);
    gate->GetPins().AddTail(pin);
    const LONG edge = hot.x + body;
    gate->GetGraphics().AddTail(new CDrawRect(
        CRect(std::min(edge, edge + body), hot.y + 200, std::max(edge, edge + body), hot.y - 200)));
    gate->SetDocument(&doc);
    gate->SetAttr("_ID", id, kSetAttrForce);
    gate->RecalcBounds(nullptr);
    doc.GetObjects().AddTail(gate);
    return gate;
}

// An inverter's input pin A moved 0.1" left in the editor: its wire, straight from the output
// of another gate, ends at the pin's new place and stays a single straight segment.
TEST(SymbolDocTest, AWireFollowingAMovedPinKeepsNoRedundantVertices) {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    doc.OnNewDocument();
    CSymbol* driver = OnePinGate(doc, "U2A", "Y", CPoint(2600, -1700), -300);
    CSymbol* gate = OnePinGate(doc, "U1A", "A", CPoint(4200, -1700), 300);
    auto* wire = new CWire;
    wire->AddPoint(CPoint(2600, -1700));
    wire->AddPoint(CPoint(4200, -1700));
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    wire->SetStartObject(driver->FindPin("Y"));
    wire->SetEndObject(gate->FindPin("A"));
    const DocSnapshot before = Snapshot(doc);
    auto wirePoints = [&] {
        std::vector<CPoint> points;
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            if (auto* w = dynamic_cast<CWire*>(doc.GetObjects().GetNext(pos)))
                points.assign(w->GetPoints(), w->GetPoints() + w->GetPointCount());
        }
        return points;
    };

    CSymbolDoc editor;
    editor.LoadSymbol(&doc, gate);
    editor.FindPinById("A")->OffsetBy(CSize(-100, 0));
    editor.SetModifiedFlag();
    editor.SaveModified({});
    const std::vector<CPoint> straight{CPoint(2600, -1700), CPoint(4100, -1700)};
    EXPECT_EQ(wirePoints(), straight);
    const DocSnapshot after = Snapshot(doc);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc).bytes, before.bytes);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(wirePoints(), straight);
    EXPECT_EQ(Snapshot(doc).bytes, after.bytes);
}

TEST(SymbolDocTest, TheSymbolKeepsItsDeviceAttributesAndPlace) {
    WiredSchematic sheet;
    TestPart first(1);
    sheet.symbol->SetAttr("_Value", "10k", kSetAttrForce);
    const double matrix[6] = {0, -1, 500, 1, 0, -700};
    sheet.symbol->SetMatrix(matrix);
    first.SetTestDevice("NE555");
    CDevice* device = first.GetDevice();
    sheet.symbol->SetDevice(device);
    device->AddRef();
    CSymbolDoc editor;
    editor.LoadSymbol(&sheet.doc, sheet.symbol);
    editor.SetModifiedFlag();
    editor.SaveModified({});
    CSymbol* edited = sheet.OnlySymbol();
    EXPECT_EQ(edited->GetDevice(), device);
    EXPECT_EQ(edited->GetAttr("_Value"), "10k");
    EXPECT_EQ(edited->GetFlags() & kSymbolKindMask, sheet.symbol->GetFlags() & kSymbolKindMask);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(edited->GetMatrix()[i], matrix[i]) << i;
}

TEST(SymbolDocTest, ASymbolDeletedMeanwhileComesBackAsANewComponent) {
    WiredSchematic sheet;
    CSymbolDoc editor;
    editor.LoadSymbol(&sheet.doc, sheet.symbol);
    CObList gone;
    gone.AddTail(sheet.symbol);
    sheet.doc.RemoveObjects(&gone);
    editor.SetModifiedFlag();
    editor.SaveModified({});
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "create component");
    EXPECT_EQ(sheet.doc.GetObjects().GetTail(), sheet.OnlySymbol());
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(sheet.OnlySymbol(), nullptr);
}

// A symbol's own coordinates lie about its origin, half of them off the sheet: the editor shows
// it on the sheet, its pins still on the grid, and writes it back where it was.
TEST(SymbolDocTest, ALoadedSymbolLiesOnTheSheetAndGoesBackInItsOwnCoordinates) {
    WiredSchematic sheet;
    CSymbolDoc editor;
    ASSERT_TRUE(editor.OnNewDocument());
    editor.LoadSymbol(&sheet.doc, sheet.symbol);
    const CRect paper(0, 0, 20000, -15000);
    for (POSITION pos = editor.GetObjects().GetHeadPosition(); pos;) {
        CRect box;
        static_cast<CDrawObj*>(editor.GetObjects().GetNext(pos))->GetBoundingRect(box);
        box.NormalizeRect();
        EXPECT_TRUE(box.left >= paper.left && box.right <= paper.right && box.top >= paper.bottom &&
                    box.bottom <= paper.top)
            << box.left << "," << box.top << " " << box.right << "," << box.bottom;
    }
    const CPoint one = editor.FindPinById("1")->GetHotEnd();
    EXPECT_EQ(one.x % 100, 0);
    EXPECT_EQ(one.y % 100, 0);

    editor.SetModifiedFlag();
    editor.SaveModified({});
    CSymbol* edited = sheet.OnlySymbol();
    EXPECT_EQ(edited->FindPin("1")->GetConnectPoint(), CPoint(-100, 0));
    EXPECT_EQ(edited->FindPin("2")->GetConnectPoint(), CPoint(300, 0));
    const auto* wire = dynamic_cast<CWire*>(edited->FindPin("1")->GetWire());
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetPointFromEnd(1, 0), CPoint(-100, 0));
}

// Drawn on the editor's finer grid, a new component lands with its pins on the schematic's
// grid, as a part taken from a library does; undo and redo keep the schematic's bytes.
TEST(SymbolDocTest, ANewComponentLandsWithItsPinsOnTheSchematicsGrid) {
    testsupport::RecordingAppServices services;
    CDrawDoc owner;
    owner.OnNewDocument();
    drawdoctest::RecordingDocView view;
    view.grid = 100;
    owner.AddView(&view);
    const DocSnapshot before = Snapshot(owner);
    {
        CSymbolDoc editor;
        ASSERT_TRUE(editor.OnNewDocument());
        editor.LoadSymbol(&owner, nullptr);
        editor.GetObjects().AddTail(MakePin(nullptr, "Pin 1", CPoint(10020, -7460)));
        editor.GetObjects().AddTail(MakePin(nullptr, "Pin 2", CPoint(10420, -7460)));
        editor.GetObjects().AddTail(new CDrawRect(CRect(10120, -7360, 10320, -7560)));
        editor.SetModifiedFlag();
        editor.SaveModified({});
    }
    auto* symbol = dynamic_cast<CSymbol*>(owner.GetObjects().GetTail());
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->FindPin("Pin 1")->GetConnectPoint(), CPoint(10000, -7500));
    EXPECT_EQ(symbol->FindPin("Pin 2")->GetConnectPoint(), CPoint(10400, -7500));
    const DocSnapshot after = Snapshot(owner);
    ASSERT_TRUE(owner.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(owner).bytes, before.bytes);
    ASSERT_TRUE(owner.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(owner).bytes, after.bytes);
    owner.RemoveView(&view);
}

TEST(SymbolDocTest, AnEditorWhoseOwnerClosedAsksToSaveAndWritesNothingBack) {
    auto owner = std::make_unique<WiredSchematic>();
    CSymbolDoc editor;
    editor.LoadSymbol(&owner->doc, owner->symbol);
    editor.SetModifiedFlag();
    owner.reset();
    EXPECT_EQ(editor.GetOwnerDoc(), nullptr);
    // A new schematic, maybe at the freed address, receives nothing.
    WiredSchematic other;
    int asked = 0;
    EXPECT_FALSE(editor.SaveModified([&] {
        ++asked;
        return FALSE;
    }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(other.doc.GetUndoList().GetCount(), 0);
}

TEST(SymbolDocTest, AnEditorClosedFirstLeavesTheOwnerWithoutIt) {
    WiredSchematic sheet;
    {
        CSymbolDoc editor;
        editor.LoadSymbol(&sheet.doc, sheet.symbol);
    }
    sheet.doc.OnCloseDocument();  // would reach the gone editor if it were still known
    SUCCEED();
}

}  // namespace
