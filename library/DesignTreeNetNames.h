#pragma once
// CDesignTreeNetNames: the names the "Nets" node of a document shows, which are those of the
// nets its wires and buses carry (each entry of a name list on its own), with the count of
// objects carrying each and the name each object carried when last looked at. With it the node
// follows changed wires and buses by the names they carried before and carry now, without
// looking at the other objects.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/CString.h"

class CDrawDoc;
class CDrawObj;

// The names a net's name stands for: the entries of its list, or the name itself when it is
// plain or its list is empty.
void ForEachNetName(const CString& name, const std::function<void(const CString&)>& visit);

class CDesignTreeNetNames {
public:
    // A name whose carriers changed, and whether it was shown before and is shown now.
    struct Change {
        CString name;
        bool before;
        bool now;
    };
    // A changed object and what it is now: null when it has left the document.
    struct Changed {
        const CDrawObj* object;
        CDrawObj* now;
    };

    // Counts the names of every object of the document afresh; visit sees each name once, in
    // the order of the objects.
    void Gather(CDrawDoc* doc, const std::function<void(const CString&)>& visit);
    // Counts the changed objects again; the names whose carriers changed, each once.
    std::vector<Change> Follow(const std::vector<Changed>& changed);

private:
    void Count(const CString& carried, int delta, std::unordered_map<std::string, int>& before);

    std::unordered_map<std::string, int> m_carriers;         // per name shown
    std::unordered_map<const CDrawObj*, CString> m_carried;  // per object carrying a net
};
