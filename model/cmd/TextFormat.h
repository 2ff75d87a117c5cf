#pragma once
// The text toolbar's format buttons over the selected text boxes (texts and attribute texts):
// bold, italic, underline and the alignment, each one "text format" step in which the boxes
// are replaced by edited copies; and the state the toolbar shows.

#include "platform/GdiTypes.h"
#include "platform/Types.h"

class CDrawDoc;
class CObList;

// The selected text boxes' format: the first box's font, with the weight 400 when the boxes
// differ in weight and italic or underline off when they differ in it; the first box's text
// flags, with the alignment 3 when the boxes differ in it; and how many boxes there are.
struct TextFormatState {
    LOGFONT font{};
    int alignment = 0;  // flags & 3: 0 left, 1 centred, 2 right, 3 mixed
    int count = 0;

    static TextFormatState Of(const CObList& selection);
};

enum class TextFontStyle { kBold, kItalic, kUnderline };

// Bold, italic or underline for every selected box: on, or off when the state shows it on
// for all of them. FALSE, with nothing recorded, when no text box is selected.
BOOL ToggleTextFontStyle(CDrawDoc& doc, const CObList& selection, TextFontStyle style);
// The alignment (0 left, 1 centred, 2 right) for every selected box; FALSE as above.
BOOL SetTextAlignment(CDrawDoc& doc, const CObList& selection, int alignment);
