#pragma once
// CSpiceFormat: the Spice circuit deck. The top sheet's element lines come first, then one
// ".subckt" definition per sub-circuit sheet that blocks use, each with the model and
// sub-circuit definitions its elements need, then the included files, the commands the symbols
// carry, the analyses chosen in the settings, the user's extra commands and ".end".
//
// A symbol takes part through its "Spice." attributes: "Spice.Device" names the element letter
// and the pins in node order ("R,1,2"), "Spice.Model" a model, "Spice.Params" what follows on
// the line, and so on; templates may hold references in double quotes ("_Pin.1._Net") that
// are replaced by values of the symbol, its pins, nets or the document. The settings of
// section "Spice" choose a sub-format whose attribute variants ("Spice.PSPICE.Device") win,
// whether net names become numbers, and the net that becomes node 0.
//
// Nodes are named per sheet: a sub-circuit's nodes are its own. The reference net is "0" on the
// main circuit (and so is the rail that a block's port makes of it). The nets that a sheet's
// power and ground rails name (its document's "Ground1" .. "Power4", and its rail symbols) are
// one supply in the whole design: on a sub-circuit sheet such a net takes the node the main
// circuit gave the rail of that name ("0" for the reference net's name; else a node of its own
// that no sheet uses otherwise), and the deck declares those nodes ".global". A port that lies
// on a rail inside its sheet, as the build's rail ties find it, is never a formal of the
// ".subckt" (the formal would stand for the rail inside it): it gets a node that nothing inside
// uses, and the net that reaches it from outside becomes that rail's node (a port that would
// short two rails leaves the outer net as it is). A global node takes effect inside every
// ".subckt" of the deck, so one that a definition of the deck (or a file it includes) uses as a
// node name of its own takes another number: the deck is held until its end, with marks for the
// rails' nodes. Node names are read without regard to case, so when net names are kept, a net
// whose name differs from an earlier one's only in case becomes a number, and so does a net
// other than the reference net whose name the simulator reads as ground ("gnd" in any case).

#include <iosfwd>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "netlist/spice/SpiceAnalysis.h"
#include "netlist/spice/SpiceSettings.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/CString.h"
#include "platform/FrameworkOrderMap.h"

class CHiddenPinTies;
class CNet;
class CPin;
class CSymbol;
class SettingsStore;
struct CSheetRails;

// The first symbol whose kind bit is in the mask and whose "_ID" is id (case-sensitive).
CSymbol* FindSymbolById(CDocNetlist& walker, DWORD kindMask, const char* id);

// A sub-circuit sheet that blocks use: the name it has in the deck and its ports in the
// order of the block's pins.
struct CSpiceSubcktSheet {
    BOOL written = FALSE;
    CString name;
    std::vector<CString> ports;
};

// One element of the sheet being written.
struct CSpiceDeviceRecord {
    CSymbol* symbol = nullptr;
    CString id;
    CString name;
};

class CSpiceFormat : public CNetlistFormat {
public:
    CSpiceFormat();
    ~CSpiceFormat() override;

    const char* GetName() const override { return "Spice"; }
    const char* GetExtension() const override { return "ckt"; }
    BOOL HasOptions() const override { return TRUE; }
    // The "Spice Netlist Options" sheet; 1 after OK, which makes the next deck load the
    // analyses afresh.
    int EditOptions(CDocNetlist* walker) override;
    // FALSE, writing nothing, when no reference net is known and the user cancels the choice.
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;
    // FALSE when a part of any sheet was left out of the deck (the log names it).
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;
    // The element lines of one sheet and the sub-circuit definitions they need; FALSE when a
    // definition file cannot be read.
    virtual BOOL WriteSheetDevices(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                                   std::ostream& log);

    // Forgets the analyses, so that the next deck loads them from the settings.
    void ClearAnalyses() { m_analyses.clear(); }

    // The node of a net of the sheet being written; null for an unconnected pin, which gets a
    // number of its own.
    CString GetNodeName(const char* netName);
    // The node the main circuit gave the net, else the net's name (for the analyses).
    CString MappedNode(const CString& netName) const;
    // The element name of the symbol on the sheet being written (while the body is written,
    // on the main circuit's sheet); empty when it has none.
    CString LookupSpiceName(const CSymbol* symbol) const;

    // The element letter(s) of the device template; "X" for a sub-circuit block.
    CString GetDevicePrefix(CSymbol& symbol) const;
    // The proposed element name: prefix and identifier, at most 7 letters or digits.
    CString MakeSpiceName(CSymbol& symbol) const;
    // Names by stem, then by the number they end in: R2 before R10; case is ignored.
    static int CompareSpiceNames(const CString& a, const CString& b);

private:
    using NodeMap = std::unordered_map<std::string, CString>;

    // Sheets

    void CollectSubcircuitSheets(CDocNetlist& walker);
    CSpiceSubcktSheet* FindSubcktSheet(const CString& path);
    // The ".subckt" line of a sub-circuit sheet; FALSE after an unresolved port.
    BOOL WriteSubcktHeading(CDocNetlist& walker, CSpiceSubcktSheet& sheet, std::ostream& out,
                            std::ostream& log);
    void StartSheetNodes(CDocNetlist& walker, const CSheetRails& rails, bool mainSheet,
                         std::ostream& log);
    // The nodes of the main circuit's rails, which sub-circuit sheets may join.
    void KeepMainRails(CDocNetlist& walker);
    // The sub-circuit sheet's rails on their design-wide nodes.
    void JoinSheetRails(CDocNetlist& walker);
    CString RailNode(const CString& netName);
    void DeclareGlobal(const CString& node);

