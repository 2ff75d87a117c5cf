#include "shell/commands/SpiceSourceCommands.h"

#include <QApplication>

#include "gui/dialogs/objects/DlgSpiceSource.h"
#include "model/cmd/SpiceSourceCmd.h"
#include "model/doc/DrawDoc.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

// The last object selected (the one a right click selects), when it is a source.
CSpiceSymbol* SelectedSource(const CObList& selection) {
    if (selection.IsEmpty())
        return nullptr;
    return dynamic_cast<CSpiceSymbol*>(selection.GetTail());
}

void EditSource(CDrawDoc& document, CSpiceSymbol& source) {
    CDlgSpiceSource dialog(source, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto* command = new CSpiceSourceCmd(&source, dialog.State());
    if (command->HasChanged())
        document.GetUndoList().Execute(command);
    else
        delete command;
}

}  // namespace

void AddSpiceSourceCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection) {
    commands.On(
        ID_SPICE_SOURCE,
        [&document, &selection] {
            if (CSpiceSymbol* source = SelectedSource(selection))
                EditSource(document, *source);
        },
        [&selection](CmdUI& ui) { ui.Enable(SelectedSource(selection) != nullptr); });
}
