#include "gui/kit/PopupTarget.h"

namespace {

constexpr DWORD kAutomaticFlag = 0x10000;
constexpr DWORD kNoneFlag = 0x20000;
constexpr DWORD kUniformBit = 0x1000000;
constexpr DWORD kAutomaticBit = 0x2000000;
constexpr DWORD kColourMask = 0xFFFFFF;

}  // namespace

DWORD ColourCommandWord(UINT command, ColourCode code) {
    switch (code) {
        case ColourCode::kAutomatic:
            return command | kAutomaticFlag;
        case ColourCode::kNone:
            return command | kNoneFlag;
        case ColourCode::kColour:
            break;
    }
    return command;
}

ColourState ColourState::FromWord(DWORD word) {
    return {word & kColourMask, (word & kUniformBit) != 0, (word & kAutomaticBit) != 0};
}

DWORD ColourState::Word() const {
    return (colour & kColourMask) | (uniform ? kUniformBit : 0) | (automatic ? kAutomaticBit : 0);
}

FillStyleState FillStyleState::FromWord(DWORD word) {
    const int style = int(word & 0xFF);
    const int hatch = int((word >> 8) & 0xFF);
    if (style == kSolid)
        return {kSolid, hatch};
    if (style == kHatched)
        return {kHatched, hatch};
    return {kMixed, hatch};
}

DWORD FillStyleState::Word() const {
    return DWORD(state & 0xFF) | (DWORD(hatch & 0xFF) << 8);
}

LineWidthState LineWidthState::FromWord(DWORD word) {
    const DWORD pixels = word & 0xFF;
    const DWORD hundredths = word >> 16;
    if (pixels == 0xFF || hundredths == 0xFFFF)
        return {kMixed};
    if (hundredths > 1)
        return {-int(hundredths)};
    return {int(pixels)};
}

DWORD LineWidthState::Word() const {
    if (width == kMixed)
        return 0xFFFF00FF;
    if (width < 0)
        return DWORD(-width) << 16;
    return DWORD(width) & 0xFF;
}

PopupTargetRef::PopupTargetRef(QWidget* window) : m_window(window) {}

PopupTarget* PopupTargetRef::get() const {
    return dynamic_cast<PopupTarget*>(m_window.data());
}
