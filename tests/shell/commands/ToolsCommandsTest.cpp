// The view's Tools-menu commands, through the view's command map.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "gui/dialogs/device/DlgDevice.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Symbol.h"
#include "netlist/tools/ToolEntry.h"
#include "platform/ProgramLauncher.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"
#include "shell/commands/ToolsCommands.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

class RecordingLauncher : public IProgramLauncher {
public:
    bool StartProgram(const CString& program, const std::vector<CString>& /*arguments*/,
                      const CString& /*directory*/) override {
        started.push_back(program.str());
        return true;
    }
    std::vector<std::string> started;
};

struct RecordingWindows : IDocumentWindows {
    CSymbolDoc* OpenSymbolEditor(CDrawDoc* owner, CSymbol* symbol, bool spice) override {
        opened.push_back({owner, symbol, spice});
        return nullptr;
    }
    struct Opening {
        CDrawDoc* owner;
        CSymbol* symbol;
        bool spice;
    };
    std::vector<Opening> opened;
    ScopedInstall<IDocumentWindows> installed{*this};
};

class ToolsCommandsTest : public testing::Test {
protected:
    ToolsCommandsTest() {
        QtTestApp::ensure();
        AddToolsCommands(commands, doc, selection);
    }
    ~ToolsCommandsTest() override { selection.RemoveAll(); }

    CmdUI State(UINT id) {
        CmdUI ui;
        ui.id = id;
        const CommandMap::Entry* entry = commands.Find(id);
        EXPECT_NE(entry, nullptr) << id;
        if (entry && entry->update)
            entry->update(ui);
        else if (entry)
            ui.Enable();
        return ui;
    }
    void Run(UINT id) {
        const CommandMap::Entry* entry = commands.Find(id);
        ASSERT_NE(entry, nullptr) << id;
        entry->handler(id);
    }
    template <class T>
    T* Add(std::unique_ptr<T> object) {
        T* added = object.get();
        doc.AddObject(std::move(object));
        return added;
    }
    CSymbol* Part(const char* id) {
        auto* part = Add(std::make_unique<CSymbol>());
        part->SetFlags(kSymbolDevice, kSymbolKindMask);
        part->SetAttr("_ID", id, kSetAttrForce);
        return part;
    }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    CDrawDoc doc;
    CObList selection;
    CommandMap commands;
    testsupport::ScriptedPrompt prompt;
};

TEST_F(ToolsCommandsTest, RenumberingWantsAPartAndIsOneStep) {
    auto* rect = Add(std::make_unique<CDrawRect>(CRect(0, 0, 100, -100)));
    auto* wire = Add(std::make_unique<CWire>());
    EXPECT_FALSE(State(ID_RENUMBER_ALL).enabled);
    selection.AddTail(rect);
    selection.AddTail(wire);
    EXPECT_FALSE(State(ID_RENUMBER_SELECTION).enabled);

    CSymbol* part = Part("R7");
    EXPECT_TRUE(State(ID_RENUMBER_ALL).enabled);
    EXPECT_FALSE(State(ID_RENUMBER_SELECTION).enabled);
    selection.AddTail(part);
    EXPECT_TRUE(State(ID_RENUMBER_SELECTION).enabled);
    const int steps = doc.GetUndoList().GetCount();
    Run(ID_RENUMBER_SELECTION);
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps + 1);
    EXPECT_NE(part->GetAttr("_ID"), "R7");
    doc.GetUndoList().Undo();
    EXPECT_EQ(part->GetAttr("_ID"), "R7");
}

TEST_F(ToolsCommandsTest, TheSimulatorIsChosenRunAndNeitherPausedNorStopped) {
    Run(ID_SIMULATOR_2 + 1);  // "spice3"
    EXPECT_EQ(app.SimulatorMode, 3);
    EXPECT_EQ(State(ID_SIMULATOR_2 + 1).checked, true);
    EXPECT_EQ(State(ID_SIMULATOR_FIRST).checked, false);
    app.SaveSettings();
    EXPECT_EQ(app.Settings().GetProfileInt("Simulator", "Mode", 1), 3u);

    EXPECT_TRUE(State(ID_RUN_SIMULATOR).enabled);
    EXPECT_FALSE(State(ID_PAUSE_SIMULATOR).enabled);
    EXPECT_FALSE(State(ID_STOP_SIMULATOR).enabled);
    app.SimulatorRunning = TRUE;
    EXPECT_FALSE(State(ID_RUN_SIMULATOR).enabled);
    EXPECT_TRUE(State(ID_STOP_SIMULATOR).enabled);
    app.SimulatorRunning = FALSE;
    app.SimulatorPaused = TRUE;
    EXPECT_TRUE(State(ID_PAUSE_SIMULATOR).enabled);
    prompt.Answer(IDOK);
    prompt.Answer(IDOK);
    Run(ID_PAUSE_SIMULATOR);
    Run(ID_STOP_SIMULATOR);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, "Not implemented");
    EXPECT_EQ(prompt.shown()[1].text, "Not implemented");
}

