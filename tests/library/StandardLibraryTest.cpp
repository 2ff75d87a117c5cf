// The standard library and palettes made at build time, read back through the library code.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "library/ConnectorSymbolLibrary.h"
#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "library/PaletteFile.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/DocSettingsApply.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/ConnectorSymbols.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/net/WireRails.h"
#include "model/shapes/DrawPoly.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/support/WriterRun.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/writers/NetlistFormat.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

const std::filesystem::path kFolder = std::filesystem::path(VOSK_BINARY_DIR) / "Libraries";

// The attribute of the symbol, else of its device.
CString PartAttr(CSymbol& symbol, const char* name) {
    CString value = symbol.GetAttr(name);
    if (value.IsEmpty() && symbol.GetDevice())
        value = symbol.GetDevice()->GetAttr(name);
    return value;
}

class StandardLibrary : public ::testing::Test {
protected:
    // The first object of the named item, which must be a symbol; the item's objects are kept
    // in item.
    CSymbol* LoadSymbol(const char* library, const char* name, CLibraryItemData& item) {
        CLibraryFile file;
        EXPECT_TRUE(file.Open((kFolder / library).c_str())) << library;
        CLibraryItem entry;
        const int index = file.FindItem(entry, name);
        EXPECT_NE(index, kItemNotFound) << name;
        EXPECT_EQ(entry.m_type, kItemSymbol) << name;
        if (index == kItemNotFound || !file.ReadItem(&doc, index, item))
            return nullptr;
        return dynamic_cast<CSymbol*>(item.m_objects.GetHead());
    }

    // Every item of the three standard libraries, read in their order.
    void ForEachItem(const std::function<void(CLibraryItemData&)>& visit) {
        for (const char* library : {"basic.rlb", "discrete.rlb", "logic.rlb"}) {
            CLibraryFile file;
            ASSERT_TRUE(file.Open((kFolder / library).c_str())) << library;
            for (int index = 0; index < file.GetItemCount(); ++index) {
                CLibraryItemData item;
                ASSERT_TRUE(file.ReadItem(&doc, index, item)) << library << " " << index;
                visit(item);
            }
        }
    }

