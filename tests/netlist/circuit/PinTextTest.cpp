#include "netlist/circuit/PinText.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "netlist/circuit/NetlistCircuit.h"

namespace {

// One copy per distinct text: equal texts are one handle, texts differing in any byte (an
// embedded NUL included) are not, and the empty text is the shared default.
TEST(PinTextTest, PoolKeepsOneCopyOfEachText) {
    CPinTextPool pool;
    const CPinText a = pool.Get("A");
    EXPECT_EQ(a, pool.Get(std::string("A")));
    EXPECT_EQ(&a.str(), &pool.Get("A").str());
    EXPECT_FALSE(a == pool.Get("B"));
    const std::string withNul("A\0B", 3);
    const CPinText nul = pool.Get(withNul);
    EXPECT_FALSE(nul == a);
    EXPECT_EQ(nul.GetLength(), 3);
    EXPECT_EQ(pool.Get(""), CPinText());
    EXPECT_TRUE(CPinText().IsEmpty());

    // Against strings the bytes count, and a stream writes up to the first NUL, as for a
    // CString.
    EXPECT_TRUE(a == CString("A"));
    EXPECT_TRUE(a != CString("a"));
    EXPECT_TRUE(a == "A");
    EXPECT_FALSE(nul == CString("A"));
    std::ostringstream out;
    out << nul << "|" << a;
    EXPECT_EQ(out.str(), "A|A");
}

// Texts handed out stay where they are however many follow.
TEST(PinTextTest, TextsStayValidAsThePoolGrows) {
    CPinTextPool pool;
    const CPinText first = pool.Get("VCC");
    const char* bytes = first.c_str();
    std::vector<CPinText> many;
    for (int i = 0; i < 10000; ++i)
        many.push_back(pool.Get(std::to_string(i)));
    EXPECT_EQ(first.c_str(), bytes);
    EXPECT_EQ(first.str(), "VCC");
    for (int i = 0; i < 10000; i += 997)
        EXPECT_EQ(many[static_cast<size_t>(i)].str(), CString(std::to_string(i)));
}

// A record copied into another circuit takes its texts from that circuit's pool: they outlive
// the circuit it came from, as a sheet's circuit is released while the design is flattened.
TEST(PinTextTest, CopiedRecordsOutliveTheirSource) {
    CPinTextPool target;
    std::unique_ptr<CComponentRecord> copy;
    {
        auto source = std::make_unique<CNetlistCircuit>(0);
        CComponentRecord part;
        part.id = "U1";
        part.pins.push_back({source->PinText("CLK"), source->PinText("12"), nullptr, 0});
        part.pins.push_back({source->PinText("D"), CPinText(), nullptr, kPinFromImplicitList});
        copy = part.CopyWith([](CNetRecord* net) { return net; }, target);
    }
    ASSERT_EQ(copy->pins.size(), 2u);
    EXPECT_EQ(copy->pins[0].name, target.Get("CLK"));
    EXPECT_EQ(copy->pins[0].number.str(), "12");
    EXPECT_TRUE(copy->pins[1].number.IsEmpty());
    EXPECT_EQ(copy->pins[1].flags, kPinFromImplicitList);
    EXPECT_EQ(copy->pins[0].net, nullptr);  // unconnected stays unconnected
    EXPECT_EQ(copy->FindPin(target.Get("D"), CPinText()), &copy->pins[1]);
}

}  // namespace
