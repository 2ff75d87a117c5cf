#pragma once
// The hidden pins that nets tie to themselves ("Connect Wire Implicitly To.."): a net's
// "_Implicit" lists items "<identifier>:<pin>", parted by commas or blanks. The identifier names
// a part, by its "_DID" or by the "_ID" of any of its symbols, so the tie holds for the part
// whichever of its symbols is asked. A tied pin lies on the net that ties it, ahead of the net
// its device gives it ("<pin>.Net"); where two nets list one pin, the first in the document's
// order has it. Every reader of a hidden pin's net (netlists, the design rule check, the design
// tree) asks here.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/CString.h"

class CDevice;
class CDrawDoc;
class CDrawObj;
class CNet;
class CNetPropCmd;
class CStringList;
struct RenamedImplicitPin;

class CHiddenPinTies {
public:
    // The ties of the document's nets as they are now.
    explicit CHiddenPinTies(CDrawDoc& doc);

    bool IsEmpty() const { return m_ties.empty(); }
    // The net tied to the pin of the part of that "_DID"; null when none is.
    const CNet* Tied(const CString& did, std::string_view pin) const;
    // The net of the symbol's hidden pin: the net tied to it, else the one its device gives it,
    // resolved through the document's attributes. FALSE when it has neither.
    BOOL NetOf(CDrawObj& symbol, const char* pin, CString& net) const;
    // The symbol's hidden pins whose net (as NetOf gives it) is net, appended with their
    // numbers; how many.
    int PinsOn(CDrawObj& symbol, const char* net, CStringList& pins, CStringList* numbers) const;

private:
    CDrawDoc& m_doc;
    std::unordered_map<std::string, const CNet*> m_ties;  // "<did>:<pin>" to its net
};

// The part a symbol belongs to: its "_DID", else its "_ID".
CString PartIdOf(CDrawObj& symbol);

// A net's "_Implicit" list set to pins, done, as a command to record; null when the net holds
// that list already. An empty list takes the attribute away. The texts showing the list on the
// objects carrying the net are shown anew.
std::unique_ptr<CNetPropCmd> TieNetToHiddenPins(CDrawDoc& doc, CNet& net, const CString& pins);

// After the device's hidden pins were renamed: the items of the nets' lists that name a
// renamed pin of a part using the device name it by its new name. The edits are done and
// handed back in the document's order of the nets, to be recorded with the device's edit.
std::vector<std::unique_ptr<CNetPropCmd>> MoveHiddenPinTies(
    CDrawDoc& doc, const CDevice& device, const std::vector<RenamedImplicitPin>& renamed);