    // A copy of the item's part on the sheet, with the identifier the sheet gives it.
    static CSymbol* Place(CLibraryItemData& item, nltest::Sheet& sheet) {
        CObList copies;
        copies.AddTail(&item.m_objects);
        EXPECT_TRUE(sheet.doc.AddObjectCopies(&copies)) << item.m_name;
        return copies.IsEmpty() ? nullptr : dynamic_cast<CSymbol*>(copies.GetHead());
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

// The ports that sub-circuit sheets are made of, and the connectors that end wires on rails
// and named nets.
TEST_F(StandardLibrary, NamesTheProgramLooksUpAreSymbolsOfTheirKind) {
    struct Case {
        const char* name;
        DWORD kind;
        int pinType;
    } cases[] = {
        {"INPORT", kSymbolPort, 11},
        {"OUTPORT", kSymbolPort, 12},
        {"IOPORT", kSymbolPort, 13},
        {"ANYPORT", kSymbolPort, 14},
        {"Power Rail", kSymbolNetConnector, 7},
        {"Net Connector", kSymbolNetConnector, 4},
        {"Ground", kSymbolNetConnector, 7},
    };
    for (const Case& c : cases) {
        CLibraryItemData item;
        CSymbol* symbol = LoadSymbol("basic.rlb", c.name, item);
        ASSERT_NE(symbol, nullptr) << c.name;
        EXPECT_EQ(symbol->GetKind(), c.kind) << c.name;
        ASSERT_EQ(symbol->GetPins().GetCount(), 1) << c.name;
        EXPECT_EQ(static_cast<CPin*>(symbol->GetPins().GetHead())->GetPinType(), c.pinType)
            << c.name;
    }
}

// Every port, connector and rail of the library, placed on a sheet with a wire drawn from its
// pin: a symbol that stands for one of the sheet's rails puts the wire on that rail's named net
// (the ground on the first ground rail, the power rail on the first power rail), and every
// other one leaves it on a net named by the sheet itself, which no other sheet's net joins.
TEST_F(StandardLibrary, PortsConnectorsAndRailsPutTheirWiresOnRailsOrLocalNets) {
    int symbols = 0;
    CLibraryFile file;
    ASSERT_TRUE(file.Open((kFolder / "basic.rlb").c_str()));
    for (int index = 0; index < file.GetItemCount(); ++index) {
        CLibraryItemData item;
        ASSERT_TRUE(file.ReadItem(&doc, index, item));
        auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetHead());
        if (!symbol ||
            (symbol->GetKind() != kSymbolPort && symbol->GetKind() != kSymbolNetConnector))
            continue;
        ++symbols;
        nltest::Sheet sheet;
        sheet.doc.SetAttribute("Ground1", "0V", 0);
        sheet.doc.SetAttribute("Power1", "+3v3", 0);
        CSymbol* placed = Place(item, sheet);
        ASSERT_NE(placed, nullptr);
        auto* pin = static_cast<CPin*>(placed->GetPins().GetHead());
        auto* wire = new CWire;
        wire->AddPoint(pin->GetConnectPoint());
        wire->AddPoint(pin->GetConnectPoint() + CSize(0, 1000));
        auto* net = new CNet;
        net->AddRef();
        wire->SetNet(net);
        wire->SetStartObject(pin);
        CObList added;
        added.AddTail(wire);
        ASSERT_TRUE(sheet.doc.AddObjects(&added)) << item.m_name;
        const CNet* joined = wire->GetNet();
        const auto supplies = CDocNetlist(&sheet.doc).GetSupplyNetNames();
        const CString rail = item.m_name == "Ground"       ? "0V"
                             : item.m_name == "Power Rail" ? "+3v3"
                                                           : "";
        EXPECT_EQ(joined->GetName() == rail, !rail.IsEmpty()) << item.m_name;
        EXPECT_EQ((joined->GetFlags() & kNetNamed) != 0, !rail.IsEmpty()) << item.m_name;
        EXPECT_EQ(std::count(supplies.begin(), supplies.end(), joined->GetName()),
                  rail.IsEmpty() ? 0 : 1)
            << item.m_name << " on " << joined->GetName();
    }
    EXPECT_EQ(symbols, 7);
}

// The pin of the symbol of that identifier.
CPin* PinOf(CSymbol* symbol, const char* id = nullptr) {
    return id ? symbol->FindPin(id) : static_cast<CPin*>(symbol->GetPins().GetHead());
}

// A wire between two pins with a net of its own, added as the wire tool adds it.
CWire* Connect(nltest::Sheet& sheet, CPin* from, CPin* to) {
    auto* wire = new CWire;
    wire->AddPoint(from->GetConnectPoint());
    wire->AddPoint(to->GetConnectPoint());
    auto* net = new CNet;
    net->AddRef();
    wire->SetNet(net);
    wire->SetStartObject(from);
    wire->SetEndObject(to);
    CObList added;
    added.AddTail(wire);
    EXPECT_TRUE(sheet.doc.AddObjects(&added));
    return wire;
}

// The lines of the net of that name in a Protel netlist, "" when it has none.
std::string ProtelNet(const std::string& netlist, const std::string& name) {
    const size_t start = netlist.find("(\r\n" + name + "\r\n");
    return start == std::string::npos ? ""
                                      : netlist.substr(start, netlist.find(')', start) - start);
}

// A ground and a power rail of the library, R1 between them and a 7400 whose hidden supply
// pins are on the first ground and power rails: renamed in Document Properties, the power rail
// taking the ground's old name, each rail stays one net with its connector and the hidden pin,
// in one step that undo takes back whole.
TEST_F(StandardLibrary, RailConnectorsFollowTheirRailsRenamedInDocumentProperties) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    nltest::Sheet sheet((dir / "rails.sch").c_str());
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+5v", 0);
    CLibraryItemData items[4];
    CSymbol* placed[4] = {};
    const std::pair<const char*, const char*> names[] = {{"basic.rlb", "Ground"},
                                                         {"basic.rlb", "Power Rail"},
                                                         {"discrete.rlb", "RES"},
                                                         {"logic.rlb", "7400"}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(LoadSymbol(names[i].first, names[i].second, items[i]), nullptr);
        placed[i] = Place(items[i], sheet);
        ASSERT_NE(placed[i], nullptr);
        placed[i]->OffsetBy(CSize(2000 * i, -2000));
    }
    auto [ground, rail, r1, u1] = placed;
    CWire* low = Connect(sheet, PinOf(r1, "2"), PinOf(ground));
    CWire* high = Connect(sheet, PinOf(r1, "1"), PinOf(rail));
    ASSERT_EQ(low->GetNet()->GetName(), "GND");
    ASSERT_EQ(high->GetNet()->GetName(), "+5v");
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
    const int steps = sheet.doc.GetUndoList().GetCount();
    DocAttributeEdits edits;
    edits.values = {{"Power1", "GND"}, {"Ground1", "0V"}};

