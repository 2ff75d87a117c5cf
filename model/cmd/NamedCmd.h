#pragma once
// CNamedCmd: objects of the document replaced by copies that the caller then edits, under a
// name the caller gives ("object properties", "text properties"...). Doing puts the copies in
// the places of the originals, undoing puts the originals back; the links of each set with the
// rest of the sheet, and among the objects of the set, move with them. The command owns the
// set that is outside the document and deletes it with itself. The attribute texts the sets
// hand over come back to the rectangles they had with the set that comes in.

#include <vector>

#include "model/cmd/AttrTextPlaces.h"
#include "model/undo/Command.h"
#include "model/undo/ConnectionList.h"
#include "platform/CString.h"
#include "platform/ObList.h"

class CNamedCmd : public CCommand {
public:
    CNamedCmd() = default;
    ~CNamedCmd() override;
    CNamedCmd(const CNamedCmd&) = delete;
    CNamedCmd& operator=(const CNamedCmd&) = delete;

    // Copies each object for the document (Clone) and puts the copies in their places, done.
    // The caller edits the copies (GetCopies), then records the command with CUndoList::Add.
    // FALSE, changing nothing, when an object is not in the document or cannot be copied.
    // Only once per command.
    BOOL BeginEdit(CDrawDoc* doc, const CObList& objects, const char* name);
    CObList& GetCopies() { return m_copies; }
    CObList& GetOriginals() { return m_originals; }
    // Whether the copies, with their links, are now stored as the originals were when the
    // edit began: an edit that changed nothing.
    bool CopiesAreUnchanged(CDrawDoc* doc) const;

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return m_name; }

private:
    // Breaks the links of the set in the document, puts the other set in its places, remakes
    // the links kept for the other set and keeps the links of the one taken out.
    BOOL Swap(CDrawDoc* doc, CObList& out, CConnectionList& outLinks, CObList& in,
              const CConnectionList& inLinks);

    CObList m_originals;
    CObList m_copies;
    CConnectionList m_originalLinks;
    CConnectionList m_copyLinks;
    std::vector<BYTE> m_originalBytes;  // the originals as stored when the edit began
    AttrTextPlaces m_texts;             // the texts the sets hand over, where each set has them
    CString m_name;
    BOOL m_done = FALSE;
};
