#pragma once
// CDevice: the description of one component, shared by the symbols that draw it. It is an
// attribute map with a reference count: the device name ("_Name"), the part-identifier prefix
// ("_Pref"), the pin map ("_Map": which symbol, gate and pin carries which pin number) and the
// hidden pins ("_Implicit", with one "<pin>.Net" attribute per tied pin). Symbols hold it by
// pointer and count, pins take their numbers from it, and the document makes part identifiers
// through it.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/device/ImplicitPins.h"
#include "model/device/PinMap.h"
#include "platform/CString.h"
#include "platform/Maps.h"
#include "platform/ObList.h"
#include "platform/Object.h"

class CDrawDoc;
class CDrawObj;

// Codes of the checks besides those of the map (PinMap.h).
constexpr int kDeviceNameEmpty = 3;

// Modes of the map operations, a bit set.
constexpr int kMapCheck = 1;
constexpr int kMapApply = 2;
constexpr int kMapInOrder = 4;  // SetMap stores the lines and pairs in the text's order

// Flag bits.
constexpr DWORD kDeviceFlagsClearedBySet = 0x3;  // cleared by every successful SetAttr
constexpr DWORD kDeviceNoChecks = 0x4;           // CheckAttrValue accepts everything
constexpr DWORD kDeviceWalkMark = 0x04000000;    // run-time marks of the netlist walks
constexpr DWORD kDeviceCheckMark = 0x10000000;
constexpr DWORD kDeviceVisited = 0x20000000;
constexpr DWORD kDeviceTransientFlags = kDeviceWalkMark | kDeviceCheckMark | kDeviceVisited;

// Bits of CDevice::IsValidPartId's flags.
constexpr UINT kPartIdMakeNew = 0x1;  // make a new identifier in place of an invalid one

// Values of CDevice::GetAttributeFlags.
constexpr int kDeviceAttrPlain = 0;
constexpr int kDeviceAttrReadOnly = 1;  // not editable through a symbol's own page
constexpr int kDeviceAttrEditedApart = 3;

// One line of the pin map as the symbols of a device need it: the gate suffix, the symbol
// name, the objects loaded for that symbol (owned) and the loaded mark.
class CDeviceSymbol {
public:
    static constexpr int kLoaded = 2;

    CDeviceSymbol(const char* gate, const char* symbol) : m_gate(gate), m_symbol(symbol) {}
    ~CDeviceSymbol() { DeleteObjects(); }
    CDeviceSymbol(const CDeviceSymbol&) = delete;
    CDeviceSymbol& operator=(const CDeviceSymbol&) = delete;

    // Deletes the loaded objects and empties the list.
    void DeleteObjects();

    CString m_gate;
    CString m_symbol;
    CObList m_objects;
    int m_flags = 0;
};
using CDeviceSymbolList = std::vector<std::unique_ptr<CDeviceSymbol>>;

class CDevice : public CObject {
    DECLARE_SERIAL(CDevice)
public:
    static constexpr UINT kSchema = 0;

    CDevice();
    explicit CDevice(const char* name);
    // A new device with the other's attributes in their order, count and flags 0.
    CDevice(const CDevice& other);
    // Takes the other's flags and a copy of its attributes in their order; the count stays.
    CDevice& operator=(const CDevice& other);
    ~CDevice() override;

    // The record: the attributes as a string map, then the flags. The count is not stored,
    // nor are the run-time marks.
    void Serialize(CArchive& ar) override;

    // Every holder adds one reference; the last Release deletes the device.
    void AddRef() { ++m_refCount; }
    void Release();
    int GetRefCount() const { return m_refCount; }
    // The same attributes with the same values (compared byte for byte).
    BOOL IsEqual(const CDevice& other) const;

    DWORD GetFlags() const { return m_flags; }
    void SetFlags(DWORD value, DWORD mask) { m_flags = (m_flags & ~mask) | (value & mask); }

    // Attributes
    void GetAttrAt(int index, CString& name, CString& value) const;
    CString GetAttr(const char* name) const;
    CString GetStdAttr(int id) const;
    BOOL Lookup(const char* name, CString& value) const;
    BOOL SetStdAttr(int id, const char* value, BOOL force);
    // "_Map" goes through SetMap (checked unless forced); any other name is checked unless
    // forced. FALSE, changing nothing, when refused.
    BOOL SetAttr(const char* name, const char* value, BOOL force);
    int CheckAttrValue(const char* name, const char* value) const;
    int GetAttrCount() const { return m_attributes.GetCount(); }
    void RemoveAttr(const char* name);
    // Exchanges the attribute maps of the two devices; counts and flags stay.
    void ExchangeAttributes(CDevice& other);
    // kDeviceAttrEditedApart for "_Map" and "_Implicit", kDeviceAttrReadOnly for "_Name",
    // else kDeviceAttrPlain.
    static int GetAttributeFlags(const char* name);

