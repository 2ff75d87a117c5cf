#include "shell/view/SymbolView.h"

#include "model/doc/SymbolDoc.h"
#include "shell/commands/SymbolEditorCommands.h"
#include "shell/frames/ChildFrame.h"

CSymbolView::CSymbolView(CSymbolDoc& document, QWidget* parent) : CDrawView(document, parent) {
    setObjectName("symbolView");
    UseSymbolGrid();
    AddSymbolEditorCommands(ExtendCommands(), *this, [this] { CloseEditor(); });
}

void CSymbolView::CloseEditor() {
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<CChildFrame*>(parent)) {
            QMetaObject::invokeMethod(
                frame, [frame] { frame->close(); }, Qt::QueuedConnection);
            return;
        }
    }
}
