#include <gtest/gtest.h>

#include <filesystem>

#include "netlist/walker/ReportFile.h"

namespace {

TEST(ReportFileTest, TheProposedNameIsTheDocumentsNameWithTheFormatsExtension) {
    EXPECT_EQ(ReportFileName("/d/work/amp.sch", "net"), "amp.net");
    EXPECT_EQ(ReportFileName("/d/work/amp.sch", "ckt"), "amp.ckt");
    EXPECT_EQ(ReportFileName("amp", "net"), "amp.net");
    // A document without a file is not given a bare ".net".
    EXPECT_EQ(ReportFileName("", "net"), "untitled.net");
}

// A relative name lands beside the document, not wherever the program was started.
TEST(ReportFileTest, ARelativeNameIsTakenInTheDocumentsFolder) {
    EXPECT_EQ(ResolveReportPath("amp.net", "/d/work/amp.sch"), "/d/work/amp.net");
    EXPECT_EQ(ResolveReportPath("out/x.txt", "/d/work/amp.sch"), "/d/work/out/x.txt");
    EXPECT_EQ(ResolveReportPath("/tmp/x.txt", "/d/work/amp.sch"), "/tmp/x.txt");
    EXPECT_EQ(ResolveReportPath("", "/d/work/amp.sch"), "");
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_EQ(ResolveReportPath("untitled.net", ""), (here / "untitled.net").string().c_str());
}

TEST(ReportFileTest, TheFilterHasOneEntryPerFormatThenAllFiles) {
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    formats.resize(4);
    EXPECT_EQ(ReportFileFilter(formats),
              "Protel Files (*.net)|*.net|Tango Files (*.net)|*.net|Orcad Files (*.net)|*.net|"
              "Spice Files (*.ckt)|*.ckt|All Files (*.*)|*.*||");
}

}  // namespace
