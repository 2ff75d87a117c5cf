#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/tools/CustomTool.h"
#include "netlist/tools/Simulator.h"
#include "netlist/tools/ToolEntry.h"
#include "netlist/tools/ToolSetupUi.h"
#include "platform/ProgramLauncher.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;

// Records what would have been started.
class RecordingLauncher : public IProgramLauncher {
public:
    struct Start {
        std::string program;
        std::vector<std::string> args;
        std::string directory;
    };
    bool StartProgram(const CString& program, const std::vector<CString>& arguments,
                      const CString& directory) override {
        std::vector<std::string> args;
        for (const CString& argument : arguments)
            args.push_back(argument.str());
        started.push_back({program.str(), args, directory.str()});
        runningDuringStart = GetApp()->SimulatorRunning;
        return starts;
    }
    std::vector<struct Start> started;
    bool starts = true;
    BOOL runningDuringStart = FALSE;
};

// The set-up sheet: OK stores command for the tool shown first.
class ScriptedSetup : public IToolSetupUi {
public:
    bool EditCustomTools(int initialTool) override {
        shownFirst.push_back(initialTool);
        if (command.empty())
            return false;
        GetApp()->Settings().WriteProfileString(
            "Tools", ("Tool" + std::to_string(initialTool + 1) + ".Command").c_str(),
            command.c_str());
        return true;
    }
    std::string command;
    std::vector<int> shownFirst;
};

class CustomToolTest : public testing::Test {
protected:
    CustomToolTest() { Resistor(); }

    void Store(const char* section, int number, DWORD flags, int reportType, const char* reportFile,
               const char* command, const char* args = "", const char* directory = "") {
        CToolEntry tool;
        tool.flags = flags;
        tool.reportType = reportType;
        tool.reportFile = reportFile;
        tool.command = command;
        tool.args = args;
        tool.directory = directory;
        SaveToolEntry(app.Settings(), section, number, tool);
    }
    void Resistor() {
        CDevice* device = nltest::MakeDevice("RES", "RES", {{"", "1=1;2=2"}}, "AXIAL0.4");
        CSymbol* r1 = sheet.Part("R1", {"1", "2"}, device, "RES");
        r1->SetAttr("_Value", "10K", kSetAttrForce);
        sheet.Wire(r1, "1", "VCC");
        sheet.Wire(r1, "2", "OUT");
    }
    std::string Shown(size_t k) const { return prompt.shown().at(k).text.str(); }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    nltest::Sheet sheet{(dir / "my amp.sch").c_str()};
    nltest::LogCapture log;
    ScriptedPrompt prompt;
    RecordingLauncher launcher;
    ScopedInstall<IProgramLauncher> installedLauncher{launcher};
    ScriptedSetup setup;
    ScopedInstall<IToolSetupUi> installedSetup{setup};
};

TEST_F(CustomToolTest, AReportToolWritesTheReportThenStartsTheProgramWithEachArgumentWhole) {
    const std::string folder = dir.path().string();
    Store("Tools", 3, kToolGenerateReport | kToolExecuteCommand, 0, "$(FileDir)/$(FileName).net",
          "/opt/pcb/run", "-i \"$(FileDir)/$(FileName).net\" $(FileName)$(FileExt) --x=\"a b\"",
          "$(FileDir)");
    EXPECT_TRUE(RunTool(3, sheet.doc));

    EXPECT_EQ(testsupport::ReadFileText(dir / "my amp.net"),
              "[\r\nR1\r\nAXIAL0.4\r\n10K\r\n\r\n\r\n\r\n]\r\n(\r\nVCC\r\nR1-1\r\n)\r\n"
              "(\r\nOUT\r\nR1-2\r\n)\r\n");
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/opt/pcb/run");
    const std::vector<std::string> args = {"-i", folder + "/my amp.net", "my amp.sch", "--x=a b"};
    EXPECT_EQ(launcher.started[0].args, args);
    EXPECT_EQ(launcher.started[0].directory, folder);
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(CustomToolTest, TheFlagsChooseWhatRuns) {
    // Report only: written, nothing started.
    Store("Tools", 4, kToolGenerateReport, 0, "$(FileDir)/out.net", "/bin/never");
    EXPECT_TRUE(RunTool(4, sheet.doc));
    EXPECT_FALSE(testsupport::ReadFileText(dir / "out.net").empty());
    EXPECT_TRUE(launcher.started.empty());

    // Command only, its stored texts as they are.
    Store("Tools", 5, kToolExecuteCommand | kToolRedirectConsole, 0, "$(FileDir)/no.net",
          "/bin/prog", "", "");
    EXPECT_TRUE(RunTool(5, sheet.doc));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_TRUE(launcher.started[0].args.empty());
    EXPECT_EQ(launcher.started[0].directory, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "no.net"));
}

