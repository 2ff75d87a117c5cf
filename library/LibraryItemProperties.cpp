#include "library/LibraryItemProperties.h"

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "model/object/DrawObj.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

namespace {

struct ObjectSurvey {
    bool bareDevice = false;
    int nets = 0;
    int symbols = 0;
    int devices = 0;
    CDrawObj* lastSymbol = nullptr;
    CDevice* lastDevice = nullptr;
};

ObjectSurvey Survey(const CObList& objects) {
    ObjectSurvey survey;
    if (!objects.IsEmpty()) {
        if (auto* device = dynamic_cast<CDevice*>(objects.GetHead())) {
            survey.bareDevice = true;
            survey.devices = 1;
            survey.lastDevice = device;
            return survey;
        }
    }
    CDevice* previous = nullptr;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(objects.GetNext(pos));
        if (!object)
            continue;
        if (object->GetNet())
            ++survey.nets;
        if (object->GetObjType() == kObjSymbol) {
            ++survey.symbols;
            survey.lastSymbol = object;
        }
        CDevice* device = object->GetDevice();
        if (device && device != previous) {
            ++survey.devices;
            survey.lastDevice = device;
        }
        previous = device;
    }
    return survey;
}

// The record's data: the count, then each object.
void Archive(const CObList& objects, CMemFile& data) {
    CArchive ar(&data, CArchive::store);
    ar.WriteCount(static_cast<DWORD>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
}

void DeleteAll(CObList& objects) {
    while (!objects.IsEmpty())
        delete objects.RemoveHead();
}

// Writes the reduced objects in place of the record, after the record of the same name (if
// any) was given up; FALSE when the user keeps that one or the library refused.
BOOL StoreReplacement(CLibraryFile& library, int index, CLibraryItem& entry,
                      const CObList& objects) {
    CLibraryItem other;
    const int found = library.FindItem(other, entry.m_name);
    if (found != kItemNotFound && found != index) {
        if (AfxMessageBox(library.ReplaceQuestion(entry.m_name), MB_YESNO | MB_ICONQUESTION) !=
                IDYES ||
            !library.RemoveItem(found))
            return FALSE;
        if (found < index)
            --index;
    }
    CMemFile data;
    Archive(objects, data);
    const auto length = static_cast<UINT>(data.GetLength());
    data.SeekToBegin();
    return library.ReplaceItem(index, entry, data, length);
}

// Loads the objects of record index; FALSE, with the user told why, when it cannot be read.
BOOL ReadRecordObjects(CLibraryFile& library, int index, CLibraryItem& record, CObList& objects) {
    ItemObjectsRead read = ItemObjectsRead::kTruncated;
    if (library.SeekToItem(index, record))
        read = library.ReadItemObjectsOrReport(nullptr, record, objects);
    if (read == ItemObjectsRead::kTruncated)
        AfxMessageBox("Error - could not read library (truncated record)", MB_ICONEXCLAMATION);
    return read == ItemObjectsRead::kRead;
}

}  // namespace

void InspectItemObjects(const CObList& objects, LibraryItemForm& form) {
    const ObjectSurvey survey = Survey(objects);
    if (survey.bareDevice)
        form.flags |= kItemBareDevice;
    if (!(form.flags & kItemKeepType))
        form.type = kItemCircuit;
    if (survey.symbols == 1 && survey.nets == 0) {
        if (!(form.flags & kItemKeepName))
            form.name = survey.lastSymbol->GetAttr("_Name");
        if (!(form.flags & kItemKeepType))
            form.type = kItemSymbol;
    } else {
        form.symbolAllowed = false;
        if (form.type == kItemSymbol)
            form.type = kItemCircuit;
    }
    if (survey.devices == 1) {
        if (!(form.flags & kItemKeepDescription))
            form.description = survey.lastDevice->GetAttr("_Desc");
        if (!(form.flags & kItemKeepName))
            form.name = survey.lastDevice->GetAttr("_Name");
        if (!(form.flags & kItemKeepType))
            form.type = kItemDevice;
    } else {
        form.deviceAllowed = false;
        if (form.type == kItemDevice)
            form.type = kItemCircuit;
    }
}

bool ReduceToDevice(CObList& objects) {
    CDevice* device = nullptr;
    for (POSITION pos = objects.GetHeadPosition(); pos && !device;) {
        auto* object = dynamic_cast<CDrawObj*>(objects.GetNext(pos));
        device = object ? object->GetDevice() : nullptr;
    }
    if (!device)
        return false;
    // The device outlives the objects that held it.
    auto* kept = new CDevice(*device);
    DeleteAll(objects);
    objects.AddTail(kept);
    return true;
}

LibraryCounts CountLibraryItems(CLibraryFile& library) {
    LibraryCounts counts;
    library.VisitItemHeadersOrReport([&counts](int, const CLibraryItem& item) {
        if (item.m_type == kItemSymbol)
            ++counts.symbols;
        else if (item.m_type == kItemDevice)
            ++counts.devices;
        else if (item.m_type == kItemCircuit)
            ++counts.circuits;
    });
    return counts;
}

BOOL EditItemProperties(CLibraryFile& library, int index, const LibraryItemEditor& dialog) {
    CLibraryItem record;
    CObList objects;
    if (!ReadRecordObjects(library, index, record, objects))
        return FALSE;
    LibraryItemForm form{record.m_name, record.m_description, record.m_type};
    form.flags = kItemEditRecord;
    InspectItemObjects(objects, form);
    const bool wasBare = (form.flags & kItemBareDevice) != 0;
    BOOL changed = FALSE;
    // The changed record goes to the end of the library.
    if (dialog(form, objects) && library.AllItemsReadableOrReport()) {
        CLibraryItem entry(form.name, form.description, form.type);
        // A device record holds its device alone, also one written before with its symbol.
        const bool reduced = !wasBare && form.type == kItemDevice;
        if (reduced)
            changed = ReduceToDevice(objects) && StoreReplacement(library, index, entry, objects);
        else
            changed = library.UpdateItem(index, entry,
                                         kUpdateName | kUpdateDescription | kUpdateType) == 1;
    }
    DeleteAll(objects);
    return changed;
}
