#pragma once
// The hidden pins that nets tie to themselves ("Connect Wire Implicitly To.."): a net's
// "_Implicit" lists items "<identifier>:<pin>", parted by commas or blanks. The identifier names
// a part, by its "_DID" or by the "_ID" of any of its symbols, so the tie holds for the part
// whichever of its symbols is asked. A tied pin lies on the net that ties it, ahead of the net
// its device gives it ("<pin>.Net"); where two nets list one pin, the first in the document's
// order has it. Every reader of a hidden pin's net (netlists, the design rule check, the design
// tree) asks here.
//
// A tie belongs to the part and the net it was made on. Every edit that changes identifiers,
// removes parts or brings parts in keeps the ties on their parts through CHiddenPinTieKeeper,
// in the edit's own step; a join of nets keeps the ties of the nets it ends (JoinHiddenPinTies).

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
class CObList;
class CStringList;
struct RenamedImplicitPin;

// An item of a net's list that names no part of the document.
struct UnnamedHiddenPinTie {
    CString net;
    CString item;
};

class CHiddenPinTies {
public:
    // The ties of the document's nets as they are now.
    explicit CHiddenPinTies(CDrawDoc& doc);

    // The key of the symbol's hidden pin: its part's identifier ("_DID", else "_ID"), a colon
    // and the pin. Two symbols of one part give one key; symbols of two parts never do.
    static std::string KeyOf(CDrawObj& symbol, std::string_view pin);
    // The same key, for a part's identifier (PartIdOf) read once for all its pins.
    static std::string KeyOf(std::string_view part, std::string_view pin);
    // The key of a hidden pin wherever pins are counted part by part: KeyOf the part's
    // identifier (PartIdOf); a symbol without one is a part of its own, which no name joins to
    // another, keyed by place, its place among the document's objects. A NUL, which no
    // identifier holds, keeps the two kinds of key apart.
    static std::string PartPinKey(const CString& part, int place, std::string_view pin);

    bool IsEmpty() const { return m_ties.empty(); }
    // The name of the net tied to the hidden pin of the symbol's part; null when none is.
    const CString* Tied(CDrawObj& symbol, std::string_view pin) const;
    // The net of the symbol's hidden pin: the net tied to it, else the one its device gives it,
    // resolved through the document's attributes. FALSE when it has neither.
    BOOL NetOf(CDrawObj& symbol, const char* pin, CString& net) const;
    // The symbol's hidden pins whose net (as NetOf gives it) is net, appended with their
    // numbers; how many.
    int PinsOn(CDrawObj& symbol, const char* net, CStringList& pins, CStringList* numbers) const;
    // The items that name no part, in the document's order of the nets, as they are listed.
    const std::vector<UnnamedHiddenPinTie>& Unnamed() const { return m_unnamed; }
    // What the build log and the check tell of an item that names no part.
    static CString DescribeUnnamed(const UnnamedHiddenPinTie& tie);

private:
    CDrawDoc& m_doc;
    std::unordered_map<std::string, CString> m_ties;  // KeyOf to the net's name
    std::vector<UnnamedHiddenPinTie> m_unnamed;
};

// The part a symbol belongs to: its "_DID", else its "_ID".
CString PartIdOf(CDrawObj& symbol);

// The ties that objects carry, each item held by the symbol it names, taken before an edit
// that may change the symbols' identifiers or which symbols there are. Afterwards an item names
// its symbol by the identifier the symbol then has (by its part's "_DID" when it named the part
// so); when its symbol is gone it names another symbol of the same part left, and it is dropped
// when no symbol of its part is left. An item that named no part is kept as it is, unless a
// part now takes its identifier: a part never takes a tie it was not given.
class CHiddenPinTieKeeper {
public:
    // The ties of the document's nets.
    explicit CHiddenPinTieKeeper(CDrawDoc& doc);
    // The ties of objects coming into a document, among those objects only: an item that names
    // none of them is dropped when they come in.
    explicit CHiddenPinTieKeeper(const CObList& incoming);
    ~CHiddenPinTieKeeper();
    CHiddenPinTieKeeper(const CHiddenPinTieKeeper&) = delete;
    CHiddenPinTieKeeper& operator=(const CHiddenPinTieKeeper&) = delete;

    // No object carried a tie.
    bool IsEmpty() const { return m_nets.empty(); }

    // After the edit of the document was recorded: the lists written anew, joined to the
    // step the edit recorded.
    void KeepInStep(CDrawDoc& doc);
    // After the incoming objects took their identifiers in the document, and before any other
    // edit: their nets' lists written anew, as part of their coming in. An item whose pin a net
    // of the document ties already (present: the document's ties before they came) is dropped:
    // a copy of a gate in the package of its original does not take the package's pin.
    void KeepIncoming(const CObList& incoming, const CHiddenPinTies& present);

private:
    struct Item;
    struct Tying;
    // The lists that differ from what they were, for the objects there are now; present, when
    // given, holds ties that items may not take.
    std::vector<std::pair<CNet*, CString>> Rewritten(const std::vector<CDrawObj*>& objects,
                                                     const CHiddenPinTies* present = nullptr) const;
    void Take(const std::vector<CDrawObj*>& objects);

    std::vector<Tying> m_nets;
    bool m_dropUnnamed = false;
};

// A net's "_Implicit" list set to pins, done, as a command to record; null when the net holds
// that list already. An empty list takes the attribute away. The texts showing the list on the
// objects carrying the net are shown anew.
std::unique_ptr<CNetPropCmd> TieNetToHiddenPins(CDrawDoc& doc, CNet& net, const CString& pins);

// After a join moved wires from the nets of leaving to kept: the items of each leaving net that
// no object of the document carries any more, added to kept's list (an item kept lists already
// is not listed twice), done, as a command to record; null when nothing was added.
std::unique_ptr<CNetPropCmd> JoinHiddenPinTies(CDrawDoc& doc, CNet& kept,
                                               const std::vector<CNet*>& leaving);

// After the device's hidden pins were renamed: the items of the nets' lists that name a
// renamed pin of a part using the device name it by its new name. The edits are done and
// handed back in the document's order of the nets, to be recorded with the device's edit.
std::vector<std::unique_ptr<CNetPropCmd>> MoveHiddenPinTies(
    CDrawDoc& doc, const CDevice& device, const std::vector<RenamedImplicitPin>& renamed);
