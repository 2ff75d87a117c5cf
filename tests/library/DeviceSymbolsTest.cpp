// A device record loads as its symbols: found in the libraries searched for the device,
// made up when missing, and arranged on a grid.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using librarytest::Archived;
using librarytest::Bytes;
using librarytest::FileHeader;
using librarytest::Join;
using librarytest::Record;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

CDevice* MakeDevice(const std::string& map, const std::string& path = {}) {
    auto* device = new CDevice("DEV");
    device->SetAttr("_Map", map.c_str(), TRUE);
    if (!path.empty())
        device->SetAttr("_Path", path.c_str(), TRUE);
    return device;
}

// A library symbol about as high as wide: a box with pins of the names given on its left,
// stored with an identifier.
CSymbol* MakeSymbol(const char* name, std::initializer_list<const char*> pins) {
    CObList parts;
    parts.AddTail(new CDrawRect(CRect(0, 0, 200, -400)));
    auto* symbol = new CSymbol(nullptr, parts, FALSE);
    int y = -20;
    for (const char* pin : pins) {
        auto* object = new CPin(symbol);
        object->SetEnds(CPoint(0, y), CPoint(-50, y));
        object->SetAttr("_ID", pin, kSetAttrForce);
        symbol->GetPins().AddTail(object);
        y -= 20;
    }
    symbol->SetAttr("_Name", name, kSetAttrForce);
    symbol->SetAttr("_ID", "U1", kSetAttrForce);
    symbol->RecalcBounds(nullptr);
    return symbol;
}

Bytes SymbolRecord(const char* name, std::initializer_list<const char*> pins) {
    return Record(name, "", kItemSymbol, Archived({MakeSymbol(name, pins)}));
}

CRect Bounds(const CObList& objects) {
    CRect bounds(0, 0, 0, 0);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CRect rect;
        static_cast<CDrawObj*>(objects.GetNext(pos))->GetBoundingRect(rect);
        bounds.UnionRect(bounds, rect);
    }
    return bounds;
}

TEST(DeviceSymbols, MissingSymbolGetsAPlaceholder) {
    CDevice* device = MakeDevice(
        "DIP4\x01\x01"
        "a\x01"
        "1\x01"
        "b\x01"
        "2\x01"
        "c\x01"
        "3\x01"
        "d\x01"
        "4");
    device->AddRef();
    CDeviceSymbol entry("", "DIP4");
    ASSERT_TRUE(CLibraryFile::MakeMissingSymbol(nullptr, device, entry));
    EXPECT_EQ(entry.m_flags, CDeviceSymbol::kLoaded);
    ASSERT_EQ(entry.m_objects.GetCount(), 2);
    auto* symbol = static_cast<CSymbol*>(entry.m_objects.GetHead());
    EXPECT_EQ(symbol->GetKind(), kSymbolDevice);
    EXPECT_EQ(symbol->GetAttr("_Name").str(), "DIP4");
    EXPECT_EQ(symbol->GetAttr("_ID").str(), "A1");
    EXPECT_EQ(symbol->GetDevice(), device);
    EXPECT_EQ(device->GetRefCount(), 2);

    ASSERT_EQ(symbol->GetGraphics().GetCount(), 2);
    auto* box = static_cast<CDrawObj*>(symbol->GetGraphics().GetHead());
    auto* mark = static_cast<CTextBox*>(symbol->GetGraphics().GetTail());
    EXPECT_EQ(box->GetPosition(), CRect(0, 0, 300, -175));
    EXPECT_EQ(mark->GetText().str(), "???");
    EXPECT_EQ(mark->GetPen().lopnColor, 255u);
    EXPECT_EQ(mark->GetPosition().CenterPoint(), box->GetPosition().CenterPoint());

    auto* note = static_cast<CTextBox*>(entry.m_objects.GetTail());
    EXPECT_EQ(note->GetText().str(), "Symbol not found\r\n'DIP4'");
    EXPECT_EQ(note->GetPosition(), CRect(0, -175, 300, -375));
    EXPECT_EQ(note->GetTextFlags() & 0x3F, 0x31);

    const struct {
        const char* id;
        CPoint body;
        CPoint hot;
    } pins[] = {{"a", {0, -50}, {-100, -50}},
                {"b", {300, -50}, {400, -50}},
                {"c", {0, -100}, {-100, -100}},
                {"d", {300, -100}, {400, -100}}};
    ASSERT_EQ(symbol->GetPins().GetCount(), 4);
    POSITION pos = symbol->GetPins().GetHeadPosition();
    for (const auto& expected : pins) {
        auto* pin = static_cast<CPin*>(symbol->GetPins().GetNext(pos));
        EXPECT_EQ(pin->GetAttr("_ID").str(), expected.id);
        EXPECT_EQ(pin->GetBodyEnd(), expected.body);
        EXPECT_EQ(pin->GetHotEnd(), expected.hot);
    }
    entry.DeleteObjects();
    EXPECT_EQ(device->GetRefCount(), 1);
    device->Release();
}

