#pragma once
// What the text "General" page edits, without its window: the text, its alignment, the
// multi-line and auto-size switches and the four margins of the texts loaded, merged over
// them. Differing values are unknown or mixed and are left as each text has them.

#include <array>
#include <optional>

#include "model/object/TriState.h"
#include "platform/CString.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CTextBox;

// The units the margins are shown in.
enum class MarginUnit : int { kMillimetre = 0, kInch = 1 };

struct TextGeneralState {
    // Margins in storage order.
    enum Margin : int { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

    CString text;  // without soft breaks; empty when the texts differ
    std::optional<int> alignment;
    TriState multiLine = TriState::kOff;
    TriState autoSize = TriState::kOff;
    std::array<std::optional<int>, 4> margins;  // thousandths of an inch
    bool multiple = false;

    // Loads the text objects (CTextBox) of the list; other objects are passed over.
    void Load(const CObList& objects);

    // A margin as shown in a unit ("%.6g"; empty when unknown), and read back: false with
    // message set when the text is no number or the margin lies outside 0 to 65535
    // thousandths of an inch.
    CString MarginText(int margin, MarginUnit unit) const;
    bool ParseMargin(int margin, const char* text, MarginUnit unit, CString& message);

    // Writes the definite fields into a text and lays it out again when its text, flags or
    // borders changed.
    void ApplyTo(CTextBox& text) const;
};