    ASSERT_TRUE(ApplyDocumentSettings(sheet.doc, DocSettings::Of(sheet.doc), edits));
    EXPECT_EQ(sheet.doc.GetUndoList().GetCount(), steps + 1);
    EXPECT_EQ(ground->GetAttr("_ID"), "0V");
    EXPECT_EQ(rail->GetAttr("_ID"), "GND");
    EXPECT_EQ(low->GetNet()->GetName(), "0V");
    EXPECT_EQ(high->GetNet()->GetName(), "GND");
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string file = (dir / "rails.net").string();
    ASSERT_TRUE(sheet.doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    const std::string netlist = testsupport::ReadFileText(file);
    EXPECT_EQ(ProtelNet(netlist, "+5v"), "") << netlist;
    const std::pair<const char*, const char*> pins[] = {
        {"0V", "R1-2"}, {"0V", "U1-7"}, {"GND", "R1-1"}, {"GND", "U1-14"}};
    for (const auto& [net, pin] : pins)
        EXPECT_NE(ProtelNet(netlist, net).find(pin), std::string::npos) << net << " " << pin;
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
}

// A ground pasted from a sheet whose first ground rail has another name, and a ground of a
// sheet written before grounds stood for a rail (no identifier, its wire on an automatic
// net): each puts its wire on the sheet's own ground.
TEST_F(StandardLibrary, PastedAndLoadedGroundsTakeTheSheetsGround) {
    CLibraryItemData ground;
    CLibraryItemData resistor;
    ASSERT_NE(LoadSymbol("basic.rlb", "Ground", ground), nullptr);
    ASSERT_NE(LoadSymbol("discrete.rlb", "RES", resistor), nullptr);
    // R1 wired to a ground placed while the sheet's first ground rail is named as given.
    const auto grounded = [&](nltest::Sheet& sheet, const char* name) {
        if (name)
            sheet.doc.SetAttribute("Ground1", name, 0);
        CSymbol* placed = Place(ground, sheet);
        CSymbol* r1 = Place(resistor, sheet);
        placed->OffsetBy(CSize(0, -2000));
        return std::pair{placed, Connect(sheet, PinOf(r1, "2"), PinOf(placed))};
    };
    nltest::Sheet from;
    const auto [copied, wire] = grounded(from, "0V");
    ASSERT_EQ(wire->GetNet()->GetName(), "0V");
    nltest::Sheet to;
    to.doc.SetAttribute("Ground1", "GND", 0);
    CObList copies;
    copies.AddTail(copied);
    copies.AddTail(wire);
    ASSERT_TRUE(to.doc.AddObjectCopies(&copies));
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(copies.GetNext(pos));
        EXPECT_EQ(object->GetNet() ? object->GetNet()->GetName() : object->GetAttr("_ID"), "GND");
    }
    EXPECT_EQ(to.doc.FindNet("0V"), nullptr);