TEST(DeviceSymbols, SymbolsComeFromTheSearchedLibraries) {
    TempDir dir;
    for (const char* folder : {"own", "user", "std"})
        std::filesystem::create_directory(dir / folder);
    CSchematicApp app(dir / "settings.ini");
    const ScopedApp installed(app);
    app.WriteProfileString("Directories", "userlib", (dir / "user").c_str());
    app.WriteProfileString("Directories", "stdlib", (dir / "std").c_str());
    // Gates A and B of AND, then INV, which only the user's library has with fitting pins:
    // the own library's INV does not end the search.
    const Bytes device =
        Archived({MakeDevice("AND\x01"
                             "A\x01"
                             "in\x01"
                             "1\x01"
                             "out\x01"
                             "2\n"
                             "AND\x01"
                             "B\x01"
                             "in\x01"
                             "3\x01"
                             "out\x01"
                             "4\n"
                             "INV\x01"
                             "C\x01"
                             "a\x01"
                             "5\x01"
                             "y\x01"
                             "6")});
    WriteFileBytes(dir / "own/own.rlb", Join({FileHeader("own", 3), SymbolRecord("INV", {"x"}),
                                              Record("DEV", "", kItemDevice, device),
                                              SymbolRecord("AND", {"in", "out"})}));
    WriteFileBytes(dir / "user/u.rlb",
                   Join({FileHeader("user", 1), SymbolRecord("INV", {"a", "y"})}));

    CLibraryFile library;
    ASSERT_TRUE(library.Open((dir / "own/own.rlb").c_str()));
    CDrawDoc document;
    CLibraryItemData item;
    ScriptedPrompt prompt;
    ASSERT_TRUE(library.ReadItem(&document, 1, item));
    EXPECT_TRUE(prompt.shown().empty());
    ASSERT_EQ(item.m_deviceSymbols.size(), 3u);
    ASSERT_EQ(item.m_objects.GetCount(), 3);
    EXPECT_EQ(item.m_rows, 2);
    EXPECT_EQ(item.m_columns, 2);
    int width = 0;
    int height = 0;
    for (const auto& entry : item.m_deviceSymbols) {
        width = std::max(width, Bounds(entry->m_objects).Width());
        height = std::max(height, Bounds(entry->m_objects).Height());
    }
    const CPoint centres[] = {
        {width / 2, -height / 2}, {3 * width / 2, -height / 2}, {width / 2, -3 * height / 2}};
    POSITION pos = item.m_objects.GetHeadPosition();
    for (int i = 0; i < 3; ++i) {
        const auto& entry = item.m_deviceSymbols[i];
        SCOPED_TRACE(entry->m_symbol.str() + entry->m_gate.str());
        ASSERT_EQ(entry->m_objects.GetCount(), 1);
        auto* symbol = static_cast<CDrawObj*>(entry->m_objects.GetHead());
        EXPECT_EQ(item.m_objects.GetNext(pos), symbol);
        EXPECT_EQ(symbol->GetAttr("_Name"), entry->m_symbol);
        EXPECT_EQ(symbol->GetAttr("_ID").str(), "");
        EXPECT_EQ(symbol->GetDocument(), &document);
        EXPECT_EQ(symbol->GetDevice()->GetAttr("_Name").str(), "DEV");
        EXPECT_EQ(symbol->GetDevice()->GetRefCount(), 3);
        // Centres of odd sums round towards zero: a unit either way.
        const CPoint centre = Bounds(entry->m_objects).CenterPoint();
        EXPECT_NEAR(centre.x, centres[i].x, 1);
        EXPECT_NEAR(centre.y, centres[i].y, 1);
    }
}

