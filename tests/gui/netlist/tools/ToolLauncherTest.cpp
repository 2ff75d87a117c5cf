#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <filesystem>

#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/tools/CustomTool.h"
#include "netlist/tools/ToolEntry.h"
#include "shell/app/DesktopLauncher.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

class ToolLauncherTest : public testing::Test {
protected:
    ToolLauncherTest() {
        QtTestApp::ensure();
        fs::create_directory(folder);
        document.SetPathName((folder / "my amp.sch").c_str(), FALSE);
        AddResistor();
        testsupport::WriteFileText(script,
                                   "#!/bin/sh\n"
                                   "pwd > \"$0.out\"\n"
                                   "for arg in \"$@\"; do echo \"[$arg]\" >> \"$0.out\"; done\n");
        fs::permissions(script, fs::perms::owner_all);
    }
    ~ToolLauncherTest() override { document.DeleteContents(); }

    // R1 (10K, AXIAL0.4) with pin 1 on net VCC.
    void AddResistor() {
        auto* device = new CDevice("RES");
        device->SetAttr("_Map",
                        "RES\x01\x01"
                        "1\x01"
                        "1",
                        TRUE);
        device->SetAttr("_Footprint", "AXIAL0.4", TRUE);
        auto* r1 = new CSymbol();
        r1->SetFlags(kSymbolDevice, kSymbolKindMask);
        r1->SetAttr("_ID", "R1", kSetAttrForce);
        r1->SetAttr("_Name", "RES", kSetAttrForce);
        r1->SetAttr("_Value", "10K", kSetAttrForce);
        auto* pin = new CPin(r1);
        pin->SetEnds(CPoint(0, 0), CPoint(-100, 0));
        pin->SetAttr("_ID", "1", kSetAttrForce);
        r1->GetPins().AddTail(pin);
        device->AddRef();
        r1->SetDevice(device);
        r1->SetDocument(&document);
        document.GetObjects().AddTail(r1);
        auto* wire = new CWire;
        wire->AddPoint(pin->GetConnectPoint());
        wire->AddPoint(CPoint(-100, -100));
        wire->SetDocument(&document);
        auto* net = new CNet("VCC");
        net->AddRef();
        wire->SetNet(net);
        wire->SetStartObject(pin);
        document.GetObjects().AddTail(wire);
    }
    // What the script wrote, once it has finished writing.
    std::string ScriptOutput() {
        const fs::path out = script.string() + ".out";
        QElapsedTimer timer;
        timer.start();
        std::string text;
        while (timer.elapsed() < 10000) {
            if (fs::exists(out)) {
                text = testsupport::ReadFileText(out);
                if (text.find("[--end]") != std::string::npos)
                    return text;
            }
            QThread::msleep(20);
        }
        return text;
    }

    testsupport::TempDir dir;
    fs::path folder = dir / "a folder; $HOME";
    fs::path script = folder / "the tool.sh";
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    CDrawDoc document;
    testsupport::ScriptedPrompt prompt;
    CDesktopLauncher launcher;
    ScopedInstall<IProgramLauncher> installedLauncher{launcher};
};

TEST_F(ToolLauncherTest, AProtelReportToolWritesItsReportThenStartsTheScriptWithItsArguments) {
    CToolEntry tool;
    tool.flags = kToolGenerateReport | kToolExecuteCommand;
    tool.reportType = 0;
    tool.reportFile = "$(FileDir)/$(FileName).net";
    tool.command = script.c_str();
    tool.args = "$(FileDir)/$(FileName).net \"two words\" `id` $(FileName)$(FileExt) --end";
    tool.directory = "$(FileDir)";
    SaveToolEntry(app.Settings(), "Tools", 3, tool);

    ASSERT_TRUE(RunTool(3, document));
    const std::string report = testsupport::ReadFileText(folder / "my amp.net");
    EXPECT_EQ(report, "[\r\nR1\r\nAXIAL0.4\r\n10K\r\n\r\n\r\n\r\n]\r\n(\r\nVCC\r\nR1-1\r\n)\r\n");
    const std::string f = folder.string();
    EXPECT_EQ(ScriptOutput(),
              f + "\n[" + f + "/my amp.net]\n[two words]\n[`id`]\n[my amp.sch]\n[--end]\n");
}

TEST_F(ToolLauncherTest, AProgramThatCannotStartIsReported) {
    CToolEntry tool;
    tool.flags = kToolExecuteCommand;
    tool.command = "/no/such/program";
    SaveToolEntry(app.Settings(), "Tools", 4, tool);
    prompt.Answer(IDOK);
    EXPECT_FALSE(RunTool(4, document));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Could not execute command\n/no/such/program");
}

}  // namespace
