// Library records as drawing objects: storing an object list as a record and loading a
// record's objects for a document.

#include <stdexcept>
#include <vector>

#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/doc/AttrTextListGuard.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

namespace {

constexpr UINT kStoreGrowBytes = 1024;
constexpr UINT kLoadGrowBytes = 4096;
constexpr UINT kArchiveBufferSize = 4096;
constexpr int kConnectionGrowth = 10;
// The least bytes an object of a list takes in the archive: its tag.
constexpr DWORD kMinObjectBytes = 2;

// Deletes loaded objects. A device goes only when no symbol holds it: those that do let go
// of it themselves, so devices are looked at while every symbol still lives.
void DeleteLoaded(const std::vector<CObject*>& objects) {
    std::vector<CObject*> rest;
    for (CObject* object : objects) {
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device)
            rest.push_back(object);
        else if (device->GetRefCount() == 0)
            delete device;
    }
    for (CObject* object : rest)
        delete object;
}

std::vector<CDrawObj*> DrawingObjects(const CObList& objects) {
    std::vector<CDrawObj*> drawObjs;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (auto* drawObj = dynamic_cast<CDrawObj*>(objects.GetNext(pos)))
            drawObjs.push_back(drawObj);
    }
    return drawObjs;
}

void StoreList(const CObList& objects, CFile& file) {
    CArchive ar(&file, CArchive::store, kArchiveBufferSize);
    ar.WriteCount(static_cast<DWORD>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
}

// Reads an archived object list; each object stands in it once and belongs to no other
// object. On failure every object read so far is deleted, those read inside the others'
// records too, the document's text list is as it was, and the exception passes on.
std::vector<CObject*> LoadList(CFile& file, CDrawDoc* document) {
    CArchive ar(&file, CArchive::load, kArchiveBufferSize);
    ar.m_pDocument = document;
    AttrTextListGuard texts(document);
    std::vector<CObject*> objects;
    try {
        for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
            CObject* object = ar.ReadObject(nullptr);
            if (!object)
                continue;
            ar.ClaimObject(object);
            objects.push_back(object);
        }
    } catch (...) {
        DeleteLoaded(objects);
        ar.DeleteUnclaimed(RUNTIME_CLASS(CDrawObj));
        texts.Restore();
        throw;
    }
    return objects;
}

// Only drawing objects go on to previews and views, and the lone device of a device record;
// anything else a record holds is dropped.
std::vector<CObject*> KeepDrawingObjects(const std::vector<CObject*>& objects, int type) {
    if (type == kItemDevice && objects.size() == 1 && dynamic_cast<CDevice*>(objects.front()))
        return objects;
    std::vector<CObject*> kept;
    std::vector<CObject*> dropped;
    for (CObject* object : objects)
        (dynamic_cast<CDrawObj*>(object) ? kept : dropped).push_back(object);
    DeleteLoaded(dropped);
    return kept;
}

// A symbol taken from a library has no identifier yet.
void ClearSymbolId(const std::vector<CObject*>& objects) {
    for (CObject* object : objects) {
        auto* drawObj = static_cast<CDrawObj*>(object);
        if (drawObj->GetObjType() == kObjSymbol) {
            drawObj->SetAttr(GetStdAttrName(kStdAttrId), "", kSetAttrForce);
            return;
        }
    }
}

// Deletes the device at the end of a scope unless a symbol took it.
class UnheldDeviceGuard {
public:
    explicit UnheldDeviceGuard(CDevice* device) : m_device(device) {}
    UnheldDeviceGuard(const UnheldDeviceGuard&) = delete;
    UnheldDeviceGuard& operator=(const UnheldDeviceGuard&) = delete;
    ~UnheldDeviceGuard() {
        if (m_device->GetRefCount() == 0)
            delete m_device;
    }

private:
    CDevice* m_device;
};

// The device a record loaded as its only object, taken out of the list; null otherwise.
CDevice* TakeLoneDevice(CObList& objects) {
    if (objects.GetCount() != 1)
        return nullptr;
    auto* device = dynamic_cast<CDevice*>(objects.GetHead());
    if (device)
        objects.RemoveAll();
    return device;
}

}  // namespace

