// The design tree: categories and labels of a document's objects, their order, and the
// incremental refresh that follows changes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/DesignTreeModel.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/AppServices.h"
#include "support/ScriptedPrompt.h"

namespace {

class DesignTree : public ::testing::Test {
protected:
    CDrawDoc& NewDoc(const char* title) {
        docs.push_back(std::make_unique<CDrawDoc>());
        docs.back()->SetTitle(title);
        return *docs.back();
    }
    std::vector<CDrawDoc*> Open() const {
        std::vector<CDrawDoc*> open;
        for (const auto& doc : docs)
            open.push_back(doc.get());
        return open;
    }
    static CSymbol* AddSymbol(CDrawDoc& doc, const char* id, DWORD kind = kSymbolDevice) {
        auto* symbol = new CSymbol();
        symbol->SetFlags(kind, kSymbolKindMask);
        symbol->SetDocument(&doc);
        symbol->GetAttrMap()->SetAt("_ID", id);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }
    static CPin* AddPin(CSymbol* symbol, const char* id, const char* number = nullptr) {
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, 0), CPoint(100, 0));
        pin->GetAttrMap()->SetAt("_ID", id);
        if (number)
            pin->GetAttrMap()->SetAt("_No", number);
        symbol->GetPins().AddTail(pin);
        return pin;
    }
    // Symbol U1 of a 7400 whose hidden pin VCC, number 14, is on net VCC.
    static CSymbol* AddGate(CDrawDoc& doc) {
        auto* device = new CDevice("7400");
        device->SetAttr("_Implicit", "VCC 14", TRUE);
        device->SetAttr("VCC.Net", "VCC", TRUE);
        CSymbol* u1 = AddSymbol(doc, "U1");
        device->AddRef();
        u1->SetDevice(device);
        return u1;
    }
    // A wire on a new net named name, attached to pin.
    static CWire* Attach(CDrawDoc& doc, CPin* pin, const char* name) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(100, 0));
        wire->AddPoint(CPoint(200, 0));
        wire->SetDocument(&doc);
        auto* net = new CNet(name);
        net->AddRef();
        wire->SetNet(net);
        pin->SetWire(wire);
        doc.GetObjects().AddTail(wire);
        return wire;
    }
    static CDesignTreeNode* Child(CDesignTreeNode* node, const char* label) {
        for (const auto& child : node->Children()) {
            if (child->Label() == label)
                return child.get();
        }
        return nullptr;
    }
    static std::vector<CString> Labels(const CDesignTreeNode* node) {
        std::vector<CString> labels;
        for (const auto& child : node->Children())
            labels.push_back(child->Label());
        return labels;
    }
    // Expands the path of labels from the root down; the last node.
    CDesignTreeNode* ExpandPath(std::initializer_list<const char*> path) {
        CDesignTreeNode* node = tree.Root();
        EXPECT_TRUE(tree.Expand(*node));
        for (const char* label : path) {
            node = Child(node, label);
            if (!node) {
                ADD_FAILURE() << "no node " << label;
                return nullptr;
            }
            EXPECT_TRUE(tree.Expand(*node));
        }
        return node;
    }
    void RunRefresh() {
        for (int steps = 0; tree.OnIdle(); ++steps)
            ASSERT_LT(steps, 100000);
    }
    // Hands the tree the change notices sent since the last call, as the workspace bar does.
    void Deliver() {
        for (; delivered < services.notices().size(); ++delivered) {
            const auto& notice = services.notices()[delivered];
            tree.MarkForRefresh(notice.code, static_cast<CDrawDoc*>(notice.document));
        }
    }
    // The node's text, kind, image and child button, and the same of the children of every
    // expanded node below it, one line each.
    static std::string Dump(const CDesignTreeNode& node, int depth = 0) {
        std::string text = std::string(2 * depth, ' ') + node.Label().str() + " [" +
                           std::to_string(node.Item().GetKind()) + " " +
                           std::to_string(node.Image()) + (node.HasChildButton() ? " +" : "") +
                           "]\n";
        if (node.IsExpanded()) {
            for (const auto& child : node.Children())
                text += Dump(*child, depth + 1);
        }
        return text;
    }
    // Expands in fresh the nodes that are expanded in shown, found by their labels.
    static void ExpandLike(CDesignTreeModel& fresh, CDesignTreeNode& node,
                           const CDesignTreeNode& shown) {
        if (!shown.IsExpanded())
            return;
        ASSERT_TRUE(fresh.Expand(node));
        for (const auto& child : shown.Children()) {
            if (CDesignTreeNode* match = Child(&node, child->Label().c_str()))
                ExpandLike(fresh, *match, *child);
        }
    }
    // The tree as one filled afresh with the same nodes expanded shows it.
    std::string FreshDump() {
        CDesignTreeModel fresh([this] { return Open(); });
        fresh.Initialize(nullptr);
        ExpandLike(fresh, *fresh.Root(), *tree.Root());
        return Dump(*fresh.Root());
    }
    // Hands the tree the notices of the edits since the last call, which the change log must
    // name, and checks that the refreshed tree shows what a fresh one shows.
    void FollowRecorded(CDrawDoc& doc, const std::string& step) {
        Deliver();
        EXPECT_FALSE(tree.ChangesOf(&doc).all) << step;
        RunRefresh();
        EXPECT_EQ(Dump(*tree.Root()), FreshDump()) << "after " << step;
    }
    // A wire from (x, y) to (x + 1000, y) in the document's list, on a new net when name is
    // given.
    static CWire* PlaceWire(CDrawDoc& doc, int x, int y, const char* name = nullptr) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(x, y));
        wire->AddPoint(CPoint(x + 1000, y));
        wire->SetDocument(&doc);
        if (name)
            Give(wire, new CNet(name));
        doc.GetObjects().AddTail(wire);
        return wire;
    }
    static void Give(CWire* wire, CNet* net) {
        net->AddRef();
        if (CNet* old = wire->SetNet(net))
            old->Release();
    }
    static void Delete(CDrawDoc& doc, CDrawObj* object) {
        CObList removed;
        removed.AddTail(object);
        doc.RemoveObjects(&removed);
    }

    testsupport::RecordingAppServices services;
    size_t delivered = 0;
    std::vector<std::unique_ptr<CDrawDoc>> docs;
    CDesignTreeModel tree{[this] { return Open(); }};
};