// A symbol record that cannot be loaded is told, naming its library, and counts as missing:
// the search goes on to the next library, and when none has a good one the placeholder takes
// its place.
TEST(DeviceSymbols, ADamagedSymbolIsToldAndTheSearchGoesOn) {
    TempDir dir;
    for (const char* folder : {"own", "user", "std"})
        std::filesystem::create_directory(dir / folder);
    CSchematicApp app(dir / "settings.ini");
    const ScopedApp installed(app);
    app.WriteProfileString("Directories", "userlib", (dir / "user").c_str());
    app.WriteProfileString("Directories", "stdlib", (dir / "std").c_str());
    const Bytes device =
        Archived({MakeDevice("NAND\x01\x01"
                             "a\x01"
                             "1")});
    WriteFileBytes(dir / "own/own.rlb",
                   Join({FileHeader("own", 1), Record("DEV", "", kItemDevice, device)}));
    const std::string user = (dir / "user/u.rlb").string();
    for (const bool standardHasIt : {true, false}) {
        WriteFileBytes(dir / "std/s.rlb",
                       standardHasIt ? Join({FileHeader("std", 1), SymbolRecord("NAND", {"a"})})
                                     : FileHeader("std", 0));
        for (const auto& damaged : librarytest::DamagedRecordData()) {
            SCOPED_TRACE(std::string(damaged.what) + (standardHasIt ? ", good one" : ", none"));
            WriteFileBytes(
                user, Join({FileHeader("user", 1), Record("NAND", "", kItemSymbol, damaged.data)}));
            ScriptedPrompt prompt({IDOK});
            CLibraryFile library;
            ASSERT_TRUE(library.Open((dir / "own/own.rlb").c_str()));
            CDrawDoc document;
            CLibraryItemData item;
            EXPECT_TRUE(library.ReadItem(&document, 0, item));
            ASSERT_EQ(item.m_deviceSymbols.size(), 1u);
            const CObList& objects = item.m_deviceSymbols[0]->m_objects;
            ASSERT_EQ(objects.GetCount(), standardHasIt ? 1 : 2);  // the placeholder has a note
            EXPECT_EQ(static_cast<CDrawObj*>(objects.GetHead())->GetAttr("_Name").str(), "NAND");
            ASSERT_EQ(prompt.shown().size(), 1u);
            EXPECT_TRUE(librarytest::TellsUnreadable(prompt.shown()[0].text, "NAND", user));
        }
    }
}

