// The schematic view's edits of its selection: colours and styles (from the menus and the
// toolbar's pickers), drawing order, grouping, rotation and mirroring, fill shapes and the
// text format buttons.

#include "gui/dialogs/commands/RotateDlg.h"
#include "gui/kit/ColourPickerDlg.h"
#include "model/cmd/SelectionEdits.h"
#include "model/cmd/TextFormat.h"
#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Symbol.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"

namespace {

constexpr int kQuarterTurn = 900;
// The angle the Rotate dialog offers first, in degrees.
constexpr double kDefaultRotation = 45.0;

ColourEdit EditOf(ColourCode code) {
    switch (code) {
        case ColourCode::kAutomatic:
            return ColourEdit::kDefault;
        case ColourCode::kNone:
            return ColourEdit::kRemove;
        case ColourCode::kColour:
            break;
    }
    return ColourEdit::kSet;
}

}  // namespace

void CDrawView::AddEditCommands() {
    const auto when = [this](bool (*rule)(const CObList&)) {
        return [this, rule](CmdUI& ui) { ui.Enable(rule(m_selection)); };
    };
    m_commands.On(
        ID_OBJECT_LINE_COLOUR, [this] { ChooseColour(false); }, when(CanEditLineColour));
    m_commands.On(
        ID_OBJECT_FILL_COLOUR, [this] { ChooseColour(true); }, when(CanEditFillColour));
    // The toolbar's pickers open from their buttons; these only enable them.
    m_commands.OnUpdate(ID_LINE_COLOUR, when(CanPickLineStyle));
    m_commands.OnUpdate(ID_LINE_WIDTH, when(CanPickLineStyle));
    m_commands.OnUpdate(ID_FILL_COLOUR, when(CanPickFillStyle));
    m_commands.OnUpdate(ID_FILL_STYLE, when(CanPickFillStyle));
    m_commands.On(
        ID_EDIT_GROUP, [this] { GroupSelection(); }, when(CanGroup));
    m_commands.On(
        ID_EDIT_CREATE_FILL_SHAPE, [this] { CreateFillShape(m_document, m_selection); },
        when(CanCreateFillShape));
    AddOrderAndTransformCommands();
    AddTextFormatCommands();
}

void CDrawView::AddOrderAndTransformCommands() {
    const auto selected = [this](CmdUI& ui) { ui.Enable(!m_selection.IsEmpty()); };
    // One place back or forward is for a single object; to the front or back, for any.
    const auto single = [this](CmdUI& ui) { ui.Enable(m_selection.GetCount() == 1); };
    const std::pair<UINT, OrderMove> moves[] = {{ID_OBJECT_MOVE_BACK, OrderMove::kBack},
                                                {ID_OBJECT_MOVE_FORWARD, OrderMove::kForward},
                                                {ID_OBJECT_MOVE_TO_FRONT, OrderMove::kToFront},
                                                {ID_OBJECT_MOVE_TO_BACK, OrderMove::kToBack}};
    for (const auto& [id, move] : moves) {
        const bool oneStep = move == OrderMove::kBack || move == OrderMove::kForward;
        m_commands.On(
            id, [this, move] { MoveSelectionInOrder(m_document, m_selection, move); },
            oneStep ? CommandMap::UpdateHandler(single) : CommandMap::UpdateHandler(selected));
    }
    const auto rotatable = [this](CmdUI& ui) { ui.Enable(CanRotate(m_selection)); };
    m_commands.On(
        ID_EDIT_ROTATE, [this] { OnRotate(); }, rotatable);
    m_commands.On(
        ID_EDIT_ROTATE_90, [this] { Transform(kTransformRotate, kQuarterTurn); }, rotatable);
    m_commands.On(
        ID_EDIT_ROTATE_MINUS_90, [this] { Transform(kTransformRotate, -kQuarterTurn); }, rotatable);
    m_commands.On(
        ID_EDIT_MIRROR_HORZ, [this] { Transform(kTransformMirrorHorizontally); }, selected);
    m_commands.On(
        ID_EDIT_MIRROR_VERT, [this] { Transform(kTransformMirrorVertically); }, selected);
}