TEST_F(DesignTree, SymbolsSortByNumberAndCategoriesByKindInEachVariant) {
    CDrawDoc& doc = NewDoc("a.sch");
    for (const char* id : {"R1", "R2", "R10", "C1"})
        AddSymbol(doc, id);
    tree.Initialize(nullptr);
    EXPECT_EQ(tree.Root()->Label(), "Schematics");
    CDesignTreeNode* symbols = ExpandPath({"a.sch", "Symbols"});
    ASSERT_TRUE(symbols);
    EXPECT_EQ(Labels(symbols), (std::vector<CString>{"C1", "R1", "R2", "R10"}));
    EXPECT_EQ(Labels(symbols->Parent()),
              (std::vector<CString>{"Symbols", "Nets", "Devices", "Sub-circuits", "Ports",
                                    "Attributes"}));

    CDesignTreeModel picking([this] { return Open(); });
    picking.SetAttributePicking(true);
    picking.Initialize(&doc);
    ASSERT_TRUE(picking.Expand(*picking.Root()));
    EXPECT_EQ(Labels(picking.Root()),
              (std::vector<CString>{"Symbols", "Nets", "Sub-circuits", "Ports", "Other"}));
    EXPECT_EQ(picking.Root()->Item().GetKind(), 0);
}

TEST_F(DesignTree, PinLabelsPickTheGateOfNameAndNumberLists) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* u1 = AddSymbol(doc, "U1");
    CPin* pin = AddPin(u1, "A,B", "1,2");
    Attach(doc, pin, "N1,N2");
    tree.Initialize(&doc);
    CDesignTreeNode* pins = ExpandPath({"Symbols", "U1", "Pins"});
    ASSERT_TRUE(pins);
    EXPECT_EQ(Labels(pins), (std::vector<CString>{"A (1)", "B (2)"}));
    EXPECT_EQ(pins->Children()[0]->Item().GetKind(), 3);
    EXPECT_EQ(pins->Children()[0]->Image(), kImagePin);

    // Under a net the owner comes first.
    CDesignTreeNode* net = ExpandPath({"Nets", "N1"});
    ASSERT_TRUE(net);
    EXPECT_EQ(Labels(net), (std::vector<CString>{"U1:A (1)"}));
    CDesignTreeNode* pinA = ExpandPath({"Symbols", "U1", "Pins", "A (1)"});
    ASSERT_TRUE(pinA);
    EXPECT_EQ(Labels(pinA), (std::vector<CString>{"N1", "Attributes"}));
}