TEST_F(CustomToolTest, AMissingFormatOrAFailedReportStartsNothing) {
    Store("Tools", 3, kToolGenerateReport | kToolExecuteCommand, 12, "$(FileDir)/a.net", "/bin/p");
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunTool(3, sheet.doc));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(Shown(0), "Could not find report format");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.net"));

    Store("Tools", 3, kToolGenerateReport | kToolExecuteCommand, 0,
          (dir / "missing" / "a.net").c_str(), "/bin/p");
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunTool(3, sheet.doc));
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(CustomToolTest, AProgramThatCannotStartIsReported) {
    launcher.starts = false;
    Store("Tools", 6, kToolExecuteCommand, 0, "", "/no/such/tool");
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunTool(6, sheet.doc));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(Shown(0), "Could not execute command\n/no/such/tool");
}

TEST_F(CustomToolTest, AFixedToolWithoutCommandOffersTheSetUpAndRunsAfterIt) {
    // Cancel on the message: nothing at all.
    prompt.Answer(IDCANCEL);
    EXPECT_FALSE(RunTool(1, sheet.doc));
    EXPECT_EQ(Shown(0),
              "You need to specifiy the location of your PCB Editor\nprogram and the type of "
              "report the program needs.");
    EXPECT_EQ(prompt.shown()[0].type & MB_TYPEMASK, MB_OKCANCEL);
    EXPECT_TRUE(setup.shownFirst.empty());

    // OK, then the sheet closed with Cancel.
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunTool(2, sheet.doc));
    EXPECT_EQ(Shown(1),
              "You need to specifiy the location of your PLD Compiler\nprogram and the type of "
              "report the compiler needs.");
    EXPECT_EQ(setup.shownFirst, std::vector<int>{1});

    // OK, then a command set up: the tool runs with it.
    Store("Tools", 2, kToolExecuteCommand, 0, "", "");
    setup.command = "/opt/pld/compile";
    prompt.Answer(IDOK);
    EXPECT_TRUE(RunTool(2, sheet.doc));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/opt/pld/compile");
}

TEST_F(CustomToolTest, TheSimulatorRunsTheToolOfItsModeWithTheRunningFlagSet) {
    Store("Simulator", 3, kToolExecuteCommand, 0, "", "/usr/bin/ngspice", "-b");
    Store("Simulator", 1, kToolExecuteCommand, 0, "", "/usr/bin/other");
    app.SimulatorMode = 3;
    EXPECT_TRUE(RunSimulator(sheet.doc));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/usr/bin/ngspice");
    EXPECT_TRUE(launcher.runningDuringStart);
    EXPECT_FALSE(app.SimulatorRunning);

    // A simulator tool without a command is not a fixed tool: no set-up is offered.
    app.SimulatorMode = 2;
    Store("Simulator", 2, kToolExecuteCommand, 0, "", "");
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunSimulator(sheet.doc));
    EXPECT_EQ(Shown(0), "Could not execute command\n");
    EXPECT_TRUE(setup.shownFirst.empty());

    prompt.Answer(IDOK);
    StopSimulator();
    EXPECT_EQ(Shown(1), "Not implemented");
}

}  // namespace
