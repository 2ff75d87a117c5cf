#pragma once
// CDocChangeLog: what a document's recorded edits changed, for readers that follow the
// document and want to look again only at what changed (the design tree). Each change is one
// entry: the drawing objects it added, removed or changed, with their type codes read when the
// change was noted, or, for an edit that cannot name its objects, a mark that anything may
// have changed. A reader keeps the count it has seen and asks for the objects noted since.
// An edit of more objects than kMostNamed is noted as one that may have changed anything: after
// so large an edit a reader does better to look at everything again, and the log, which keeps
// its newest changes whole, stays small.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class CDrawObj;

class CDocChangeLog {
public:
    static constexpr std::size_t kMostNamed = 4096;

    struct Object {
        const CDrawObj* object;  // not to be used unless found in the document
        int type;                // its type code when noted
    };

    // Changes noted so far.
    std::uint64_t Count() const { return m_count; }
    void Note(const std::vector<CDrawObj*>& objects);
    void NoteUnknown();
    // Appends the objects of the changes after the first seen ones; false when one of them
    // could not name its objects, when they are no longer kept, or when seen is beyond Count.
    bool ObjectsSince(std::uint64_t seen, std::vector<Object>& objects) const;

private:
    struct Change {
        bool known;
        std::vector<Object> objects;
    };
    static constexpr std::size_t kKept = 64;

    void Append(Change change);

    std::deque<Change> m_changes;  // the newest kKept
    std::uint64_t m_count = 0;
};
