#pragma once
// Function keys bound to commands. Each bindable combination of F1..F12 with Shift or Ctrl has
// one slot of a 36-entry table of command ids; the keyboard dispatcher and the Options sheet's
// key page both find a key's slot through FunctionKeySlot.

#include <array>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class SettingsStore;

constexpr int kFunctionKeySlots = 36;

// The slot of F<n> (n = 1..12) with the given modifiers: F2..F12 give 0..10, Shift+F2..F12
// give 11..21 and Ctrl+F1..F12 give 22..33. -1 for F1 and Shift+F1 (they stay help), for every
// Ctrl+Shift combination and for n outside 1..12. Slots 34 and 35 are never used. Keys with a
// meaning of their own (F10, Ctrl+F4, ...) have slots too: while a slot holds no command the
// key keeps that meaning.
int FunctionKeySlot(int n, bool shift, bool ctrl);

struct BindableKey {
    CString name;  // "F2", "Shift + F2", "Ctrl + F1", ...
    int slot;
};

// The keys that can be bound, plain keys first, then Shift and Ctrl ones, each by number.
std::vector<BindableKey> BindableFunctionKeys();

// Command id per slot (0: none), stored as "Settings"/"Key<slot>".
struct FunctionKeyTable {
    std::array<UINT, kFunctionKeySlots> commands{};

    // The command bound to a key, 0 when none or when the key cannot be bound.
    UINT CommandForKey(int n, bool shift, bool ctrl) const;

    void Load(const SettingsStore& settings);
    void Save(SettingsStore& settings) const;
};