    nltest::Sheet older;
    const auto [old, oldWire] = grounded(older, nullptr);
    old->RemoveAttr("Rail");
    ASSERT_EQ(oldWire->GetNet()->GetFlags() & kNetNamed, 0U);
    older.doc.SetAttribute("Ground1", "GND", 0);
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    const std::string path = (dir / "older.sch").string();
    ASSERT_TRUE(older.doc.OnSaveDocument(path.c_str()));
    const auto loaded = std::make_unique<CDrawDoc>();
    ASSERT_TRUE(loaded->OnOpenDocument(path.c_str()));
    EXPECT_EQ(loaded->FindNet(oldWire->GetNet()->GetName()), nullptr);
    EXPECT_NE(loaded->FindNet("GND"), nullptr);
}

// The text an object shows of its attribute of that name, "" when it shows none on the sheet.
std::string ShownAttr(CDrawDoc& doc, CDrawObj& object, const char* name) {
    CAttrText* text = object.FindAttrText(name);
    if (!text || !doc.GetObjects().Find(text))
        return "";
    CString shown;
    text->GetDisplayText(shown);
    return shown.str();
}

// The power rail placed from the Resistive palette shows the name of the rail it stands for,
// as the one Connect Wire To places does through its wire's text, which is then its only one.
TEST_F(StandardLibrary, APlacedPowerRailShowsItsRailsName) {
    CPaletteFile palette;
    ASSERT_TRUE(palette.Load((kFolder / "Resistive.sbc").c_str()));
    nltest::Sheet sheet;
    sheet.doc.SetAttribute("Power1", "+3v3", 0);
    CObList copies;
    copies.AddTail(&palette.buttons[5].objects);
    ASSERT_TRUE(sheet.doc.AddObjectCopies(&copies));
    auto* rail = dynamic_cast<CSymbol*>(copies.GetHead());
    ASSERT_NE(rail, nullptr);
    ASSERT_EQ(rail->GetAttr("_Name"), "Power Rail");
    EXPECT_EQ(ShownAttr(sheet.doc, *rail, "_ID"), "+3v3");
    // Renamed, the rail shows its new name.
    DocAttributeEdits edits;
    edits.values = {{"Power1", "+5v"}};
    ASSERT_TRUE(ApplyDocumentSettings(sheet.doc, DocSettings::Of(sheet.doc), edits));
    EXPECT_EQ(ShownAttr(sheet.doc, *rail, "_ID"), "+5v");

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    std::string folder = "C:" + kFolder.string();
    std::replace(folder.begin(), folder.end(), '/', '\\');
    app.WriteProfileString("Directories", "stdlib", folder.c_str());
    CConnectorSymbolLibrary library{app};
    const ScopedInstall<IConnectorSymbolSource> source{library};
    auto* wire = new CWire;
    wire->AddPoint(CPoint(4000, 0));
    wire->AddPoint(CPoint(4000, -1000));
    auto* net = new CNet;
    net->AddRef();
    wire->SetNet(net);
    CObList added;
    added.AddTail(wire);
    ASSERT_TRUE(sheet.doc.AddObjects(&added));
    CObList selection;
    selection.AddTail(wire);
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, selection, 2));
    auto* connected = static_cast<CPin*>(wire->GetStartObject())->GetOwner();
    EXPECT_EQ(ShownAttr(sheet.doc, *wire, "_ID"), "+5v");
    EXPECT_TRUE(connected->GetAttrTextList()->IsEmpty());
}

