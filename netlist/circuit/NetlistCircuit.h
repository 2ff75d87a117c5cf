#pragma once
// CNetlistCircuit: the connectivity of one sheet as the netlist writers see it: its nets, its
// parts with the nets of their pins, its ports (the names under which its nets leave the
// sheet) and its sub-circuit instances. Writers build one circuit per sheet file while the
// sheets are prepared and flatten them into the top sheet's circuit before they write: each
// instance is replaced by a copy of its sheet's contents, names prefixed with the instance's
// identifier and ports joined to the nets of the instance's pins. The nets that the sheet's
// power and ground rails name (its document's "Ground1" .. "Power4", and its rail symbols) name
// one supply in the whole design: they keep their names and join the nets of those names. A
// port that the build's rail ties cut (it would short two rails) joins nothing.
//
// The nets are listed in the order of the framework's string maps, which the output files
// follow; look-ups by name are hashed.

#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/net/HiddenPinTies.h"
#include "netlist/circuit/PinText.h"
#include "platform/CString.h"
#include "platform/FrameworkOrderMap.h"
#include "platform/Maps.h"
#include "platform/Types.h"

class CDevice;
class CDocNetlist;
class CNetNode;
class CObList;
class CPin;
class CRailTies;
class CSymbol;
struct CPinMapLine;

// Flags of a circuit.
constexpr DWORD kCircuitCheckFootprints = 0x1;  // report parts without a footprint
constexpr DWORD kCircuitCopyAttributes = 0x4;   // keep the attributes of each part

// A net of a circuit. The circuit keeps its records together and frees them all when it is
// cleared; a record may be listed under several names, or under none once joined to another.
class CNetRecord {
public:
    explicit CNetRecord(const CString& name) : name(name) {}
    CNetRecord(const CNetRecord&) = delete;
    CNetRecord& operator=(const CNetRecord&) = delete;

    CString name;
    // The net's slot in the latest CNetPinTable of its circuit; the table checks it.
    size_t listIndex = 0;
};

// Flags of a pin connection.
constexpr DWORD kPinFromImplicitList = 0x2;  // made from the device's hidden pins

struct CPinConnection {
    CPinText name;              // the pin's name, or one member of a bussed pin's name
    CPinText number;            // the pin number
    CNetRecord* net = nullptr;  // null for an unconnected pin
    DWORD flags = 0;
};

// A part, or a sub-circuit instance, with its pins in discovery order.
class CComponentRecord {
public:
    CComponentRecord() = default;
    CComponentRecord(const CComponentRecord&) = delete;
    CComponentRecord& operator=(const CComponentRecord&) = delete;

    // A copy whose pins lie on the nets that netOf gives for the original's nets, with their
    // texts from the copy's pool.
    std::unique_ptr<CComponentRecord> CopyWith(const std::function<CNetRecord*(CNetRecord*)>& netOf,
                                               CPinTextPool& texts) const;
    // The first pin connection with that name and number (texts of the record's pool), or null.
    CPinConnection* FindPin(CPinText pinName, CPinText pinNumber);

    CString id;
    CString footprint;
    CString value;
    std::unique_ptr<CMapStringToString> attributes;  // with kCircuitCopyAttributes only
    std::vector<CPinConnection> pins;
};

class CNetlistCircuit {
public:
    explicit CNetlistCircuit(DWORD flags) : m_flags(flags) {}
    virtual ~CNetlistCircuit();
    CNetlistCircuit(const CNetlistCircuit&) = delete;
    CNetlistCircuit& operator=(const CNetlistCircuit&) = delete;

    // Every sheet node that uses the circuit holds one reference; the last Release deletes it.
    void AddRef() { ++m_refCount; }
    void Release();

    // The sheet's ports, parts (the sections of one device and package identifier making
    // one part) and instances. FALSE after a port or instance pin error, which is logged.
    virtual BOOL BuildParts(CDocNetlist& walker, std::ostream& log);
    // The same with each physical-device symbol a part of its own.
    virtual BOOL BuildSymbols(CDocNetlist& walker, std::ostream& log);
    virtual void Clear();
    // One part of its sections (the first stands for it); FALSE after a bussed pin error.
    // The part stays with the pins made so far.
    virtual BOOL AddPart(CDocNetlist& walker, const CObList& sections, std::ostream& log);
    virtual BOOL AddSymbol(CDocNetlist& walker, CSymbol& symbol, std::ostream& log);

    // Replaces every instance by a copy of its sheet's circuit (the circuit of the top node's
    // child of the same identifier), until none is left or one cannot be expanded. Parts of a
    // sheet keep their identifiers unless the circuit already has parts of those identifiers.
    // The ports that the top node's rail ties cut are left unjoined.
    void Flatten(CNetNode& topNode, std::ostream& log);
    // Every pin connection and port on oldNet lies on newNet afterwards.
    void ReplaceNet(CNetRecord* newNet, CNetRecord* oldNet);
    // The net of that name, made (and listed) when there is none.
    CNetRecord* GetNet(const CString& name);
    // The text for a pin connection of the circuit.
    CPinText PinText(const CString& text) { return m_pinTexts.Get(text.str()); }

