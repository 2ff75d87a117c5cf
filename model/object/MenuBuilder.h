#pragma once
// What an object adds to the view's context menu: commands, separators and popups, built
// without knowing the window system's menus.

#include "platform/Types.h"

class IMenuBuilder {
public:
    virtual ~IMenuBuilder() = default;
    virtual void AddItem(UINT id, const char* text) = 0;
    virtual void AddSeparator() = 0;
    // Puts an item right after the item of command existing; nothing when there is none.
    virtual void InsertAfter(UINT existing, UINT id, const char* text) = 0;
    // Items added until the matching EndPopup go into a popup of this text.
    virtual void BeginPopup(const char* text) = 0;
    virtual void EndPopup() = 0;
};
