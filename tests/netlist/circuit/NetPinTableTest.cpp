#include "netlist/circuit/NetPinTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class NetPinTableTest : public testing::Test {
protected:
    CComponentRecord& Part(const char* id) {
        circuit.Parts().push_back(std::make_unique<CComponentRecord>());
        circuit.Parts().back()->id = id;
        return *circuit.Parts().back();
    }
    // A pin whose name is its number.
    void AddPin(CComponentRecord& part, const char* number, CNetRecord* net) {
        part.pins.push_back({circuit.PinText(number), circuit.PinText(number), net, 0});
    }
    // "name: part-number ..." for each listed net.
    std::string Listing(const CNetPinTable& table) {
        std::string text;
        for (size_t i = 0; i < table.GetCount(); ++i) {
            text += table.GetName(i).str() + ":";
            for (const CNetPinTable::PinOnNet& on : table.GetPins(i))
                text += " " + on.part->id.str() + "-" + on.pin->number.str();
            text += "\n";
        }
        return text;
    }

    CNetlistCircuit circuit{0};
};

// The nets in map order (A before B, VCC before OUT), each with its pins in part order and pin
// order; an unconnected pin and a net without pins are listed correctly.
TEST_F(NetPinTableTest, ListsThePinsOfEachNetInPartAndPinOrder) {
    CNetRecord* vcc = circuit.GetNet("VCC");
    CNetRecord* out = circuit.GetNet("OUT");
    CNetRecord* a = circuit.GetNet("A");
    circuit.GetNet("B");
    CComponentRecord& r2 = Part("R2");
    AddPin(r2, "1", out);
    AddPin(r2, "2", vcc);
    CComponentRecord& r1 = Part("R1");
    AddPin(r1, "1", vcc);
    AddPin(r1, "2", nullptr);
    AddPin(r1, "3", out);
    AddPin(r1, "4", a);

    const CNetPinTable table(circuit);
    EXPECT_EQ(Listing(table), "VCC: R2-2 R1-1\nOUT: R2-1 R1-3\nA: R1-4\nB:\n");
    EXPECT_EQ(table.GetNumber(vcc), 1);
    EXPECT_EQ(table.GetNumber(a), 3);
    EXPECT_EQ(table.GetNumber(nullptr), 0);
    EXPECT_EQ(table.GetPinCount(), 5u);  // the unconnected pin is on no net
}

// A net listed under two names has its pins under both and is numbered by the later place; a
// net taken out of the map after an earlier listing is not listed again, nor are its pins.
TEST_F(NetPinTableTest, FollowsTheNetMapAcrossListings) {
    CNetRecord* a = circuit.GetNet("A");
    CNetRecord* b = circuit.GetNet("B");
    CComponentRecord& r1 = Part("R1");
    AddPin(r1, "1", a);
    AddPin(r1, "2", b);
    EXPECT_EQ(Listing(CNetPinTable(circuit)), "A: R1-1\nB: R1-2\n");

    circuit.Nets().SetAt("VCC", a);
    circuit.Nets().RemoveKey("B");
    const CNetPinTable table(circuit);
    EXPECT_EQ(Listing(table), "VCC: R1-1\nA: R1-1\n");
    EXPECT_EQ(table.GetNumber(a), 2);
    EXPECT_EQ(table.GetNumber(b), 0);
    EXPECT_EQ(table.GetPinCount(), 1u);  // R1-1 once, though listed twice
}

}  // namespace
