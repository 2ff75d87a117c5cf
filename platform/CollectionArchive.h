#pragma once
// The archive forms of the framework's collections, as their own Serialize writes them:
// a string map as its count and then each key and value; an object list as its count and then
// each object (a reference when the archive has written or read it before).

class CArchive;
class CMapStringToString;
class CObList;
struct CRuntimeClass;

// Loading adds the pairs read to the map (a repeated key keeps its last value).
void SerializeStringMap(CArchive& ar, CMapStringToString& map);
// Loading appends the objects read, each of class expected (null accepts any), leaving out
// null entries of a damaged list; an object of another class ends the load with a badClass
// archive exception.
void SerializeObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected);