TEST_F(DesignTree, BusNetsListEachMemberAndTheGateOfThePinOnIt) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* u1 = AddSymbol(doc, "U1");
    Attach(doc, AddPin(u1, "A,B", "1,2"), "D0,D1");
    tree.Initialize(&doc);
    CDesignTreeNode* nets = ExpandPath({"Nets"});
    ASSERT_TRUE(nets);
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"D0", "D1"}));
    CDesignTreeNode* d1 = ExpandPath({"Nets", "D1"});
    ASSERT_TRUE(d1);
    EXPECT_EQ(Labels(d1), (std::vector<CString>{"U1:B (2)"}));
}

TEST_F(DesignTree, HiddenPinsOfADeviceAreListedUnderTheirNet) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* u1 = AddGate(doc);
    Attach(doc, AddPin(u1, "Y"), "VCC");  // the device has no map: no number
    tree.Initialize(&doc);
    CDesignTreeNode* vcc = ExpandPath({"Nets", "VCC"});
    ASSERT_TRUE(vcc);
    EXPECT_EQ(Labels(vcc), (std::vector<CString>{"U1:VCC (14)", "U1:Y"}));
    EXPECT_EQ(vcc->Children()[0]->Item().GetKind(), 4);

    u1->GetDevice()->SetAttr("_Implicit", "VCC", TRUE);
    tree.MarkForRefresh(-1, &doc);
    RunRefresh();
    EXPECT_EQ(Labels(vcc), (std::vector<CString>{"U1:VCC (?)", "U1:Y"}));
}

// A hidden pin tied to a wire's net ("Connect Wire Implicitly To..") is listed under that net,
// no longer under the one its device names.
TEST_F(DesignTree, AHiddenPinTiedToAWiresNetIsListedUnderIt) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* u1 = AddGate(doc);
    Attach(doc, AddPin(u1, "Y"), "VCC");
    CNet* tied = Attach(doc, AddPin(u1, "A"), "VDDA")->GetNet();
    tied->SetAttr("_Implicit", "U1:VCC", 0);
    tree.Initialize(&doc);
    CDesignTreeNode* vdda = ExpandPath({"Nets", "VDDA"});
    ASSERT_TRUE(vdda);
    EXPECT_EQ(Labels(vdda), (std::vector<CString>{"U1:A", "U1:VCC (14)"}));
    CDesignTreeNode* vcc = ExpandPath({"Nets", "VCC"});
    ASSERT_TRUE(vcc);
    EXPECT_EQ(Labels(vcc), (std::vector<CString>{"U1:Y"}));

    // The ties are read anew for the refresh after they changed.
    tied->RemoveAttr("_Implicit");
    tree.MarkForRefresh(-1, &doc);
    RunRefresh();
    EXPECT_EQ(Labels(vdda), (std::vector<CString>{"U1:A"}));
    EXPECT_EQ(Labels(vcc), (std::vector<CString>{"U1:VCC (14)", "U1:Y"}));
}

TEST_F(DesignTree, PortsAreNamedAndPicturedByTheirFirstPin) {
    CDrawDoc& doc = NewDoc("a.sch");
    AddSymbol(doc, "P1", kSymbolPort);
    CSymbol* in = AddSymbol(doc, "P2", kSymbolPort);
    AddPin(in, "CLK")->SetPinType(0);  // input, an input port on a port symbol
    AddPin(AddSymbol(doc, "P3", kSymbolPort), "Q")->SetPinType(1);
    CSymbol* sub = AddSymbol(doc, "S1", kSymbolSubCircuit);
    tree.Initialize(&doc);
    CDesignTreeNode* ports = ExpandPath({"Ports"});
    ASSERT_TRUE(ports);
    EXPECT_EQ(Labels(ports), (std::vector<CString>{"???", "CLK", "Q"}));
    EXPECT_EQ(ports->Children()[0]->Image(), kImageFolderClosed);
    EXPECT_EQ(ports->Children()[1]->Image(), kImageInputPort);
    EXPECT_EQ(ports->Children()[2]->Image(), kImageOutputPort);
    EXPECT_EQ(ports->Children()[1]->Item().GetKind(), 7);

    CDesignTreeNode* subcircuits = ExpandPath({"Sub-circuits"});
    ASSERT_TRUE(subcircuits);
    ASSERT_EQ(subcircuits->Children().size(), 1u);
    EXPECT_EQ(subcircuits->Children()[0]->Item().GetObject(), sub);
    EXPECT_EQ(subcircuits->Children()[0]->Item().GetKind(), 6);
}

