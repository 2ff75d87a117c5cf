#pragma once
// CObjectSetCmd: what adding and removing objects share. It keeps each object with the object
// that followed it in the document's list, the links between these objects and the rest of the
// sheet, and whether the objects are in the document. While they are outside it owns them: the
// destructor deletes them then.

#include <span>
#include <vector>

#include "model/undo/Command.h"
#include "model/undo/ConnectionList.h"

class CObList;
class ObjectPlaces;

class CObjectSetCmd : public CCommand {
public:
    ~CObjectSetCmd() override;
    CObjectSetCmd(const CObjectSetCmd&) = delete;
    CObjectSetCmd& operator=(const CObjectSetCmd&) = delete;

    int GetObjectCount() const { return static_cast<int>(m_objects.size()); }
    CDrawObj* GetObjectAt(int index) const { return m_objects.at(index); }
    BOOL IsInDocument() const { return m_inDocument; }
    // The objects added or removed.
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;

protected:
    // Null objects and repeats are left out.
    CObjectSetCmd(const CObList& objects, BOOL inDocument);
    CObjectSetCmd(std::span<CDrawObj* const> objects, BOOL inDocument);
    CObjectSetCmd(CDrawObj* object, BOOL inDocument);

    // Remakes the recorded links and puts each object back before its recorded follower (at the
    // tail when it has none or the follower has left the list); the objects join the selection.
    // FALSE, leaving the document as it was, when some of them are in the list already; the
    // command then lets go of those.
    BOOL LinkIn(CDrawDoc* doc);
    // Records and breaks the objects' links with the rest, then takes them out from the last to
    // the first, recording each one's follower; they leave the selection. Objects that stand
    // together at the list's tail in their order, as after an add, are cut off at once and need
    // no followers. FALSE, changing nothing, when one of them is not in the list.
    BOOL TakeOut(CDrawDoc* doc);
    // one for a single object, else many.
    const char* Label(const char* one, const char* many) const {
        return m_objects.size() == 1 ? one : many;
    }

private:
    // Leaves out null objects and repeats.
    void KeepFirstOfEach();
    // Takes the objects out one by one, recording each one's follower; false, changing nothing,
    // when one of them is not in the list.
    bool TakeOutEach(CObList& objects);
    void ReleaseLinks();
    // The position of the first object when the objects stand at the list's tail in their
    // order; else null.
    POSITION TailRunStart(const CObList& objects) const;
    // Each object's position in the list; false when one of them is not in it.
    bool FindPositions(CObList& objects, std::vector<POSITION>& at) const;
    bool ReleaseObjectsIn(ObjectPlaces& places);
    bool ReleaseObjectsIn(const CObList& list);
    // Lets go of the objects marked listed; TRUE when there were any.
    bool LetGoOf(const std::vector<bool>& listed);
    void TellViews(CDrawDoc* doc, int how);
    // The recorded follower of the index-th object; null when it goes to the tail.
    CDrawObj* FollowerOf(std::size_t index) const {
        return m_followers.empty() ? nullptr : m_followers[index];
    }

    std::vector<CDrawObj*> m_objects;
    // Each object's follower, null to append it at the tail; none at all when all of them go
    // to the tail: until the objects are first taken out, and after they were cut off the tail.
    std::vector<CDrawObj*> m_followers;
    CConnectionList m_links;
    BOOL m_inDocument;
};
