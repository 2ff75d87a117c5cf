// The General page of the Symbol Properties sheet without its window: loading one or more
// symbols, the name check, and the pin map of a device made from the selection.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/device/DeviceForm.h"
#include "model/device/MapText.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/DevGeneralForm.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

namespace {

class DevGeneral : public ::testing::Test {
protected:
    // A symbol of the name with pins given as "A/1" ("A" alone: no number).
    CSymbol* Make(const char* name, const std::vector<std::string>& pins, DWORD kind = 0x400) {
        auto symbol = std::make_unique<CSymbol>();
        symbol->SetFlags(kind, kSymbolKindMask);
        symbol->SetAttr("_Name", name, kSetAttrForce);
        for (const std::string& spec : pins) {
            auto* pin = new CPin(symbol.get());
            const size_t slash = spec.find('/');
            pin->SetAttr("_ID", spec.substr(0, slash).c_str(), kSetAttrForce);
            if (slash != std::string::npos)
                pin->SetAttr("_No", spec.substr(slash + 1).c_str(), kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        owned.push_back(std::move(symbol));
        return owned.back().get();
    }
    std::string Map(const std::vector<CSymbol*>& symbols, const char* name = "") {
        CString map;
        EXPECT_TRUE(NewDeviceMap(symbols, name, map));
        return ReadableMap(map.str());
    }

    std::vector<std::unique_ptr<CSymbol>> owned;
};

TEST_F(DevGeneral, NewDeviceMapHasOneLinePerSymbolWithGateLetters) {
    CSymbol* first = Make("NAND", {"A/1", "B/2", "Y/3"});
    CSymbol* second = Make("NAND", {"A/4", "B/5", "Y/6"});
    EXPECT_EQ(Map({first, second}), "NAND|a|A|1|B|2|Y|3\nNAND|b|A|4|B|5|Y|6\n");
    // One symbol: an empty gate; a pin without a number is written "?".
    CSymbol* unnumbered = Make("INV", {"A/1", "Y"});
    EXPECT_EQ(Map({unnumbered}), "INV||A|1|Y|?\n");
    // The name typed on the page stands for every symbol's own, trimmed.
    EXPECT_EQ(Map({unnumbered}, "  GATE "), "GATE||A|1|Y|?\n");

    std::unique_ptr<CDevice> device(NewDeviceFor({first}, ""));
    ASSERT_TRUE(device);
    EXPECT_EQ(device->GetAttr("_Pref"), "U");
    EXPECT_EQ(device->GetAttr("_Name"), "New Device");
    EXPECT_TRUE(device->IsCompatibleWith(first));
    EXPECT_FALSE(device->IsCompatibleWith(unnumbered));
}

// The device keeps the map as made: the Device Properties dialog lists the pins in the
// symbols' order, and so does the device's text.
TEST_F(DevGeneral, ANewDeviceListsThePinsInTheSymbolsOrder) {
    CSymbol* gate = Make("INV", {"A/1", "Y/2", "VCC/14", "GND/7"});
    CSymbol* second = Make("INV", {"A/3", "Y/4", "VCC/14", "GND/7"});
    std::unique_ptr<CDevice> device(NewDeviceFor({gate, second}, ""));
    ASSERT_TRUE(device);
    EXPECT_EQ(ReadableMap(device->GetAttr("_Map").str()),
              "INV|a|A|1|Y|2|VCC|14|GND|7\nINV|b|A|3|Y|4|VCC|14|GND|7");
    const DeviceForm form = DeviceForm::Load(*device);
    ASSERT_EQ(form.rows.size(), 3u);
    EXPECT_EQ(std::vector<CString>(form.rows[1].begin() + 2, form.rows[1].end()),
              (std::vector<CString>{"A", "1", "Y", "2", "VCC", "14", "GND", "7"}));
    // The pins are still found by name.
    CString number;
    EXPECT_EQ(device->GetPinNumber(number, "INV", "b", "VCC"), 0);
    EXPECT_EQ(number, "14");
}

TEST_F(DevGeneral, SymbolsOfOneNameMustShareTheirPins) {
    CSymbol* nand = Make("NAND", {"A/1", "B/2", "Y/3"});
    CSymbol* fewer = Make("NAND", {"A/1", "Y/3"});
    CSymbol* renamed = Make("NAND", {"A/1", "C/2", "Y/3"});
    CString map = "unchanged";
    EXPECT_FALSE(NewDeviceMap({nand, fewer}, "", map));
    EXPECT_FALSE(NewDeviceMap({nand, renamed}, "", map));
    EXPECT_EQ(map, "unchanged");
    EXPECT_EQ(NewDeviceFor({nand, renamed}, ""), nullptr);
    // Under different names the layouts may differ; one typed name joins them again.
    EXPECT_EQ(Map({nand, Make("AND", {"A/1"})}), "NAND|a|A|1|B|2|Y|3\nAND|b|A|1\n");
    EXPECT_FALSE(NewDeviceMap({nand, fewer}, "X", map));
}

TEST_F(DevGeneral, NameCheckDependsOnKindAndSelection) {
    EXPECT_EQ(DevGeneralNameProblem(false, 0, ""), "");
    EXPECT_EQ(DevGeneralNameProblem(false, 3, ""), "Error: Symbol must have a name.");
    EXPECT_EQ(DevGeneralNameProblem(false, 5, ""), "Error: Symbol must have a name.");
    EXPECT_EQ(DevGeneralNameProblem(true, 4, ""), "");
    EXPECT_EQ(DevGeneralNameProblem(true, 0, "A\nB"),
              "Error: Property value invalid - A\nB\nValue contains an invalid character.");
    EXPECT_NE(DevGeneralNameProblem(false, 4, "A\x01"), "");
}

TEST_F(DevGeneral, IdentifierMustBeGivenAndFree) {
    CDrawDoc doc;
    auto place = [&](const char* id) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    };
    place("R1");
    CSymbol* edited = place("R2");
    const auto never = [](const std::string&) {
        ADD_FAILURE() << "no question expected";
        return false;
    };
    CString id = "   ";
    EXPECT_EQ(DevGeneralIdProblem(doc, edited, nullptr, id, never),
              "Error: Symbol must have identifier.");
    id = "R1";
    EXPECT_EQ(DevGeneralIdProblem(doc, edited, nullptr, id, never), "ID already exists.");
    id = " R3 ";
    EXPECT_EQ(DevGeneralIdProblem(doc, edited, nullptr, id, never), "");
    EXPECT_EQ(id, "R3");
}

TEST_F(DevGeneral, LoadMarksWhatTheSymbolsDoNotShare) {
    CSymbol* first = Make("NAND", {"A/1"});
    first->SetAttr("_ID", "U1", kSetAttrForce);
    first->SetAttr("_Value", "10k", kSetAttrForce);
    first->SetFlags(kSymbolShowHiddenPins | kSymbolPinNamesAll, 0x1F0000);
    DevGeneralForm one = DevGeneralForm::Load({first});
    EXPECT_EQ(one.kind, 4);
    EXPECT_EQ(one.id, "U1");
    EXPECT_EQ(one.value, "10k");
    EXPECT_EQ(one.name, "NAND");
    EXPECT_EQ(one.hiddenPins, 1);
    EXPECT_EQ(one.pinNames, 2);
    EXPECT_EQ(one.pinNumbers, 0);
    EXPECT_FALSE(one.multiple);

    CSymbol* second = Make("NAND", {"A/1"}, 0x300);
    second->SetAttr("_Value", "10k", kSetAttrForce);
    second->SetFlags(kSymbolPinNamesAll | kSymbolPinNumbersAll, 0x1F0000);
    DevGeneralForm both = DevGeneralForm::Load({first, second});
    EXPECT_TRUE(both.multiple);
    EXPECT_EQ(both.id, "");
    EXPECT_EQ(both.kind, DevGeneralForm::kMixed);
    EXPECT_EQ(both.value, "10k");
    EXPECT_EQ(both.name, "NAND");
    EXPECT_EQ(both.hiddenPins, DevGeneralForm::kCheckMixed);
    EXPECT_EQ(both.pinNames, 2);
    EXPECT_EQ(both.pinNumbers, DevGeneralForm::kMixed);
}

TEST_F(DevGeneral, ApplyWithoutDeviceReleasesTheSymbolsDevice) {
    auto* device = new CDevice("7400");
    device->AddRef();  // the test's own
    CSymbol* symbol = Make("NAND", {"A/1"});
    device->AddRef();
    symbol->SetDevice(device);
    DevGeneralForm form = DevGeneralForm::Load({symbol});
    EXPECT_EQ(form.device, device);
    EXPECT_EQ(form.deviceText, "7400");
    form.device = nullptr;  // "No device"
    CObList shown;
    CObList removed;
    form.ApplyTo(symbol, shown, removed);
    EXPECT_EQ(symbol->GetDevice(), nullptr);
    EXPECT_EQ(device->GetRefCount(), 1);
    // Another kind drops a device just as well.
    device->AddRef();
    symbol->SetDevice(device);
    form.kind = 0;
    form.device = device;
    form.ApplyTo(symbol, shown, removed);
    EXPECT_EQ(symbol->GetDevice(), nullptr);
    EXPECT_EQ(symbol->GetKind(), kSymbolGraphical);
    EXPECT_EQ(device->GetRefCount(), 1);
    device->Release();
}

TEST_F(DevGeneral, ApplyToSeveralKeepsEachIdentifierAndUnsharedTexts) {
    CSymbol* first = Make("R1K", {"1/1", "2/2"});
    first->SetAttr("_ID", "R1", kSetAttrForce);
    first->SetAttr("_Value", "1k", kSetAttrForce);
    CSymbol* second = Make("R2K", {"1/1", "2/2"});
    second->SetAttr("_ID", "R2", kSetAttrForce);
    second->SetAttr("_Value", "2k", kSetAttrForce);
    DevGeneralForm form = DevGeneralForm::Load({first, second});
    form.pinNumbers = 0;
    CObList shown;
    CObList removed;
    for (CSymbol* symbol : {first, second})
        form.ApplyTo(symbol, shown, removed);
    EXPECT_EQ(first->GetAttr("_ID"), "R1");
    EXPECT_EQ(second->GetAttr("_ID"), "R2");
    EXPECT_EQ(first->GetAttr("_Value"), "1k");
    EXPECT_EQ(second->GetAttr("_Name"), "R2K");
    EXPECT_EQ(second->GetFlags() & kSymbolPinNumbersMask, 0u);
    // A value typed for all is written to all.
    form.value = "4k7";
    form.ApplyTo(second, shown, removed);
    EXPECT_EQ(second->GetAttr("_Value"), "4k7");
}

TEST_F(DevGeneral, ApplyListsTheTextsToShowAndToRemove) {
    CSymbol* symbol = Make("R", {"1/1"}, 0x300);
    symbol->SetAttr("_ID", "R1", kSetAttrForce);
    symbol->SetAttr("_Value", "1k", kSetAttrForce);
    DevGeneralForm form = DevGeneralForm::Load({symbol});
    EXPECT_EQ(form.showValue, 0);
    form.showValue = 1;
    CObList shown;
    CObList removed;
    form.ApplyTo(symbol, shown, removed);
    ASSERT_EQ(shown.GetCount(), 1);
    EXPECT_EQ(removed.GetCount(), 0);
    CObject* text = shown.GetHead();
    EXPECT_EQ(text, symbol->FindAttrText("_Value"));
    EXPECT_EQ(DevGeneralForm::Load({symbol}).showValue, 1);
    form.showValue = 0;
    CObList shownAgain;
    form.ApplyTo(symbol, shownAgain, removed);
    EXPECT_EQ(shownAgain.GetCount(), 0);
    ASSERT_EQ(removed.GetCount(), 1);
    EXPECT_EQ(removed.GetHead(), text);
    symbol->GetAttrTextList()->RemoveAll();
    delete text;
}

}  // namespace
