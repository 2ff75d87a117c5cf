#pragma once
// The record of the links between wires, pins and attribute texts. Commands and tools collect
// the links of the objects they change, release them, change the objects, then restore the
// links or redirect them to replacement objects. What a record means, and how a link is broken
// or made, is up to the objects (CDrawObj::CollectConnections, Disconnect and Connect).

#include <span>
#include <vector>

class CDrawObj;
class CObject;
class CObList;

constexpr int kNoLinkPlace = -1;

class CConnectionRecord {
public:
    CDrawObj* object = nullptr;   // recorded the link; breaks and remakes it
    int end = 0;                  // which end or side of the link
    CDrawObj* partner = nullptr;  // the other object of the link
    CDrawObj* extra = nullptr;    // a third object when the link needs one
    // Where object stood, when the link was recorded, in the list that the partner (or, for
    // a text of the document, the document) keeps of such objects, and in the extra's list:
    // a shown text in its owner's texts, a wire in the junctions of the wire it ends on.
    int partnerPlace = kNoLinkPlace;
    int extraPlace = kNoLinkPlace;

    bool operator==(const CConnectionRecord&) const = default;
};

// A link remade in a list that its owner keeps in order: the item goes back to index.
struct CLinkPlace {
    CObList* list;
    CObject* item;
    int index;
};

// The index of item in list: the place to record for a link; kNoLinkPlace without either.
int LinkPlaceIn(const CObList* list, const CObject* item);

// The records in the order they were added. The list owns its records, never the objects.
// Release and Restore call into every recorded object: an object that was deleted must be
// taken out with Remove first.
class CConnectionList {
public:
    static constexpr int kDefaultGrowth = 10;

    // The capacity grows in steps of growth records; a step below 1 counts as 1.
    explicit CConnectionList(int growth = kDefaultGrowth);
    // The copy holds exactly the source's records.
    CConnectionList(const CConnectionList& other);
    CConnectionList& operator=(const CConnectionList&) = delete;
    virtual ~CConnectionList() = default;

    int GetCount() const { return static_cast<int>(m_records.size()); }
    int GetCapacity() const { return m_capacity; }
    int GetGrowth() const { return m_growth; }
    const CConnectionRecord& GetAt(int index) const { return m_records.at(index); }

    void Add(const CConnectionRecord& record);
    // Forgets every record; the capacity stays.
    void RemoveAll() { m_records.clear(); }

    // Marks all the objects, has each record its links in list order, then unmarks them all:
    // links between two of the objects are left out.
    void Collect(const CObList& objects);
    void Collect(std::span<CDrawObj* const> objects);
    // Has each object record its links and then marks it, in list order; finally unmarks all.
    // A link between two of the objects is recorded once, by the first of them.
    void CollectInOrder(const CObList& objects);
    void CollectInOrder(std::span<CDrawObj* const> objects);
    // Collect, then Release.
    void CollectAndRelease(const CObList& objects);
    void CollectAndRelease(std::span<CDrawObj* const> objects);

    // Asks each record's object, in order, to break (Release) or remake (Restore) its link.
    // Restore then puts each remade link back in its recorded place in its owner's list.
    void Release() const;
    void Restore() const;
    // Points the object, partner and extra fields that name oldObject at newObject.
    void Replace(const CDrawObj* oldObject, CDrawObj* newObject);
    // Deletes every record that names the object in its object, partner or extra field.
    void Remove(const CDrawObj* object);

private:
    int m_growth;
    int m_capacity = 0;
    std::vector<CConnectionRecord> m_records;
};