    // Whether the net of the sheet being written is or becomes a rail.
    bool IsTiedNet(const char* netName) const;
    // Whether the net is a rail of the main circuit, whose node sub-circuits may join.
    bool IsMainRail(const CString& netName) const;
    // The mark that stands for the rail's node in the deck until the deck is complete.
    CString RailMark(const CString& node, const CString& rail);
    // The node a mark stands for; other nodes as they are.
    CString NodeText(const CString& node) const;
    // The deck with each mark replaced by its rail's node.
    std::string ResolveRailNodes(const std::string& deck, std::ostream& log);
    // The node of the rail on the sheet being written.
    CString SupplyNode(const CString& rail);
    // The node of a net of the sheet that no mapping names yet.
    CString NewNode(const char* netName);
    void NumberNamesNotKept(CDocNetlist& walker, std::ostream& log);
    CString NumberNet(const CString& name);
    void TellGroundRename(const CString& name, const CString& node);
    CString NextNumber();
    std::vector<CSpiceDeviceRecord> MakeDeviceRecords(CDocNetlist& walker);
    void MakeNamesUnique(std::vector<CSpiceDeviceRecord>& records) const;
    void WriteElement(const CSpiceDeviceRecord& record, CDocNetlist& walker, CNetNode& node,
                      std::ostream& out, std::ostream& log);
    BOOL WriteSubcktDefinitions(CDocNetlist& walker, std::ostream& out, std::ostream& log);
    void WriteModels(std::ostream& out);
    CString ExpandPath(CDocNetlist& walker, const CString& text) const;
    CString ChooseReferenceNet(CDocNetlist& walker);

    // Elements

    CString ReadSpiceAttr(CSymbol& symbol, const char* rest) const;
    CString ReadSubcktAttr(CSymbol& symbol, const char* rest) const;
    BOOL WriteDevice(CSymbol& symbol, CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log);
    BOOL WritePinNodes(CSymbol& symbol, const CString& fields, std::ostream& out,
                       std::ostream& log);
    BOOL WriteSubcktCall(CSymbol& symbol, CDocNetlist& walker, const CString& include,
                         std::ostream& out, std::ostream& log);
    void WriteBlockInstance(CSymbol& symbol, std::ostream& out);
    void AppendSourceWaveform(CSymbol& symbol, std::string& line) const;
    void AddModel(CString& name, const CString& text);
    void AddSubcircuit(CString& name, CString text);
    void AddInclude(const CString& path);

    // Templates

    BOOL ExpandTemplate(CSymbol& symbol, CDocNetlist& walker, const CString& text,
                        std::ostream& out, std::ostream& log);
    CString ExpandTemplateToText(CSymbol& symbol, CDocNetlist& walker, const CString& text,
                                 std::ostream& log);
    BOOL WriteSymbolRef(CSymbol& symbol, CDocNetlist& walker, const CString& ref, std::ostream& out,
                        std::ostream& log);
    BOOL WritePinRef(CPin& pin, CDocNetlist& walker, const CString& ref, std::ostream& out,
                     std::ostream& log);
    BOOL WriteNetRef(CNet& net, CDocNetlist& walker, const CString& ref, std::ostream& out,
                     std::ostream& log);
    BOOL WriteDocRef(CDocNetlist& walker, const CString& ref, std::ostream& out, std::ostream& log);

    // Whole build
    CDocNetlist* m_walker = nullptr;
    CString m_refNet;
    CString m_subFormat;
    int m_substituteNets = 1;
    CSpiceAnalysisList m_analyses;
    std::map<std::string, std::unique_ptr<CSpiceSubcktSheet>> m_subcktSheets;  // by path
    FrameworkOrderMap<CString> m_subcktDefs;  // name to definition or file reference
    std::vector<CString> m_includes;
    std::stringstream m_commands;
    NodeMap m_mainNodes;
    std::unordered_map<const CSymbol*, CString> m_mainNames;
    NodeMap m_railNodes;                            // rail net name to its node
    std::unordered_set<std::string> m_railNodeSet;  // the nodes of m_railNodes
    std::vector<CString> m_globalNodes;             // rail nodes that sub-circuits use
    int m_highestNumber = 0;                        // of the numbered nodes of every sheet
    struct RailMarkEntry {
        CString node;
        CString rail;
    };
    std::vector<RailMarkEntry> m_railMarks;                // by mark number
    std::unordered_map<std::string, size_t> m_railMarkOf;  // node to its mark number
    std::unordered_set<std::string> m_definitionWords;     // of the definitions written, upper case
    std::unordered_set<std::string> m_mainRails;  // the main circuit's rails and tied-to rails
    std::stringstream m_deck;                     // the sheets and the tail, until complete
    bool m_partLeftOut = false;                   // an element line failed: the deck is incomplete

    // Sheet being written
    int m_nodeCounter = 1;
    NodeMap m_sheetNodes;
    NodeMap* m_nodes = &m_mainNodes;
    std::ostream* m_log = nullptr;    // the build's, for the renames told as nodes are made
    const CSheetRails* m_sheetRails;  // the build's rail ties of the sheet
    std::unordered_set<std::string> m_unwiredRails;   // the sub-circuit sheet's rails without net
    std::unordered_set<std::string> m_sheetNetNames;  // kept only without substitution
    std::unordered_map<const CSymbol*, CString> m_sheetNames;
    const std::unordered_map<const CSymbol*, CString>* m_names = &m_sheetNames;
    FrameworkOrderMap<CString> m_models;
    std::unordered_set<std::string> m_sheetSubckts;  // definitions the sheet's elements use
    const CHiddenPinTies* m_hiddenPins = nullptr;    // the nets of the sheet's hidden pins
};
