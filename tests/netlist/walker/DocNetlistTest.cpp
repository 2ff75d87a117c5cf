#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/device/PinMap.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/NetlistFormat.h"

namespace {

using nltest::Sheet;
using Strings = std::vector<std::string>;

// Records each sheet it prepares as "path#hierarchical id".
class RecordingFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "Recording"; }
    const char* GetExtension() const override { return "txt"; }
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                     std::ostream& /*log*/) override {
        prepared.push_back(walker.GetPathName().str() + "#" + node.GetHierarchicalId().str());
        return 1;
    }
    Strings prepared;
};

struct BuildRun {
    explicit BuildRun(Sheet& top) : node(top.doc.GetPathName()) {
        result = top.doc.m_netlist.Build(node, format, out, log);
    }
    CNetNode node;
    RecordingFormat format;
    std::ostringstream out;
    std::ostringstream log;
    int result;
};

TEST(DocNetlistTest, NetWalksYieldEachNetOnceAndLeaveNoMarks) {
    Sheet sheet;
    EXPECT_EQ(sheet.doc.m_netlist.GetFirstNet(), nullptr);
    CSymbol* u1 = sheet.Part("U1", {"A", "B", "C"}, nullptr, "X");
    sheet.Wire(u1, "A", "P");
    sheet.Wire(u1, "B", "Q")->GetNet()->SetAttr("_Implicit", "U7:VCC, U9:VCC", kSetAttrForce);
    sheet.Bus(u1, "C", "P");
    CDocNetlist& walker = sheet.doc.m_netlist;
    std::vector<CNet*> nets;
    for (POSITION pos = walker.GetFirstNet(); pos;)
        nets.push_back(walker.GetNextNet(pos));
    ASSERT_EQ(nets.size(), 2u);
    EXPECT_EQ(nets[0]->GetName() + nets[1]->GetName(), "PQ");
    EXPECT_EQ((nets[0]->GetFlags() | nets[1]->GetFlags()) & kNetVisited, 0u);
    EXPECT_EQ(walker.FindNetByName("Q"), nets[1]);
}

TEST(DocNetlistTest, SectionsOfOnePackageMakeOnePart) {
    Sheet sheet;
    CDevice* nand = nltest::MakeDevice("7400", "NAND", {{"A", "A=1"}, {"B", "A=4"}});
    CSymbol* u1a = sheet.Part("U1A", {"A"}, nand, "NAND");
    CSymbol* u2a = sheet.Part("U2A", {"A"}, nand, "NAND");
    CSymbol* u1b = sheet.Part("U1B", {"A"}, nand, "NAND");
    CDocNetlist& walker = sheet.doc.m_netlist;
    std::vector<std::vector<CObject*>> parts;
    for (POSITION pos = walker.GetFirstPart(nullptr); pos;) {
        CObList sections;
        walker.GetNextPart(pos, &sections, nullptr);
        parts.emplace_back();
        for (POSITION at = sections.GetHeadPosition(); at;)
            parts.back().push_back(sections.GetNext(at));
    }
    EXPECT_EQ(parts, (std::vector<std::vector<CObject*>>{{u1a, u1b}, {u2a}}));
    EXPECT_EQ((u1a->GetFlags() | u1b->GetFlags() | u2a->GetFlags()) & 0x8000, 0u);
    POSITION pos = walker.GetFirstDevice();
    EXPECT_EQ(walker.GetNextDevice(pos), nand);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(nand->GetFlags() & kDeviceTransientFlags, 0u);
}

// The number the section's line of the pin map gives pin A, or "-" without a line.
std::string NumberOfPinA(CPinMapLine* line) {
    const CPinMapPair* pair = line ? line->FindPin("A") : nullptr;
    return pair ? std::string(pair->number) : "-";
}

TEST(DocNetlistTest, ThePartWalkHandsOverWhatItReadOfTheSectionsItGaveOut) {
    Sheet sheet;
    CDevice* nand = nltest::MakeDevice("7400", "NAND", {{"A", "A=1"}, {"B", "A=4"}});
    sheet.Part("U1A", {"A"}, nand, "NAND");
    CSymbol* u1b = sheet.Part("U1B", {"A"}, nand, "NAND");
    CSymbol* loose = sheet.Add("X1", kSymbolDevice, {"A"});  // no device
    CDocNetlist& walker = sheet.doc.m_netlist;
    POSITION pos = walker.GetFirstPart(nullptr);
    CObList sections;
    walker.GetNextPart(pos, &sections, nullptr);
    const CPartSections read = walker.TakePartSections(sections);
    EXPECT_EQ(read.did, "U1");
    ASSERT_EQ(read.lines.size(), 2u);
    EXPECT_EQ(NumberOfPinA(read.lines[0]) + NumberOfPinA(read.lines[1]), "14");
    // Sections the walk did not give out last are read afresh, a symbol without device too.
    CObList other;
    other.AddTail(u1b);
    other.AddTail(loose);
    const CPartSections again = walker.TakePartSections(other);
    EXPECT_EQ(again.did, "U1");
    ASSERT_EQ(again.lines.size(), 2u);
    EXPECT_EQ(NumberOfPinA(again.lines[0]) + NumberOfPinA(again.lines[1]), "4-");
}

