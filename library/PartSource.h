#pragma once
// The standard library and palettes described as text, one statement a line (words separated
// by blanks, "quoted text" as one word, '#' to the end of the line a comment). Coordinates are
// sheet units with y upwards.
//
//   library <file> "<description>"            the library the symbols after it go into
//   symbol <name> "<description>" <kind>      graphical, port, net, simulation, device, subcircuit;
//                                             its "_Name" is the item name unless set by attr
//                                             ("\n" in quoted text is a line break)
//     attr <name> "<value>"                   an attribute of the symbol
//     show <name> <x> <y>                     a text showing the attribute, its top left at x, y
//     pin <id> <number|-> <bx> <by> <hx> <hy> <type> [bubble] [noname] [nonumber]
//                                             body end, hot end; input, output, io, undefined,
//                                             passive, collector, emitter, power, tristate, hiz
//     line|rect|ellipse <x1> <y1> <x2> <y2>
//     poly <x> <y> <x> <y> ...                an open polyline
//     polygon <x> <y> <x> <y> ...             a closed polygon
//     solid <x> <y> <x> <y> ...               a closed polygon filled black
//     device <name>                           the symbol's device, with the symbol's gates:
//     dattr <name> "<value>"                    a device attribute
//     gate <suffix> <pin>=<number> ...          one line of the pin map for this symbol
//   end
//   palette <file> "<caption>"                a palette; its buttons hold the symbols named by
//     button <symbol>                         the lines up to its end, in order
//   end

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "platform/CString.h"
#include "platform/ObList.h"

// A symbol item: its name, description and objects (the symbol first, then its texts).
struct PartItem {
    PartItem() = default;
    ~PartItem();
    PartItem(const PartItem&) = delete;
    PartItem& operator=(const PartItem&) = delete;

    CString name;
    CString description;
    CObList objects;  // owned
};

struct PartLibrary {
    std::string file;
    CString description;
    std::vector<std::unique_ptr<PartItem>> items;
};

struct PartPalette {
    std::string file;
    CString caption;
    std::vector<std::string> buttons;
};

struct PartSources {
    std::vector<PartLibrary> libraries;
    std::vector<PartPalette> palettes;

    // The item of that name in any library, or null.
    const PartItem* FindItem(const std::string& name) const;
};

// Reads the statements of one description into sources. Throws std::runtime_error naming
// origin and the line for a statement it does not understand.
void ReadPartSource(std::istream& in, const std::string& origin, PartSources& sources);

// Writes each library of sources as "<folder>/<file>", every symbol as a symbol record, and
// each palette as "<folder>/<file>" with its buttons filled from the items. Throws
// std::runtime_error when a file cannot be written or a palette names a missing item.
void WritePartSources(const PartSources& sources, const std::string& folder);
