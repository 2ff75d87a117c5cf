#include "library/LibraryPicker.h"

#include <stdexcept>

#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/device/Device.h"
#include "model/object/DrawObj.h"
#include "platform/UserPrompt.h"

const LibraryDeviceTexts kDevGeneralLibraryTexts{"Error reading library item data.",
                                                 "Error reading library."};
const LibraryDeviceTexts kChooseDeviceLibraryTexts{
    "Error - could not read library (truncated record)",
    "Error - could not read library (truncated record)"};

namespace {

// The device of loaded objects: the lone device, else that of the first object with one.
CDevice* DeviceOf(const CObList& objects) {
    if (objects.GetCount() == 1) {
        if (auto* device = dynamic_cast<CDevice*>(objects.GetHead()))
            return device;
    }
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = dynamic_cast<CDrawObj*>(objects.GetNext(pos));
        if (CDevice* device = object ? object->GetDevice() : nullptr)
            return device;
    }
    return nullptr;
}

// Deletes loaded objects, a lone device only when nobody holds it.
void DeleteObjects(CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CObject* object = objects.GetNext(pos);
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device || device->GetRefCount() == 0)
            delete object;
    }
    objects.RemoveAll();
}

// Opens the chosen item's library for reading; FALSE after telling the user.
BOOL OpenChosenLibrary(CLibraryFile& library, const SearchChoice& choice) {
    if (library.Open(choice.library.c_str()))
        return TRUE;
    CString message;
    message.Format("Error - Library %s could not be opened.", choice.library.c_str());
    AfxMessageBox(message);
    return FALSE;
}

}  // namespace

CDevice* LoadRecordDevice(CLibraryFile& library, const CLibraryItem& entry,
                          RecordDeviceRead& read) {
    CObList objects;
    try {
        if (!library.ReadItemObjects(nullptr, entry, objects)) {
            read = RecordDeviceRead::kShort;
            return nullptr;
        }
    } catch (const std::runtime_error&) {
        read = RecordDeviceRead::kDamaged;
        return nullptr;
    }
    read = RecordDeviceRead::kRead;
    CDevice* device = DeviceOf(objects);
    if (device)
        device->AddRef();
    DeleteObjects(objects);
    return device;
}

CLibrarySearchFilter::CallerFilter FittingDeviceFilter(std::function<bool(const CDevice&)> fits) {
    return [fits = std::move(fits)](CLibraryFile& library, const CLibraryItem& item) {
        if (item.m_type != kItemDevice)
            return false;
        CLibraryItem entry;
        library.GetFile()->Seek(item.m_position, CFile::begin);
        if (!library.ReadItemHeader(entry, FALSE))
            return false;
        RecordDeviceRead read;
        CDevice* device = LoadRecordDevice(library, entry, read);
        const bool fitting = device && fits(*device);
        if (device)
            device->Release();
        return fitting;
    };
}

CDevice* PickLibraryDevice(const std::function<bool(const CDevice&)>& fits,
                           const LibraryDeviceTexts& texts) {
    const std::optional<SearchChoice> choice = Installed<ILibraryPicker>::Get().PickLibraryItem(
        kSearchDevices | kSearchSingleChoice, FittingDeviceFilter(fits));
    if (!choice)
        return nullptr;
    CLibraryFile library;
    if (!OpenChosenLibrary(library, *choice))
        return nullptr;
    CLibraryItem entry;
    if (!library.SeekToItem(choice->index, entry)) {
        AfxMessageBox("Error reading library item", MB_ICONEXCLAMATION);
        return nullptr;
    }
    RecordDeviceRead read;
    CDevice* device = LoadRecordDevice(library, entry, read);
    if (read != RecordDeviceRead::kRead)
        AfxMessageBox(read == RecordDeviceRead::kShort ? texts.shortData : texts.damagedData,
                      MB_ICONEXCLAMATION);
    return device;
}

CString PickLibraryFootprint() {
    const std::optional<SearchChoice> choice = Installed<ILibraryPicker>::Get().PickLibraryItem(
        kSearchSingleChoice | kSearchFootprints, nullptr);
    return choice ? choice->name : CString();
}

std::vector<std::unique_ptr<CLibraryItemData>> ReadChosenItems(
    const std::vector<SearchChoice>& choices) {
    std::vector<std::unique_ptr<CLibraryItemData>> items;
    for (const SearchChoice& choice : choices) {
        CLibraryFile library;
        if (!OpenChosenLibrary(library, choice))
            continue;
        auto item = std::make_unique<CLibraryItemData>();
        if (library.ReadItemOrReport(nullptr, choice.index, *item))
            items.push_back(std::move(item));
    }
    return items;
}
