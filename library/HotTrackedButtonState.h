#pragma once
// The state of a flat hot-tracking button as palette files store it: its style flags and its
// text. The hot flag is transient and never reaches a file.

#include "platform/CString.h"
#include "platform/Types.h"

class CArchive;

// Style flags of a hot-tracking button.
constexpr DWORD kHotTrackHot = 0x01;          // the mouse is over it (transient)
constexpr DWORD kHotTrackEdge = 0x02;         // an edge when hot, pushed or checked
constexpr DWORD kHotTrackCaption = 0x04;      // the text is drawn
constexpr DWORD kHotTrackLeftText = 0x10;     // the text is left-aligned, not centred
constexpr DWORD kHotTrackNoFocusRect = 0x20;  // no dotted frame inside the button
constexpr DWORD kHotTrackChecked = 0x40;      // drawn checked, in the light face colour
constexpr DWORD kHotTrackTransparent = 0x80;  // no background fill

struct HotTrackedButtonState {
    static constexpr DWORD kDefaultFlags = kHotTrackEdge | kHotTrackCaption;

    DWORD flags = kDefaultFlags;
    CString text;

    // Stored: the flags without the hot flag as 32 bits, then the text.
    void Serialize(CArchive& ar);
};
