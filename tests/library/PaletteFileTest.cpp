#include "library/PaletteFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "library/ObListRecord.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/shapes/DrawRect.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/MemFile.h"
#include "support/FileSizeLimit.h"
#include "support/PaletteBytes.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;
using testsupport::HexDump;
using testsupport::PaletteFileBytes;
using testsupport::PaletteWithSharedList;
using testsupport::TempDir;

void AppendWord(Bytes& bytes, unsigned value) {
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

// The head of a palette file as the format lays it out: caption, floating flag, rows,
// columns, button size, position and button count.
Bytes Head(const std::string& caption, unsigned rows, unsigned columns, unsigned width,
           unsigned height) {
    Bytes bytes{static_cast<BYTE>(caption.size())};
    bytes.insert(bytes.end(), caption.begin(), caption.end());
    for (unsigned word : {0u, rows, columns, width, height, 0u, 0u, 0u, 0u, 30u})
        AppendWord(bytes, word);
    return bytes;
}

// Thirty empty buttons of flags 2: the first list names its class, the later ones refer to it.
Bytes EmptyButtons() {
    Bytes bytes;
    for (int i = 0; i < 30; ++i) {
        bytes.insert(bytes.end(), {0x02, 0, 0, 0, 0x00});
        if (i == 0) {
            bytes.insert(bytes.end(), {0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00});
            for (char c : std::string("CObList"))
                bytes.push_back(static_cast<BYTE>(c));
        } else {
            bytes.insert(bytes.end(), {0x01, 0x80});
        }
        AppendWord(bytes, 0);
    }
    return bytes;
}

Bytes Joined(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

BOOL LoadBytes(CPaletteFile& palette, const Bytes& bytes, const TempDir& dir) {
    testsupport::WriteFileBytes(dir / "p.sbc", bytes);
    return palette.Load((dir / "p.sbc").c_str());
}

TEST(PaletteFileTest, EmptyPaletteIsLaidOutByteForByte) {
    CPaletteFile palette;
    palette.caption = "Logic";
    EXPECT_EQ(HexDump(palette.Store()),
              HexDump(Joined(Head("Logic", 6, 5, 30, 30), EmptyButtons())));
}

// The arrangement and every button come back; the stored position and floating flag are not
// taken, so the file written again is the same.
TEST(PaletteFileTest, PaletteRoundTripsWithoutItsPlace) {
    TempDir dir;
    CPaletteFile palette;
    palette.caption = "Mine";
    palette.rows = 4;
    palette.columns = 4;
    palette.buttonWidth = 40;
    palette.buttonHeight = 20;
    palette.buttons[3].state.text = "R";
    palette.buttons[3].objects.AddTail(new CDrawRect(CRect(0, 0, 100, -50)));
    palette.buttons[3].objects.AddTail(new CDrawRect(CRect(10, 10, 20, 20)));
    palette.buttons[29].objects.AddTail(new CDrawRect(CRect(-5, 5, 5, -5)));
    const Bytes stored = palette.Store();

    palette.floating = TRUE;
    palette.position = {120, -40};
    ASSERT_EQ(palette.Save((dir / "mine.sbc").c_str()), PaletteSave::kSaved);
    CPaletteFile loaded;
    ASSERT_TRUE(loaded.Load((dir / "mine.sbc").c_str()));
    EXPECT_EQ(loaded.caption, "Mine");
    EXPECT_EQ(loaded.rows * 1000 + loaded.columns, 4004);
    EXPECT_EQ(loaded.buttonWidth * 1000 + loaded.buttonHeight, 40020);
    EXPECT_FALSE(loaded.floating);
    EXPECT_EQ(loaded.buttons[3].objects.GetCount(), 2);
    EXPECT_STREQ(loaded.buttons[3].state.text, "R");
    EXPECT_EQ(HexDump(loaded.Store()), HexDump(stored));
}

// A damaged file loads nothing: the palette keeps what it had, so that nothing saves an empty
// palette over the user's file later. Sizes out of range and objects that are not drawing
// objects count as damage.
TEST(PaletteFileTest, DamagedFileLeavesThePaletteAsItWas) {
    TempDir dir;
    Bytes strayDevice = Joined(Head("X", 6, 5, 30, 30), {0x02, 0, 0, 0, 0x00});
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        CDevice device("7400");
        ar.WriteObject(&device);
        ar.Close();
        strayDevice = Joined(strayDevice, file.Detach());
    }
    const Bytes cases[] = {
        Joined(Head("X", 6, 0, 30, 30), EmptyButtons()),
        Joined(Head("X", 31, 5, 30, 30), EmptyButtons()),
        Joined(Head("X", 6, 5, 9, 30), EmptyButtons()),
        Joined(Head("X", 6, 5, 30, 151), EmptyButtons()),
        Head("X", 6, 5, 30, 30),
        strayDevice,
    };
    for (const Bytes& bytes : cases) {
        CPaletteFile palette;
        palette.caption = "Kept";
        palette.buttons[0].objects.AddTail(new CDrawRect(CRect(0, 0, 10, 10)));
        EXPECT_FALSE(LoadBytes(palette, bytes, dir)) << HexDump(bytes);
        EXPECT_EQ(palette.caption, "Kept");
        EXPECT_EQ(palette.buttons[0].objects.GetCount(), 1);
        EXPECT_EQ(palette.columns, 5);
    }
    CPaletteFile palette;
    EXPECT_FALSE(palette.Load((dir / "missing.sbc").c_str()));
}

// A button takes the objects of the schematic clipboard format in place of its own, without a
// document; no objects, or damaged data, leave it as it was.
TEST(PaletteFileTest, AButtonTakesTheClipboardsObjects) {
    CDrawDoc doc;
    auto small = std::make_unique<CDrawRect>(CRect(0, 0, 100, -50));
    auto large = std::make_unique<CDrawRect>(CRect(0, 0, 400, -200));
    CObList selection;
    selection.AddTail(small.get());
    selection.AddTail(large.get());
    ASSERT_TRUE(doc.AddObject(std::move(small)));
    ASSERT_TRUE(doc.AddObject(std::move(large)));
    const ClipboardObjects copied = CopyObjectsToClipboard(doc, selection);
    ASSERT_STREQ(copied.format, kSchematicFormat);

    PaletteButtonData button;
    button.objects.AddTail(new CDrawRect(CRect(0, 0, 10, 10)));
    CompoundFile embeddings;
    EXPECT_FALSE(button.PasteObjects(StoreObjectList(doc, CObList(), embeddings.Root())));
    EXPECT_EQ(button.objects.GetCount(), 1);
    Bytes cut = copied.data;
    cut.pop_back();
    EXPECT_THROW(button.PasteObjects(cut), CArchiveException);
    EXPECT_EQ(button.objects.GetCount(), 1);

    ASSERT_TRUE(button.PasteObjects(copied.data));
    ASSERT_EQ(button.objects.GetCount(), 2);
    auto* first = dynamic_cast<CDrawRect*>(button.objects.GetHead());
    auto* second = dynamic_cast<CDrawRect*>(button.objects.GetTail());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetPosition(), CRect(0, 0, 100, -50));
    EXPECT_EQ(second->GetPosition(), CRect(0, 0, 400, -200));
    EXPECT_EQ(first->GetDocument(), nullptr);
}