TEST_F(DesignTree, PinLabelsCompareOwnerFirstThenPinByNumber) {
    EXPECT_LT(ComparePinLabels("U2:A", "U10:A"), 0);
    EXPECT_LT(ComparePinLabels("U1:9", "U1:10"), 0);
    EXPECT_GT(ComparePinLabels("U1:B", "U1:A"), 0);
    // A leading colon does not split.
    EXPECT_LT(ComparePinLabels(":9", "A:1"), 0);
}

TEST_F(DesignTree, AnEmptyApplicationShowsSchematicsWithoutAChildButton) {
    tree.Initialize(nullptr);
    EXPECT_EQ(tree.Root()->Label(), "Schematics");
    EXPECT_FALSE(tree.Root()->HasChildButton());
    NewDoc("a.sch");
    tree.MarkForRefresh(kDocumentSetChanged, nullptr);
    EXPECT_TRUE(tree.Root()->HasChildButton());
}

// A new or opened document tells of itself before the application lists it among the open
// ones, as at start-up: the root's button follows the list once the refresh runs.
TEST_F(DesignTree, TheRootsButtonFollowsDocumentsListedAfterTheirNotice) {
    tree.Initialize(nullptr);
    tree.MarkForRefresh(kDocumentSetChanged, nullptr);
    NewDoc("a.sch");
    while (tree.OnIdle()) {
    }
    EXPECT_TRUE(tree.Root()->HasChildButton());
    tree.MarkForRefresh(kDocumentSetChanged, nullptr);
    docs.clear();
    while (tree.OnIdle()) {
    }
    EXPECT_FALSE(tree.Root()->HasChildButton());
}

TEST_F(DesignTree, RefreshVisitsOnlyTheDocumentsThatChanged) {
    CDrawDoc& a = NewDoc("a.sch");
    CDrawDoc& b = NewDoc("b.sch");
    for (int i = 0; i < 20; ++i) {
        AddSymbol(a, "R1");
        AddSymbol(b, "R1");
    }
    tree.Initialize(nullptr);
    CDesignTreeNode* symbolsA = ExpandPath({"a.sch", "Symbols"});
    CDesignTreeNode* symbolsB = ExpandPath({"b.sch", "Symbols"});
    ASSERT_TRUE(symbolsA && symbolsB);
    const CDesignTreeNode* firstA = symbolsA->Children()[0].get();
    const CDesignTreeNode* firstB = symbolsB->Children()[0].get();

    // A change of the set of documents keeps the documents' subtrees as they are.
    tree.MarkForRefresh(kDocumentSetChanged, nullptr);
    long before = tree.StepCount();
    RunRefresh();
    const long listOnly = tree.StepCount() - before;
    EXPECT_EQ(symbolsA->Children()[0].get(), firstA);
    EXPECT_EQ(symbolsB->Children()[0].get(), firstB);

    before = tree.StepCount();
    tree.MarkForRefresh(65535, &a);
    RunRefresh();
    const long oneDocument = tree.StepCount() - before;
    before = tree.StepCount();
    tree.MarkForRefresh(65535, nullptr);
    RunRefresh();
    const long both = tree.StepCount() - before;
    EXPECT_GT(oneDocument, listOnly);
    EXPECT_EQ(both - listOnly, 2 * (oneDocument - listOnly));
    EXPECT_EQ(symbolsA->Children()[0].get(), firstA);
}

