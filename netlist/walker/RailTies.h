#pragma once
// CRailTies: which ports of a design's sheets lie on a power or ground rail, and what that does
// to the nets that reach them from outside, found once per netlist build for every writer (and
// for the design rule check).
//
// A port lies on a rail when its net inside the sheet is one of the sheet's rails, or a net that
// a block of the sheet ties to a rail through a port of its own. The net that reaches such a
// port from outside becomes that rail: a net the user named is told that it takes the rail's
// name. When that net is already another rail, or tied to another one through an earlier port,
// the port shorts two supplies: that is an error, and the port is cut, so that every writer keeps
// both rails apart.
//
// Each sheet file is read once, from the build's or check's open sheets. Instances are named by
// their identifier through the hierarchy, as the flattened netlists name them: "X1" on the top
// sheet, "X1:Y1" for the block Y1 of X1's sheet.

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/net/WireRails.h"
#include "platform/CString.h"

class CDocNetlist;
class CSheetFiles;
class CSymbol;

// What one sheet file ties to its rails.
struct CSheetRails {
    // A sub-circuit block of the sheet, in list order. The symbol only on the top sheet.
    struct Block {
        CString id;
        CString path;
        const CSymbol* symbol = nullptr;
    };
    // A block's port that turns the net of this sheet on which it lies into a rail: a named net
    // that takes the rail's name, or (shorted) a net that already is another rail.
    struct Meeting {
        size_t block = 0;
        CString port;
        CString net;   // the named net, or the rail the net already is
        CString rail;  // the rail inside the block
        bool shorted = false;
    };

    std::unordered_set<std::string> rails;           // the sheet's supply nets
    std::unordered_map<std::string, CString> nets;   // a net that is no rail to the rail it becomes
    std::unordered_map<std::string, CString> ports;  // a port to the rail it lies on
    std::vector<Block> blocks;
    std::vector<Meeting> meetings;
    CString railNames[kRailCount];  // the document's names of its rails, in the menu's order
    bool meetsBelow = false;        // some sheet below this one, or this one, has meetings

    // The rail the net is or becomes; empty for none.
    CString RailOf(const CString& net) const;
};

// A port that shorts two rails, named from the top sheet.
struct CRailShort {
    size_t topBlock = 0;  // the block of the top sheet through which it is reached
    CString instance;
    CString port;
    CString net;
    CString rail;

    // "port 'IO' of X1 shorts rails '-15v' and '+5v'"
    CString Describe() const;
};

// A rail that a sheet below the top names otherwise than the top sheet does: the nets of the
// two names stay apart, the sheet's rail being no supply of the top's.
struct CRenamedRail {
    size_t topBlock = 0;  // the block of the top sheet through which the sheet is first reached
    CString sheet;        // the sheet file, as the block names it
    CString rail;         // the document attribute, "Ground1" ..
    CString name;         // the rail's name on that sheet
    CString topName;      // and on the top sheet

    // "sheet 'amp.sch' names rail Ground1 'GND' where the top sheet names it '0V'"
    CString Describe() const;
};

class CRailTies {
public:
    // Reads the walker's sheet and, through its blocks, every sheet below it, which it opens in
    // sheets. A sheet that cannot be read, or that lies within itself, ties nothing.
    CRailTies(CDocNetlist& top, CSheetFiles& sheets);
    CRailTies(const CRailTies&) = delete;
    CRailTies& operator=(const CRailTies&) = delete;

    const CSheetRails& Top() const { return m_top; }
    // Those of the sheet file that blocks name with that path; null when it was not read.
    const CSheetRails* Sheet(const CString& path) const;
    // Whether the port of the instance (named from the top sheet) is cut.
    bool IsCut(const CString& instance, const CString& port) const;
    const std::vector<CRailShort>& Shorts() const { return m_shorts; }
    // Each sheet's rails named otherwise than on the top sheet, sheets in the order the
    // hierarchy first reaches them, rails in the menu's order.
    const std::vector<CRenamedRail>& Renamed() const { return m_renamed; }
    // The rails sheets name otherwise (warnings), then the nets that take a rail's name
    // (warnings) and the shorts (errors), instance by instance.
    void Report(std::ostream& log) const;

private:
    void Read(CDocNetlist& walker, CSheetRails& sheet, int depth);
    const CSheetRails* ReadFile(const CString& path, int depth);
    void Collect(const CSheetRails& sheet, const CString& prefix, size_t topBlock, int depth);
    void CollectRenamed(const CString& path, size_t topBlock, int depth,
                        std::unordered_set<std::string>& seen);

    CSheetFiles& m_files;
    CSheetRails m_top;
    std::map<std::string, std::unique_ptr<CSheetRails>> m_sheets;  // by path; null: unread
    std::vector<CString> m_reading;  // the sheets being read, outermost first
    // In hierarchy order: each meeting with its instance and whether it shorts.
    struct Told {
        CString instance;
        size_t topBlock;
        const CSheetRails::Meeting* meeting;
    };
    std::vector<Told> m_told;
    std::vector<CRailShort> m_shorts;
    std::vector<CRenamedRail> m_renamed;
    std::unordered_set<std::string> m_cut;  // instance, "\x01", port
};