// Damage that makes one object belong to two buttons, or a button refer to what an earlier one
// holds, is refused, and the palette keeps what it had. Read as they stand, the objects would
// be used after they were freed or deleted twice.
TEST(PaletteFileTest, ObjectsOfOneButtonNamedByAnotherAreRefused) {
    CDrawRect rect(CRect(0, 0, 100, -50));
    CObList holding;
    holding.AddTail(&rect);
    CObListRecord list(holding);
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"a later button's object is the first button's list record", PaletteWithSharedList()},
        {"one object is the object of two buttons",
         PaletteFileBytes([&](CArchive& ar, int i) { ar.WriteObject(i < 2 ? &rect : nullptr); })},
        {"a list's element is also a later button's object",
         PaletteFileBytes([&](CArchive& ar, int i) {
             ar.WriteObject(i == 0 ? static_cast<CObject*>(&list) : i == 1 ? &rect : nullptr);
         })},
        {"an object alone is also an element of a later button's list",
         PaletteFileBytes([&](CArchive& ar, int i) {
             ar.WriteObject(i == 0 ? static_cast<CObject*>(&rect) : i == 1 ? &list : nullptr);
         })},
    };
    TempDir dir;
    for (const auto& c : cases) {
        CPaletteFile palette;
        palette.caption = "Kept";
        palette.buttons[0].objects.AddTail(new CDrawRect(CRect(0, 0, 10, 10)));
        EXPECT_FALSE(LoadBytes(palette, c.bytes, dir)) << c.what;
        EXPECT_EQ(palette.caption, "Kept") << c.what;
        EXPECT_EQ(palette.buttons[0].objects.GetCount(), 1) << c.what;
    }
}

