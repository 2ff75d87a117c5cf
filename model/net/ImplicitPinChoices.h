#pragma once
// What the "Connect Wire Implicitly To.." dialog offers for a wire's net: every hidden pin of
// the document's parts, as "<identifier>:<pin>" (the identifier of the part's first symbol),
// that no other net is tied to (CHiddenPinTies).

#include <string>
#include <vector>

class CDrawDoc;
class CNet;

struct ImplicitPinChoice {
    std::string entry;  // "<identifier>:<pin>"
    bool tied = false;  // already tied to the wire's net
};

// Sorted by entry.
std::vector<ImplicitPinChoice> ListImplicitPins(CDrawDoc& doc, const CNet* net);
// The value of "_Implicit" for the chosen entries, in order: joined with ",".
std::string JoinImplicitPins(const std::vector<std::string>& entries);
