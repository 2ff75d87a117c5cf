#include "platform/ObList.h"

#include <unordered_set>
#include <vector>

#include "platform/Object.h"

void DeleteListedObjects(CObList& list) {
    std::vector<CObject*> owned;
    std::unordered_set<const CObject*> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CObject* object = list.GetNext(pos);
        if (seen.insert(object).second)
            owned.push_back(object);
    }
    list.RemoveAll();
    for (CObject* object : owned)
        delete object;
}