const std::filesystem::path kStandardFolder = std::filesystem::path(VOSK_BINARY_DIR) / "Libraries";

// A standard palette's part parted from its attribute texts: in another button, the texts
// would be owned there and named by the part's button too; without the part, the part would be
// read through its texts' links and belong to no button.
TEST(PaletteFileTest, PartAndItsTextsInDifferentButtonsAreRefused) {
    TempDir dir;
    for (const bool keepPart : {true, false}) {
        CPaletteFile palette;
        ASSERT_TRUE(palette.Load((kStandardFolder / "Resistive.sbc").c_str()));
        CObList& objects = palette.buttons[0].objects;
        ASSERT_GT(objects.GetCount(), 1);
        std::unique_ptr<CObject> part(objects.RemoveHead());
        palette.buttons[29].DeleteObjects();
        if (keepPart)
            palette.buttons[29].objects.AddTail(part.release());
        CPaletteFile loaded;
        EXPECT_FALSE(LoadBytes(loaded, palette.Store(), dir)) << keepPart;
    }
}

// The bytes read as a palette file straight from memory. A failed load leaves every button
// empty.
bool Reads(CPaletteFile& palette, const Bytes& bytes) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    try {
        palette.Serialize(ar);
    } catch (const CArchiveException&) {
        for (const PaletteButtonData& button : palette.buttons)
            EXPECT_TRUE(button.objects.IsEmpty());
        return false;
    }
    return true;
}

// Any damage to a standard palette ends in a refused file or in a palette that stores again as
// it was read; nothing read is left behind (the leak checker watches) or used after it was
// freed. Every cut of the file is damage.
TEST(PaletteFileTest, CutOrFlippedStandardPaletteLoadsCleanly) {
    const Bytes valid = testsupport::ReadFileBytes(kStandardFolder / "Logic.sbc");
    ASSERT_FALSE(valid.empty());
    CPaletteFile whole;
    ASSERT_TRUE(Reads(whole, valid));
    for (size_t length = 0; length < valid.size(); ++length) {
        CPaletteFile palette;
        ASSERT_FALSE(Reads(palette, Bytes(valid.begin(), valid.begin() + length))) << length;
    }
    for (size_t at = 0; at < valid.size(); ++at) {
        Bytes flipped = valid;
        flipped[at] ^= at % 2 ? 0xFF : 0x01;
        CPaletteFile palette;
        if (!Reads(palette, flipped))
            continue;
        const Bytes stored = palette.Store();
        CPaletteFile again;
        ASSERT_TRUE(Reads(again, stored)) << "flipped at " << at;
        EXPECT_TRUE(again.Store() == stored) << "flipped at " << at;
    }
}

// A file that cannot be opened and one whose writing fails are told apart.
TEST(PaletteFileTest, SaveThatCannotWriteFailsAndKeepsTheOldFile) {
    TempDir dir;
    CPaletteFile palette;
    EXPECT_EQ(palette.Save((dir / "no-such-folder" / "p.sbc").c_str()), PaletteSave::kNotOpened);
    std::filesystem::create_directory(dir / "taken.sbc");
    EXPECT_EQ(palette.Save((dir / "taken.sbc").c_str()), PaletteSave::kNotOpened);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.sbc"));
    testsupport::WriteFileBytes(dir / "old.sbc", {1, 2, 3});
    {
        testsupport::TinyFileSizeLimit full;
        EXPECT_EQ(palette.Save((dir / "old.sbc").c_str()), PaletteSave::kNotWritten);
    }
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "old.sbc"), (std::vector<BYTE>{1, 2, 3}));
    // A file the user may not write cannot be opened for writing, and stays.
    std::filesystem::permissions(dir / "old.sbc", std::filesystem::perms(0444));
    EXPECT_EQ(palette.Save((dir / "old.sbc").c_str()), PaletteSave::kNotOpened);
    EXPECT_EQ(testsupport::ReadFileBytes(dir / "old.sbc"), (std::vector<BYTE>{1, 2, 3}));
}

}  // namespace
