// A placed symbol's commands: its context menu, opening a sub-circuit's file and making a
// sub-circuit sheet with a port for each pin.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/net/ConnectorSymbols.h"
#include "model/object/MenuBuilder.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/ProgramLauncher.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;
using testsupport::TempDir;

struct MenuRecorder : IMenuBuilder {
    void AddItem(UINT id, const char* text) override { items.push_back({id, text}); }
    void AddSeparator() override { items.push_back({0, "-"}); }
    void InsertAfter(UINT existing, UINT id, const char* text) override {
        for (auto it = items.begin(); it != items.end(); ++it) {
            if (it->first == existing) {
                items.insert(it + 1, {id, text});
                return;
            }
        }
    }
    void BeginPopup(const char*) override {}
    void EndPopup() override {}
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& item : items)
            texts.push_back(item.second);
        return texts;
    }
    std::vector<std::pair<UINT, std::string>> items;
};

struct RecordingLauncher : IProgramLauncher {
    bool OpenDocument(const CString& path) override {
        documents.push_back(path.str());
        return true;
    }
    bool StartProgram(const CString& program, const std::vector<CString>& arguments,
                      const CString& directory) override {
        programs.push_back(program.str());
        for (const CString& argument : arguments)
            this->arguments.push_back(argument.str());
        this->directory = directory.str();
        return true;
    }
    std::vector<std::string> documents;
    std::vector<std::string> programs;
    std::vector<std::string> arguments;
    std::string directory;
    ScopedInstall<IProgramLauncher> installed{*this};
};

// Schematic windows that are documents kept here.
struct RecordingWindows : IDocumentWindows {
    CDrawDoc* OpenSchematic(const CString& path) override {
        opened.push_back(path.str());
        return &scratch;
    }
    CDrawDoc* NewSchematic() override {
        made = std::make_unique<CDrawDoc>();
        made->OnNewDocument();
        return made.get();
    }
    void CloseDocument(CDrawDoc& document) override {
        if (&document == made.get())
            made.reset();
        ++closed;
    }
    CString AskSubcircuitFile(const CString& suggested) override {
        this->suggested = suggested.str();
        return CString(answer.c_str());
    }
    CDrawDoc scratch;
    std::unique_ptr<CDrawDoc> made;
    std::vector<std::string> opened;
    std::string suggested;
    std::string answer;
    int closed = 0;
    ScopedInstall<IDocumentWindows> installed{*this};
};

// Ports: a symbol with one pin whose hot end is at (0, 0) and whose body end lies to the right
// of it (the pin points left); the names asked for are recorded.
struct PortSource : IConnectorSymbolSource {
    CSymbol* LoadSymbol(const CString& name, CDrawDoc* document) override {
        names.push_back(name.str());
        if (name.IsEmpty())
            return nullptr;
        auto* port = new CSymbol();
        port->SetFlags(kSymbolPort, kSymbolKindMask);
        auto* pin = new CPin(port);
        pin->SetEnds(CPoint(100, 0), CPoint(0, 0));
        port->GetPins().AddTail(pin);
        port->SetDocument(document);
        port->RecalcBounds(nullptr);
        return port;
    }
    std::vector<std::string> names;
    ScopedInstall<IConnectorSymbolSource> installed{*this};
};

