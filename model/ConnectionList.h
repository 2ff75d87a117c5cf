#pragma once
// The record of links between objects that editing commands take apart and put together
// again: each record names the object that keeps the link and breaks or remakes it
// (Disconnect, Connect), which end of the link it is, and its partner. What a record means
// is the business of the objects that add it.

#include <vector>

#include "platform/Types.h"

class CDrawObj;
class CObject;

struct CConnectionRecord {
    CDrawObj* object = nullptr;  // the object that recorded the link
    int end = 0;                 // which end or side of the link
    CObject* partner = nullptr;  // the other side: an object, or the document for its texts
    CDrawObj* extra = nullptr;   // a third object when the link needs one
};

class CConnectionList {
public:
    void Add(const CConnectionRecord& record) { m_records.push_back(record); }
    int GetCount() const { return static_cast<int>(m_records.size()); }
    const CConnectionRecord& GetAt(int index) const { return m_records.at(index); }

private:
    std::vector<CConnectionRecord> m_records;
};