// However long the sections' identifier, the part's device identifier is all of it but the gate.
class LongPartIdTest : public testing::TestWithParam<size_t> {};

TEST_P(LongPartIdTest, ThePartWalkHandsOverTheWholeDeviceIdentifier) {
    Sheet sheet;
    CDevice* nand = nltest::MakeDevice("7400", "NAND", {{"A", "A=1"}, {"B", "A=4"}});
    const std::string did(GetParam(), 'U');
    sheet.Part((did + "A").c_str(), {"A"}, nand, "NAND");
    sheet.Part((did + "B").c_str(), {"A"}, nand, "NAND");
    CDocNetlist& walker = sheet.doc.m_netlist;
    POSITION pos = walker.GetFirstPart(nullptr);
    CObList sections;
    walker.GetNextPart(pos, &sections, nullptr);
    const CPartSections read = walker.TakePartSections(sections);
    EXPECT_EQ(read.did.str(), did);
    EXPECT_EQ(read.lines.size(), 2u);
    EXPECT_EQ(pos, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongPartIdTest, testing::Values(65534, 65535, 70000));

// The identifiers of the device symbols, and of the parts of one device, as walked.
std::string WalkSymbols(CDocNetlist& walker, CDevice* device) {
    std::string seen;
    for (POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskDevice); pos;)
        seen += walker.GetNextSymbolOfKind(pos, kKindMaskDevice)->GetAttr("_ID").str() + " ";
    seen += "|";
    for (POSITION pos = walker.GetFirstPart(device); pos;)
        seen += " " + walker.GetNextPart(pos, nullptr, device)->GetAttr("_ID").str();
    return seen;
}

// Walks the sheet while it is prepared.
class WalkingFormat : public RecordingFormat {
public:
    explicit WalkingFormat(CDevice* device) : m_device(device) {}
    int PrepareSheet(CDocNetlist& walker, CNetNode& /*node*/, std::ostream& /*out*/,
                     std::ostream& /*log*/) override {
        prepared.push_back(WalkSymbols(walker, m_device));
        return 1;
    }

private:
    CDevice* m_device;
};

TEST(DocNetlistTest, WalksDuringABuildMatchTheSheetAndAnEditAfterItIsSeen) {
    Sheet sheet("/d/top.sch");
    CDevice* nand = nltest::MakeDevice("7400", "NAND", {{"A", "A=1"}, {"B", "A=4"}});
    CDevice* res = nltest::MakeDevice("RES", "RES", {{"", "1=1"}});
    sheet.Part("U1A", {"A"}, nand, "NAND");
    sheet.Part("R1", {"1"}, res, "RES");
    sheet.Part("U2A", {"A"}, nand, "NAND");
    sheet.Part("U1B", {"A"}, nand, "NAND");
    WalkingFormat format(nand);
    CNetNode node(sheet.doc.GetPathName());
    std::ostringstream out;
    std::ostringstream log;
    ASSERT_EQ(sheet.doc.m_netlist.Build(node, format, out, log), kBuildOk);
    EXPECT_EQ(format.prepared, Strings{"U1A R1 U2A U1B | U1A U2A"});
    sheet.Part("U3A", {"A"}, nand, "NAND");
    EXPECT_EQ(WalkSymbols(sheet.doc.m_netlist, nand), "U1A R1 U2A U1B U3A | U1A U2A U3A");
}

// Every sheet's build tells of the items of its nets' ties that name no part.
TEST(DocNetlistTest, ATieThatNamesNoPartIsLogged) {
    Sheet sheet("/d/top.sch");
    CSymbol* u1 = sheet.Part("U1A", {"A"}, nltest::MakeQuadNand(), "NAND");
    sheet.Wire(u1, "A", "VDDA")->GetNet()->SetAttr("_Implicit", "U1A:VCC,U7A:VCC", kSetAttrForce);
    BuildRun run(sheet);
    EXPECT_EQ(run.result, kBuildOk);
    EXPECT_EQ(run.log.str(),
              "/d/top.sch\nWarning - Net VDDA is tied to hidden pin U7A:VCC, which names no "
              "part.\n");
}

