#include "platform/CollectionArchive.h"

#include "platform/Archive.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

namespace {
// A string takes at least its one length byte.
constexpr DWORD kMinPairBytes = 2;
// An object takes at least its WORD tag.
constexpr DWORD kMinObjectBytes = 2;
}  // namespace

void SerializeStringMap(CArchive& ar, CMapStringToString& map) {
    CString key;
    CString value;
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(map.GetCount()));
        for (POSITION pos = map.GetStartPosition(); pos;) {
            map.GetNextAssoc(pos, key, value);
            ar << key << value;
        }
        return;
    }
    for (DWORD count = ar.ReadCheckedCount(kMinPairBytes); count > 0; --count) {
        ar >> key >> value;
        map.SetAt(key, value);
    }
}

void SerializeObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(list.GetCount()));
        for (POSITION pos = list.GetHeadPosition(); pos;)
            ar.WriteObject(list.GetNext(pos));
        return;
    }
    for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
        if (CObject* object = ar.ReadObject(expected))
            list.AddTail(object);
    }
}
