#pragma once
// CRerouteCmd: a wire replaced by a re-routed copy ("wire re-route"). It keeps both wires and
// the links of each; doing puts the new wire in the old one's place in the document's list
// with its links, undoing puts the old one back with its own. The command owns the wire that
// is outside the document and deletes it with itself.

#include "model/undo/Command.h"
#include "model/undo/ConnectionList.h"

class CRerouteCmd : public CCommand {
public:
    // Recorded after the edit: the new wire stands in the document with its links.
    CRerouteCmd(CDrawObj* oldWire, CDrawObj* newWire, const CConnectionList& before,
                const CConnectionList& after)
        : m_old(oldWire), m_new(newWire), m_before(before), m_after(after) {}
    ~CRerouteCmd() override;
    CRerouteCmd(const CRerouteCmd&) = delete;
    CRerouteCmd& operator=(const CRerouteCmd&) = delete;

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "wire re-route"; }

private:
    // Breaks the links of one wire, makes those of the other and exchanges them in the list;
    // FALSE, changing nothing, when the first is not in the document.
    BOOL Exchange(CDrawDoc* doc, CDrawObj* out, CDrawObj* in, const CConnectionList& outLinks,
                  const CConnectionList& inLinks);

    CDrawObj* m_old;
    CDrawObj* m_new;
    CConnectionList m_before;
    CConnectionList m_after;
    bool m_done = true;
};
