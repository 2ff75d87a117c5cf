#pragma once
// The archive forms of the framework's collections, as their own Serialize writes them:
// a string map as its count and then each key and value; an object list as its count and then
// each object (a reference when the archive has written or read it before).

#include <functional>

class CArchive;
class CMapStringToString;
class CString;
class CObList;
struct CRuntimeClass;

// Loading adds the pairs read to the map, those whose key `accept` takes when it is given. A key
// enters the map at the head of its chain, so the pairs go in from the last: the map then lists
// them in file order and stores them back the same way. Of a key stored twice the later value
// counts.
void SerializeStringMap(CArchive& ar, CMapStringToString& map,
                        const std::function<bool(const CString&)>& accept = {});
// Loading appends the objects read, each of class expected (null accepts any), leaving out
// null entries of a damaged list; an object of another class ends the load with a badClass
// archive exception.
void SerializeObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected);
// The same for a list that owns its objects: each object read is claimed (CArchive::
// ClaimObject), so that damage making two lists hold one object ends the load.
void SerializeOwnedObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected);
