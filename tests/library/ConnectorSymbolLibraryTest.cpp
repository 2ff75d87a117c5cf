// Wires ended on rail symbols of a small "basic.rlb" built here.

#include <gtest/gtest.h>

#include <algorithm>

#include "LibraryTestBytes.h"
#include "library/ConnectorSymbolLibrary.h"
#include "library/LibraryFile.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;
using testsupport::TempDir;

// "GND": a graphical symbol whose one pin points down to its hot end at (0, 0); "BOX": a
// rectangle.
void MakeBasicLibrary(const std::filesystem::path& folder) {
    std::filesystem::create_directory(folder);
    CLibraryFile library;
    ASSERT_EQ(library.Create((folder / "basic.rlb").string().c_str()), kCreateDone);
    CSymbol symbol;
    auto* pin = new CPin(&symbol);
    pin->SetEnds(CPoint(0, 100), CPoint(0, 0));
    symbol.GetPins().AddTail(pin);
    symbol.SetFlags(kSymbolGraphical, kSymbolKindMask);
    symbol.RecalcBounds(nullptr);
    ASSERT_TRUE(library.AddObjects(nullptr, &symbol, "GND", ""));
    CDrawRect box(CRect(0, 0, 100, -50));
    ASSERT_TRUE(library.AddObjects(nullptr, &box, "BOX", ""));
}

class RailSheet : public ::testing::Test {
protected:
    RailSheet() : app(dir / "settings.ini"), previous(SetConnectorSymbolSource(&source)) {
        MakeBasicLibrary(dir / "std");
        SetStandardFolder("std");
    }
    ~RailSheet() override { SetConnectorSymbolSource(previous); }

    // The folder as a Windows setting would store it.
    void SetStandardFolder(const std::string& folder) {
        std::string stored = "C:" + (dir / folder).string();
        std::replace(stored.begin(), stored.end(), '/', '\\');
        app.WriteProfileString("Directories", "stdlib", stored.c_str());
    }

    CWire* Place(CPoint from, CPoint to) {
        auto* wire = new CWire;
        wire->AddPoint(from);
        wire->AddPoint(to);
        wire->SetDocument(&doc);
        auto* net = new CNet;
        net->AddRef();
        wire->SetNet(net);
        doc.GetObjects().AddTail(wire);
        return wire;
    }

    testsupport::RecordingAppServices services;
    TempDir dir;
    CSchematicApp app;
    CConnectorSymbolLibrary source{app};
    IConnectorSymbolSource* previous;
    CDrawDoc doc;
};

TEST_F(RailSheet, LibraryProblemsAreToldAndChangeNothing) {
    const std::string path = (dir / "std" / "basic.rlb").string();
    struct Case {
        const char* folder;
        const char* item;
        std::string message;
    };
    const Case cases[] = {
        {"none", "GND", "Could not find parts library\n" + (dir / "none" / "basic.rlb").string()},
        {"std", "VCC", "Cannot find item VCC\nin library " + path + "."},
        {"std", "BOX", "Library item found is not a symbol."},
    };
    CWire* wire = Place(CPoint(0, 0), CPoint(1000, 0));
    for (const Case& c : cases) {
        SetStandardFolder(c.folder);
        ScriptedPrompt prompt({IDOK});
        EXPECT_FALSE(wire->ConnectToPowerSymbol(c.item, "GND"));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text.str(), c.message);
        EXPECT_EQ(doc.GetObjects().GetCount(), 1);
        EXPECT_EQ(wire->GetStartObject(), nullptr);
        EXPECT_FALSE(doc.GetUndoList().CanUndo());
    }
}

// A rail symbol whose record cannot be loaded is told, naming the library, and nothing changes.
TEST_F(RailSheet, DamagedRailSymbolIsToldAndChangesNothing) {
    const std::string path = (dir / "std" / "basic.rlb").string();
    CWire* wire = Place(CPoint(0, 0), CPoint(1000, 0));
    for (const auto& damaged : librarytest::DamagedRecordData()) {
        SCOPED_TRACE(damaged.what);
        testsupport::WriteFileBytes(
            path, librarytest::Join({librarytest::FileHeader("basic", 1),
                                     librarytest::Record("GND", "", damaged.type, damaged.data)}));
        ScriptedPrompt prompt({IDOK});
        EXPECT_FALSE(wire->ConnectToPowerSymbol("GND", "GND"));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_TRUE(librarytest::TellsUnreadable(prompt.shown()[0].text, "GND", path));
        EXPECT_EQ(doc.GetObjects().GetCount(), 1);
        EXPECT_EQ(wire->GetStartObject(), nullptr);
        EXPECT_FALSE(doc.GetUndoList().CanUndo());
    }
}

// Every rail symbol takes the net's name, the second one too, and each connection is one step.
TEST_F(RailSheet, RailSymbolFacesTheWireAndNamesTheNet) {
    CWire* first = Place(CPoint(0, 0), CPoint(1000, 0));
    CWire* second = Place(CPoint(0, 500), CPoint(0, 2000));
    ASSERT_TRUE(first->ConnectToPowerSymbol("GND", "GND"));
    ASSERT_TRUE(second->ConnectToPowerSymbol("GND", "GND"));
    for (CWire* wire : {first, second}) {
        auto* pin = dynamic_cast<CPin*>(wire->GetStartObject());
        ASSERT_NE(pin, nullptr);
        EXPECT_EQ(pin->GetConnectPoint(), wire->GetPointFromEnd(0, 0));
        EXPECT_EQ(pin->GetWire(), wire);
        // The pin points from its body into the wire: the symbol stands beyond the end.
        double dx = 0;
        double dy = 0;
        pin->GetDirection(dx, dy, TRUE);
        const CPoint inner = wire->GetPointFromEnd(0, 1) - wire->GetPointFromEnd(0, 0);
        EXPECT_GT(dx * inner.x + dy * inner.y, 0);
        EXPECT_EQ(wire->GetAttr("_ID").str(), "GND");
        EXPECT_EQ(pin->GetOwner()->GetAttr("_ID").str(), "GND");
        ASSERT_EQ(wire->GetAttrTextList()->GetCount(), 1);
        // The net's name stands beside the symbol on the sheet.
        auto* text = static_cast<CDrawObj*>(wire->GetAttrTextList()->GetHead());
        CRect near;
        pin->GetOwner()->GetBoundingRect(near);
        near.InflateRect(300, 300);
        CRect shown = text->GetPosition();
        shown.NormalizeRect();
        EXPECT_TRUE(near.PtInRect(shown.CenterPoint()));
    }
    EXPECT_EQ(doc.GetObjects().GetCount(), 6);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(doc.GetObjects().GetCount(), 4);
    EXPECT_EQ(second->GetStartObject(), nullptr);
    EXPECT_EQ(first->GetStartObject()->GetObjType(), kObjPin);
}

}  // namespace
