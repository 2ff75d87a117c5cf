#pragma once
// What the "Device Properties" dialog edits, without its window: the device's name, prefix,
// footprint, description and library, its hidden pins and its symbol map as rows of cells.
// OK validates everything first and only then stores all values together, so a refusal or a
// Cancel leaves the shared device as it was.

#include <array>
#include <optional>
#include <vector>

#include "platform/CString.h"

class CDevice;

// The dialog's fields, in the order the device checks and stores them.
enum DeviceField : int {
    kDeviceFieldName = 0,
    kDeviceFieldPrefix,
    kDeviceFieldDescription,
    kDeviceFieldFootprint,
    kDeviceFieldPath,
    kDeviceFieldCount
};

constexpr int kMaxFootprintLength = 80;
constexpr int kMaxDescriptionLength = 320;

// A problem OK found: the message, and the cell (row and column of the map) or field at
// fault. A question asks whether to force a field's value anyway.
struct DeviceFormProblem {
    CString message;
    int row = -1;
    int column = -1;
    int field = -1;
    bool question = false;
};

// What a device's check code means: the reason of a positive code ("must have a name."), the
// question of a negative one ("... Do you wish to force property change?").
CString DeviceCheckReason(int code);
CString DeviceCheckQuestion(int code);

struct DeviceForm {
    using Row = std::vector<CString>;

    std::array<CString, kDeviceFieldCount> fields;
    // Row 0: the hidden pins, pairs of pin name and number from column 2 on. Each further
    // row one symbol: name, instance, then pairs of pin name and number.
    std::vector<Row> rows{Row{}};

    // A new device's form: "New Device", "X", "Device description".
    static DeviceForm NewDevice();
    static DeviceForm Load(const CDevice& device);

    // The "_Implicit" and "_Map" texts of the rows; a problem when a row lacks a name or a
    // number, or a hidden pin's name or number would not read back from "_Implicit" as
    // itself. Pairs and symbol rows left wholly empty are passed over.
    std::optional<DeviceFormProblem> BuildTexts(CString& implicit, CString& map) const;
    // Everything OK checks, in order: the rows, the map and the fields as the device judges
    // them. Fields whose bit is set in forced are taken without the device's judgement.
    std::optional<DeviceFormProblem> Check(const CDevice& device, unsigned forced) const;
    // Stores every value; call after Check found no problem. Forced fields are stored with
    // force. A value the device already holds, as the same pins or the same map in another
    // form, is left as it is stored.
    void Store(CDevice& device, unsigned forced) const;
    // The hidden pins whose net the user would not see change: each pin (matched by number,
    // else by name) that the rows add, or to which they give another net than the device as
    // seen (the edited copy: what Power Pins shows), and each left on no net unless the
    // original device had it so already. One question listing them all, naming the first one's
    // cell; none when there is nothing to tell.
    std::optional<DeviceFormProblem> HiddenPinNetChanges(const CDevice& original,
                                                         const CDevice& seen) const;
    // Stores a hidden-pin list unless the device holds the same pins already. A pin renamed
    // keeps its net: the "<name>.Net" attribute follows the new name.
    static void StoreImplicit(CDevice& device, const CString& implicit);
    // Stores the five fields only.
    void StoreFields(CDevice& device, unsigned forced) const;
};
