#include "shell/commands/ToolsCommands.h"

#include <QApplication>
#include <memory>

#include "gui/dialogs/device/DlgDevice.h"
#include "gui/netlist/tools/PropTool.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/DeviceEditCmd.h"
#include "model/cmd/Ref.h"
#include "model/device/Device.h"
#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Symbol.h"
#include "netlist/tools/CustomTool.h"
#include "netlist/tools/Simulator.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

constexpr int kSimulatorModes = 5;
// The Select Simulator items, for modes 1 to 5.
constexpr UINT kSimulatorIds[kSimulatorModes] = {
    ID_SIMULATOR_FIRST, ID_SIMULATOR_2, ID_SIMULATOR_2 + 1, ID_SIMULATOR_2 + 2, ID_SIMULATOR_LAST};

bool IsPart(const CObject* object) {
    const auto* symbol = dynamic_cast<const CSymbol*>(object);
    return symbol && symbol->GetKind() == kSymbolDevice;
}

bool HoldsPart(const CObList& list) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (IsPart(list.GetNext(pos)))
            return true;
    }
    return false;
}

void Renumber(CDrawDoc& document, CObList& list) {
    document.RenumberObjects(&list);
    document.UpdateAllViews(nullptr);
}

// The device of the one selected object that has a device; null when none or several have one.
CDevice* OnlySelectedDevice(const CObList& selection) {
    CDevice* found = nullptr;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const auto* object = dynamic_cast<const CDrawObj*>(selection.GetNext(pos));
        CDevice* device = object ? object->GetDevice() : nullptr;
        if (device && found)
            return nullptr;
        if (device)
            found = device;
    }
    return found;
}

// The dialog stores into the device; what the device held before makes the one "device edit"
// step, so that undo takes the change back. An OK that changed nothing adds no step.
void EditDevice(CDrawDoc& document, CDevice& device) {
    Ref<CDevice> before(new CDevice(device));
    CDlgDevice dialog(device, DeviceForm::Load(device), QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted)
        RecordDeviceEdit(document, device, *before.Get());
}

void ShowSetup(ToolSetupKind kind) {
    if (CSchematicApp* app = GetApp()) {
        std::unique_ptr<CPropertySheet> sheet(
            NewToolSetupSheet(app->Settings(), kind, 0, QApplication::activeWindow()));
        sheet->exec();
    }
}

void AddRenumberCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection) {
    commands.On(
        ID_RENUMBER_SELECTION,
        [&document, &selection] {
            CObList list;
            list.AddTail(&selection);
            Renumber(document, list);
        },
        [&selection](CmdUI& ui) { ui.Enable(HoldsPart(selection)); });
    commands.On(
        ID_RENUMBER_ALL, [&document] { Renumber(document, document.GetObjects()); },
        [&document](CmdUI& ui) { ui.Enable(HoldsPart(document.GetObjects())); });
}

void AddSymbolAndDeviceCommands(CommandMap& commands, CDrawDoc& document,
                                const CObList& selection) {
    commands.On(ID_CREATE_SPICE_SOURCE,
                [&document] { GetDocumentWindows().OpenSymbolEditor(&document, nullptr, true); });
    commands.On(
        ID_DEVICE_PROPERTIES,
        [&document, &selection] {
            if (CDevice* device = OnlySelectedDevice(selection))
                EditDevice(document, *device);
        },
        [&selection](CmdUI& ui) { ui.Enable(OnlySelectedDevice(selection) != nullptr); });
}

void AddSimulatorCommands(CommandMap& commands, CDrawDoc& document) {
    commands.On(
        ID_RUN_SIMULATOR, [&document] { RunSimulator(document); },
        [](CmdUI& ui) { ui.Enable(GetApp() && !GetApp()->SimulatorRunning); });
    for (UINT id : {ID_PAUSE_SIMULATOR, ID_STOP_SIMULATOR}) {
        commands.On(
            id, [] { StopSimulator(); },
            [](CmdUI& ui) {
                const CSchematicApp* app = GetApp();
                ui.Enable(app && (app->SimulatorRunning || app->SimulatorPaused));
            });
    }
    for (int mode = 1; mode <= kSimulatorModes; ++mode) {
        commands.On(
            kSimulatorIds[mode - 1],
            [mode] {
                if (CSchematicApp* app = GetApp())
                    app->SimulatorMode = mode;
            },
            [mode](CmdUI& ui) {
                ui.Enable();
                ui.SetCheck(GetApp() && GetApp()->SimulatorMode == mode);
            });
    }
    commands.On(ID_SIMULATOR_SETUP, [] { ShowSetup(ToolSetupKind::kSimulators); });
}

void AddCustomToolCommands(CommandMap& commands, CDrawDoc& document) {
    commands.On(ID_RUN_PCB_TOOL, [&document] { RunTool(1, document); });
    commands.On(ID_RUN_PLD_TOOL, [&document] { RunTool(2, document); });
    commands.OnRange(ID_TOOL_FIRST, ID_TOOL_LAST, [&document](UINT id) {
        RunTool(static_cast<int>(id - ID_TOOL_FIRST) + 3, document);
    });
    commands.On(ID_CUSTOM_TOOLS_SETUP, [] { ShowSetup(ToolSetupKind::kCustomTools); });
}

}  // namespace

void AddToolsCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection) {
    AddRenumberCommands(commands, document, selection);
    AddSymbolAndDeviceCommands(commands, document, selection);
    AddSimulatorCommands(commands, document);
    AddCustomToolCommands(commands, document);
}
