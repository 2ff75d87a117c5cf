#include "shell/toolbar/ToolbarPopups.h"

#include <QToolBar>

#include "resources/CommandIds.h"
#include "shell/toolbar/ColourPopup.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/toolbar/StylePopups.h"
#include "shell/toolbar/UndoPopup.h"

namespace {

// The line colour grid offers "N&o Outline", the fill colour grid "N&o Fill"; both show the
// selection's colour.
constexpr int kLineColourMode = kColourAskTarget | kColourNoOutline;
constexpr int kFillColourMode = kColourAskTarget | kColourNoFill;

CDropDownButton* Button(QToolBar* bar, UINT id) {
    return bar->findChild<CDropDownButton*>(QString("dropDown%1").arg(id));
}

void AttachUndo(CDropDownButton* button, bool undo, const std::function<QWidget*()>& view) {
    auto* popup = new CUndoPopup(button, undo);
    button->SetPopup(popup, [popup, view] { return popup->Init(view()); });
}

void AttachColour(CDropDownButton* button, UINT id, int mode,
                  const std::function<QWidget*()>& view) {
    auto* popup = new CColourPopup(button, id);
    button->SetWholeButton(true);
    button->SetPopup(popup, [popup, view, mode] {
        popup->Init(view(), 0, mode);
        return true;
    });
}

template <typename Popup>
void AttachStyle(CDropDownButton* button, const std::function<QWidget*()>& view) {
    auto* popup = new Popup(button);
    button->SetWholeButton(true);
    button->SetPopup(popup, [popup, view] { return popup->Init(view()); });
}

}  // namespace

void AttachToolbarPopups(QToolBar* mainBar, QToolBar* drawingBar,
                         std::function<QWidget*()> activeView) {
    AttachUndo(Button(mainBar, ID_EDIT_UNDO), true, activeView);
    AttachUndo(Button(mainBar, ID_EDIT_REDO), false, activeView);
    AttachColour(Button(drawingBar, ID_LINE_COLOUR), ID_LINE_COLOUR, kLineColourMode, activeView);
    AttachColour(Button(drawingBar, ID_FILL_COLOUR), ID_FILL_COLOUR, kFillColourMode, activeView);
    AttachStyle<CLineWidthPopup>(Button(drawingBar, ID_LINE_WIDTH), activeView);
    AttachStyle<CLineStylePopup>(Button(drawingBar, ID_FILL_STYLE), activeView);
    for (UINT id : {ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4})
        Button(drawingBar, id)->SetWholeButton(true);
}