CPin* AddPin(CSymbol& symbol, const char* id, int type, CPoint body, CPoint hot) {
    auto* pin = new CPin(&symbol);
    pin->SetEnds(body, hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    pin->SetPinType(type);
    symbol.GetPins().AddTail(pin);
    return pin;
}

TEST(SymbolCommandsTest, TheContextMenuFollowsTheKind) {
    TestPart part(1);
    part.SetTestDevice("7400");
    CSymbol device;
    device.SetDevice(part.GetDevice());
    device.SetAttr("_ID", "U1", kSetAttrForce);
    device.SetAttr("_Value", "x", kSetAttrForce);
    MenuRecorder menu;
    menu.AddItem(32785, "Propertie&s...");
    device.AddContextMenu(&menu);
    device.SetDevice(nullptr);
    EXPECT_EQ(menu.Texts(),
              (std::vector<std::string>{"Propertie&s...", "De&vice Properties..", "-",
                                        "&Edit Symbol", "Show Identifier", "Show Value",
                                        "Show Pin Names", "Show Pin Numbers", "Show Device Name"}));

    CSymbol subcircuit;
    subcircuit.SetFlags(kSymbolSubCircuit, kSymbolKindMask);
    subcircuit.SetAttr("_ID", "X1", kSetAttrForce);
    subcircuit.SetAttr("_Value", "v", kSetAttrForce);
    MenuRecorder sub;
    subcircuit.AddContextMenu(&sub);
    EXPECT_EQ(sub.Texts(), (std::vector<std::string>{"-", "&Edit Symbol", "Open Sub-circuit",
                                                     "Show Identifier", "Show Pin Names"}));

    CSymbol graphic;
    graphic.SetFlags(kSymbolGraphical, kSymbolKindMask);
    graphic.SetAttr("_ID", "G1", kSetAttrForce);
    MenuRecorder plain;
    graphic.AddContextMenu(&plain);
    EXPECT_EQ(plain.Texts(), (std::vector<std::string>{"-", "&Edit Symbol", "Show Pin Names"}));
}

struct SubcircuitFixture : ::testing::Test {
    SubcircuitFixture() : app(dir / "settings.ini"), scopedApp(app) {
        doc.SetPathName((dir / "top.sch").string().c_str(), FALSE);
        symbol.SetDocument(&doc);
        symbol.SetFlags(kSymbolSubCircuit, kSymbolKindMask);
    }
    std::string Touch(const std::string& name, bool executable = false) {
        const auto path = dir / name;
        testsupport::WriteFileText(path, "x");
        if (executable)
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    TempDir dir;
    CSchematicApp app;
    ScopedApp scopedApp;
    CDrawDoc doc;
    CSymbol symbol;
    RecordingWindows windows;
    RecordingLauncher launcher;
};

TEST_F(SubcircuitFixture, ASchematicOpensInThisProgramFromARelativeOrStoredPath) {
    const std::string sheet = Touch("sub.sch");
    symbol.SetAttr("_Subcct", "sub.sch", kSetAttrForce);
    EXPECT_TRUE(symbol.OpenSubcircuit());
    std::string stored = sheet;
    std::replace(stored.begin(), stored.end(), '/', '\\');
    symbol.SetAttr("_Subcct", ("C:" + stored).c_str(), kSetAttrForce);
    EXPECT_TRUE(symbol.OpenSubcircuit());
    EXPECT_EQ(windows.opened, (std::vector<std::string>{sheet, sheet}));
    EXPECT_TRUE(launcher.documents.empty());
}

TEST_F(SubcircuitFixture, AMissingFileOrAnUnknownVerbIsAnError) {
    ScriptedPrompt prompt({IDOK, IDOK});
    symbol.SetAttr("_Subcct", "gone.sch", kSetAttrForce);
    EXPECT_FALSE(symbol.OpenSubcircuit());
    const std::string notes = Touch("notes.txt");
    symbol.SetAttr("_Subcct", "notes.txt", kSetAttrForce);
    symbol.SetAttr("_Command", "print", kSetAttrForce);
    EXPECT_FALSE(symbol.OpenSubcircuit());
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString(("Error opening file -\n" + (dir / "gone.sch").string()).c_str()));
    EXPECT_EQ(prompt.shown()[1].text, CString(("Error opening file -\n" + notes).c_str()));
    EXPECT_TRUE(windows.opened.empty());
    EXPECT_TRUE(launcher.documents.empty());

    symbol.SetAttr("_Command", "Open", kSetAttrForce);
    EXPECT_TRUE(symbol.OpenSubcircuit());
    EXPECT_EQ(launcher.documents, std::vector<std::string>{notes});
}

TEST_F(SubcircuitFixture, AProgramStartsWithItsArgumentListOnlyOnceTheUserAgreed) {
    const std::string program = Touch("tool.sh", true);
    (void)Touch("other.EXE");
    std::filesystem::create_directory(dir / "work");
    symbol.SetAttr("_Subcct", "tool.sh", kSetAttrForce);
    symbol.SetAttr("_Parameters", "-x \"a b\" c;rm", kSetAttrForce);
    symbol.SetAttr("_Directory", "work", kSetAttrForce);
    ScriptedPrompt prompt({IDNO, IDYES});
    EXPECT_FALSE(symbol.OpenSubcircuit());
    EXPECT_TRUE(launcher.programs.empty());
    EXPECT_TRUE(symbol.OpenSubcircuit());
    EXPECT_TRUE(symbol.OpenSubcircuit());  // agreed once for this schematic and program
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].type & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(launcher.programs, (std::vector<std::string>{program, program}));
    EXPECT_EQ(launcher.arguments,
              (std::vector<std::string>{"-x", "a b", "c;rm", "-x", "a b", "c;rm"}));
    EXPECT_EQ(launcher.directory, (dir / "work").string());

    // A Windows program is one by its name, in any case.
    symbol.SetAttr("_Subcct", "other.EXE", kSetAttrForce);
    prompt.Answer(IDYES);
    EXPECT_TRUE(symbol.OpenSubcircuit());
    EXPECT_EQ(launcher.programs.back(), (dir / "other.EXE").string());
}

TEST_F(SubcircuitFixture, APathTooLongOpensNothing) {
    ScriptedPrompt prompt({IDOK});
    symbol.SetAttr("_Subcct", std::string(300, 'a').c_str(), kSetAttrForce);
    EXPECT_FALSE(symbol.OpenSubcircuit());
    EXPECT_EQ(prompt.shown().at(0).text, CString("Path name too long"));
    EXPECT_TRUE(windows.opened.empty());
    EXPECT_TRUE(launcher.documents.empty() && launcher.programs.empty());
}