TEST_F(DesignTree, RefreshFollowsAddedRemovedAndRenamedSymbols) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    CSymbol* r2 = AddSymbol(doc, "R2");
    tree.Initialize(nullptr);
    CDesignTreeNode* symbols = ExpandPath({"a.sch", "Symbols"});
    ASSERT_TRUE(symbols);

    AddSymbol(doc, "C5");
    doc.GetObjects().RemoveAt(doc.GetObjects().Find(r2));
    delete r2;
    r1->GetAttrMap()->SetAt("_ID", "R7");
    tree.MarkForRefresh(-1, &doc);
    RunRefresh();
    EXPECT_EQ(Labels(symbols), (std::vector<CString>{"C5", "R7"}));
    EXPECT_FALSE(tree.IsRefreshPending());
}

TEST_F(DesignTree, RecordedEditsAreFollowedThroughTheSymbolsTheyName) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    CSymbol* r2 = AddSymbol(doc, "R2");
    tree.Initialize(nullptr);
    CDesignTreeNode* symbols = ExpandPath({"a.sch", "Symbols"});
    ASSERT_TRUE(symbols);
    const CDesignTreeNode* shownR2 = Child(symbols, "R2");

    r1->SetAttr("_ID", "R5", kSetAttrUndoable);
    Deliver();
    const DesignTreeChanges& renamed = tree.ChangesOf(&doc);
    EXPECT_FALSE(renamed.all);
    EXPECT_FALSE(renamed.nets);
    EXPECT_EQ(renamed.symbols, (std::vector<const CDrawObj*>{r1}));
    RunRefresh();
    EXPECT_EQ(Labels(symbols), (std::vector<CString>{"R2", "R5"}));
    EXPECT_EQ(Child(symbols, "R2"), shownR2);
    EXPECT_FALSE(tree.ChangesOf(&doc).TouchObjects());

    // A notice that the change log cannot back refreshes everything.
    r2->GetAttrMap()->SetAt("_ID", "R9");
    tree.MarkForRefresh(kDocumentContentChanged, &doc);
    EXPECT_TRUE(tree.ChangesOf(&doc).all);
    RunRefresh();
    EXPECT_EQ(Labels(symbols), (std::vector<CString>{"R5", "R9"}));

    // So does a recorded edit that cannot name its objects.
    ASSERT_TRUE(doc.GetUndoList().Undo());
    Deliver();
    EXPECT_FALSE(tree.ChangesOf(&doc).all);
    struct Opaque : CCommand {};
    doc.GetUndoList().Add(new Opaque);
    Deliver();
    EXPECT_TRUE(tree.ChangesOf(&doc).all);
    RunRefresh();
    EXPECT_EQ(Labels(symbols), (std::vector<CString>{"R1", "R9"}));
}

TEST_F(DesignTree, AFollowedTreeShowsWhatAFreshOneShowsAfterAddDeleteUndoAndRedo) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    Attach(doc, AddPin(r1, "1"), "N1");
    Attach(doc, AddPin(r1, "2"), "N2");
    CSymbol* r2 = AddSymbol(doc, "R2");
    Attach(doc, AddPin(r2, "1"), "N2");
    Attach(doc, AddPin(r2, "2"), "N3");
    AddPin(AddSymbol(doc, "P1", kSymbolPort), "IN");
    AddSymbol(doc, "S1", kSymbolSubCircuit);
    tree.Initialize(nullptr);
    for (auto path : {std::initializer_list<const char*>{"a.sch", "Symbols", "R1", "Pins", "1"},
                      {"a.sch", "Nets", "N2"},
                      {"a.sch", "Ports", "IN"},
                      {"a.sch", "Sub-circuits"},
                      {"a.sch", "Devices"},
                      {"a.sch", "Attributes"}})
        ASSERT_TRUE(ExpandPath(path));
    ASSERT_EQ(Dump(*tree.Root()), FreshDump());
    const auto follow = [&](const char* step) {
        Deliver();
        RunRefresh();
        EXPECT_EQ(Dump(*tree.Root()), FreshDump()) << "after " << step;
    };

    r2->SetAttr("_ID", "R0", kSetAttrUndoable);
    follow("renaming R2");
    r1->SetAttr("_ID", "R9", kSetAttrUndoable);
    follow("renaming the expanded R1");
    auto added = std::make_unique<CSymbol>();
    added->SetFlags(kSymbolDevice, kSymbolKindMask);
    added->GetAttrMap()->SetAt("_ID", "C1");
    AddPin(added.get(), "1");
    ASSERT_TRUE(doc.AddObject(std::move(added)));
    follow("adding C1");
    auto wire = std::make_unique<CWire>();
    wire->AddPoint(CPoint(500, 0));
    wire->AddPoint(CPoint(600, 0));
    auto* net = new CNet("N7");
    net->AddRef();
    wire->SetNet(net);
    ASSERT_TRUE(doc.AddObject(std::move(wire)));
    follow("adding a wire");
    CObList removed;
    removed.AddTail(r2);
    doc.RemoveObjects(&removed);
    follow("deleting R0");
    int undone = 0;
    while (doc.GetUndoList().Undo())
        follow(("undo " + std::to_string(++undone)).c_str());
    EXPECT_GE(undone, 5);
    for (int redone = 1; doc.GetUndoList().Redo(); ++redone)
        follow(("redo " + std::to_string(redone)).c_str());
}

