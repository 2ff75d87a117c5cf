#pragma once
// The search of the "Find" dialog over the objects of a schematic: what is looked for, where,
// and how a text matches; the walk of Find Next, which goes on from where the last one ended,
// and the collection of every match.

#include "platform/CString.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;

struct FindOptions {
    CString text;
    bool textBoxes = true;
    bool pinNames = true;
    bool pinAttributes = false;
    bool symbolIds = true;
    bool symbolAttributes = false;
    bool netNames = true;
    bool netAttributes = false;
    bool matchCase = false;
    bool exact = false;

    // The whole text equals the find text (exact), or holds it; case-insensitive unless match
    // case. An empty find text is in every text.
    bool IsMatch(const char* candidate) const;
    // The object that matches: the object itself, or the pin of a symbol whose pin matched
    // (the symbol itself with symbolForPin); null when nothing of it matches.
    CDrawObj* MatchOf(CDrawObj* object, bool symbolForPin) const;
};

// Where Find Next goes on: the index of the next object of a document. Another document
// starts at its first object.
struct FindPosition {
    const CDrawDoc* document = nullptr;
    int next = 0;

    void Reset() { next = 0; }
};

// The next match of the document from the position on, advancing it past every object
// visited; null at the end of the list, after which the walk starts again from the first
// object.
CDrawObj* FindNextMatch(CDrawDoc& doc, const FindOptions& options, FindPosition& position);
// Appends every match of the document, in list order, to result: the matching pins of a
// symbol one by one, or with symbolsForPins the symbol once for them.
void FindAllMatches(CDrawDoc& doc, const FindOptions& options, bool symbolsForPins,
                    CObList& result);
