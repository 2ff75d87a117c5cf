#pragma once
// What the "Insert Symbol" sheet places: one character of a face as a text box, or one of
// the built-in special symbols.

#include "platform/GdiTypes.h"

class CDrawObj;

struct SpecSymbolName {
    const char* name;
    int kind;  // 1-31
};
// The built-in symbols in order of kind.
extern const SpecSymbolName kSpecSymbolNames[31];

// A text box holding character in face (height -100, width 0).
CDrawObj* MakeInsertedCharacter(const LOGFONT& face, int character);
// A special symbol of kind at (0, 0), size 10, dark red, solid 0.25 pt.
CDrawObj* MakeInsertedSpecSymbol(int kind);
