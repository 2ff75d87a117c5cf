#include "library/PaletteFile.h"

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/shapes/DrawRect.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;
using testsupport::HexDump;
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
    ASSERT_TRUE(palette.Save((dir / "mine.sbc").c_str()));
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

TEST(PaletteFileTest, SaveThatCannotWriteFailsAndKeepsTheOldFile) {
    TempDir dir;
    CPaletteFile palette;
    EXPECT_FALSE(palette.Save((dir / "no-such-folder" / "p.sbc").c_str()));
    std::filesystem::create_directory(dir / "taken.sbc");
    EXPECT_FALSE(palette.Save((dir / "taken.sbc").c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.sbc"));
}

}  // namespace
