// Every writer's file of the two-level design, built as the user starts it, against a file
// written by hand.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/app/SchematicApp.h"
#include "netlist/support/TwoLevelDesign.h"
#include "netlist/writers/NetlistFormat.h"
#include "support/TestSupport.h"

namespace {

struct Case {
    int format;
    const char* folder;                            // under tests/netlist/data
    std::vector<std::pair<const char*, int>> bom;  // "BOM" settings of the case
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

class TwoLevelDesignTest : public testing::TestWithParam<Case> {};

TEST_P(TwoLevelDesignTest, TheFileHoldsEveryInstanceOfTheSubSheet) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    for (const auto& [entry, value] : GetParam().bom)
        app.WriteProfileInt("BOM", entry, value);
    const std::string sub = (dir / "sub.sch").string();
    {
        nltest::Sheet sheet;
        nltest::FillTwoLevelSub(sheet);
        ASSERT_TRUE(sheet.doc.OnSaveDocument(sub.c_str()));
    }
    nltest::LogCapture log;
    nltest::Sheet top((dir / "top.sch").c_str());
    nltest::FillTwoLevelTop(top);
    const std::string file = (dir / "design.out").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    CNetlistFormat& writer = *formats[static_cast<size_t>(GetParam().format)];

    EXPECT_TRUE(top.doc.BuildNetlist(file.c_str(), &writer));
    // The folder of the design, which PADS2000 names, is written as <dir>.
    EXPECT_EQ(Replaced(testsupport::ReadFileText(file), dir.path().string(), "<dir>"),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" +
                                        GetParam().folder + "/expected.net"));
    EXPECT_EQ(log.text(), "\fBuilding...\n" + (dir / "top.sch").string() + "\n" + sub + "\n" + sub +
                              "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, TwoLevelDesignTest,
                         testing::Values(Case{kFormatProtel, "two-level-protel", {}},
                                         Case{kFormatTango, "two-level-tango", {}},
                                         Case{kFormatOrcad, "two-level-orcad", {}},
                                         Case{kFormatPadsPcb, "two-level-pads-pcb", {}},
                                         Case{kFormatPads2000, "two-level-pads2000", {}},
                                         Case{kFormatExpressPcb, "two-level-expresspcb", {}},
                                         Case{kFormatBom, "two-level-bom", {}},
                                         Case{kFormatBom,
                                              "two-level-bom-by-identifier",
                                              {{"Group", 0}, {"Categorise", 0}, {"SortBy", 1}}}),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.folder;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