// basic.rlb's ground and power rail wired to R1 and named by the user: the power rail through
// the name it shows, the ground through its wire's label. Each naming is one step whose nets
// carry the names; saved and opened again, the design is the same to the byte and gives the
// same netlist; a pasted copy keeps its name, and renaming the rails passes both by.
TEST_F(StandardLibrary, RailsNamedByTheUserKeepTheirNames) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    nltest::Sheet sheet((dir / "named.sch").c_str());
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+5v", 0);
    CLibraryItemData items[3];
    CSymbol* placed[3] = {};
    const std::pair<const char*, const char*> names[] = {
        {"basic.rlb", "Ground"}, {"basic.rlb", "Power Rail"}, {"discrete.rlb", "RES"}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(LoadSymbol(names[i].first, names[i].second, items[i]), nullptr);
        placed[i] = Place(items[i], sheet);
        ASSERT_NE(placed[i], nullptr);
        placed[i]->OffsetBy(CSize(2000 * i, -2000));
    }
    auto [ground, rail, r1] = placed;
    CWire* low = Connect(sheet, PinOf(r1, "2"), PinOf(ground));
    CWire* high = Connect(sheet, PinOf(r1, "1"), PinOf(rail));
    CUndoList& undo = sheet.doc.GetUndoList();
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
    const int steps = undo.GetCount();

    ASSERT_TRUE(rail->FindAttrText("_ID"));
    ASSERT_TRUE(rail->FindAttrText("_ID")->SetText("+12V", TRUE));
    ASSERT_TRUE(low->SetAttr("_ID", "AGND", kSetAttrUndoable | kSetAttrUser));
    EXPECT_EQ(undo.GetCount(), steps + 2);
    EXPECT_EQ(rail->GetAttr("_ID"), "+12V");
    EXPECT_EQ(ground->GetAttr("_ID"), "AGND");
    EXPECT_EQ(high->GetNet()->GetName(), "+12V");
    EXPECT_EQ(low->GetNet()->GetName(), "AGND");
    const std::vector<BYTE> named = testsupport::DocumentBytes(sheet.doc);
    ASSERT_EQ(undo.Undo(2), 2);
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    ASSERT_EQ(undo.Redo(2), 2);
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), named);

    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string file = (dir / "named.net").string();
    ASSERT_TRUE(sheet.doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    const std::string netlist = testsupport::ReadFileText(file);
    EXPECT_NE(ProtelNet(netlist, "+12V").find("R1-1"), std::string::npos) << netlist;
    EXPECT_NE(ProtelNet(netlist, "AGND").find("R1-2"), std::string::npos) << netlist;

    const std::string path = (dir / "named.sch").string();
    ASSERT_TRUE(sheet.doc.OnSaveDocument(path.c_str()));
    const auto loaded = std::make_unique<CDrawDoc>();
    ASSERT_TRUE(loaded->OnOpenDocument(path.c_str()));
    EXPECT_EQ(testsupport::DocumentBytes(*loaded), named);
    ASSERT_TRUE(loaded->BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    EXPECT_EQ(testsupport::ReadFileText(file), netlist);

    CObList copies;
    copies.AddTail(ground);
    ASSERT_TRUE(loaded->AddObjectCopies(&copies));
    EXPECT_EQ(static_cast<CSymbol*>(copies.GetHead())->GetAttr("_ID"), "AGND");
    DocAttributeEdits edits;
    edits.values = {{"Ground1", "0V"}, {"Power1", "+3v3"}};
    ASSERT_TRUE(ApplyDocumentSettings(*loaded, DocSettings::Of(*loaded), edits));
    ASSERT_TRUE(loaded->BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    EXPECT_EQ(testsupport::ReadFileText(file), netlist);
}

// Every part can be numbered, placed on a board and, unless it says otherwise, simulated: the
// pins its Spice template names exist, and a device's pin map fits its symbol.
TEST_F(StandardLibrary, EveryPartIsCompleteForNetlistsAndSpice) {
    int parts = 0;
    ForEachItem([&](CLibraryItemData& item) {
        auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetHead());
        ASSERT_NE(symbol, nullptr) << item.m_name;
        if (symbol->GetKind() != kSymbolDevice)
            return;
        ++parts;
        EXPECT_FALSE(PartAttr(*symbol, "_Pref").IsEmpty()) << item.m_name;
        EXPECT_FALSE(PartAttr(*symbol, "_Footprint").IsEmpty()) << item.m_name;
        if (symbol->GetDevice()) {
            EXPECT_TRUE(symbol->GetDevice()->IsCompatibleWith(symbol)) << item.m_name;
        }
        const CString spice = PartAttr(*symbol, "Spice.Device");
        EXPECT_NE(spice.IsEmpty(), PartAttr(*symbol, "Spice.Exclude").IsEmpty()) << item.m_name;
        std::istringstream fields(spice.str());
        std::string field;
        std::getline(fields, field, ',');
        while (std::getline(fields, field, ','))
            EXPECT_NE(symbol->FindPin(field.c_str()), nullptr) << item.m_name << " " << field;
    });
    EXPECT_GE(parts, 20);
}

// A layout tool matches a part's pins to the numbered pads of its footprint: every part that
// has a footprint, each of its pins on a net of its own, is written to a Protel netlist with
// a pad number for every pin, whatever the pin is called.
TEST_F(StandardLibrary, EveryPartWithAFootprintGivesPadNumbersToPcbNetlists) {
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    int parts = 0;
    ForEachItem([&](CLibraryItemData& item) {
        auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetHead());
        if (!symbol || PartAttr(*symbol, "_Footprint").IsEmpty())
            return;
        ++parts;
        nltest::Sheet sheet;
        CSymbol* part = Place(item, sheet);
        ASSERT_NE(part, nullptr);
        int pins = 0;
        for (POSITION pos = part->GetPins().GetHeadPosition(); pos; ++pins) {
            const CString id = static_cast<CPin*>(part->GetPins().GetNext(pos))->GetId();
            sheet.Wire(part, id, ("N" + std::to_string(pins)).c_str());
        }
        std::istringstream netlist(nltest::RunWriter(*formats[kFormatProtel], sheet).out);
        int references = 0;  // on the nets of the drawn pins
        std::string net;     // empty outside the net blocks
        for (std::string line; std::getline(netlist, line);) {
            if (line == "(" || line == ")") {
                net.clear();
                if (line == "(")
                    std::getline(netlist, net);
                continue;
            }
            if (net.empty())
                continue;
            references += net.starts_with("N") ? 1 : 0;
            const std::string pad = line.substr(line.find('-') + 1);
            EXPECT_TRUE(
                !pad.empty() &&
                std::all_of(pad.begin(), pad.end(),
                            [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
                << item.m_name << ": " << line;
        }
        EXPECT_EQ(references, pins) << item.m_name;
    });
    EXPECT_GE(parts, 20);
}

// Readers of PCB netlists split lines at blanks and take parentheses, "@" (PADS-PCB's
// "value@footprint"), commas and quotes as the formats' own marks: every part's value and
// footprint is one word without them.
TEST_F(StandardLibrary, EveryValueAndFootprintIsAWordThatPcbFormatsCarry) {
    const auto carried = [](const CString& text) {
        const std::string word = text.str();
        return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return c > ' ' && c < 0x7F && std::string("()@,\"").find(c) == std::string::npos;
        });
    };
    int parts = 0;
    ForEachItem([&](CLibraryItemData& item) {
        auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetHead());
        if (!symbol || symbol->GetKind() != kSymbolDevice)
            return;
        ++parts;
        const CString value = PartAttr(*symbol, "_Value");
        const CString footprint = PartAttr(*symbol, "_Footprint");
        EXPECT_TRUE(carried(value)) << item.m_name << ": value \"" << value << "\"";
        EXPECT_TRUE(carried(footprint)) << item.m_name << ": footprint \"" << footprint << "\"";
    });
    EXPECT_GE(parts, 20);
}

