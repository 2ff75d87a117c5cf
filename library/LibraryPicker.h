#pragma once
// Items picked from the libraries for a dialog. The user searches the libraries in the Search
// Libraries window, which comes through the installed ILibraryPicker (tests script one;
// without one nothing is picked). The device-choosing dialogs get the device of the picked
// device record, read from its library; the Device Properties dialog gets a footprint's name.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "library/LibrarySearch.h"
#include "platform/Installed.h"

class CDevice;
class CLibraryItemData;

class ILibraryPicker {
public:
    virtual ~ILibraryPicker() = default;
    // Lets the user search the libraries for the items that the options (kSearch...) and the
    // filter admit, and choose one; none when the user chose nothing.
    virtual std::optional<SearchChoice> PickLibraryItem(
        UINT /*options*/, const CLibrarySearchFilter::CallerFilter& /*filter*/) {
        return std::nullopt;
    }
};

// How a dialog tells the user that the data of the picked device record cannot be read.
struct LibraryDeviceTexts {
    const char* shortData;    // the record's data end early
    const char* damagedData;  // the data do not load
};
// The words of the Device General page and of the Choose Device dialog.
extern const LibraryDeviceTexts kDevGeneralLibraryTexts;
extern const LibraryDeviceTexts kChooseDeviceLibraryTexts;

enum class RecordDeviceRead { kRead, kShort, kDamaged };

// Loads the record whose header was just read (the file at its data): its lone device, else
// the device of its first object that has one. The device comes with one reference that the
// caller takes over; every other object loaded is deleted. Null when the record holds no
// device or cannot be read; `read` tells which.
CDevice* LoadRecordDevice(CLibraryFile& library, const CLibraryItem& entry, RecordDeviceRead& read);

// The search's own filter for a device pick: device records whose device fits. It reads each
// record from the library the search has open.
CLibrarySearchFilter::CallerFilter FittingDeviceFilter(std::function<bool(const CDevice&)> fits);

// The user picks a device record whose device fits; its device, read from its library, with
// one reference that the caller takes over. Null when nothing was picked or the record could
// not be read, which the user has been told in the dialog's words.
CDevice* PickLibraryDevice(const std::function<bool(const CDevice&)>& fits,
                           const LibraryDeviceTexts& texts);

// The user picks a footprint item; its name, or empty when nothing was picked.
CString PickLibraryFootprint();

// The items chosen, each read from its library, in order. A library that cannot be opened is
// told and its item left out, as is a record that cannot be read (its reader tells why).
std::vector<std::unique_ptr<CLibraryItemData>> ReadChosenItems(
    const std::vector<SearchChoice>& choices);