TEST(DocNetlistTest, EverySheetIsPreparedOncePerInstance) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/a.sch", [](Sheet& sheet) { sheet.Block("U5", "b.sch", {"X"}); });
    opener.Serve("/d/b.sch", [](Sheet&) {});
    Sheet top("/d/top.sch");
    top.Block("U1", "a.sch", {"X"});
    top.Block("U0", "missing.sch", {});  // without pins: no sheet
    top.Block("U2", "/d/a.sch", {"X"});
    BuildRun run(top);
    EXPECT_EQ(run.result, kBuildOk);
    EXPECT_EQ(run.format.prepared, (Strings{"/d/top.sch#", "/d/a.sch#U1", "/d/b.sch#U1.U5",
                                            "/d/a.sch#U2", "/d/b.sch#U2.U5"}));
    EXPECT_EQ(run.log.str(), "/d/top.sch\n/d/a.sch\n/d/b.sch\n/d/a.sch\n/d/b.sch\n");
}

// A build reads each sheet file once, for its rail ties and every instance of it wherever it
// lies; every instance is still prepared and logged, and each block of a missing sheet reports
// it.
TEST(DocNetlistTest, SiblingInstancesOfASheetReadItOnce) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/a.sch", [](Sheet& sheet) { sheet.Block("U5", "b.sch", {"X"}); });
    opener.Serve("/d/b.sch", [](Sheet&) {});
    Sheet top("/d/top.sch");
    top.Block("U1", "a.sch", {"X"});
    top.Block("U2", "x.sch", {"X"});
    top.Block("U3", "b.sch", {"X"});
    top.Block("U4", "a.sch", {"X"});
    top.Block("U6", "x.sch", {"X"});
    BuildRun run(top);
    EXPECT_EQ(run.result, kBuildError);
    EXPECT_EQ(run.format.prepared, (Strings{"/d/top.sch#", "/d/a.sch#U1", "/d/b.sch#U1.U5",
                                            "/d/b.sch#U3", "/d/a.sch#U4", "/d/b.sch#U4.U5"}));
    EXPECT_EQ(run.log.str(),
              "/d/top.sch\n/d/a.sch\n/d/b.sch\nCould not open file /d/x.sch.\n/d/b.sch\n"
              "/d/a.sch\n/d/b.sch\nCould not open file /d/x.sch.\n");
    EXPECT_EQ(opener.opened,
              (std::map<std::string, int>{{"/d/a.sch", 1}, {"/d/b.sch", 1}, {"/d/x.sch", 1}}));
}

TEST(DocNetlistTest, AMissingSheetFailsTheBuildAfterItsSiblings) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/a.sch", [](Sheet&) {});
    Sheet top("/d/top.sch");
    top.Block("U1", "x.sch", {"X"});
    top.Block("U2", "a.sch", {"X"});
    BuildRun run(top);
    EXPECT_EQ(run.result, kBuildError);
    EXPECT_EQ(run.log.str(), "/d/top.sch\nCould not open file /d/x.sch.\n/d/a.sch\n");
}

class SelfRecursionTest : public testing::TestWithParam<const char*> {};

TEST_P(SelfRecursionTest, ASheetWithinItselfStopsTheBuild) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/a.sch", [](Sheet& sheet) { sheet.Block("U1", GetParam(), {"X"}); });
    Sheet top("/d/top.sch");
    top.Block("U1", "a.sch", {"X"});
    BuildRun run(top);
    EXPECT_EQ(run.result, kBuildStopped);
    EXPECT_EQ(opener.opened["/d/a.sch"], 1);
    const std::string name(GetParam());
    EXPECT_EQ(run.log.str(), "/d/top.sch\n/d/a.sch\nError - " +
                                 (name[0] == 'C' ? "/d/top.sch" : "/d/" + name) +
                                 " is a sub-circuit of itself. Stopping.\n");
}

INSTANTIATE_TEST_SUITE_P(Aliases, SelfRecursionTest,
                         testing::Values("a.sch", "./a.sch", "../d/top.sch", "C:\\d\\top.sch"));

TEST(DocNetlistTest, AHierarchyTooDeepStopsTheBuild) {
    nltest::ScriptedOpener opener;
    for (int level = 1; level <= kMaxSheetDepth + 2; ++level) {
        opener.Serve("/d/s" + std::to_string(level) + ".sch", [level](Sheet& sheet) {
            sheet.Block("U", ("s" + std::to_string(level + 1) + ".sch").c_str(), {"X"});
        });
    }
    Sheet top("/d/top.sch");
    top.Block("U", "s1.sch", {"X"});
    BuildRun run(top);
    EXPECT_EQ(run.result, kBuildStopped);
    EXPECT_EQ(run.format.prepared.size(), static_cast<size_t>(kMaxSheetDepth));
}

}  // namespace