// The NPN transistor on a board is a TO-92 with the emitter on pad 1, the base on pad 2 and the
// collector on pad 3; a Spice deck takes its nodes in the element's order, collector, base and
// emitter, and the model of its device.
TEST_F(StandardLibrary, TheNpnTransistorGivesPadsToPcbNetlistsAndItsNodeOrderToSpice) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    nltest::Sheet sheet((dir / "npn.sch").c_str());
    CLibraryItemData item;
    ASSERT_NE(LoadSymbol("discrete.rlb", "NPN", item), nullptr);
    CSymbol* q1 = Place(item, sheet);
    ASSERT_NE(q1, nullptr);
    for (const auto& [pin, net] : {std::pair{"B", "IN"}, {"C", "OUT"}, {"E", "GND"}})
        sheet.Wire(q1, pin, net);
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string file = (dir / "npn.net").string();
    const std::string deck = (dir / "npn.ckt").string();
    app.Settings().WriteProfileString("Spice", "RefNet", "GND");

    ASSERT_TRUE(sheet.doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    ASSERT_TRUE(sheet.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) +
                                        "/tests/library/data/standard-npn.net"));
    const std::string spice = testsupport::ReadFileText(deck);
    EXPECT_NE(spice.find("\r\nQ1  1 2 0 2N3904\r\n"), std::string::npos) << spice;
    EXPECT_NE(spice.find("\r\n.model 2N3904 NPN("), std::string::npos) << spice;
}