TEST_F(ToolsCommandsTest, TheToolCommandsRunTheirTools) {
    RecordingLauncher launcher;
    ScopedInstall<IProgramLauncher> installedLauncher{launcher};
    const std::pair<int, UINT> runs[] = {
        {1, ID_RUN_PCB_TOOL}, {2, ID_RUN_PLD_TOOL}, {3, ID_TOOL_FIRST}, {7, ID_TOOL_LAST}};
    for (const auto& [number, id] : runs) {
        CToolEntry tool;
        tool.flags = kToolExecuteCommand;
        tool.command = ("/bin/tool" + std::to_string(number)).c_str();
        SaveToolEntry(app.Settings(), "Tools", number, tool);
        EXPECT_TRUE(State(id).enabled);
        Run(id);
    }
    CToolEntry simulator;
    simulator.flags = kToolExecuteCommand;
    simulator.command = "/bin/simulator2";
    SaveToolEntry(app.Settings(), "Simulator", 2, simulator);
    Run(ID_SIMULATOR_2);
    Run(ID_RUN_SIMULATOR);
    EXPECT_EQ(launcher.started, (std::vector<std::string>{"/bin/tool1", "/bin/tool2", "/bin/tool3",
                                                          "/bin/tool7", "/bin/simulator2"}));
    EXPECT_FALSE(app.SimulatorRunning);
}

TEST_F(ToolsCommandsTest, ASpiceSourceOpensAnEmptySymbolEditorInSpiceMode) {
    RecordingWindows windows;
    EXPECT_TRUE(State(ID_CREATE_SPICE_SOURCE).enabled);
    selection.AddTail(Part("R1"));  // the selection plays no part
    Run(ID_CREATE_SPICE_SOURCE);
    ASSERT_EQ(windows.opened.size(), 1u);
    EXPECT_EQ(windows.opened[0].owner, &doc);
    EXPECT_EQ(windows.opened[0].symbol, nullptr);
    EXPECT_TRUE(windows.opened[0].spice);
}

TEST_F(ToolsCommandsTest, DevicePropertiesEditTheDeviceOfTheOneSelectedSymbolThatHasOne) {
    const auto withDevice = [this](const char* id, const char* name) {
        CSymbol* part = Part(id);
        auto* device = new CDevice;
        device->SetStdAttr(kStdAttrName, name, TRUE);
        device->AddRef();
        part->SetDevice(device);
        return part;
    };
    CSymbol* u1 = withDevice("U1", "7400");
    CSymbol* u2 = withDevice("U2", "7404");
    selection.AddTail(Part("R1"));
    selection.AddTail(Add(std::make_unique<CWire>()));
    EXPECT_FALSE(State(ID_DEVICE_PROPERTIES).enabled);
    selection.AddTail(u1);
    EXPECT_TRUE(State(ID_DEVICE_PROPERTIES).enabled);
    selection.AddTail(u2);
    EXPECT_FALSE(State(ID_DEVICE_PROPERTIES).enabled);
    selection.RemoveTail();

    QString title, name;
    QTimer::singleShot(0, [&title, &name] {
        auto* dialog = qobject_cast<CDlgDevice*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        name = dialog->field(kDeviceFieldName)->text();
        dialog->field(kDeviceFieldDescription)->setText("Quad NAND");
        dialog->accept();
    });
    doc.SetModifiedFlag(FALSE);
    Run(ID_DEVICE_PROPERTIES);
    EXPECT_EQ(title, "Device Properties");
    EXPECT_EQ(name, "7400");
    EXPECT_EQ(u1->GetDevice()->GetStdAttr(kStdAttrDesc), CString("Quad NAND"));
    EXPECT_NE(u2->GetDevice()->GetStdAttr(kStdAttrDesc), CString("Quad NAND"));
    EXPECT_TRUE(doc.IsModified());
    // One undo step takes the edit back.
    doc.GetUndoList().Undo();
    EXPECT_EQ(u1->GetDevice()->GetStdAttr(kStdAttrDesc), CString(""));
}

// OK with nothing typed adds no step and leaves the document's bytes, hidden pins parted by
// blanks as the standard library stores them included; a description typed then makes one
// step.
TEST_F(ToolsCommandsTest, DevicePropertiesUntouchedAddNoStep) {
    testsupport::ScriptedPrompt prompt;
    CSymbol* part = Part("U1");
    auto* device = new CDevice;
    device->SetStdAttr(kStdAttrName, "7400", TRUE);
    device->SetStdAttr(kStdAttrImplicit, "VCC 14 GND 7", TRUE);
    device->AddRef();
    part->SetDevice(device);
    selection.AddTail(part);
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    const int steps = doc.GetUndoList().GetCount();  // the symbol's placing
    const auto run = [this](const char* description) {
        QTimer::singleShot(0, [description] {
            auto* dialog = qobject_cast<CDlgDevice*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (description)
                dialog->field(kDeviceFieldDescription)->setText(description);
            dialog->accept();
            if (dialog->isVisible())  // refused
                dialog->reject();
        });
        Run(ID_DEVICE_PROPERTIES);
    };
    run(nullptr);
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    run("Quad NAND");
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps + 1);
}

}  // namespace