TEST(DeviceSymbols, PlaceholdersDevicesWithoutSymbolsAndStrayDevices) {
    auto sharedDevice = [] {
        CSymbol* symbol = MakeSymbol("S", {});
        auto* device = new CDevice("D");
        device->AddRef();
        device->AddRef();  // kept alive for the list's own delete
        symbol->SetDevice(device);
        return Archived({symbol, device});
    };
    struct Case {
        const char* what;
        Bytes record;
        std::vector<int> types;  // of the objects loaded
        const char* message;
    };
    const Case cases[] = {
        {"device without map",
         Record("D", "", kItemDevice, Archived({MakeDevice("")})),
         {},
         "Device has no symbols to load"},
        {"symbol in no library",
         Record("D", "", kItemDevice,
                Archived({MakeDevice("S\x01\x01"
                                     "a\x01"
                                     "1")})),
         {kObjSymbol, kObjText},
         nullptr},
        {"device in a circuit",
         Record("C", "", kItemCircuit, Archived({MakeDevice("S\x01\x01")})),
         {},
         nullptr},
        {"device beside a drawing",
         Record("D", "", kItemDevice,
                Archived({MakeDevice("S\x01\x01"), new CDrawRect(CRect(0, 0, 10, -10))})),
         {kObjRect},
         nullptr},
        {"device a symbol holds",
         Record("C", "", kItemCircuit, sharedDevice()),
         {kObjSymbol},
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompt prompt;
        if (c.message)
            prompt.Answer(IDOK);
        CLibraryFile library;
        ASSERT_TRUE(library.OpenImage(Join({FileHeader("L", 1), c.record})));
        CDrawDoc document;
        CLibraryItemData item;
        EXPECT_TRUE(library.ReadItem(&document, 0, item));
        std::vector<int> types;
        for (POSITION pos = item.m_objects.GetHeadPosition(); pos;)
            types.push_back(static_cast<CDrawObj*>(item.m_objects.GetNext(pos))->GetObjType());
        EXPECT_EQ(types, c.types);
        ASSERT_EQ(prompt.shown().size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(prompt.shown()[0].text.str(), c.message);
        }
    }
}

// Entries of the gates given, each holding a square of side 100.
void FillEntries(CLibraryItemData& item, std::initializer_list<const char*> gates) {
    for (const char* gate : gates) {
        item.m_deviceSymbols.push_back(std::make_unique<CDeviceSymbol>(gate, "S"));
        item.m_deviceSymbols.back()->m_objects.AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    }
}

TEST(DeviceSymbols, GatesAreArrangedNearlySquare) {
    const struct {
        std::initializer_list<const char*> gates;
        int columns;
        int rows;
    } cases[] = {
        {{"A", "B"}, 2, 1},
        {{"A", "B", "C"}, 2, 2},
        {{"A", "B", "C", "D", "E"}, 3, 2},
        {{"A", "A", "B"}, 2, 1},  // two symbols of gate A share a cell
    };
    for (const auto& c : cases) {
        CLibraryItemData item;
        FillEntries(item, c.gates);
        const int side = Bounds(item.m_deviceSymbols[0]->m_objects).Width();
        item.ArrangeDeviceSymbols();
        EXPECT_EQ(item.m_columns, c.columns);
        EXPECT_EQ(item.m_rows, c.rows);
        int cell = -1;
        for (size_t i = 0; i < item.m_deviceSymbols.size(); ++i) {
            cell += StartsGate(item.m_deviceSymbols, i) ? 1 : 0;
            const CPoint centre((2 * (cell % c.columns) + 1) * side / 2,
                                -(2 * (cell / c.columns) + 1) * side / 2);
            EXPECT_EQ(Bounds(item.m_deviceSymbols[i]->m_objects).CenterPoint(), centre) << i;
        }
    }
}

TEST(DeviceSymbols, ClearKeepsWhatWasTakenAndDetachKeepsAll) {
    CObList taken;
    {
        CLibraryItemData item;
        FillEntries(item, {"A", "A", "B"});
        item.m_objects.AddTail(&item.m_deviceSymbols[0]->m_objects);
        item.m_objects.AddTail(&item.m_deviceSymbols[2]->m_objects);
        taken.AddTail(&item.m_objects);
        item.Clear();
        EXPECT_TRUE(item.m_deviceSymbols.empty());
        EXPECT_TRUE(item.m_objects.IsEmpty());
    }
    {
        CLibraryItemData item;
        FillEntries(item, {"A", "A"});
        for (const auto& entry : item.m_deviceSymbols)
            taken.AddTail(&entry->m_objects);
        item.Detach();
        EXPECT_TRUE(item.m_deviceSymbols.empty());
    }
    EXPECT_EQ(taken.GetCount(), 4);  // the sanitizer finds a double delete or a leak
    for (POSITION pos = taken.GetHeadPosition(); pos;)
        delete taken.GetNext(pos);
}

}  // namespace
