#pragma once
// A check box's value over several objects: off, on, or mixed (the objects differ). A mixed
// value is never written back to an object.

enum class TriState : int { kOff = 0, kOn = 1, kMixed = 2 };

inline TriState ToTriState(bool on) {
    return on ? TriState::kOn : TriState::kOff;
}

// Merges a further object's value: a differing value makes the field mixed.
inline void MergeTriState(TriState& field, bool on) {
    if (field != ToTriState(on))
        field = TriState::kMixed;
}

// The value for an object whose own state is current: a definite value, else current.
inline bool ResolveTriState(TriState field, bool current) {
    return field == TriState::kMixed ? current : field == TriState::kOn;
}
