#pragma once
// CDocNetlist: a document's connectivity walker. It keeps no nets of its own: it walks the
// document's object list and yields objects by type, nets, devices and parts (the symbols
// that share one device and one package identifier), answers net and attribute questions for
// the writers and the design rule check, and drives the build of a netlist over the sheet and,
// recursively, every sub-circuit sheet.
//
// Net and device walks mark what they visited and clear the marks when they end; the part walk
// keeps its marks to itself.

#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CDevice;
class CDrawDoc;
class CDrawObj;
class CNet;
class CNetNode;
class CNetlistFormat;
class CObList;
struct CPinMapLine;
class CSymbol;

// What the part walk read of a part's sections: the part's device identifier (empty without a
// device) and, per section in order, its line of the device's pin map (null for none).
struct CPartSections {
    CString did;
    std::vector<CPinMapLine*> lines;
};

// Kind masks: bit (0x100 << kind) accepts the symbols of that kind (flags & 0x700 >> 8).
constexpr DWORD kKindMaskGraphical = 0x100;
constexpr DWORD kKindMaskPort = 0x200;
constexpr DWORD kKindMaskNetConnector = 0x400;
constexpr DWORD kKindMaskSimulation = 0x800;
constexpr DWORD kKindMaskDevice = 0x1000;
constexpr DWORD kKindMaskSubCircuit = 0x2000;

// Results of CDocNetlist::Build.
constexpr int kBuildOk = 0;
constexpr int kBuildError = 1;
constexpr int kBuildStopped = -1;

// Sub-circuit sheets nest at most this deep; deeper ones count as a sheet within itself.
constexpr int kMaxSheetDepth = 32;

// Whether a and b name the same file, both taken as absolute paths with links resolved.
bool SameSheetFile(const CString& a, const CString& b);

// FALSE for null, else whether the symbol's kind bit is in the mask.
BOOL IsSymbolKindInMask(const CDrawObj* symbol, DWORD kindMask);

class CDocNetlist {
public:
    CDocNetlist();
    explicit CDocNetlist(CDrawDoc* document);
    virtual ~CDocNetlist();
    CDocNetlist(const CDocNetlist&) = delete;
    CDocNetlist& operator=(const CDocNetlist&) = delete;

    CDrawDoc* GetDocument() const { return m_document; }
    void SetDocument(CDrawDoc* document) { m_document = document; }

    // Objects, in list order. A null position ends a walk.
    POSITION GetHeadPosition() const;
    CDrawObj* GetNextObject(POSITION& pos) const;
    // The first object whose type bit (1 << type) is in the mask.
    POSITION GetFirstOfType(DWORD typeMask) const;
    // The object at pos; pos moves on to the next one whose type bit is in the mask.
    CDrawObj* GetNextOfType(POSITION& pos, DWORD typeMask) const;
    POSITION GetFirstSymbolOfKind(DWORD kindMask) const;
    CDrawObj* GetNextSymbolOfKind(POSITION& pos, DWORD kindMask) const;

    // Nets. A walk starts at GetFirstNet and yields each net once, in the order of the first
    // wire or bus that carries it; the marks are cleared when it ends.
    POSITION GetFirstNet() const;
    CNet* GetNextNet(POSITION& pos);
    // Clears the bits (0: the visited mark) on the net of every object.
    void ClearNetFlags(DWORD mask = 0);
    // The first net named exactly so, or null.
    CNet* FindNetByName(const char* name);
    // The document attribute of power rail 0-5 ("Ground1", "Ground2", "Power1" .. "Power4").
    CString GetPowerNetName(int railIndex) const;
    // The nets that name one supply in the whole design, each once: those of the document's
    // rails, then those that power and ground rail symbols on the sheet name (net connectors
    // whose pin is a power pin, on the net the rail's identifier names, or on a net named by
    // the user when the rail has no identifier), in list order.
    std::vector<CString> GetSupplyNetNames();
    CString GetDocAttribute(const char* name) const;
    CString GetPathName() const;

    // Devices. A walk starts at GetFirstDevice and yields each device once; the marks are
    // cleared when it ends.
    POSITION GetFirstDevice();
    CDevice* GetNextDevice(POSITION& pos);
    // Parts: the first physical-device symbol (of the device, when one is given).
    POSITION GetFirstPart(CDevice* device);
    // The part's first section at pos; sections (may be null) receives it and every later
    // object of the same device and "_DID". pos moves on to the next unvisited part.
    CSymbol* GetNextPart(POSITION& pos, CObList* sections, CDevice* device);
    // The device identifier and pin map lines of sections, as the part walk read them when it
    // gave them out last; read afresh where they differ.
    CPartSections TakePartSections(const CObList& sections);

    // Prepares the node's sheet for the writer, then builds each sub-circuit sheet below it
    // with a walker of its own. At the top node the design's rail ties are found first (and
    // told to the log), for the writers to read from that node. A walker without a document opens
    // the node's file and closes it again. kBuildOk, kBuildStopped (the whole build ends) or
    // kBuildError (a sheet failed, or a port of the design shorts two rails; the others were
    // still prepared).
    int Build(CNetNode& node, CNetlistFormat& writer, std::ostream& out, std::ostream& log);

private:
    // Sections of a part by device and "_DID", in list order with their places in the list.
    struct SectionIndex;
    // The sheet's symbols with their places in the list, while a build of the sheet runs.
    struct SymbolList;

    // The writer's preparation of the sheet and its sub-circuit children, with the sheet's
    // symbols listed for the walks meanwhile (on the top sheet, the rail ties' too); the result
    // of AddSubcircuitChildren.
    int PrepareWithSymbolList(CNetNode& node, CNetlistFormat& writer, std::ostream& out,
                              std::ostream& log);
    // Builds each child of the node; the result is the worst of result and theirs.
    int BuildChildren(CNetNode& node, CNetlistFormat& writer, std::ostream& out, std::ostream& log,
                      int result);
    // Appends a child for each sub-circuit symbol with pins; kBuildStopped when one names a
    // sheet that contains it.
    int AddSubcircuitChildren(CNetNode& node, std::ostream& log);
    void ClearDeviceMarks();
    // Drops the part walk's index and marks.
    void EndPartWalk();
    SectionIndex& Sections();

    CDrawDoc* m_document = nullptr;
    std::unique_ptr<SectionIndex> m_sections;  // while a part walk runs
    std::shared_ptr<SymbolList> m_symbols;     // while Build prepares the sheet
    // The sections the part walk gave out last, with their pin map lines, and their part's
    // device identifier.
    std::vector<std::pair<CSymbol*, CPinMapLine*>> m_sectionLines;
    CString m_partDid;
};