// Wires to a placed part run straight: once one pin end of a part is on the default grid of
// 100 units, every other one is.
TEST_F(StandardLibrary, EveryPinEndLiesOnTheDefaultGrid) {
    ForEachItem([&](CLibraryItemData& item) {
        for (POSITION pos = item.m_objects.GetHeadPosition(); pos;) {
            auto* symbol = dynamic_cast<CSymbol*>(item.m_objects.GetNext(pos));
            for (int n = 1; symbol && n <= symbol->GetPins().GetCount(); ++n) {
                const CPoint end = symbol->GetConnectionPoint(n);
                EXPECT_TRUE(end.x % 100 == 0 && end.y % 100 == 0)
                    << item.m_name << " pin " << n << " at " << end.x << ", " << end.y;
            }
        }
    });
}

TEST_F(StandardLibrary, PalettesHoldTheirParts) {
    struct Case {
        const char* file;
        const char* caption;
        int buttons;
    } cases[] = {
        {"Resistive.sbc", "Resistive", 11},
        {"Reactive.sbc", "Reactive", 3},
        {"Active.sbc", "Active", 8},
        {"Logic.sbc", "Logic", 7},
    };
    for (const Case& c : cases) {
        CPaletteFile palette;
        ASSERT_TRUE(palette.Load((kFolder / c.file).c_str())) << c.file;
        EXPECT_EQ(palette.caption, c.caption);
        int filled = 0;
        for (const PaletteButtonData& button : palette.buttons) {
            if (!button.objects.IsEmpty()) {
                EXPECT_NE(dynamic_cast<CSymbol*>(button.objects.GetHead()), nullptr);
            }
            filled += button.objects.IsEmpty() ? 0 : 1;
        }
        EXPECT_EQ(filled, c.buttons) << c.file;
    }
}

// Placed from the palettes twice, parts number themselves on, and their texts show it; the
// second NAND gate takes the free gate of the first package.
TEST_F(StandardLibrary, PlacedPalettePartsTakeTheirIdentifiers) {
    struct Case {
        const char* file;
        int button;
        const char* first;
        const char* second;
    } cases[] = {
        {"Resistive.sbc", 0, "R1", "R2"},
        {"Reactive.sbc", 0, "C1", "C2"},
        {"Active.sbc", 7, "U1", "U2"},
        {"Logic.sbc", 0, "U1A", "U1B"},
    };
    for (const Case& c : cases) {
        CPaletteFile palette;
        ASSERT_TRUE(palette.Load((kFolder / c.file).c_str()));
        CDrawDoc sheet;
        for (const char* expected : {c.first, c.second}) {
            CObList copies;
            copies.AddTail(&palette.buttons[c.button].objects);
            ASSERT_TRUE(sheet.AddObjectCopies(&copies)) << c.file;
            auto* symbol = dynamic_cast<CSymbol*>(copies.GetHead());
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetAttr("_ID"), expected) << c.file;
            auto* text = dynamic_cast<CAttrText*>(symbol->GetAttrTextList()->GetHead());
            ASSERT_NE(text, nullptr) << c.file;
            CString shown;
            text->GetDisplayText(shown);
            EXPECT_EQ(shown, expected) << c.file;
        }
    }
}

