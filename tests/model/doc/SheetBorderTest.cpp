#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "model/doc/SheetBorder.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/RecordingDC.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

const CRect kArea(0, 0, 11093, -7668);

Bytes Store(CSheetBorder& border) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    border.Serialize(ar);
    ar.Close();
    return file.Detach();
}

// The texts drawn, in order.
std::vector<std::string> Texts(const CRecordingDC& dc) {
    std::vector<std::string> texts;
    for (const std::string& line : dc.Lines()) {
        if (line.rfind("TextOut ", 0) == 0) {
            const size_t open = line.find('"');
            texts.push_back(line.substr(open + 1, line.find('"', open + 1) - open - 1));
        }
    }
    return texts;
}

int Count(const CRecordingDC& dc, const std::string& call) {
    int count = 0;
    for (const std::string& line : dc.Lines())
        count += line.rfind(call + " ", 0) == 0;
    return count;
}

TEST(SheetBorder, DefaultRecordBytes) {
    CSheetBorder border;
    Bytes expected = {0x00, 0x00, 0x7A, 0x44, 0x96, 0x00, 0xF7, 0x00, 0x00, 0x00, 0x70, 0x17, 0x00,
                      0x00, 0xE8, 0x03, 0x00, 0x00,
                      // font: height -100, width, escapement, orientation, weight 700
                      0x9C, 0xFF, 0xFF, 0xFF};
    expected.insert(expected.end(), 12, 0);
    for (int b : std::initializer_list<int>{0xBC, 0x02, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0x20, 'A',
                                            'r', 'i', 'a', 'l'})
        expected.push_back(static_cast<BYTE>(b));
    expected.insert(expected.end(), 27, 0);
    for (BYTE b : {0,    0,    0,    0,    0xFF, 0xFF, 0xE6, 0,   0, 0, 0, 0,  // title-block fill
                   0,    0,    0,    0,    0xC8, 0xD6, 0xEA, 0,   0, 0, 0, 0,  // zone fill
                   0x01, 0x00, 0x80, 0x00, 0xC8, 0xD6, 0xEA, 0x00})
        expected.push_back(b);
    ASSERT_EQ(expected.size(), 110u);
    EXPECT_EQ(Store(border), expected) << testsupport::HexDump(Store(border));
}

TEST(SheetBorder, RecordKeepsAllButThePenAndCutsTheFrameSizeTo16Bits) {
    CSheetBorder source;
    source.m_spacing = 750.5f;
    source.m_frameSize = 70000;
    source.m_flags = 0x3C5;
    source.m_blockX = -4;
    source.m_blockY = 2000;
    source.m_font.lfHeight = 321;
    source.m_pen.lopnColor = 0x123456;
    source.m_fill.lbColor = 1;
    source.m_pageFill.lbHatch = 3;
    source.m_textColour = 7;
    source.m_gridColour = 8;
    CMemFile file(Store(source));
    CArchive ar(&file, CArchive::load);
    CSheetBorder loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.m_frameSize, 4464);
    EXPECT_EQ(loaded.m_pen.lopnColor, 0xC00000u);
    loaded.m_frameSize = source.m_frameSize;
    loaded.m_pen = source.m_pen;
    EXPECT_EQ(Store(loaded), Store(source));
}

TEST(SheetBorder, TitleBlockPlacement) {
    struct Case {
        DWORD flags;
        LONG width;
        CRect expected;
    } cases[] = {
        {0xF7, 6000, CRect(0, -7668, 11093, -6668)},
        {0x310, 6000, CRect(2546, -7668, 8546, -6668)},
        {0x210, 6000, CRect(5093, -7668, 11093, -6668)},
        {0x110, 6000, CRect(0, -7668, 6000, -6668)},
        {0x310, 20000, CRect(0, -7668, 11093, -6668)},
        {0x000, 6000, CRect(150, -7518, 10943, -6518)},  // without a title block: inside
    };
    for (const Case& c : cases) {
        CSheetBorder border;
        border.m_flags = c.flags;
        border.m_blockX = c.width;
        EXPECT_EQ(border.GetTitleBlockRect(kArea), c.expected) << std::hex << c.flags;
    }
}