TEST_F(DesignTree, WiresDrawnDeletedUndoneAndRedoneAreFollowedByTheirNetNames) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    Attach(doc, AddPin(r1, "1"), "N1");
    CWire* n2a = Attach(doc, AddPin(r1, "2"), "N2");
    CSymbol* r2 = AddSymbol(doc, "R2");
    CWire* n2b = Attach(doc, AddPin(r2, "1"), "N2");
    Attach(doc, AddPin(r2, "2"), "N10");
    tree.Initialize(nullptr);
    CDesignTreeNode* nets = ExpandPath({"a.sch", "Nets"});
    ASSERT_TRUE(nets);
    ASSERT_TRUE(ExpandPath({"a.sch", "Nets", "N2"}));
    ASSERT_TRUE(ExpandPath({"a.sch", "Symbols", "R1", "Pins", "2"}));
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N1", "N2", "N10"}));
    const CDesignTreeNode* n1 = Child(nets, "N1");

    // Drawn, the wire gets a net of its own under a new name: three recorded changes.
    auto drawn = std::make_unique<CWire>();
    drawn->AddPoint(CPoint(0, 500));
    drawn->AddPoint(CPoint(100, 500));
    CWire* wire = drawn.get();
    ASSERT_TRUE(doc.AddObject(std::move(drawn)));
    ASSERT_TRUE(wire->GetNet());
    const CString name = wire->GetNet()->GetName();
    FollowRecorded(doc, "drawing a wire");
    EXPECT_EQ(Labels(nets).size(), 4u);
    EXPECT_TRUE(Child(nets, name.c_str()));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    FollowRecorded(doc, "undoing the wire");
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N1", "N2", "N10"}));
    ASSERT_TRUE(doc.GetUndoList().Redo());
    FollowRecorded(doc, "redoing the wire");
    EXPECT_TRUE(Child(nets, name.c_str()));

    // A name stays while a wire carries it.
    Delete(doc, n2a);
    FollowRecorded(doc, "deleting a wire of N2");
    EXPECT_TRUE(Child(nets, "N2"));
    Delete(doc, n2b);
    FollowRecorded(doc, "deleting the last wire of N2");
    EXPECT_FALSE(Child(nets, "N2"));
    for (int step = 1; step <= 2; ++step) {
        ASSERT_TRUE(doc.GetUndoList().Undo());
        FollowRecorded(doc, "undo " + std::to_string(step));
    }
    EXPECT_TRUE(Child(nets, "N2"));
    for (int step = 1; step <= 2; ++step) {
        ASSERT_TRUE(doc.GetUndoList().Redo());
        FollowRecorded(doc, "redo " + std::to_string(step));
    }
    EXPECT_FALSE(Child(nets, "N2"));
    // The nodes of the other nets were never made again.
    EXPECT_EQ(Child(nets, "N1"), n1);
}

