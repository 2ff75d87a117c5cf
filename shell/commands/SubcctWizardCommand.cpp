#include "shell/commands/SubcctWizardCommand.h"

#include <QApplication>

#include "gui/dialogs/wizards/SubcctWizard.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctPlacement.h"
#include "model/symbol/Symbol.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"
#include "shell/view/ViewSnapGrid.h"

namespace {

void RunWizard(CDrawDoc& document, const CSnapGrid& grid) {
    CSubcctWizard wizard(document, QApplication::activeWindow());
    if (wizard.exec() != QDialog::Accepted)
        return;
    if (wizard.Mode() == CSubcctWizard::kFromSymbol) {
        if (CSymbol* chosen = wizard.ChosenSymbol())
            chosen->SaveSubcircuitAs();
        return;
    }
    CSymbol* made = wizard.MakeSymbol();
    if (PlaceSubcctSymbol(document, made, grid) && wizard.Mode() == CSubcctWizard::kNewSubcct)
        made->SaveSubcircuitAs();
}

}  // namespace

bool PlaceSubcctSymbol(CDrawDoc& document, CDrawObj* symbol, const CSnapGrid& grid) {
    const CRect block = symbol->GetPosition();
    CPoint anchor = block.TopLeft();
    if (auto* made = dynamic_cast<CSymbol*>(symbol); made && !made->GetPins().IsEmpty())
        anchor = static_cast<CPin*>(made->GetPins().GetHead())->GetConnectPoint();
    symbol->OffsetBy(FindSubcctPlace(document, block, anchor, [&grid](CPoint point) {
        return grid.SnapPoint(point.x, point.y);
    }));
    CObList objects;
    objects.AddTail(symbol);
    document.AddObjects(&objects);
    const bool taken = objects.IsEmpty();
    while (!objects.IsEmpty())
        delete objects.RemoveHead();  // refused by the document
    if (!taken)
        return false;
    CObList placed;
    placed.AddTail(symbol);
    document.UpdateAllViews(nullptr, kHintDeselect, static_cast<CObject*>(nullptr));
    document.UpdateAllViews(nullptr, kHintAddToSelection, &placed);
    return true;
}

void AddSubcctWizardCommand(CommandMap& commands, CDrawDoc& document, const CSnapGrid& grid) {
    commands.On(ID_SUBCIRCUIT_WIZARD, [&document, &grid] { RunWizard(document, grid); });
}