// The sheet of a new sub-circuit: inputs and other ports stand on the left, outputs and
// bidirectional ports on the right, each with its wire end towards the middle of the sheet,
// its name outside its outline, and an arrow that points the way its signal flows.
TEST_F(StandardLibrary, SubcircuitPortsFaceTheSheetWithTheirNamesOutside) {
    CSymbol block;
    block.SetFlags(kSymbolSubCircuit, kSymbolKindMask);
    const struct Case {
        const char* id;
        int direction;  // the wizard's: into, out of, both ways, other
        bool right;     // the wizard's side of the block, and the port's side of the sheet
        const char* port;
    } cases[] = {{"IN", 0, false, "INPORT"},
                 {"OUT", 1, true, "OUTPORT"},
                 {"IO", 2, true, "IOPORT"},
                 {"ANY", 3, false, "ANYPORT"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        auto* pin = new CPin(&block);
        pin->SetEnds(CPoint(c.right ? 1100 : 200, -400), CPoint(c.right ? 1200 : 100, -400));
        pin->SetAttr("_ID", c.id, kSetAttrForce);
        pin->SetPinType(c.direction);
        block.GetPins().AddTail(pin);
        CLibraryItemData item;
        CSymbol* port = LoadSymbol("basic.rlb", c.port, item);
        ASSERT_NE(port, nullptr);
        CObList texts;
        CSymbol::PlacePort(port, pin, 1, c.right, texts);
        auto* portPin = static_cast<CPin*>(port->GetPins().GetHead());
        auto* outline = static_cast<CDrawObj*>(port->GetGraphics().GetHead());
        std::vector<CPoint> corners = {outline->GetPosition().TopLeft(),
                                       outline->GetPosition().BottomRight()};
        port->LocalToDoc(corners.data(), 2);
        CRect box(corners[0], corners[1]);
        box.NormalizeRect();
        const CPoint hot = portPin->GetConnectPoint();
        ASSERT_EQ(texts.GetCount(), 1);
        CRect name = static_cast<CAttrText*>(texts.GetHead())->GetPosition();
        name.NormalizeRect();
        if (c.right) {
            EXPECT_LE(hot.x, box.left);
            EXPECT_GE(name.left, box.right);
        } else {
            EXPECT_GE(hot.x, box.right);
            EXPECT_LE(name.right, box.left);
        }
        // An input's arrow points into the sheet, an output's out of it: both to the right,
        // with the tip the one corner on the wire's line.
        if (auto* arrow = dynamic_cast<CDrawPoly*>(outline); arrow && c.direction < 2) {
            std::vector<CPoint> points(arrow->GetPoints(),
                                       arrow->GetPoints() + arrow->GetPointCount());
            port->LocalToDoc(points.data(), int(points.size()));
            for (const CPoint& point : points) {
                if (point.y == hot.y) {
                    EXPECT_EQ(point.x, box.right);
                }
            }
        }
        delete texts.RemoveHead();
    }
}

// The bill of materials describes placed standard parts with their libraries' descriptions.
TEST_F(StandardLibrary, BillOfMaterialsDescribesStandardParts) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    for (const auto& [library, name] :
         {std::pair{"discrete.rlb", "RES"}, {"discrete.rlb", "CAP"}, {"logic.rlb", "7400"}}) {
        CLibraryItemData item;
        ASSERT_NE(LoadSymbol(library, name, item), nullptr);
        CObList copies;
        copies.AddTail(&item.m_objects);
        ASSERT_TRUE(doc.AddObjectCopies(&copies)) << name;
    }
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string file = (dir / "parts.bom").string();

    ASSERT_TRUE(doc.BuildNetlist(file.c_str(), formats[kFormatBom].get()));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) +
                                        "/tests/library/data/standard-parts.bom"));
}

}  // namespace
