#include "shell/commands/SymbolCommands.h"

#include <QApplication>

#include "gui/dialogs/commands/DlgChooseDevice.h"
#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/DeviceChoice.h"
#include "model/symbol/SpiceSymbol.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

CSymbol* LastSelectedSymbol(const CObList& selection) {
    return selection.IsEmpty() ? nullptr : dynamic_cast<CSymbol*>(selection.GetTail());
}

bool HoldsPhysicalDevice(const CObList& selection) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* symbol = dynamic_cast<CSymbol*>(selection.GetNext(pos));
        if (symbol && symbol->GetKind() == kSymbolDevice)
            return true;
    }
    return false;
}

void ChooseDevice(CDrawDoc& document, const CObList& selection) {
    CDlgChooseDevice dialog(document, selection, QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted)
        AttachDevice(document, selection, dialog.TakeChosen());
}

}  // namespace

void AddSymbolCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection) {
    commands.On(ID_EDIT_CREATE_SYMBOL,
                [&document] { GetDocumentWindows().OpenSymbolEditor(&document, nullptr, false); });
    commands.On(
        ID_EDIT_SYMBOL,
        [&document, &selection] {
            if (CSymbol* symbol = LastSelectedSymbol(selection))
                GetDocumentWindows().OpenSymbolEditor(
                    &document, symbol, dynamic_cast<CSpiceSymbol*>(symbol) != nullptr);
        },
        [&selection](CmdUI& ui) { ui.Enable(LastSelectedSymbol(selection) != nullptr); });
    commands.On(
        ID_OPEN_SUBCIRCUIT,
        [&selection] {
            CSymbol* symbol = LastSelectedSymbol(selection);
            if (symbol && symbol->GetKind() == kSymbolSubCircuit)
                symbol->OpenSubcircuit();
        },
        [&selection](CmdUI& ui) {
            const CSymbol* symbol = LastSelectedSymbol(selection);
            ui.Enable(symbol && symbol->GetKind() == kSymbolSubCircuit);
        });
    commands.On(
        ID_OBJECT_DEVICE, [&document, &selection] { ChooseDevice(document, selection); },
        [&selection](CmdUI& ui) { ui.Enable(HoldsPhysicalDevice(selection)); });
}