// The state the buttons show is read from the selection every time they are asked.
void CDrawView::AddTextFormatCommands() {
    const auto texts = [this](CmdUI& ui) { ui.Enable(TextFormatState::Of(m_selection).count > 0); };
    const std::pair<UINT, TextFontStyle> styles[] = {
        {ID_TEXT_BOLD, TextFontStyle::kBold},
        {ID_TEXT_ITALIC, TextFontStyle::kItalic},
        {ID_TEXT_UNDERLINE, TextFontStyle::kUnderline}};
    for (const auto& [id, style] : styles) {
        m_commands.On(
            id, [this, style] { ToggleTextFontStyle(m_document, m_selection, style); },
            [this, style](CmdUI& ui) {
                const TextFormatState state = TextFormatState::Of(m_selection);
                ui.Enable(state.count > 0);
                const LOGFONT& font = state.font;
                ui.SetCheck(style == TextFontStyle::kBold     ? font.lfWeight == FW_BOLD
                            : style == TextFontStyle::kItalic ? font.lfItalic != 0
                                                              : font.lfUnderline != 0);
            });
    }
    const std::pair<UINT, int> alignments[] = {
        {ID_TEXT_LEFT, 0}, {ID_TEXT_CENTRE, 1}, {ID_TEXT_RIGHT, 2}};
    for (const auto& [id, alignment] : alignments) {
        m_commands.On(
            id, [this, alignment] { SetTextAlignment(m_document, m_selection, alignment); },
            [this, alignment](CmdUI& ui) {
                const TextFormatState state = TextFormatState::Of(m_selection);
                ui.Enable(state.count > 0);
                ui.SetCheck(state.count > 0 && (state.alignment & 3) == alignment);
            });
    }
    m_commands.OnUpdate(ID_TEXT_FACE, texts);
    m_commands.OnUpdate(ID_TEXT_SIZE, texts);
}

void CDrawView::ChooseColour(bool fill) {
    if (m_selection.IsEmpty())
        return;
    if (const std::optional<COLORREF> colour = AskColour(RGB(0, 0, 0)))
        EditSelectionColour(m_document, m_selection, fill, ColourEdit::kSet, *colour);
}

void CDrawView::GroupSelection() {
    if (m_selection.GetCount() < 2)
        return;
    CObList objects;
    objects.AddTail(&m_selection);
    CSymbol* symbol = m_document.GroupObjects(&objects);
    m_document.UpdateAllViews(nullptr, kHintDeselect);
    if (symbol)
        Select(symbol);
}

void CDrawView::Transform(int kind, int angle) {
    const CRect bounds = GetSelectionBounds();
    const CPoint centre((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    TransformSelection(m_document, m_selection, kind, centre, angle);
}

void CDrawView::OnRotate() {
    CDlgRotate dialog(this);
    dialog.SetAngle(kDefaultRotation);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const int angle = RotationTenths(dialog.Angle(), dialog.Clockwise()); angle != 0)
        Transform(kTransformRotate, angle);
}

ColourState CDrawView::CurrentColour(UINT command) {
    if (command != ID_LINE_COLOUR && command != ID_FILL_COLOUR)
        return ColourState::FromWord(SelectionColourWord(CObList(), false));
    return ColourState::FromWord(SelectionColourWord(m_selection, command == ID_FILL_COLOUR));
}

FillStyleState CDrawView::CurrentFillStyle() {
    const SelectionBrush brush = SelectionBrushOf(m_selection);
    if (brush.style == BS_SOLID)
        return {FillStyleState::kSolid, 0};
    if (brush.style == BS_HATCHED && brush.hatch >= 0)
        return {FillStyleState::kHatched, brush.hatch};
    return {FillStyleState::kMixed, 0};
}

LineWidthState CDrawView::CurrentLineWidth() {
    return LineWidthState::FromWord(SelectionPenWord(m_selection));
}

// The pickers' choices are edits like any command's: the open gesture ends first, and a text
// edited in place whose value is refused holds them back while the user goes on editing it.
void CDrawView::ApplyColour(UINT command, ColourCode code, COLORREF colour) {
    if (!FinishInPlaceEdit())
        return;
    EndGesture();
    if (command == ID_LINE_COLOUR || command == ID_FILL_COLOUR)
        EditSelectionColour(m_document, m_selection, command == ID_FILL_COLOUR, EditOf(code),
                            colour);
}

void CDrawView::ApplyStyle(UINT command, int value) {
    if (!FinishInPlaceEdit())
        return;
    EndGesture();
    if (command == ID_LINE_WIDTH || command == ID_FILL_STYLE)
        EditSelectionStyle(m_document, m_selection, command == ID_FILL_STYLE, value);
}
