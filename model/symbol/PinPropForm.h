#pragma once
// What the "Pin Properties" page shows of one or more pins: the type (offered by the owning
// symbol's kind), the pin symbol, a custom type name, the name of a single pin and four
// display flags, each of them mixed where the pins differ; the checks made on leaving the
// page, and what OK writes into each pin. Mixed values are never written: each pin keeps its
// own.

#include <functional>
#include <string>
#include <vector>

#include "model/object/TriState.h"
#include "platform/CString.h"
#include "platform/Types.h"

class CPin;

struct PinSymbolEntry {
    const char* text;
    DWORD flags;  // of kPinSymbolMask
};
extern const PinSymbolEntry kPinSymbolEntries[5];

struct PinPropForm {
    // The display flags, in the page's order: clock, show name, show number, hidden.
    static const DWORD kCheckBits[4];

    DWORD flags = 0;            // the first pin's
    DWORD differing = 0;        // the bits in which the pins differ
    DWORD symbolFlags = 0x400;  // of the owning symbol: its kind chooses the types
    bool multiple = false;
    CString name;        // a single pin's "_ID"
    CString customType;  // empty where the pins' "_Type" differ

    static PinPropForm Load(const std::vector<CPin*>& pins);

    // The effective types offered, in list order.
    std::vector<int> TypeChoices() const;
    // The effective type shown, or -1 where the types differ.
    int ShownType() const;
    // The entry of kPinSymbolEntries shown, or -1 where the pin symbols differ or the value
    // has no entry.
    int ShownSymbol() const;
    TriState Check(int index) const;
    bool TypesDiffer() const;

    // What the page holds on leaving: a type and a pin-symbol entry (-1 none chosen), the four
    // checks, the name and custom type typed.
    struct Choices {
        int type = -1;
        int symbol = -1;
        TriState checks[4] = {};
        CString name;
        CString customType;
    };
    enum class Field { kNone, kName, kCustomType };
    struct Refusal {
        std::string message;
        Field field = Field::kNone;
    };
    // The pin's attribute check of a name for "_ID": 0 or an error code 1 to 15.
    using NameCheck = std::function<int(CString&)>;
    // Takes the choices when they pass; else the message and the field at fault, the form
    // unchanged.
    Refusal Leave(const Choices& choices, const NameCheck& checkName);

    // Writes the page's flags (bits the pins differ in kept), a single pin's name and the
    // custom type.
    void ApplyTo(CPin& pin) const;
};
