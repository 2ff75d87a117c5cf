#pragma once
// What the "General" page of the Symbol Properties sheet shows of one or more symbols: the
// kind, identifier, name, value and sub-circuit file, which attribute texts are shown and how
// pins are shown, each mixed where the symbols differ; the name check made on leaving the
// page, and the pin map of a new device built from the selection.

#include <functional>
#include <string>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CDevice;
class CDrawDoc;
class CObList;
class CSymbol;

struct DevGeneralForm {
    static constexpr int kMixed = -1;  // of kind, pin names and pin numbers
    static constexpr int kCheckMixed = 2;

    // The fields, as bits of `edited`.
    enum Field : unsigned {
        kKindField = 1u << 0,
        kIdField = 1u << 1,
        kNameField = 1u << 2,
        kValueField = 1u << 3,
        kDeviceField = 1u << 4,  // the device, or the sub-circuit file
        kShowIdField = 1u << 5,
        kShowValueField = 1u << 6,
        kShowDeviceNameField = 1u << 7,
        kHiddenPinsField = 1u << 8,
        kPinNamesField = 1u << 9,
        kPinNumbersField = 1u << 10,
        kAllFields = (1u << 11) - 1,
    };

    int kind = 0;  // 0..5, the list index of the kind bits
    CString id;    // empty with more than one symbol
    CString name;
    CString value;
    CString subcircuit;         // the "_Subcct" as loaded
    CString deviceText;         // the device's "_Name", or the sub-circuit file
    CDevice* device = nullptr;  // not counted here
    bool deviceMixed = false;   // the symbols' devices differ: each keeps its own
    int showId = 0;             // 0, 1 or kCheckMixed
    int showValue = 0;
    int showDeviceName = 0;
    int hiddenPins = 0;
    int pinNames = 0;  // 0 "None", 1 "By Pin", 2 "All", or kMixed
    int pinNumbers = 0;
    bool multiple = false;
    // The fields the page changed: only those are written.
    unsigned edited = kAllFields;

    static DevGeneralForm Load(const std::vector<CSymbol*>& symbols);

    // The device chosen on the page (null for "No device"): it is written into every symbol.
    void ChooseDevice(CDevice* chosen);

    // Writes the edited fields into one symbol of the selection; a field left mixed is not
    // written. Attribute texts shown anew are appended to `shown`, texts to hide to `removed`
    // (the caller records both). The symbol holds its device counted; a Physical Device whose
    // kind, device, name or identifier was edited then has its identifier made unique.
    void ApplyTo(CSymbol* symbol, CObList& shown, CObList& removed) const;
};

// The kind (unless kMixed) and the name into one symbol of the selection, as the page writes
// them while it is open so that the device tests see them: the name into a single symbol, or
// when it is not empty. Nothing is written where the symbol has them already; a symbol without
// a name has an empty one.
void WriteKindAndName(CSymbol* symbol, bool multiple, int kind, const CString& name);

// The name check on leaving the page: a single symbol of kind Simulation Block or higher must
// have a name, and no name may hold the separator 0x01 or a newline. The message, or empty.
std::string DevGeneralNameProblem(bool multiple, int kind, const CString& name);

// The pin map of a new device for the symbols: one line per symbol in order, with a gate
// letter (a, b, ...) only when there is more than one symbol, and each pin's "_ID" and "_No"
// ("?" when it has none). A symbol is named by `name` (trimmed) when that is not empty, else
// by its own "_Name". False, with nothing written, when two symbols of one name differ in their
// pins.
bool NewDeviceMap(const std::vector<CSymbol*>& symbols, CString name, CString& map);

// The new device: the map, "_Pref" "U" and "_Name" "New Device"; null where the map is refused.
CDevice* NewDeviceFor(const std::vector<CSymbol*>& symbols, const CString& name);

extern const char kNewDeviceLayoutError[];

// The identifier check of a single symbol of kind Simulation Block or higher, with the page's
// device (may be null): trimmed, not empty, not used by another object, valid for the device.
// When a part of another device has the same base identifier, `askRewrite` is asked (with
// the question) whether the identifier is to be made anew; yes rewrites `id`. The message, or
// empty when the identifier passes; "-" when the user declined.
std::string DevGeneralIdProblem(CDrawDoc& doc, CSymbol* symbol, CDevice* device, CString& id,
                                const std::function<bool(const std::string&)>& askRewrite);
