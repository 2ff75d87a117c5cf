#include "model/net/ImplicitPinChoices.h"

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/support/TestPart.h"

namespace {

class ImplicitPinChoicesTest : public ::testing::Test {
protected:
    void Gate(const char* id, const char* hiddenPins) {
        auto* symbol = new TestPart(int(m_doc.GetObjects().GetCount()), kObjSymbol);
        symbol->GetAttrMap()->SetAt("_ID", id);
        symbol->SetTestDevice("7400");
        symbol->GetDevice()->SetAttr("_Implicit", hiddenPins, TRUE);
        m_doc.GetObjects().AddTail(symbol);
    }
    CNet* Wire(const char* name, const char* tiedPins) {
        auto* net = new CNet(name);
        net->SetAttr("_Implicit", tiedPins, 1);
        auto* wire = new CWire;
        net->AddRef();
        wire->SetNet(net);
        m_doc.GetObjects().AddTail(wire);
        return net;
    }

    CDrawDoc m_doc;
};

TEST_F(ImplicitPinChoicesTest, PinsOfOtherNetsAreLeftOutAndThisNetsAreChosen) {
    Gate("U2", "VCC 14, GND 7");
    Gate("U1",
         "VCC\x01"
         "14\x01GND\x01"
         "7");
    Gate("R1", "");
    CNet* vcc = Wire("VCC", "U1:VCC,U2:VCC");
    Wire("GND", "U2:GND");
    const std::vector<ImplicitPinChoice> choices = ListImplicitPins(m_doc, vcc);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].entry, "U1:GND");
    EXPECT_FALSE(choices[0].tied);
    EXPECT_EQ(choices[1].entry, "U1:VCC");
    EXPECT_TRUE(choices[1].tied);
    EXPECT_EQ(choices[2].entry, "U2:VCC");
    EXPECT_TRUE(choices[2].tied);

    EXPECT_TRUE(ListImplicitPins(m_doc, nullptr).size() == 1u) << "only U1:GND is free";
    EXPECT_EQ(JoinImplicitPins({"U1:GND", "U2:VCC"}), "U1:GND,U2:VCC");
    EXPECT_EQ(JoinImplicitPins({}), "");
}

// A part of two symbols is offered once, by its first symbol; a tie by either symbol's
// identifier ties the part's pin.
TEST_F(ImplicitPinChoicesTest, APartOfSeveralSymbolsIsOfferedOnce) {
    Gate("U3A", "VCC 14 GND 7");
    auto* first = static_cast<TestPart*>(m_doc.GetObjects().GetTail());
    CDevice* device = first->GetDevice();
    device->SetAttr("_Map",
                    "NAND\x01"
                    "A\x01"
                    "A\x01"
                    "1\nNAND\x01"
                    "B\x01"
                    "A\x01"
                    "4",
                    TRUE);
    auto* second = new TestPart(1, kObjSymbol);
    second->GetAttrMap()->SetAt("_ID", "U3B");
    second->UseDevice(device);
    m_doc.GetObjects().AddTail(second);
    for (TestPart* part : {first, second})
        part->GetAttrMap()->SetAt("_Name", "NAND");
    Wire("GND", "U3B:GND");
    const std::vector<ImplicitPinChoice> choices = ListImplicitPins(m_doc, nullptr);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].entry, "U3A:VCC");
}

}  // namespace
