#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "model/app/SchematicApp.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/writers/NetlistFormat.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

TEST(NetlistFormatListTest, TheFormatListKeepsItsOrder) {
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    std::string list;
    for (size_t i = 0; i < formats.size(); ++i)
        list += std::string(formats[i]->GetName()) + "." + formats[i]->GetExtension() +
                (formats[i]->HasOptions() ? "+ " : " ");
    EXPECT_EQ(
        list,
        "Protel.net Tango.net Orcad.net Spice.ckt+ Abel.abl+ CUPL.pld+ Bill of Materials.bom+ "
        "Pads PCB.net Pads 2000.net ExpressPCB.net ");
}

// Writes a header and a body line, and notes whether the build flag was set meanwhile.
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
        building = GetApp()->BuildingNetlist;
        return 1;
    }
    int WriteBody(CDocNetlist& /*walker*/, CNetNode& /*topNode*/, std::ostream& out,
                  std::ostream& /*log*/) override {
        out << "BODY\n";
        return body;
    }
    BOOL header = TRUE;
    int body = 1;
    BOOL building = FALSE;
};

class NetlistBuildTest : public testing::Test {
protected:
    std::string Path(const char* name) { return (dir / name).string(); }
    // The log of the last build.
    std::string LastLog() { return log.text().substr(log.text().rfind('\f')); }
    std::string Log(const std::string& rest) { return "\fBuilding...\n" + top + "\n" + rest; }
    BOOL Build() { return sheet.doc.BuildNetlist(Path("out.txt").c_str(), &format); }
    std::string Output() { return testsupport::ReadFileText(dir / "out.txt"); }

    testsupport::TempDir dir;
    nltest::LogCapture log;
    CSchematicApp app{dir / "settings.ini"};
    ScopedApp scopedApp{app};
    std::string top = Path("top.sch");
    Sheet sheet{top.c_str()};
    LineFormat format;
};

TEST_F(NetlistBuildTest, AFileGetsItsTextWithWindowsLineEnds) {
    EXPECT_TRUE(Build());
    EXPECT_EQ(Output(), "HEADER\r\nline two\r\nBODY\r\n");
    EXPECT_EQ(LastLog(), Log("\nBuilding Final Target..\n" + Path("out.txt") + "\n\nOK\n"));
    EXPECT_TRUE(format.building);
    EXPECT_FALSE(app.BuildingNetlist);
    EXPECT_EQ(log.waitCursorsShown(), 1);
}

// Writes a value as a stored attribute holds lines the user typed (CR LF, and CR CR LF where a
// text wrapped), a lone carriage return, and one at the very end.
class StoredLinesFormat : public LineFormat {
public:
    int WriteBody(CDocNetlist& /*walker*/, CNetNode& /*topNode*/, std::ostream& out,
                  std::ostream& /*log*/) override {
        out << "one\r\ntwo\r\r\nthree\rfour\n";
        out.flush();  // between a carriage return and its line feed
        out << "five\r";
        out.flush();
        out << "\nsix\r";
        return 1;
    }
};

// Every line of the file ends once.
TEST_F(NetlistBuildTest, StoredLineEndsEndEachLineOnce) {
    StoredLinesFormat stored;
    EXPECT_TRUE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &stored));
    EXPECT_EQ(Output(), "HEADER\r\nline two\r\none\r\ntwo\r\nthree\rfour\r\nfive\r\nsix\r");
}

// Writes many body lines, and notes what the new file beside the target held by then.
class LongFormat : public LineFormat {
public:
    explicit LongFormat(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    int WriteBody(CDocNetlist& /*walker*/, CNetNode& /*topNode*/, std::ostream& out,
                  std::ostream& /*log*/) override {
        for (int i = 0; i < kLines; ++i)
            out << "line " << i << "\n";
        for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
            if (entry.path().filename().string().starts_with(".out.txt"))
                writtenBeforeTheEnd += entry.file_size();
        }
        return 1;
    }
    static constexpr int kLines = 100000;
    std::uintmax_t writtenBeforeTheEnd = 0;

private:
    std::filesystem::path m_folder;
};

// The text goes to the new file as it comes, not held whole until the end: most of it is
// there while the writer is still at work. Line ends are converted throughout.
TEST_F(NetlistBuildTest, TheFileGetsTheTextAsItComes) {
    LongFormat longFormat(dir.path());
    EXPECT_TRUE(sheet.doc.BuildNetlist(Path("out.txt").c_str(), &longFormat));
    std::string expected = "HEADER\r\nline two\r\n";
    for (int i = 0; i < LongFormat::kLines; ++i)
        expected += "line " + std::to_string(i) + "\r\n";
    EXPECT_EQ(Output(), expected);
    EXPECT_GE(longFormat.writtenBeforeTheEnd, expected.size() / 2);
}

// Without the dialog a build that has to ask for its format ends as if cancelled: it writes
// no log.
TEST_F(NetlistBuildTest, NoDialogCancels) {
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(log.text(), "");
}

