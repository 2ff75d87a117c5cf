#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drc/DrcFinding.h"
#include "drc/DrcNetPins.h"
#include "drc/DrcRules.h"
#include "drc/support/DrcFixture.h"
#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"

namespace {

using Strings = std::vector<std::string>;

class RecordingSink : public CDrcError {
public:
    void Report(const DrcFinding& finding) override { texts.push_back(Format(finding).str()); }
    Strings texts;
};

std::vector<CDrawObj*> ObjectsOf(CDrawDoc& doc) {
    std::vector<CDrawObj*> objects;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos)));
    return objects;
}

// Every check over every object, nets once each, as the check of a sheet does.
Strings CheckAll(CDrawDoc& doc, CDrcRules& rules) {
    const std::vector<CDrawObj*> objects = ObjectsOf(doc);
    const CDrcNetPins nets(doc, objects);
    const DrcCheckContext context{doc, objects, nets};
    RecordingSink sink;
    rules.SetSink(&sink);
    Strings checkedNets;
    std::vector<CDevice*> checkedDevices;
    for (CDrawObj* object : objects) {
        if (CNet* net = object->GetNet()) {
            if (std::find(checkedNets.begin(), checkedNets.end(), net->GetName().str()) ==
                checkedNets.end()) {
                checkedNets.push_back(net->GetName().str());
                rules.CheckNet(*net, context);
            }
        } else if (auto* symbol = dynamic_cast<CSymbol*>(object)) {
            rules.CheckSymbol(*symbol, context);
            CDevice* device = symbol->GetDevice();
            if (device && std::find(checkedDevices.begin(), checkedDevices.end(), device) ==
                              checkedDevices.end()) {
                checkedDevices.push_back(device);
                rules.CheckDevice(*device, context);
            }
        }
    }
    rules.SetSink(nullptr);
    return sink.texts;
}

CDrcRules Defaults() {
    CDrcRules rules;
    rules.SetDefaults();
    return rules;
}

TEST(DrcChecksTest, PinPairsAreJudgedByTheirTypes) {
    nltest::Sheet sheet;
    CSymbol* u1 = sheet.Part("U1", {"Y", "A"}, nullptr, "BUF");
    CSymbol* u2 = sheet.Part("U2", {"Y", "A"}, nullptr, "BUF");
    drctest::SetPinType(u1, "Y", 1);
    drctest::SetPinType(u2, "Y", 1);
    sheet.Wire(u1, "Y", "OUT");
    sheet.Wire(u2, "Y", "OUT");
    sheet.Wire(u1, "A", "IN");
    sheet.Wire(u2, "A", "IN");
    CDrcRules rules = Defaults();
    EXPECT_EQ(CheckAll(sheet.doc, rules),
              Strings{"Error: U1:Y Output Pin connected to U2:Y Output Pin"});
    // An unconnected Output is allowed, an unconnected Input is not.
    nltest::Sheet loose;
    CSymbol* u3 = loose.Part("U3", {"A", "Y"}, nullptr, "BUF");
    drctest::SetPinType(u3, "Y", 1);
    EXPECT_EQ(CheckAll(loose.doc, rules), Strings{"Warning: U3:A Input Pin not connected."});
}

TEST(DrcChecksTest, ShortedSymbolsNeedTwoPinsAllOnOneNet) {
    nltest::Sheet sheet;
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, nullptr, "RES");
    CSymbol* t1 = sheet.Part("T1", {"P"}, nullptr, "TP");
    CSymbol* r2 = sheet.Part("R2", {"1", "2"}, nullptr, "RES");
    for (CSymbol* symbol : {r1, t1, r2}) {
        for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos;)
            static_cast<CPin*>(symbol->GetPins().GetNext(pos))->SetPinType(4);
    }
    sheet.Wire(r1, "1", "S");
    sheet.Wire(r1, "2", "S");
    sheet.Wire(t1, "P", "S");
    sheet.Wire(r2, "1", "S");
    sheet.Wire(r2, "2", "T");
    CDrcRules rules = Defaults();
    EXPECT_EQ(CheckAll(sheet.doc, rules), (Strings{"Warning: Symbol R1 pins shorted.",
                                                   "Warning: Net T connects only one pin."}));
}

