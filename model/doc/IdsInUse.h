#pragma once
// The identifiers ("_ID" and "_DID") that a document's objects hold, counted, and the search
// for the first free automatic identifier of a prefix. One set serves a whole operation (adding
// a list, renumbering), so that finding identifiers for n objects takes time in proportion to n
// instead of rescanning the document for every candidate.

#include <string>
#include <unordered_map>

#include "platform/CString.h"

class CObList;

class IdsInUse {
public:
    // The identifiers of the drawing objects of the list.
    explicit IdsInUse(const CObList& objects);

    bool Contains(const CString& id) const;
    // An object that held `from` (empty: nothing) now holds `to` (empty: nothing).
    void Replace(const CString& from, const CString& to);
    // The first of prefix followed by first, first + 1, ... in decimal that nobody holds.
    CString FirstFree(const CString& prefix, long long first);

private:
    // Below next no number is free for the prefix; valid while identifiers are only added.
    struct Cursor {
        long long first;
        long long next;
    };

    std::unordered_map<std::string, int> m_holders;
    std::unordered_map<std::string, Cursor> m_cursors;
};
