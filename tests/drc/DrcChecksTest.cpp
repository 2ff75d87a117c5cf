#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drc/DrcFinding.h"
#include "drc/DrcNetPins.h"
#include "drc/DrcRules.h"
#include "drc/support/DrcFixture.h"
#include "model/device/Device.h"
#include "model/net/HiddenPinTies.h"
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
    const CHiddenPinTies ties(doc);
    const CDrcNetPins nets(ties, objects);
    const DrcCheckContext context{doc, objects, nets, ties};
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
                rules.CheckHiddenPinTies(*net, context);
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
    const CHiddenPinTies ties(sheet.doc);
    const CDrcNetPins nets(ties, objects);
    ASSERT_NE(nets.Find("VDDA"), nullptr);
    EXPECT_EQ(nets.Find("VDDA")->undrawn, 1);
    EXPECT_EQ(nets.Find("VEE"), nullptr);
    ASSERT_NE(ties.Tied(*u1, "VDD"), nullptr);
    EXPECT_EQ(*ties.Tied(*u1, "VDD"), "VDDA");

    // An item that names no part is told, the rest of the list still ties.
    vdda->SetAttr("_Implicit", "U1A:VDD U9A:VDD", 0);
    EXPECT_EQ(CheckAll(sheet.doc, rules),
              Strings{"Warning: Net VDDA is tied to hidden pin U9A:VDD, which names no part."});
}

// The pins of every net gathered at once: drawn pins on the net as a whole or as a member of a
// bus net, in the order of the symbols, then each symbol's unwired hidden pins; hidden pins no
// symbol draws are counted, each part's apart.
TEST(DrcChecksTest, NetPinsHoldBusMembersAndHiddenPinsOfEveryPart) {
    nltest::Sheet sheet;
    auto* device = new CDevice("7400");
    device->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    CSymbol* u1 = sheet.Part("U1", {"A", "B", "VCC"}, device, "NAND");
    CSymbol* u2 = sheet.Part("U2", {"A", "D[0..1]"}, device, "NAND");
    CSymbol* u3 = sheet.Part("U3", {"A"}, nullptr, "BUF");
    sheet.Wire(u1, "A", "VCC");
    sheet.Wire(u1, "B", "D0");
    sheet.Bus(u2, "D[0..1]", "D[0..1]");
    sheet.Wire(u2, "A", "GND");
    sheet.Wire(u3, "A", "D1");
    const std::vector<CDrawObj*> objects = ObjectsOf(sheet.doc);
    const CHiddenPinTies ties(sheet.doc);
    const CDrcNetPins nets(ties, objects);
    const auto pins = [&](const char* name) {
        std::vector<CPin*> found;
        if (const CDrcNetPins::Net* net = nets.Find(name)) {
            for (DrcPinPlace place : net->pins)
                found.push_back(CDrcNetPins::Resolve(objects, place));
            found.insert(found.end(), static_cast<size_t>(net->undrawn), nullptr);
        }
        return found;
    };
    CPin* bus = u2->FindPin("D[0..1]");
    EXPECT_EQ(pins("VCC"), (std::vector<CPin*>{u1->FindPin("A"), u1->FindPin("VCC"), nullptr}));
    EXPECT_EQ(pins("GND"), (std::vector<CPin*>{u2->FindPin("A"), nullptr, nullptr}));
    EXPECT_EQ(pins("D0"), (std::vector<CPin*>{u1->FindPin("B"), bus}));
    EXPECT_EQ(pins("D1"), (std::vector<CPin*>{bus, u3->FindPin("A")}));
    EXPECT_EQ(pins("D[0..1]"), std::vector<CPin*>{bus});
    EXPECT_EQ(pins("NONE"), std::vector<CPin*>{});
    EXPECT_TRUE(nets.HasNet("D[0..1]"));
    EXPECT_FALSE(nets.HasNet("NONE"));
}

// Parts without an identifier share no name: each is a part of its own, and the hidden pins
// that none of them draws are counted each apart, as parts with identifiers are.
TEST(DrcChecksTest, UnnamedPartsCountTheirHiddenPinsApart) {
    nltest::Sheet sheet;
    auto* device = new CDevice("7400");
    device->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    CSymbol* first = sheet.Part("", {"A"}, device, "NAND");
    sheet.Part("", {"A"}, device, "NAND");
    sheet.Part("U1", {"A"}, device, "NAND");
    sheet.Part("U1", {"B"}, device, "NAND");  // a second gate of U1: its pins are U1's
    sheet.Wire(first, "A", "VCC");
    const std::vector<CDrawObj*> objects = ObjectsOf(sheet.doc);
    const CHiddenPinTies ties(sheet.doc);
    const CDrcNetPins nets(ties, objects);
    ASSERT_NE(nets.Find("VCC"), nullptr);
    EXPECT_EQ(nets.Find("VCC")->undrawn, 3);
    ASSERT_NE(nets.Find("GND"), nullptr);
    EXPECT_EQ(nets.Find("GND")->undrawn, 3);
}

// A drawn hidden pin without a wire lies on its device's net; one that no symbol draws is
// counted on the net its part's pin is tied to.
TEST(DrcChecksTest, PinsOnANetIncludeBusMembersAndHiddenPins) {
    nltest::Sheet sheet;
    sheet.Bus(sheet.Part("U1", {"A0,A1,A2"}, nullptr, "X"), "A0,A1,A2", "D[0..3]");
    CDevice* reg = nltest::MakeDevice("REG", "REG", {{"", "VCC=1;IN=2"}});
    reg->SetAttr("_Implicit", "VCC (1) AUX (3)", TRUE);
    reg->SetAttr("VCC.Net", "D2", TRUE);
    reg->SetAttr("AUX.Net", "D2", TRUE);
    CSymbol* u2 = sheet.Part("U2", {"VCC", "IN"}, reg, "REG");
    sheet.Wire(u2, "IN", "D2");
    const std::vector<CDrawObj*> objects = ObjectsOf(sheet.doc);
    const CHiddenPinTies ties(sheet.doc);
    const CDrcNetPins nets(ties, objects);
    const CDrcNetPins::Net* d2 = nets.Find("D2");
    ASSERT_NE(d2, nullptr);
    Strings found;
    for (DrcPinPlace place : d2->pins)
        found.push_back(CDrcNetPins::Resolve(objects, place)->GetAttr("_ID").str());
    EXPECT_EQ(found, (Strings{"A0,A1,A2", "IN", "VCC"}));
    EXPECT_EQ(d2->undrawn, 1) << "U2's AUX";
}

}  // namespace
