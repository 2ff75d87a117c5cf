#include "model/cmd/TextFormat.h"

#include <functional>
#include <memory>

#include "model/cmd/NamedCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/text/TextBox.h"
#include "platform/ObList.h"

namespace {

constexpr WORD kAlignmentMask = 3;
constexpr int kMixedAlignment = 3;

void CollectTextBoxes(const CObList& selection, CObList& texts) {
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CObject* object = selection.GetNext(pos);
        if (dynamic_cast<CTextBox*>(object))
            texts.AddTail(object);
    }
}

// Replaces the boxes by copies that edit changes, as one step.
BOOL EditTextBoxes(CDrawDoc& doc, const CObList& selection,
                   const std::function<void(CTextBox&)>& edit) {
    CObList texts;
    CollectTextBoxes(selection, texts);
    if (texts.IsEmpty())
        return FALSE;
    auto command = std::make_unique<CNamedCmd>();
    if (!command->BeginEdit(&doc, texts, "text format"))
        return FALSE;
    CObList& copies = command->GetCopies();
    for (POSITION pos = copies.GetHeadPosition(); pos;)
        edit(*static_cast<CTextBox*>(copies.GetNext(pos)));
    doc.GetUndoList().Add(command.release());
    doc.UpdateAllViews(nullptr, kHintReplaceSelection, &copies);
    return TRUE;
}

}  // namespace

TextFormatState TextFormatState::Of(const CObList& selection) {
    TextFormatState state;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const auto* text = dynamic_cast<const CTextBox*>(selection.GetNext(pos));
        if (!text)
            continue;
        const LOGFONT font = text->GetFont();
        const int flags = text->GetTextFlags();
        if (state.count++ == 0) {
            state.font = font;
            state.alignment = flags;
            continue;
        }
        if (font.lfWeight != state.font.lfWeight)
            state.font.lfWeight = FW_NORMAL;
        if (font.lfItalic != state.font.lfItalic)
            state.font.lfItalic = 0;
        if (font.lfUnderline != state.font.lfUnderline)
            state.font.lfUnderline = 0;
        if ((flags & kAlignmentMask) != (state.alignment & kAlignmentMask))
            state.alignment = kMixedAlignment;
    }
    return state;
}

BOOL ToggleTextFontStyle(CDrawDoc& doc, const CObList& selection, TextFontStyle style) {
    const LOGFONT shared = TextFormatState::Of(selection).font;
    return EditTextBoxes(doc, selection, [&](CTextBox& text) {
        LOGFONT font = text.GetFont();
        switch (style) {
            case TextFontStyle::kBold:
                font.lfWeight = shared.lfWeight == FW_BOLD ? FW_NORMAL : FW_BOLD;
                break;
            case TextFontStyle::kItalic:
                font.lfItalic = shared.lfItalic ? 0 : 1;
                break;
            case TextFontStyle::kUnderline:
                font.lfUnderline = shared.lfUnderline ? 0 : 1;
                break;
        }
        text.SetFont(&font);
    });
}

BOOL SetTextAlignment(CDrawDoc& doc, const CObList& selection, int alignment) {
    return EditTextBoxes(doc, selection, [alignment](CTextBox& text) {
        text.SetTextFlags(static_cast<WORD>(alignment), kAlignmentMask);
        text.Invalidate(nullptr);
    });
}