TEST(SheetBorder, ColumnLabels) {
    const std::pair<int, const char*> cases[] = {{0, "A"},   {11, "L"},  {25, "Z"},
                                                 {26, "AA"}, {51, "AZ"}, {52, "BA"}};
    for (const auto& [column, label] : cases)
        EXPECT_EQ(CSheetBorder::ColumnLabel(column), label) << column;
}

TEST(SheetBorder, DefaultBorderLabelsColumnsAToLAndRowsOneToEight) {
    CSheetBorder border;
    CRecordingDC dc;
    border.Draw(&dc, kArea, FALSE);
    std::vector<std::string> expected;
    for (char c = 'A'; c <= 'L'; ++c)
        expected.push_back(std::string(1, c));  // the top margin only: no bottom margin
    for (int side = 0; side < 2; ++side) {
        for (int row = 1; row <= 8; ++row)
            expected.push_back(std::to_string(row));
    }
    EXPECT_EQ(Texts(dc), expected);
    EXPECT_EQ(Count(dc, "Polygon"), 6 + 2 * 4);  // every other cell from the first
    EXPECT_EQ(Count(dc, "Rectangle"), 3);        // outer, inner and title block
    EXPECT_EQ(Count(dc, "LineTo"), 2);           // the two top corners have both margins
    EXPECT_EQ(Count(dc, "PatBlt"), 0);
}

TEST(SheetBorder, SpacingThatGivesNoZonesDrawsOnlyTheFrame) {
    for (float spacing : {0.0f, -1000.0f, 4.9f, std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity()}) {
        CSheetBorder border;
        border.m_spacing = spacing;
        CRecordingDC dc;
        border.Draw(&dc, kArea, TRUE);
        EXPECT_EQ(Count(dc, "TextOut") + Count(dc, "Polygon") + Count(dc, "PatBlt"), 0) << spacing;
        EXPECT_EQ(Count(dc, "Rectangle"), 3) << spacing;
    }
}

TEST(SheetBorder, ZoneGridOnScreenOnlyWhenZonesAreFivePixelsWide) {
    for (int viewport : {5, 4}) {
        CSheetBorder border;
        CRecordingDC dc;
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(viewport, -viewport);
        border.DrawZones(&dc, kArea, TRUE);
        // Inner boundaries: columns 1000 .. 10000 and rows -1000 .. -7000.
        EXPECT_EQ(Count(dc, "PatBlt"), viewport == 5 ? 10 + 7 : 0) << viewport;
        EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    }
}

TEST(SheetBorder, PrinterGridLinesAreOneSheetUnitThick) {
    CSheetBorder border;
    CRecordingDC dc(CRecordingDC::Device{.dpiX = 600, .dpiY = 600, .printing = true});
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(600, -600);
    border.DrawZones(&dc, kArea, TRUE);
    // One unit at 0.6 pixels per unit rounds to one pixel.
    EXPECT_NE(
        std::find_if(dc.Lines().begin(), dc.Lines().end(),
                     [](const std::string& line) { return line.rfind("PatBlt 600,", 0) == 0; }),
        dc.Lines().end());
    EXPECT_EQ(Count(dc, "PatBlt"), 17);
}

TEST(SheetBorder, SettingsDefaultsAndRoundTrip) {
    testsupport::TempDir dir;
    SettingsStore store(dir / "settings.reg");
    CSheetBorder fresh;
    fresh.m_blockX = 1;
    fresh.ReadDefaults(store);
    EXPECT_EQ(fresh.m_blockX, 500);  // the settings default differs from the constructor's
    EXPECT_EQ(fresh.m_spacing, 1000.0f);

    CSheetBorder changed;
    changed.m_spacing = 500.25f;
    changed.m_blockX = 4000;
    changed.m_pen.lopnColor = 0xFF;
    changed.m_font.lfHeight = -120;
    changed.m_gridColour = 0x10;
    changed.WriteDefaults(store);
    EXPECT_EQ(store.GetProfileString("Document", "FrameSpacing"), "500.250000");
    CSheetBorder read;
    read.ReadDefaults(store);
    EXPECT_EQ(read.m_spacing, 500.25f);
    EXPECT_EQ(read.m_blockX, 4000);
    EXPECT_EQ(read.m_pen.lopnColor, 0xFFu);
    EXPECT_EQ(read.m_font.lfHeight, -120);
    EXPECT_EQ(read.m_gridColour, 0x10u);
}

}  // namespace