    // The pin map. Every operation reads the stored "_Map"; one that does not parse gives
    // kMapUnparsable. Searches go over the map sorted, so maps stored by other programs
    // answer alike. SetMap stores the map sorted, unless the mode has kMapInOrder.
    int SetMap(const char* text, int mode);
    int GetPinNumber(CString& number, const char* symbol, const char* gate, const char* pin) const;
    // The line in the sorted map of a symbol of that name and part identifier, or null (also
    // when the map does not parse), valid until the map changes; did receives the identifier
    // without its gate suffix as StripGateSuffix leaves it (empty when the map does not
    // parse). One reading of the map serves both, and the numbers of all of the symbol's pins.
    // An identifier without a gate of the symbol takes the symbol's line when it has only one.
    CPinMapLine* FindPartLine(const CString& id, const char* symbol, CString& did) const;
    int SetPinNumber(const char* symbol, const char* gate, const char* pin, const char* number,
                     int mode);
    // Renames the pin in every line (gate) of the symbol.
    int RenamePin(const char* oldName, const char* newName, const char* symbol, int mode);
    // The gate suffix that the identifier ends with, by the symbol's first line (in map
    // order) that has an empty suffix or one ending the identifier; empty when none.
    CString GetInstance(const char* id, const char* symbol) const;
    // 1 and the identifier without its gate suffix when a line of the symbol has a suffix
    // ending it, 0 when none, kMapUnparsable.
    int StripGateSuffix(CString& id, const char* symbol) const;
    // Appends one entry per map line, sorted; 0 or kMapUnparsable (nothing appended).
    int GetSymbolList(CDeviceSymbolList& list) const;
    // The map's first line for the symbol's "_Name" names each of the symbol's pins ("_ID")
    // and no other.
    BOOL IsCompatibleWith(CDrawObj* symbol) const;
    // The same for a symbol name and the identifiers of its pins.
    BOOL IsCompatibleWith(const char* symbol, const std::vector<CString>& pinIds) const;
    // Every object of the document that uses this device refreshes its attribute texts.
    void UpdateSymbols(CDrawDoc* doc) const;

    // Part identifiers. IsValidPartId checks an identifier for the symbol (a letter first, no
    // punctuation, a gate of the symbol, no other device under the same prefix and number);
    // an empty one, or with kPartIdMakeNew an invalid one, is made anew by MakePartId.
    BOOL IsValidPartId(CDrawObj* symbol, CString& id, UINT flags) const;
    // The gate suffixes of the map lines for the symbol's "_Name", in map order, empty ones
    // left out.
    std::vector<std::string> GetGates(CDrawObj* symbol) const;
    // Makes a free identifier for the symbol: prefix and number counted from firstNumber,
    // completed by a free gate of a part of this device already in the document. Never empty.
    BOOL MakePartId(CString& id, long firstNumber, CDrawObj* symbol) const;

    // Hidden pins. The net of a hidden pin is the device attribute "<pin>.Net", replaced by
    // the document attribute it names, when there is one.
    BOOL GetImplicitPinNet(CDrawDoc* doc, const char* pin, CString& net) const;
    // Appends the hidden pins whose net is the named one (and, with numbers, their pin
    // numbers in parallel); returns how many.
    int GetImplicitPinNets(CDrawDoc* doc, const char* net, CStringList& pins,
                           CStringList* numbers) const;
    // The same with the net of each hidden pin read through netOf (false: the pin has none).
    int GetImplicitPinNets(const std::function<bool(const char* pin, CString& net)>& netOf,
                           const char* net, CStringList& pins, CStringList* numbers) const;
    // The hidden pins as pairs of name and number.
    std::vector<ImplicitPin> GetImplicitPins() const;

private:
    // The stored map parsed and sorted; false when it does not parse.
    bool ParseStoredMap(CPinMap& map, bool sorted) const;
    // The same for reading only, parsed once for as long as "_Map" stays the same (pin
    // numbers and identifiers of a whole sheet are read through it); null when it does not
    // parse.
    CPinMap* ReadStoredMap(bool sorted) const;
    // The map parsed (and sorted) from the text ReadStoredMap last checked.
    CPinMap* ParsedMap(bool sorted) const;
    // The symbol's line when the map has exactly one for it, else null.
    static const CPinMapLine* FindOnlyLine(const CPinMap& map, std::string_view symbol);
    // The symbol's first line in map order with an empty gate suffix or one ending the
    // identifier, or null.
    static const CPinMapLine* FindGateLine(const CPinMap& map, std::string_view id,
                                           std::string_view symbol);
    // The check of mode kMapCheck, then the write-back of mode kMapApply.
    int CheckAndStore(CPinMap& map, int mode);
    // The map has a line for the symbol's "_Name" with the identifier's gate suffix.
    bool HasGateFor(CDrawObj* symbol, const CString& id) const;
    // Another symbol of the document, of another device, has the identifier's "_DID".
    bool IsPartOfOtherDevice(CDrawObj* symbol, const CString& id) const;
    // The net of the pin's "<pin>.Net" attribute, resolved through the document's attributes.
    bool ResolvePinNet(CDrawDoc* doc, const std::string& pin, CString& net) const;

    // The text of "_Map" and its parsed forms, unsorted and sorted, made when first read.
    struct ParsedMaps {
        std::string text;
        std::unique_ptr<CPinMap> parsed[2];
    };

    int m_refCount = 0;
    DWORD m_flags = 0;
    CMapStringToString m_attributes{10};
    mutable std::unique_ptr<ParsedMaps> m_parsedMaps;  // not copied with the device
};
