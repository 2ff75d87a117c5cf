// The view's library commands without windows: the selection stored as a record, and wires
// ended on rail symbols.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "library/LibraryCommands.h"
#include "library/LibraryFile.h"
#include "library/LibraryFormat.h"
#include "library/LibraryItemData.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/ole/DrawOleObj.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/DiskFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;

LibraryItemDialog Answer(const char* name) {
    return [name](CLibraryFile&, const CObList&) {
        return std::optional<LibraryItemChoice>(LibraryItemChoice{name, "made here", kItemSymbol});
    };
}

TEST(LibraryCommands, SelectionBecomesARecordThatLoadsIntoAnotherSheet) {
    TempDir dir;
    const std::string path = (dir / "new.rlb").string();
    CDrawDoc document;
    auto* first = new CDrawRect(CRect(0, 0, 100, -50));
    auto* second = new CDrawRect(CRect(200, 0, 300, -50));
    document.GetObjects().AddTail(first);
    document.GetObjects().AddTail(second);
    CObList selection;
    selection.AddTail(second);  // selection order differs from drawing order
    selection.AddTail(first);
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
        ASSERT_TRUE(AddSelectionToLibrary(library, selection, document, Answer("PAIR")));
    }
    const auto bytes = ReadFileBytes(path);
    auto word = [&](size_t at) {
        return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
               DWORD{bytes.at(at + 3)} << 24;
    };
    EXPECT_EQ(word(4), kLibraryMagic);
    // The data: the object count, then the first object's new-class tag, as on the clipboard.
    const size_t data = word(0) + kRecordHeaderSize + 4 + 9;
    EXPECT_EQ(testsupport::HexDump({bytes.begin() + data, bytes.begin() + data + 4}),
              "02 00 FF FF");

    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    ASSERT_EQ(library.GetItemCount(), 1);
    CDrawDoc other;
    CLibraryItemData item;
    ASSERT_TRUE(library.ReadItem(&other, 0, item));
    EXPECT_EQ(item.m_name.str(), "PAIR");
    ASSERT_EQ(item.m_objects.GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(item.m_objects.GetHead())->GetPosition(),
              CRect(0, 0, 100, -50));
}

TEST(LibraryCommands, NothingSuitableLeavesTheLibraryAlone) {
    TempDir dir;
    const std::string path = (dir / "lib.rlb").string();
    CDrawDoc document;
    auto* ole = new CDrawOleObj(CRect(0, 0, 10, -10));
    document.GetObjects().AddTail(ole);
    CObList selection;
    selection.AddTail(ole);
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    library.Close();
    const auto before = ReadFileBytes(path);
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    ScriptedPrompt prompt({IDOK});
    bool asked = false;
    EXPECT_FALSE(
        AddSelectionToLibrary(library, selection, document, [&](CLibraryFile&, const CObList&) {
            asked = true;
            return std::optional<LibraryItemChoice>();
        }));
    library.Close();
    EXPECT_FALSE(asked);
    EXPECT_EQ(prompt.shown()[0].text.str(), "There are no suitable items to add to the library.");
    EXPECT_EQ(ReadFileBytes(path), before);
}

// The item dialog asks before a name in use is taken, so the new record replaces the old one;
// a device-only record keeps the selection's device and not its symbol.
TEST(LibraryCommands, ANameInUseIsReplacedAndADeviceMayGoAlone) {
    TempDir dir;
    const std::string path = (dir / "lib.rlb").string();
    CDrawDoc document;
    auto* rect = new CDrawRect(CRect(0, 0, 100, -50));
    auto* gate = new CSymbol;
    auto* device = new CDevice("74LS00");
    device->AddRef();
    gate->SetDevice(device);
    document.GetObjects().AddTail(rect);
    document.GetObjects().AddTail(gate);
    CObList boxOnly;
    boxOnly.AddTail(rect);
    CObList gateOnly;
    gateOnly.AddTail(gate);
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    ASSERT_TRUE(AddSelectionToLibrary(library, boxOnly, document, Answer("PART")));
    ASSERT_TRUE(AddSelectionToLibrary(
        library, gateOnly, document, [&](CLibraryFile&, const CObList& objects) {
            EXPECT_EQ(objects.GetHead(), gate);
            return std::optional(LibraryItemChoice{"PART", "gate", kItemDevice});
        }));
    EXPECT_EQ(library.GetItemCount(), 1);

    CLibraryItem entry;
    ASSERT_NE(library.FindItem(entry, "PART"), kItemNotFound);
    EXPECT_EQ(entry.m_type, kItemDevice);
    EXPECT_EQ(entry.m_description.str(), "gate");
    CObList stored;
    ASSERT_TRUE(library.ReadItemObjects(nullptr, entry, stored));
    ASSERT_EQ(stored.GetCount(), 1);
    auto* alone = dynamic_cast<CDevice*>(stored.GetHead());
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(alone->GetAttr("_Name").str(), "74LS00");
    delete alone;
    // The sheet keeps its objects.
    EXPECT_EQ(document.GetObjects().GetCount(), 2);
    EXPECT_EQ(gate->GetDevice(), device);
}

// A part with its device stored as a Device record, its symbol and a text of it selected: the
// record holds the device alone, as every reader expects.
TEST(LibraryCommands, ADeviceRecordHoldsItsDeviceAloneWhateverIsSelected) {
    TempDir dir;
    const std::string path = (dir / "lib.rlb").string();
    CDrawDoc document;
    auto* gate = new CSymbol;
    auto* device = new CDevice("7400");
    device->SetAttr("_Map",
                    "NAND\x01"
                    "A\x01"
                    "A\x01"
                    "1\n",
                    TRUE);
    device->AddRef();
    gate->SetDevice(device);
    auto* label = new CAttrText;
    label->Bind(gate, "_ID");
    gate->GetAttrTextList()->AddTail(label);
    document.GetObjects().AddTail(gate);
    document.GetObjects().AddTail(label);
    CObList selection;
    selection.AddTail(gate);
    selection.AddTail(label);
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
        ASSERT_TRUE(
            AddSelectionToLibrary(library, selection, document, [](CLibraryFile&, const CObList&) {
                return std::optional(LibraryItemChoice{"7400", "quad nand", kItemDevice});
            }));
    }
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    CLibraryItem entry;
    ASSERT_EQ(library.FindItem(entry, "7400"), 0);
    EXPECT_EQ(entry.m_type, kItemDevice);
    CObList stored;
    ASSERT_TRUE(library.ReadItemObjects(nullptr, entry, stored));
    ASSERT_EQ(stored.GetCount(), 1);
    auto* alone = dynamic_cast<CDevice*>(stored.GetHead());
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(alone->GetAttr("_Name").str(), "7400");
    delete alone;
    // Read as an item, the device brings a symbol for its one map line.
    CDrawDoc other;
    CLibraryItemData item;
    ASSERT_TRUE(library.ReadItem(&other, 0, item));
    EXPECT_EQ(item.m_type, kItemDevice);
    EXPECT_EQ(item.m_deviceSymbols.size(), 1u);
}

}  // namespace
