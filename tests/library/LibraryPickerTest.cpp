// Picking from the libraries for a dialog: a device search admits only the device records
// whose device fits, the picked record's device is read with one reference for the caller,
// each failure is told in the caller's words, and a footprint pick gives the item's name;
// the items chosen for placing are read library by library.

#include "library/LibraryPicker.h"

#include <gtest/gtest.h>

#include "LibraryTestBytes.h"
#include "library/LibraryItemData.h"
#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedLibraryPicker.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using namespace librarytest;
using testsupport::ScriptedLibraryPicker;
using testsupport::ScriptedPrompt;

CSymbol* Nand() {
    auto* symbol = new CSymbol();
    symbol->SetAttr("_Name", "NAND", kSetAttrForce);
    for (const char* id : {"A", "B", "Y"}) {
        auto* pin = new CPin(symbol);
        pin->SetAttr("_ID", id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
    }
    return symbol;
}

CDevice* Device(const char* name, const char* map) {
    auto* device = new CDevice(name);
    device->SetMap(MapText(map).c_str(), kMapApply);
    return device;
}

constexpr const char* kNandMap = "NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6";

class LibraryPicker : public ::testing::Test {
protected:
    LibraryPicker() {
        // A device record that holds a symbol with its device rather than the lone device.
        CSymbol* placed = Nand();
        CDevice* own = Device("7400S", kNandMap);
        own->AddRef();
        placed->SetDevice(own);
        testsupport::WriteFileBytes(
            dir / "parts.rlb",
            Join({FileHeader("parts", 5), Record("NAND", "", kItemSymbol, Archived({Nand()})),
                  Record("7400", "quad nand", kItemDevice, Archived({Device("7400", kNandMap)})),
                  Record("7402", "quad nor", kItemDevice,
                         Archived({Device("7402", "NOR|A|A|2|B|3|Y|1")})),
                  Record("7400S", "on its symbol", kItemDevice, Archived({placed})),
                  Record("DIP14", "footprint", kItemFootprint, {})}));
        symbol.reset(Nand());
    }

    CDevice* Pick(const LibraryDeviceTexts& texts = kDevGeneralLibraryTexts) {
        return PickLibraryDevice(
            [this](const CDevice& device) { return device.IsCompatibleWith(symbol.get()); }, texts);
    }

    testsupport::TempDir dir;
    std::unique_ptr<CSymbol> symbol;
};

TEST_F(LibraryPicker, ADeviceSearchOffersTheFittingDevicesAndReadsThePick) {
    for (const char* name : {"7400", "7400S"}) {
        SCOPED_TRACE(name);
        ScriptedLibraryPicker picker(dir.path(), name);
        CDevice* device = Pick();
        EXPECT_EQ(picker.options, kSearchDevices | kSearchSingleChoice);
        EXPECT_EQ(picker.found, (std::vector<std::string>{"7400", "7400S"}))
            << "neither the symbol, the device that does not fit nor the footprint";
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->GetAttr("_Name"), CString(name));
        EXPECT_EQ(device->GetRefCount(), 1) << "the caller's reference alone";
        EXPECT_TRUE(device->IsCompatibleWith(symbol.get()));
        device->Release();
    }
}

TEST_F(LibraryPicker, NothingPickedReadsNothingAndTellsNothing) {
    ScriptedPrompt prompt;
    ScriptedLibraryPicker picker(dir.path(), "");
    EXPECT_EQ(Pick(), nullptr);
    EXPECT_EQ(picker.calls, 1);
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(LibraryPicker, AFailedReadIsToldInTheCallersWords) {
    const Bytes nand = Archived({Device("7400", kNandMap)});
    Bytes truncated = Join({FileHeader("T", 1), Record("7400", "", kItemDevice, nand)});
    truncated.pop_back();
    testsupport::WriteFileBytes(dir / "short.rlb", truncated);
    testsupport::WriteFileBytes(
        dir / "bad.rlb",
        Join({FileHeader("B", 1),
              Record("7400", "", kItemDevice, {1, 0, 0x42, 0x42, 0x13, 0x37, 0, 0x99})}));
    const CString missing((dir / "missing.rlb").string());
    struct Case {
        const char* what;
        SearchChoice choice;
        const LibraryDeviceTexts& texts;
        std::string message;
    };
    const Case cases[] = {
        {"no library",
         {missing, "7400", 0, kItemDevice},
         kDevGeneralLibraryTexts,
         "Error - Library " + missing.str() + " could not be opened."},
        {"no such record",
         {CString((dir / "parts.rlb").string()), "X", 7, kItemDevice},
         kDevGeneralLibraryTexts,
         "Error reading library item"},
        {"short data",
         {CString((dir / "short.rlb").string()), "7400", 0, kItemDevice},
         kDevGeneralLibraryTexts,
         "Error reading library item data."},
        {"short data, choosing",
         {CString((dir / "short.rlb").string()), "7400", 0, kItemDevice},
         kChooseDeviceLibraryTexts,
         "Error - could not read library (truncated record)"},
        {"damaged data",
         {CString((dir / "bad.rlb").string()), "7400", 0, kItemDevice},
         kDevGeneralLibraryTexts,
         "Error reading library."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompt prompt({IDOK});
        ScriptedLibraryPicker picker(c.choice);
        EXPECT_EQ(Pick(c.texts), nullptr);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text.str(), c.message);
        EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
}

TEST_F(LibraryPicker, AFootprintPickGivesTheItemsName) {
    ScriptedLibraryPicker picker(dir.path(), "DIP14");
    EXPECT_EQ(PickLibraryFootprint(), CString("DIP14"));
    EXPECT_EQ(picker.options, kSearchSingleChoice | kSearchFootprints);
    EXPECT_EQ(picker.found, std::vector<std::string>{"DIP14"});

    ScriptedLibraryPicker nothing(dir.path(), "");
    EXPECT_EQ(PickLibraryFootprint(), CString());
}

TEST_F(LibraryPicker, ChosenItemsAreReadAndAnUnopenedLibraryIsTold) {
    const CString parts((dir / "parts.rlb").string());
    const CString missing((dir / "missing.rlb").string());
    ScriptedPrompt prompt({IDOK});
    const auto items = ReadChosenItems({{parts, "NAND", 0, kItemSymbol},
                                        {missing, "R", 0, kItemSymbol},
                                        {parts, "NAND", 0, kItemSymbol}});
    ASSERT_EQ(items.size(), 2u);
    for (const auto& item : items) {
        EXPECT_EQ(item->m_name, CString("NAND"));
        EXPECT_EQ(item->m_objects.GetCount(), 1);
    }
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text.str(),
              "Error - Library " + missing.str() + " could not be opened.");
}

}  // namespace