BOOL CLibraryFile::AddObjects(CObList* objects, CObject* object, const char* name,
                              const char* description) {
    CObList list;
    if (objects)
        list.AddTail(objects);
    else if (object)
        list.AddTail(object);
    CLibraryItem item(name, description, kItemDevice);
    return AddObjectList(list, item, FALSE);
}

BOOL CLibraryFile::AddObjectList(const CObList& objects, CLibraryItem& item, BOOL keepConnections,
                                 int replacing) {
    CMemFile data(kStoreGrowBytes);
    const std::vector<CDrawObj*> drawObjs = DrawingObjects(objects);
    CConnectionList links(kConnectionGrowth);
    if (!keepConnections)
        links.CollectAndRelease(drawObjs);
    try {
        StoreList(objects, data);
    } catch (...) {
        links.Restore();
        throw;
    }
    links.Restore();
    if (replacing == kItemNotFound)
        return AddItem(item, data);
    const auto length = static_cast<UINT>(data.GetLength());
    data.SeekToBegin();
    return ReplaceItem(replacing, item, data, length);
}

BOOL CLibraryFile::ReadItemObjects(CDrawDoc* document, const CLibraryItem& entry,
                                   CObList& objects) {
    CMemFile data(kLoadGrowBytes);
    const auto length = static_cast<UINT>(entry.m_dataLength);
    if (CopyItemData(length, data) != length)
        return FALSE;
    data.SeekToBegin();
    const std::vector<CObject*> loaded = KeepDrawingObjects(LoadList(data, document), entry.m_type);
    if (entry.m_type == kItemSymbol)
        ClearSymbolId(loaded);
    for (CObject* object : loaded)
        objects.AddTail(object);
    return TRUE;
}

ItemObjectsRead CLibraryFile::ReadItemObjectsOrReport(CDrawDoc* document, const CLibraryItem& entry,
                                                      CObList& objects) {
    try {
        return ReadItemObjects(document, entry, objects) ? ItemObjectsRead::kRead
                                                         : ItemObjectsRead::kTruncated;
    } catch (const std::runtime_error& damage) {
        ReportUnreadableItem(entry.m_name, damage);
        return ItemObjectsRead::kDamaged;
    }
}

BOOL CLibraryFile::ReadItem(CDrawDoc* document, int index, CLibraryItemData& item) {
    CLibraryItem entry;
    if (!SeekToItem(index, entry)) {
        AfxMessageBox("Error reading library item", MB_ICONEXCLAMATION);
        return FALSE;
    }
    item.m_name = entry.m_name;
    item.m_description = entry.m_description;
    item.m_type = entry.m_type;
    if (!ReadItemObjects(document, entry, item.m_objects)) {
        AfxMessageBox("Error - could not read library (truncated record)", MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (CDevice* device = TakeLoneDevice(item.m_objects))
        ExpandDevice(document, device, item);
    return TRUE;
}

BOOL CLibraryFile::ReadItemOrReport(CDrawDoc* document, int index, CLibraryItemData& item) {
    try {
        return ReadItem(document, index, item);
    } catch (const std::runtime_error& damage) {
        ReportUnreadableItem(item.m_name, damage);
        return FALSE;
    }
}

// The device's symbols take its place in the item; the device lives on in them, and goes
// when none could be made.
void CLibraryFile::ExpandDevice(CDrawDoc* document, CDevice* device, CLibraryItemData& item) {
    {
        const UnheldDeviceGuard guard(device);
        LoadDeviceSymbols(document, item.m_deviceSymbols, device);
    }
    item.ArrangeDeviceSymbols();
    for (size_t i = 0; i < item.m_deviceSymbols.size(); ++i) {
        if (StartsGate(item.m_deviceSymbols, i))
            item.m_objects.AddTail(&item.m_deviceSymbols[i]->m_objects);
    }
}
