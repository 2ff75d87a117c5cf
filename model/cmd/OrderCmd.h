#pragma once
// COrderCmd: a change of drawing order ("order change"). The caller lists each object with the
// index it is to take in the document's list; doing moves the objects there in list order,
// keeping the index each came from, and undoing moves them back from the last to the first.

#include <vector>

#include "model/undo/Command.h"

class COrderCmd : public CCommand {
public:
    // index: the place from the head; one at or beyond the last place (the list's length for
    // instance) moves the object to the tail, a negative one to the head.
    void Add(CDrawObj* object, int index) { m_entries.push_back({object, index}); }
    BOOL IsEmpty() const { return m_entries.empty(); }

    // Both FALSE, changing nothing, when an object is not in the document.
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "order change"; }

private:
    struct Entry {
        CDrawObj* object;
        int index;
    };
    BOOL AllInDocument(CDrawDoc* doc) const;
    static void MoveTo(CDrawDoc* doc, Entry& entry);

    std::vector<Entry> m_entries;
};