// As the wire tool draws: the wire is added, then ended on a pin, and what the ending changed
// is noted in the change log.
TEST_F(DesignTree, AWireEndedOnAPinIsFollowedThroughWhatTheDrawingNoted) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    CPin* pin = AddPin(r1, "1");
    Attach(doc, AddPin(r1, "2"), "N2");
    tree.Initialize(nullptr);
    ASSERT_TRUE(ExpandPath({"a.sch", "Nets"}));
    CDesignTreeNode* shownPin = ExpandPath({"a.sch", "Symbols", "R1", "Pins", "1"});
    ASSERT_TRUE(shownPin);
    EXPECT_EQ(Labels(shownPin), (std::vector<CString>{"Attributes"}));

    auto drawn = std::make_unique<CWire>();
    CWire* wire = drawn.get();
    ASSERT_TRUE(doc.AddObject(std::move(drawn)));
    wire->SetStart(100, 0, pin);
    wire->SetEnd(1000, 0, nullptr);
    doc.NoteObjectsChanged({wire, r1});
    FollowRecorded(doc, "ending a wire on a pin");
    ASSERT_EQ(Labels(shownPin).size(), 2u);
    EXPECT_EQ(Labels(shownPin)[0], wire->GetNet()->GetName());
}

TEST_F(DesignTree, APinShowsTheNetItLosesWhenItsWireIsDeletedAndRegainsOnUndo) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    CPin* pin = AddPin(r1, "1");
    auto drawn = std::make_unique<CWire>();
    CWire* wire = drawn.get();
    ASSERT_TRUE(doc.AddObject(std::move(drawn)));
    wire->SetStart(100, 0, pin);
    wire->SetEnd(1000, 0, nullptr);
    tree.Initialize(nullptr);
    CDesignTreeNode* shownPin = ExpandPath({"a.sch", "Symbols", "R1", "Pins", "1"});
    ASSERT_TRUE(shownPin);
    ASSERT_EQ(Labels(shownPin).size(), 2u);

    // The pin's link is not among what the delete names, so the tree may look at everything.
    Delete(doc, wire);
    Deliver();
    RunRefresh();
    EXPECT_EQ(Dump(*tree.Root()), FreshDump());
    EXPECT_EQ(Labels(shownPin), (std::vector<CString>{"Attributes"}));
    ASSERT_TRUE(doc.GetUndoList().Undo());
    Deliver();
    RunRefresh();
    EXPECT_EQ(Dump(*tree.Root()), FreshDump());
    EXPECT_EQ(Labels(shownPin).size(), 2u);
}

TEST_F(DesignTree, AWireJoiningTwoNetsAndADeletionSplittingOneAreFollowed) {
    CDrawDoc& doc = NewDoc("a.sch");
    CWire* main = PlaceWire(doc, 0, 0, "n0001");
    CWire* other = PlaceWire(doc, 2000, 0, "n0004");
    CWire* left = PlaceWire(doc, 0, 500, "n0007");
    CWire* middle = PlaceWire(doc, 1000, 500);
    CWire* right = PlaceWire(doc, 2000, 500);
    Give(middle, left->GetNet());
    Give(right, left->GetNet());
    middle->SetStartObject(left);
    middle->SetEndObject(right);
    tree.Initialize(nullptr);
    CDesignTreeNode* nets = ExpandPath({"a.sch", "Nets"});
    ASSERT_TRUE(nets);
    ASSERT_TRUE(ExpandPath({"a.sch", "Nets", "n0001"}));
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"n0001", "n0004", "n0007"}));

    auto* joining = PlaceWire(doc, 1000, 0, "");
    doc.GetObjects().RemoveTail();
    joining->SetStartObject(main);
    joining->SetEndObject(other);
    CObList added;
    added.AddTail(joining);
    ASSERT_TRUE(doc.AddObjects(&added));
    ASSERT_EQ(main->GetNet(), other->GetNet());
    FollowRecorded(doc, "joining two nets");
    EXPECT_EQ(Labels(nets).size(), 2u);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    FollowRecorded(doc, "undoing the join");
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"n0001", "n0004", "n0007"}));
    ASSERT_TRUE(doc.GetUndoList().Redo());
    FollowRecorded(doc, "redoing the join");

    Delete(doc, middle);
    ASSERT_NE(left->GetNet(), right->GetNet());
    FollowRecorded(doc, "splitting a net");
    EXPECT_EQ(Labels(nets).size(), 3u);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    FollowRecorded(doc, "undoing the split");
    ASSERT_TRUE(doc.GetUndoList().Redo());
    FollowRecorded(doc, "redoing the split");
}