TEST_F(NetlistBuildTest, TheDialogChoosesTheFormatAndTheScreen) {
    nltest::ScriptedReportUi ui;
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(ui.proposed, top);
    EXPECT_EQ(ui.shown, kFormatCount);
    EXPECT_EQ(log.text(), "") << "cancelled";

    ui.choice = kFormatProtel;
    sheet.Wire(sheet.Part("R1", {"1"}, nullptr, "RES"), "1", "VCC");
    EXPECT_TRUE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(ui.window.str(), "[\nR1\n\nRES\n\n\n\n]\n(\nVCC\nR1-1\n)\n");
    EXPECT_EQ(LastLog(), Log("Error - R1 no PCB footprint set.\n\nOK\n"));

    ui.windowFails = true;
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
}

// A file in a folder that is missing, or one the user may not write, is reported and left
// as it was; the output bar ends the build with the failure.
TEST_F(NetlistBuildTest, AFileThatCannotBeMadeIsReported) {
    const std::string locked = Path("locked.net");
    testsupport::WriteFileText(locked, "kept");
    std::filesystem::permissions(locked, std::filesystem::perms(0444));
    for (const std::string& file : {Path("none/out.net"), locked}) {
        testsupport::ScriptedPrompt prompt({IDOK});
        EXPECT_FALSE(sheet.doc.BuildNetlist(file.c_str(), &format));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, "There was an error opening file :\n" + file);
        EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(LastLog(), "\fBuilding...\n\nError building netlist.\n");
    }
    EXPECT_EQ(testsupport::ReadFileText(locked), "kept");
}

// A build that writes no body leaves the old file as it was.
TEST_F(NetlistBuildTest, SheetsThatFailWriteNoBody) {
    testsupport::WriteFileText(dir / "out.txt", "old");
    nltest::ScriptedOpener opener;
    sheet.Block("U1", "a.sch", {"X"});
    EXPECT_FALSE(Build());
    EXPECT_EQ(Output(), "old");
    EXPECT_EQ(LastLog(),
              Log("Could not open file " + Path("a.sch") + ".\n\nError building netlist.\n"));

    opener.Serve(Path("a.sch"), [](Sheet& a) { a.Block("U1", "top.sch", {"X"}); });
    EXPECT_FALSE(Build());
    EXPECT_EQ(Output(), "old");
    EXPECT_EQ(LastLog(), Log(Path("a.sch") + "\nError - " + top +
                             " is a sub-circuit of itself. Stopping.\n\nBuild stopped.\n"));
}

// Sub-circuit sheets are read from their files for the build; one that is missing or damaged
// is a line of the log and asks the user nothing, and the sheets after it are still built.
TEST_F(NetlistBuildTest, SheetsThatCannotBeReadAreReportedToTheLogOnly) {
    testsupport::ScriptedPrompt prompt;  // a message box fails the test
    Sheet good(Path("good.sch").c_str());
    ASSERT_TRUE(good.doc.OnSaveDocument(Path("good.sch").c_str()));
    testsupport::WriteFileText(dir / "damaged.sch", "not a schematic at all");
    sheet.Block("U1", "missing.sch", {"X"});
    sheet.Block("U2", "damaged.sch", {"X"});
    sheet.Block("U3", "good.sch", {"X"});

    EXPECT_FALSE(Build());
    EXPECT_EQ(LastLog(), Log("Could not open file " + Path("missing.sch") + ".\n" +
                             "Could not open file " + Path("damaged.sch") + ".\n" +
                             Path("good.sch") + "\n\nError building netlist.\n"));
    EXPECT_TRUE(prompt.shown().empty());
}

// A stopped or failed build leaves the old file as it was, and no new file beside it.
TEST_F(NetlistBuildTest, AWriterThatFailsIsNeverReportedAsDone) {
    testsupport::WriteFileText(dir / "out.txt", "old");
    format.header = FALSE;
    EXPECT_FALSE(Build());
    EXPECT_EQ(LastLog(), "\fBuilding...\n\nBuild stopped.\n");
    EXPECT_EQ(Output(), "old");

    format.header = TRUE;
    format.body = 0;
    EXPECT_FALSE(Build());
    EXPECT_EQ(LastLog(), Log("\nBuilding Final Target..\n\nError building netlist.\n"));
    EXPECT_EQ(Output(), "old");
    for (const std::string& name : testsupport::FolderEntries(dir.path()))
        EXPECT_FALSE(name.starts_with(".out.txt")) << name;
}

// An output window that stops taking text (as a full disk would) fails the build: the log
// never says "OK" for a report that was cut short.
class FullWindowUi : public nltest::ScriptedReportUi {
public:
    std::streambuf* NewOutputWindow() override { return &full; }

    class FullBuffer : public std::streambuf {
    protected:
        int_type overflow(int_type) override { return traits_type::eof(); }
    } full;
};

TEST_F(NetlistBuildTest, AWindowThatTakesNoTextIsAnError) {
    FullWindowUi ui;
    ui.choice = kFormatProtel;
    sheet.Wire(sheet.Part("R1", {"1"}, nullptr, "RES"), "1", "VCC");
    EXPECT_FALSE(sheet.doc.BuildNetlist(nullptr, nullptr));
    EXPECT_EQ(LastLog(), Log("Error - R1 no PCB footprint set.\n\nError building netlist.\n"));
    EXPECT_FALSE(app.BuildingNetlist);
}

}  // namespace
