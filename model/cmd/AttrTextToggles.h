#pragma once
// Showing and hiding attribute texts of a view's selection in bulk: device names, values,
// identifiers (net names of wires and buses), and the names and numbers of symbols' pins.
// Whether to show or hide is read from the last (dominant) selected object; the texts made
// or taken away are one undoable step.

#include <optional>

#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;

enum class AttrTextToggle { kDeviceName, kValue, kIdentifier, kPinNames, kPinNumbers };

// Whether the dominant object shows the texts (the menu item then hides them); nullopt when
// the toggle does not apply to it.
std::optional<bool> AttrTextsShown(const CObList& selection, AttrTextToggle toggle);
// The menu text for the dominant object: "Show ..." or "Hide ...", or null when the toggle
// does not apply.
const char* AttrTextToggleText(const CObList& selection, AttrTextToggle toggle);
// Shows the texts on every object the toggle reaches when the dominant object hides them,
// else hides them: an "add" or "remove" step of the texts. FALSE, with nothing recorded,
// when no text came or went.
BOOL ToggleAttrTexts(CDrawDoc& doc, const CObList& selection, AttrTextToggle toggle);
