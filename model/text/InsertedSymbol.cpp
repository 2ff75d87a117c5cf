#include "model/text/InsertedSymbol.h"

#include "model/shapes/SpecSymbol.h"
#include "model/text/TextBox.h"

namespace {

constexpr LONG kCharacterHeight = -100;
constexpr int kSymbolSize = 10;
constexpr COLORREF kSymbolColour = 128;
constexpr int kSymbolLineStyle = -25;

}  // namespace

const SpecSymbolName kSpecSymbolNames[31] = {
    {"Dot", 1},
    {"Right-left signal flow", 2},
    {"Clock", 3},
    {"Signal low", 4},
    {"Analog signal in", 5},
    {"Not logic connection", 6},
    {"Shift right", 7},
    {"Postponed output", 8},
    {"Open collector", 9},
    {"High impedance", 10},
    {"High current", 11},
    {"Pulse", 12},
    {"Schmitt", 13},
    {"Delay", 14},
    {"Group line", 15},
    {"Group bin", 16},
    {"Active low output", 17},
    {"Pi", 18},
    {"Greater than or equal to", 19},
    {"Less than or equal to", 20},
    {"Sigma", 21},
    {"Open collector pullup", 22},
    {"Open emitter", 23},
    {"Open emitter pullup", 24},
    {"Digital signal in", 25},
    {"AND", 26},
    {"Invertor", 27},
    {"OR", 28},
    {"XOR", 29},
    {"Shift left", 30},
    {"Input/Output", 31},
};

CDrawObj* MakeInsertedCharacter(const LOGFONT& face, int character) {
    LOGFONT font = face;
    font.lfHeight = kCharacterHeight;
    font.lfWidth = 0;
    const char text[2] = {static_cast<char>(character), '\0'};
    auto* box = new CTextBox;
    box->SetFont(&font);
    box->SetText(text, FALSE);
    return box;
}

CDrawObj* MakeInsertedSpecSymbol(int kind) {
    auto* symbol = new CSpecSymbol(kind);
    symbol->PlaceAt(0, 0, kSymbolSize);
    symbol->SetLineColor(kSymbolColour);
    symbol->SetLineStyle(kSymbolLineStyle);
    return symbol;
}
