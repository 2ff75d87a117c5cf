#include "gui/kit/PopupTarget.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupTargetTest, ColourWordsCarryTheCodeAndTheState) {
    EXPECT_EQ(ColourCommandWord(32864, ColourCode::kColour), 32864u);
    EXPECT_EQ(ColourCommandWord(32864, ColourCode::kAutomatic), 32864u | 0x10000);
    EXPECT_EQ(ColourCommandWord(32872, ColourCode::kNone), 32872u | 0x20000);

    struct Case {
        DWORD word;
        COLORREF colour;
        bool uniform, automatic;
    } cases[] = {
        {0x01FF0000, 0xFF0000, true, false},
        {0x00FF0000, 0xFF0000, false, false},
        {0x02000000, 0, false, true},
        {0x03000080, 0x80, true, true},
    };
    for (const Case& c : cases) {
        const ColourState state = ColourState::FromWord(c.word);
        EXPECT_EQ(state.colour, c.colour);
        EXPECT_EQ(state.uniform, c.uniform);
        EXPECT_EQ(state.automatic, c.automatic);
        EXPECT_EQ(state.Word(), c.word);
    }
}

TEST(PopupTargetTest, WidthWordsReadAsTheWidthList) {
    struct Case {
        DWORD word;
        int width;
    } cases[] = {
        {0x00190000, -25}, {0x00960000, -150}, {0x00000002, 2},  {0x00000000, 0},
        {0xFFFF00FF, 50},  {0xFFFFFFFF, 50},   {0x000000FF, 50}, {0xFFFF0000, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineWidthState::FromWord(c.word).width, c.width) << std::hex << c.word;
    for (int width : {-400, -20, 0, 4, LineWidthState::kMixed})
        EXPECT_EQ(LineWidthState::FromWord(LineWidthState{width}.Word()).width, width);
}

TEST(PopupTargetTest, FillWordsReadAsStateAndHatch) {
    struct Case {
        DWORD word;
        int state, hatch;
    } cases[] = {
        {0x0000, FillStyleState::kSolid, 0},
        {0x0302, FillStyleState::kHatched, 3},
        {0xFFFFFFFF, FillStyleState::kMixed, 0xFF},  // nothing selected
        {0x0001, FillStyleState::kMixed, 0},         // no fill
    };
    for (const Case& c : cases) {
        const FillStyleState state = FillStyleState::FromWord(c.word);
        EXPECT_EQ(state.state, c.state) << std::hex << c.word;
        EXPECT_EQ(state.hatch, c.hatch) << std::hex << c.word;
    }
    EXPECT_EQ((FillStyleState{FillStyleState::kHatched, 5}.Word()), 0x0502u);
}

}  // namespace
