#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "model/app/SchematicApp.h"
#include "netlist/DocNetlist.h"
#include "netlist/NetlistFormat.h"
#include "netlist/support/NetlistSheet.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

TEST(NetlistFormatListTest, TheFormatListKeepsItsOrder) {
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    ASSERT_EQ(formats.size(), static_cast<size_t>(kFormatCount));
    const char* names[] = {
        "Protel",   "Tango",     "Orcad",     "Spice", "Abel", "CUPL", "Bill of Materials",
        "Pads PCB", "Pads 2000", "ExpressPCB"};
    const char* extensions[] = {"net", "net", "net", "ckt", "abl",
                                "pld", "bom", "net", "net", "net"};
    for (size_t i = 0; i < formats.size(); ++i) {
        EXPECT_STREQ(formats[i]->GetName(), names[i]);
        EXPECT_STREQ(formats[i]->GetExtension(), extensions[i]);
        EXPECT_EQ(formats[i]->HasOptions(), i >= 3 && i <= 6) << i;
        EXPECT_EQ(formats[i]->EditOptions(nullptr), 0);
    }
}

// Writes a header and a body line, and notes what the build showed meanwhile.
class LineFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "Lines"; }
    const char* GetExtension() const override { return "txt"; }
    BOOL WriteHeader(CDocNetlist& /*walker*/, std::ostream& out, std::ostream& /*log*/) override {
        out << "HEADER\nline two\n";
        return header;
    }
    int PrepareSheet(CDocNetlist& /*walker*/, CNetNode& /*node*/, std::ostream& /*out*/,
                     std::ostream& /*log*/) override {
        building = GetApp() && GetApp()->BuildingNetlist;
        return 1;
    }
    int WriteBody(CDocNetlist& /*walker*/, CNetNode& /*topNode*/, std::ostream& out,
                  std::ostream& log) override {
        out << "BODY\n";
        log << "body\n";
        return body;
    }
    BOOL header = TRUE;
    int body = 1;
    bool building = false;
};

class NetlistBuildTest : public testing::Test {
protected:
    std::string Path(const char* name) { return (dir / name).string(); }
    bool Exists(const char* name) { return std::filesystem::exists(dir / name); }
    std::string Log(const std::string& rest) { return "\fBuilding...\n" + top + "\n" + rest; }
    // The log of the last build.
    std::string LastLog() { return log.text().substr(log.text().rfind('\f')); }

    testsupport::TempDir dir;
    nltest::LogCapture log;
    CSchematicApp app{dir / "settings.ini"};
    ScopedApp scopedApp{app};
    std::string top = Path("top.sch");
    Sheet sheet{top.c_str()};
    LineFormat format;
};

TEST_F(NetlistBuildTest, AFileGetsItsTextWithWindowsLineEnds) {
    EXPECT_TRUE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format));
    EXPECT_EQ(testsupport::ReadFileText(dir / "out.txt"), "HEADER\r\nline two\r\nBODY\r\n");
    EXPECT_EQ(log.text(), Log("\nBuilding Final Target..\nbody\n" + Path("out.txt") + "\n\nOK\n"));
    EXPECT_TRUE(format.building);
    EXPECT_FALSE(app.BuildingNetlist);
    EXPECT_EQ(log.waitCursorsShown(), 1);
}

TEST_F(NetlistBuildTest, TheDialogChoosesTheFormatAndTheScreen) {
    nltest::ScriptedReportUi ui;
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(ui.proposed, top);
    EXPECT_EQ(ui.formatsShown, kFormatCount);
    EXPECT_EQ(log.text(), "\fBuilding...\n");

    ui.choice = kFormatProtel;
    ui.screen = TRUE;
    sheet.Wire(sheet.Part("R1", {"1"}, nullptr, "RES"), "1", "VCC");
    EXPECT_TRUE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(ui.window.str(), "[\nR1\n\nRES\n\n\n\n]\n(\nVCC\nR1-1\n)\n");
    EXPECT_EQ(LastLog(), Log("Error - R1 no PCB footprint set.\n\nOK\n"));

    ui.windowFails = true;
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
}

TEST_F(NetlistBuildTest, AFileThatCannotBeMadeIsReported) {
    testsupport::ScriptedPrompt prompt({IDOK});
    const std::string file = Path("none/out.net");
    EXPECT_FALSE(sheet.doc.BuildNetlist(file.c_str(), &format));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "There was an error opening file :\n" + file);
    EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(log.text(), "\fBuilding...\n");
}

TEST_F(NetlistBuildTest, AStoppedBuildWritesTheHeaderOnly) {
    nltest::ScriptedOpener opener;
    opener.Serve(Path("a.sch"), [](Sheet& a) { a.Block("U1", "top.sch", {"X"}); });
    sheet.Block("U1", "a.sch", {"X"});
    EXPECT_FALSE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format));
    EXPECT_EQ(testsupport::ReadFileText(dir / "out.txt"), "HEADER\r\nline two\r\n");
    EXPECT_EQ(log.text(), Log(Path("a.sch") + "\nError - " + top +
                              " is a sub-circuit of itself. Stopping.\n\nBuild stopped.\n"));
}

TEST_F(NetlistBuildTest, AMissingSheetWritesNoBody) {
    nltest::ScriptedOpener opener;
    sheet.Block("U1", "a.sch", {"X"});
    EXPECT_FALSE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format));
    EXPECT_EQ(testsupport::ReadFileText(dir / "out.txt"), "HEADER\r\nline two\r\n");
    EXPECT_EQ(log.text(),
              Log("Could not open file " + Path("a.sch") + ".\n\nError building netlist.\n"));
}

TEST_F(NetlistBuildTest, AWriterThatFailsIsNeverReportedAsDone) {
    format.header = FALSE;
    EXPECT_FALSE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format));
    EXPECT_EQ(log.text(), "\fBuilding...\n\nBuild stopped.\n");

    format.header = TRUE;
    format.body = 0;
    EXPECT_FALSE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format));
    EXPECT_EQ(LastLog(), Log("\nBuilding Final Target..\nbody\n\nError building netlist.\n"));

    CNetlistFormatList formats;
    FillReportFormatList(formats);
    EXPECT_FALSE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), formats[kFormatOrcad].get()));
    EXPECT_EQ(LastLog(),
              "\fBuilding...\nError - Orcad output is not available in this version.\n"
              "\nBuild stopped.\n");
}

}  // namespace
