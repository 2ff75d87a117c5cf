#pragma once
// What the text "Font" page edits, without its window: the face, size and styles of the texts
// loaded (or of one font), merged over them. A differing face, size or weight is unknown and a
// differing italic or underline mixed; neither is written back.

#include <optional>

#include "model/object/TriState.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/ObList.h"

class CTextBox;

// The sizes the size list offers, in points.
constexpr int kFontSizes[] = {9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Heights are stored in tenths of a point, negative (a character height).
LONG PointsToFontHeight(double points);
double FontHeightToPoints(LONG height);

struct TextFontState {
    LOGFONT font{};               // the first font loaded: what unknown fields start from
    std::optional<CString> face;  // common face name
    std::optional<LONG> height;   // common height
    std::optional<LONG> weight;   // common weight
    TriState italic = TriState::kOff;
    TriState underline = TriState::kOff;
    std::optional<LOGFONT> faceFont;  // the face the user chose, with its family's fields

    void Load(const LOGFONT& first);
    void Merge(const LOGFONT& further);
    // Loads the fonts of the text objects (CTextBox) of the list; others are passed over.
    void Load(const CObList& objects);

    // Bold is a weight of 700; an unknown weight shows mixed.
    TriState Bold() const;
    void SetBold(bool bold) { weight = bold ? FW_BOLD : FW_NORMAL; }
    // The user's face: fields of its family, with the face name.
    void ChooseFace(const LOGFONT& family);

    // The size as shown ("%d", "%g" for a fraction; empty when unknown), and read back: false
    // with message set when the text is no number or no size from 1 to 1638 points.
    CString SizeText() const;
    bool ParseSize(const char* text, CString& message);

    // The font the fields give when applied to current.
    LOGFONT AppliedTo(const LOGFONT& current) const;
    // Gives the text the applied font when it differs from the one it has.
    void ApplyTo(CTextBox& text) const;
};
