// The name rules of the Abel and CUPL languages, and how illegal net names are replaced.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "netlist/writers/AbelFormat.h"
#include "netlist/writers/CuplFormat.h"

namespace {

struct NameCase {
    const char* name;
    int abel;
    int cupl;
};

class LogicNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(LogicNameTest, BothLanguagesJudgeTheName) {
    const NameCase& test = GetParam();
    EXPECT_EQ(CAbelFormat().CheckName(test.name), test.abel) << test.name;
    EXPECT_EQ(CCuplFormat().CheckName(test.name), test.cupl) << test.name;
}

const std::string k31(31, 'A');
const std::string k32(32, 'A');

INSTANTIATE_TEST_SUITE_P(
    Names, LogicNameTest,
    testing::Values(NameCase{"Q0", 0, 0}, NameCase{"_x1", 0, 0}, NameCase{"0", 0, 0},
                    NameCase{"1", 0, 0}, NameCase{k31.c_str(), 0, 0},
                    // length
                    NameCase{"", 4, 4}, NameCase{k32.c_str(), 4, 4},
                    // Abel: "~" starts a legal inverted name; CUPL wants a letter, digit or "_"
                    NameCase{"~RST", 1, 2}, NameCase{"~A-B", 2, 2},
                    // first characters
                    NameCase{"3Q", 3, 0}, NameCase{"123", 3, 1}, NameCase{"-Q", 3, 2},
                    NameCase{"2", 3, 1}, NameCase{"_9", 0, 1},
                    // later characters
                    NameCase{"A-B", 2, 3}, NameCase{"A&B", 2, 3}, NameCase{"CARRY/OUT", 2, 3},
                    NameCase{"U1:CLK", 2, 3}, NameCase{"Q.D", 2, 3}, NameCase{"A B", 2, 3},
                    NameCase{"A\tB", 2, 3}, NameCase{"A%B", 2, 0}, NameCase{"D~", 2, 0},
                    // in CUPL a blank is found before the missing letter
                    NameCase{"1 2", 3, 3},
                    // CUPL keywords in any case; Abel takes them
                    NameCase{"Name", 0, 1}, NameCase{"NAME", 0, 1}, NameCase{"pinnode", 0, 1},
                    NameCase{"PINNNODE", 0, 0}, NameCase{"NAMES", 0, 0}, NameCase{"Field", 0, 1}),
    [](const testing::TestParamInfo<NameCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// Every reserved CUPL word, as written and in lower case.
TEST(LogicNameTest, EveryCuplKeywordIsReserved) {
    const CCuplFormat cupl;
    for (const char* keyword :
         {"APPEND",    "FORMAT",     "OUT",      "ASSEMBLY", "FUNCTION",   "PARTNO",    "ASSY",
          "FUSE",      "PIN",        "COMPANY",  "GROUP",    "PINNODE",    "CONDITION", "IF",
          "PRESENT",   "DATE",       "JUMP",     "REV",      "DEFAULT",    "LOC",       "REVISION",
          "DESIGNER",  "LOCATION",   "SEQUENCE", "DEVICE",   "MACRO",      "SEQUENCED", "ELSE",
          "MIN",       "SEQUENCEJK", "FIELD",    "NAME",     "SEQUENCERS", "FLD",       "NODE",
          "SEQUENCET", "TABLE"}) {
        std::string lower(keyword);
        for (char& ch : lower)
            ch = static_cast<char>(ch - 'A' + 'a');
        EXPECT_EQ(cupl.CheckName(keyword), 1) << keyword;
        EXPECT_EQ(cupl.CheckName(lower.c_str()), 1) << lower;
        EXPECT_EQ(cupl.CheckName((std::string(keyword) + "1").c_str()), 0) << keyword;
    }
}

}  // namespace
