#include "shell/commands/SymbolEditorCommands.h"

#include "drawtools/ToolManager.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

void AddSymbolEditorCommands(CommandMap& commands, IToolView& view,
                             const std::function<void()>& closeDocument) {
    commands.On(ID_SYMBOL_CLOSE_EDITOR, closeDocument);
    commands.On(
        ID_DRAW_PIN,
        [&view] {
            if (ToolManager* tools = GetToolManager())
                tools->ChooseShape(view, kToolPin);
        },
        [](CmdUI& ui) {
            const ToolManager* tools = GetToolManager();
            ui.Enable(tools != nullptr);
            ui.SetCheck(tools && tools->state.currentShape == kToolPin);
        });
    const UINT disabled[] = {ID_FILE_SAVE, ID_EDIT_CREATE_SYMBOL, ID_PALETTE_1, ID_PALETTE_2,
                             ID_PALETTE_3, ID_PALETTE_4,          ID_DRAW_WIRE, ID_DRAW_BUS};
    for (UINT id : disabled)
        commands.On(
            id, [] {}, [](CmdUI& ui) { ui.Enable(false); });
}