TEST_F(DesignTree, NetNamesThatCompareEqualStayInTheOrderFirstMet) {
    CDrawDoc& doc = NewDoc("a.sch");
    CWire* first = PlaceWire(doc, 0, 0, "N1");
    PlaceWire(doc, 0, 500, "N01");
    tree.Initialize(nullptr);
    CDesignTreeNode* nets = ExpandPath({"a.sch", "Nets"});
    ASSERT_TRUE(nets);
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N1", "N01"}));

    Delete(doc, first);
    FollowRecorded(doc, "deleting N1");
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N01"}));
    // Back before N01 in the list, N1 is met first again.
    ASSERT_TRUE(doc.GetUndoList().Undo());
    FollowRecorded(doc, "undoing the deletion");
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N1", "N01"}));
    auto added = std::make_unique<CWire>();
    added->AddPoint(CPoint(0, 1000));
    added->AddPoint(CPoint(1000, 1000));
    Give(added.get(), new CNet("N001"));
    ASSERT_TRUE(doc.AddObject(std::move(added)));
    FollowRecorded(doc, "adding N001");
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"N1", "N01", "N001"}));
}

TEST_F(DesignTree, ANoticeTheChangeLogDoesNotBackIsSeenAmongRecordedOnes) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    CWire* wire = PlaceWire(doc, 0, 0, "N1");
    tree.Initialize(nullptr);
    CDesignTreeNode* nets = ExpandPath({"a.sch", "Nets"});
    ASSERT_TRUE(nets);

    // Notices handed over together: each recorded change backs one.
    r1->SetAttr("_ID", "R2", kSetAttrUndoable);
    r1->SetAttr("_ID", "R3", kSetAttrUndoable);
    Deliver();
    EXPECT_FALSE(tree.ChangesOf(&doc).all);
    RunRefresh();

    // A net renamed through one of its wires: the edit does not name every wire carrying it.
    wire->SetAttr("_ID", "CLK", kSetAttrUndoable | kSetAttrUser);
    Deliver();
    EXPECT_TRUE(tree.ChangesOf(&doc).all);
    RunRefresh();
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"CLK"}));

    // A change made without a record, told before a recorded one.
    wire->GetNet()->SetAttr("_ID", "CLK2", kSetAttrForce);
    GetAppServices().NotifyDocumentChanged(&doc, kDocumentContentChanged);
    r1->SetAttr("_ID", "R4", kSetAttrUndoable);
    Deliver();
    EXPECT_TRUE(tree.ChangesOf(&doc).all);
    RunRefresh();
    EXPECT_EQ(Labels(nets), (std::vector<CString>{"CLK2"}));
}

TEST_F(DesignTree, WhileARefreshIsPendingNodesNeitherExpandNorOfferMenus) {
    CDrawDoc& doc = NewDoc("a.sch");
    AddSymbol(doc, "R1");
    tree.Initialize(nullptr);
    CDesignTreeNode* symbols = ExpandPath({"a.sch", "Symbols"});
    ASSERT_TRUE(symbols);
    CDesignTreeNode* r1 = symbols->Children()[0].get();
    EXPECT_EQ(tree.MenuOf(*r1), DesignTreeMenu::kSymbol);

    tree.MarkForRefresh(-1, &doc);
    EXPECT_EQ(tree.MenuOf(*r1), DesignTreeMenu::kNone);
    EXPECT_FALSE(tree.Expand(*r1));
    EXPECT_FALSE(r1->IsExpanded());
    RunRefresh();
    ASSERT_TRUE(tree.Expand(*r1));
    EXPECT_EQ(Labels(r1), (std::vector<CString>{"Pins", "Attributes"}));
}

TEST_F(DesignTree, MenusActOnlyOnObjectsStillInTheDocument) {
    CDrawDoc& doc = NewDoc("a.sch");
    CSymbol* r1 = AddSymbol(doc, "R1");
    tree.Initialize(&doc);
    CDesignTreeNode* symbols = ExpandPath({"Symbols"});
    ASSERT_TRUE(symbols);
    const CDesignTreeItem& item = symbols->Children()[0]->Item();
    EXPECT_TRUE(item.RunMenuCommand());
    doc.GetObjects().RemoveAt(doc.GetObjects().Find(r1));
    EXPECT_FALSE(item.RunMenuCommand());
    delete r1;
}

}  // namespace