TEST(SubcircuitPortsTest, PortsGoDownTheirSideAndLoadByPinType) {
    PortSource source;
    CDrawDoc sheet;
    CSymbol part;
    part.SetFlags(kSymbolSubCircuit, kSymbolKindMask);
    // Pins pointing left (an input) and right (an output).
    CPin* in = AddPin(part, "IN", 0, CPoint(0, 0), CPoint(-200, 0));
    CPin* out = AddPin(part, "OUT", 1, CPoint(0, 0), CPoint(200, 0));
    CSymbol* left = CSymbol::LoadPortSymbol(in->GetPinType(), &sheet);
    CObList texts;
    CSymbol::PlacePort(left, in, 1, false, texts);
    auto* leftPin = static_cast<CPin*>(left->GetPins().GetHead());
    EXPECT_EQ(leftPin->GetConnectPoint(), CPoint(1000, -1200));
    EXPECT_EQ(leftPin->GetAttr("_ID"), "IN");
    ASSERT_EQ(texts.GetCount(), 1);
    EXPECT_EQ(static_cast<CAttrText*>(texts.GetHead())->GetOwnerObject(), leftPin);
    CSymbol* right = CSymbol::LoadPortSymbol(out->GetPinType(), &sheet);
    CSymbol::PlacePort(right, out, 3, true, texts);
    auto* rightPin = static_cast<CPin*>(right->GetPins().GetHead());
    EXPECT_EQ(rightPin->GetConnectPoint(), CPoint(6000, -1600));
    // The pin of a right-hand port points the other way: its body end lies left of it.
    double dx = 0;
    double dy = 0;
    rightPin->GetDirection(dx, dy, TRUE);
    EXPECT_NEAR(dx, 1.0, 1e-9);
    for (CObject* object : {static_cast<CObject*>(left), static_cast<CObject*>(right)})
        delete object;
    while (!texts.IsEmpty())
        delete texts.RemoveHead();

    const int types[] = {17, 10, 18, 4};
    for (int type : types)
        delete CSymbol::LoadPortSymbol(type, &sheet);
    EXPECT_EQ(source.names,
              (std::vector<std::string>{"INPORT", "OUTPORT", "IOPORT", "ANYPORT", "ANYPORT", ""}));
}

struct SaveSubcircuitTest : SubcircuitFixture {
    PortSource source;
};

TEST_F(SaveSubcircuitTest, TheSheetHasAPortForEachPinAndBecomesTheSubcircuit) {
    AddPin(symbol, "A", 0, CPoint(0, 0), CPoint(-200, 0));
    AddPin(symbol, "Y", 1, CPoint(0, 0), CPoint(200, 0));
    AddPin(symbol, "B", 0, CPoint(0, -200), CPoint(-200, -200));
    windows.answer = (dir / "sub.sch").string();
    ASSERT_TRUE(symbol.SaveSubcircuitAs());
    EXPECT_EQ(windows.suggested, "untitled.sch");
    EXPECT_EQ(source.names, (std::vector<std::string>{"INPORT", "OUTPORT", "INPORT"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "sub.sch"));
    EXPECT_EQ(symbol.GetAttr("_Subcct"), CString(windows.answer.c_str()));
    ASSERT_NE(windows.made, nullptr);
    EXPECT_FALSE(windows.made->IsModified());
    std::vector<std::string> ports;
    for (POSITION pos = windows.made->GetObjects().GetHeadPosition(); pos;) {
        auto* port = dynamic_cast<CSymbol*>(windows.made->GetObjects().GetNext(pos));
        if (!port)
            continue;
        auto* pin = static_cast<CPin*>(port->GetPins().GetHead());
        const CPoint at = pin->GetConnectPoint();
        ports.push_back(pin->GetAttr("_ID").str() + "@" + std::to_string(at.x) + "," +
                        std::to_string(at.y));
    }
    EXPECT_EQ(ports, (std::vector<std::string>{"A@1000,-1200", "Y@6000,-1200", "B@1000,-1400"}));
}

TEST_F(SaveSubcircuitTest, APortThatCannotBeMadeSavesNothing) {
    ScriptedPrompt prompt;
    symbol.SetFlags(kSymbolDevice, kSymbolKindMask);
    symbol.SetAttr("_Subcct", "keep.sch", kSetAttrForce);
    AddPin(symbol, "A", kPinTypeUserDefined, CPoint(0, 0), CPoint(-200, 0));  // a port
    AddPin(symbol, "P", 4, CPoint(0, 0), CPoint(200, 0));                     // none
    windows.answer = (dir / "sub.sch").string();
    EXPECT_FALSE(symbol.SaveSubcircuitAs());
    EXPECT_EQ(source.names, (std::vector<std::string>{"ANYPORT", ""}));
    EXPECT_EQ(windows.suggested, "keep.sch");
    EXPECT_FALSE(std::filesystem::exists(dir / "sub.sch"));
    EXPECT_EQ(windows.closed, 1);
    EXPECT_EQ(symbol.GetAttr("_Subcct"), "keep.sch");

    windows.answer.clear();  // cancelled
    EXPECT_FALSE(symbol.SaveSubcircuitAs());
    EXPECT_EQ(windows.closed, 1);
}

}  // namespace
