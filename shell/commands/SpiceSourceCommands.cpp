#include "shell/commands/SpiceSourceCommands.h"

#include <QApplication>

#include "gui/dialogs/objects/DlgSpiceSource.h"
#include "model/cmd/SpiceSourceCmd.h"
#include "model/doc/DrawDoc.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

CSpiceSymbol* SelectedSource(const CObList& selection) {
    if (selection.GetCount() != 1)
        return nullptr;
    return dynamic_cast<CSpiceSymbol*>(selection.GetHead());
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
