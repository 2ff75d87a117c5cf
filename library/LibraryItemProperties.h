#pragma once
// What the "Library Item Properties" and "Modify Library Description" dialogs decide without
// their windows: the name, description and type a set of objects proposes, the device-only
// record, the counts of a library's items, and the properties of an existing record changed
// in place.

#include <functional>

#include "platform/CString.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CLibraryFile;

// Bits of LibraryItemForm::flags.
constexpr UINT kItemKeepDescription = 0x01;
constexpr UINT kItemKeepName = 0x02;
constexpr UINT kItemKeepType = 0x04;
constexpr UINT kItemBareDevice = 0x08;  // the objects are one device and nothing else
constexpr UINT kItemNoReplacePrompt = 0x10;
constexpr UINT kItemNoNameCheck = 0x20;
constexpr UINT kItemEditRecord = 0x27;  // an existing record: keep name, description and type

constexpr int kMaxItemNameLength = 50;

struct LibraryItemForm {
    CString name;
    CString description;
    int type = -1;  // kItemSymbol, kItemCircuit or kItemDevice
    bool symbolAllowed = true;
    bool deviceAllowed = true;
    UINT flags = 0;
};

// Fills the form from the objects: a bare device, or the symbols, nets and devices among
// them propose the type, name and description, unless the flags keep the caller's.
void InspectItemObjects(const CObList& objects, LibraryItemForm& form);

// For a device record: the objects give way to the device of the first object that has
// one (deleted objects; the device is then the list's only entry). False when none has one.
bool ReduceToDevice(CObList& objects);

struct LibraryCounts {
    int symbols = 0;
    int devices = 0;
    int circuits = 0;
};
// The records of each kind; a library damaged behind some records is told and its readable
// records counted.
LibraryCounts CountLibraryItems(CLibraryFile& library);

// Shows the form of record index of an open, writable library (objects as stored, a device
// record as its device) and stores what the dialog answers. A record whose objects stay as
// they were keeps its data bytes. The dialog returns false when cancelled. False when
// nothing was changed; a record that cannot be read is told, and the dialog is not shown; a
// library damaged behind some records is told after the dialog, and left as it was.
using LibraryItemEditor = std::function<bool(LibraryItemForm& form, CObList& objects)>;
BOOL EditItemProperties(CLibraryFile& library, int index, const LibraryItemEditor& dialog);