    // Whether the net of that name is one of the sheet's power or ground rails.
    bool IsRail(const CString& netName) const { return m_rails.contains(netName.str()); }
    DWORD GetFlags() const { return m_flags; }
    FrameworkOrderMap<CNetRecord*>& Nets() { return m_nets; }
    FrameworkOrderMap<CNetRecord*>& Ports() { return m_ports; }
    std::vector<std::unique_ptr<CComponentRecord>>& Parts() { return m_parts; }
    std::deque<std::unique_ptr<CComponentRecord>>& Instances() { return m_instances; }

private:
    void ReadRails(CDocNetlist& walker);
    BOOL AddPorts(const std::vector<CSymbol*>& ports, std::ostream& log);
    BOOL AddInstances(const std::vector<CSymbol*>& blocks, std::ostream& log);
    // What every part of one device shares, read once a build: the device's footprint and
    // name, and the connections of its hidden pins.
    struct DeviceShare {
        CString footprint;
        CString name;
        std::vector<CPinConnection> hiddenPins;
    };
    const DeviceShare& ShareOf(CDocNetlist& walker, const CDevice& device);
    // The hidden pins of the device's "_Implicit" groups, on the net the device gives them
    // (none for a group without one).
    void AddImplicitPins(CDocNetlist& walker, const CDevice& device, const CString& groups,
                         std::vector<CPinConnection>& pins);
    // The device's hidden pins of one part: each on the net that ties it to itself, else on the
    // device's net; one on neither is left out.
    void AddPartHiddenPins(const DeviceShare& share, CDrawObj& first, CComponentRecord& part);
    // Room in the part's pins for one connection per pin its sections draw and hiddenRoom
    // more; the pins are fetched on the way.
    void ReserveDrawnPins(const CObList& sections, size_t hiddenRoom, CComponentRecord& part) const;
    // A pin of a line of a device's pin map as the circuit keeps it; plain when neither its
    // name nor its number lists several.
    struct MappedPin {
        CPinText name;
        CPinText number;
        bool plain;
    };
    // The pins of the line in its order, made once a build.
    const std::vector<MappedPin>& MappedPinsOf(const CPinMapLine& line);
    class SectionPinNumbers;
    // Connections for the pins of one section; FALSE after a bussed pin error.
    BOOL AddSectionPins(CSymbol& section, const SectionPinNumbers& pinNumbers,
                        CComponentRecord& part, const CString& did, std::ostream& log);
    // The connection of one name and number of a drawn pin: a new one, or one the part has
    // already, which the pin connects (a short between two nets is logged).
    void Connect(CComponentRecord& part, const CPin& pin, CPinText name, CPinText number,
                 CNetRecord* net, const CString& did, std::ostream& log);
    // What the expansion of one instance adds: the parts and instances from these places on,
    // the nets it makes, on which no earlier record lies, and the nets of the sheet's rails.
    struct Expansion {
        size_t firstPart = 0;
        size_t firstInstance = 0;
        std::unordered_set<const CNetRecord*> newNets;
        std::unordered_set<const CNetRecord*> rails;
    };

    BOOL ExpandInstance(CNetNode& topNode, std::ostream& log,
                        std::unordered_set<std::string>& partIds);
    void JoinPorts(CNetlistCircuit& sheet, CComponentRecord& instance, const CString& sheetPath,
                   const std::function<CNetRecord*(CNetRecord*)>& netOf, const Expansion& expansion,
                   const CRailTies* ties, std::ostream& log);
    // ReplaceNet over the parts and instances from the given places on.
    void ReplaceNetFrom(CNetRecord* newNet, CNetRecord* oldNet, size_t firstPart,
                        size_t firstInstance);

    DWORD m_flags;
    int m_refCount = 0;
    std::deque<CNetRecord> m_records;        // every net made, in the order made
    FrameworkOrderMap<CNetRecord*> m_nets;   // name to net
    FrameworkOrderMap<CNetRecord*> m_ports;  // port member name to net
    std::vector<std::unique_ptr<CComponentRecord>> m_parts;
    std::deque<std::unique_ptr<CComponentRecord>> m_instances;
    std::unordered_set<std::string> m_rails;  // net names of the sheet's rails and rail symbols
    CPinTextPool m_pinTexts;                  // of the parts' and instances' pins
    std::unordered_map<const CDevice*, DeviceShare> m_deviceShares;  // while BuildParts runs
    std::unique_ptr<CHiddenPinTies> m_ties;                          // while BuildParts runs
    std::unordered_map<const CPinMapLine*, std::vector<MappedPin>> m_mappedPins;  // the same
};

// "N%06d" with the counter raised until the name is not one of the circuit's nets.
CString MakeUniqueNetName(CNetlistCircuit& circuit, int& counter);
// Depth first from node, node itself first: the first node of that path that has a circuit.
CNetNode* FindCircuitNode(const CString& path, CNetNode& node);
// Drops the circuit reference of the node and of every node below it.
void ReleaseCircuits(CNetNode& node);
// The writers' preparation of a sheet: the circuit of another node of the same sheet file
// (1), or a new circuit with these flags built by parts (the result of BuildParts).
int PrepareCircuitSheet(CDocNetlist& walker, CNetNode& node, std::ostream& log, DWORD flags);