TEST(DrcChecksTest, SharedPinsOnNoNetAreReportedByTheirType) {
    nltest::Sheet sheet;
    sheet.doc.SetAttribute("Power1", "VCC", 0);
    CDevice* device = nltest::MakeDevice("4000", "G", {{"A", "A=1;B=2"}, {"B", "A=3;OSC=4"}});
    device->SetAttr("_Implicit", "VDD VSS,VEE\x01OSC", TRUE);
    device->SetAttr("VDD.Net", "Power1", TRUE);  // the document's rail: net VCC, which exists
    device->SetAttr("VSS.Net", "GND", TRUE);     // no such net, and the default type is Power
    device->SetAttr("VEE.Net", "VEE", TRUE);
    device->SetAttr("VEE._Type", "output", TRUE);
    device->SetAttr("OSC.Net", "CLK", TRUE);  // drawn and wired on a section
    device->SetAttr("OSC._Type", "Input", TRUE);
    CSymbol* a = sheet.Part("U1A", {"A", "B"}, device, "G");
    CSymbol* b = sheet.Part("U1B", {"A", "OSC"}, device, "G");
    sheet.Wire(a, "A", "VCC");
    sheet.Wire(a, "B", "X");
    sheet.Wire(b, "A", "X");
    sheet.Wire(b, "OSC", "OSC");
    CDrcRules rules = Defaults();
    rules.SetCheckFlags(kDrcCheckSharedPin);
    rules.SetLevel(2, 0, 2);  // an unconnected Output is an error
    EXPECT_EQ(CheckAll(sheet.doc, rules), Strings{"Error: 4000 unconnected shared pin :VEE"});
    // A type the rules do not know counts as Undefined.
    device->SetAttr("VEE._Type", "Mystery", TRUE);
    rules.SetLevel(4, 0, 1);
    EXPECT_EQ(CheckAll(sheet.doc, rules), Strings{"Warning: 4000 unconnected shared pin :VEE"});
}

// A hidden pin tied to a wire's net lies on that net for the checks and the walker, not on the
// missing net its device names, and is no shared pin left unconnected.
TEST(DrcChecksTest, AHiddenPinTiedToAWiresNetLiesOnIt) {
    nltest::Sheet sheet;
    CDevice* device = nltest::MakeDevice("4000", "G", {{"A", "A=1"}});
    device->SetAttr("_Implicit", "VDD 14", TRUE);
    device->SetAttr("VDD.Net", "VEE", TRUE);  // no such net
    device->SetAttr("VDD._Type", "output", TRUE);
    CSymbol* u1 = sheet.Part("U1A", {"A"}, device, "G");
    CNet* vdda = sheet.Wire(u1, "A", "VDDA")->GetNet();
    CDrcRules rules = Defaults();
    rules.SetCheckFlags(kDrcCheckSharedPin);
    rules.SetLevel(2, 0, 2);  // an unconnected Output is an error
    EXPECT_EQ(CheckAll(sheet.doc, rules), Strings{"Error: 4000 unconnected shared pin :VDD"});

    vdda->SetAttr("_Implicit", "U1A:VDD", 0);
    EXPECT_EQ(CheckAll(sheet.doc, rules), Strings{});
    const std::vector<CDrawObj*> objects = ObjectsOf(sheet.doc);
    const CDrcNetPins nets(sheet.doc, objects);
    ASSERT_NE(nets.Find("VDDA"), nullptr);
    EXPECT_EQ(nets.Find("VDDA")->undrawn, 1);
    EXPECT_EQ(nets.Find("VEE"), nullptr);
    std::vector<CString> absent;
    CNetPinVisit visit;
    sheet.doc.m_netlist.ForEachPinOnNet(
        "VDDA", [&absent](CNetPinVisit& v) { absent.push_back(v.absentKey); }, visit);
    EXPECT_EQ(absent, (std::vector<CString>{"", "U1:VDD"}));
}

// The pins of every net gathered at once are those the walker finds net by net.
TEST(DrcChecksTest, NetPinsAgreeWithTheWalker) {
    nltest::Sheet sheet;
    auto* device = new CDevice("7400");
    device->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    CSymbol* u1 = sheet.Part("U1", {"A", "B", "VCC"}, device, "NAND");
    CSymbol* u2 = sheet.Part("U2", {"A", "D[0..1]"}, device, "NAND");
    CSymbol* u3 = sheet.Part("U3", {"A"}, nullptr, "BUF");
    u2->SetAttr("_DID", "2", kSetAttrForce);
    sheet.Wire(u1, "A", "VCC");
    sheet.Wire(u1, "B", "D0");
    sheet.Bus(u2, "D[0..1]", "D[0..1]");
    sheet.Wire(u2, "A", "GND");
    sheet.Wire(u3, "A", "D1");
    const std::vector<CDrawObj*> objects = ObjectsOf(sheet.doc);
    const CDrcNetPins nets(sheet.doc, objects);
    for (const char* name : {"VCC", "GND", "D0", "D1", "D[0..1]", "NONE"}) {
        std::vector<CPin*> walked;
        CNetPinVisit visit;
        sheet.doc.m_netlist.ForEachPinOnNet(
            name, [&walked](CNetPinVisit& v) { walked.push_back(v.pin); }, visit);
        std::vector<CPin*> gathered;
        if (const CDrcNetPins::Net* net = nets.Find(name)) {
            for (DrcPinPlace place : net->pins)
                gathered.push_back(CDrcNetPins::Resolve(objects, place));
            gathered.insert(gathered.end(), static_cast<size_t>(net->undrawn), nullptr);
        }
        EXPECT_EQ(gathered, walked) << name;
    }
    EXPECT_TRUE(nets.HasNet("D[0..1]"));
    EXPECT_FALSE(nets.HasNet("NONE"));
}

}  // namespace
