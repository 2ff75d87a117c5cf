#include "platform/GdiArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/MemFile.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;
using testsupport::HexDump;

template <class T>
Bytes StoreRecord(const T& record) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << record;
    ar.Close();
    return file.Detach();
}

template <class T>
T LoadRecord(const Bytes& bytes) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    T record;
    ar >> record;
    return record;
}

TEST(GdiArchive, LogFontIsSixtyBytesFieldByField) {
    LOGFONT font;
    font.lfHeight = -13;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfStrikeOut = 1;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(font.lfFaceName, "Arial");

    const Bytes bytes = StoreRecord(font);
    Bytes expected = {0xF3, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x84, 0x03, 0x00,
                      0x00, 0x84, 0x03, 0x00, 0x00, 0xBC, 0x02, 0x00, 0x00, 0x01, 0x00,
                      0x01, 0x00, 0x03, 0x02, 0x01, 0x22, 'A',  'r',  'i',  'a',  'l'};
    expected.resize(kStoredLogFontSize, 0);
    EXPECT_EQ(bytes, expected) << HexDump(bytes);

    EXPECT_EQ(StoreRecord(LoadRecord<LOGFONT>(bytes)), bytes);
}

TEST(GdiArchive, LoadedFaceNameIsAlwaysTerminated) {
    Bytes bytes(kStoredLogFontSize - LF_FACESIZE, 0);
    bytes.resize(kStoredLogFontSize, 'F');
    const LOGFONT loaded = LoadRecord<LOGFONT>(bytes);
    EXPECT_EQ(std::strlen(loaded.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));

    bytes.pop_back();
    EXPECT_THROW(LoadRecord<LOGFONT>(bytes), CArchiveException);
}

TEST(GdiArchive, PenAndBrushLayouts) {
    LOGPEN pen;
    pen.lopnStyle = PS_DASH;
    pen.lopnWidth = {3, -1};
    pen.lopnColor = RGB(1, 2, 3);
    const Bytes penBytes = StoreRecord(pen);
    EXPECT_EQ(penBytes, (Bytes{0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,
                               0xFF, 0x01, 0x02, 0x03, 0x00}))
        << HexDump(penBytes);
    EXPECT_EQ(StoreRecord(LoadRecord<LOGPEN>(penBytes)), penBytes);

    LOGBRUSH brush;
    brush.lbStyle = BS_HATCHED;
    brush.lbColor = RGB(0xFF, 0, 0x80);
    brush.lbHatch = HS_DIAGCROSS;
    const Bytes brushBytes = StoreRecord(brush);
    EXPECT_EQ(brushBytes,
              (Bytes{0x02, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x80, 0x00, 0x05, 0x00, 0x00, 0x00}))
        << HexDump(brushBytes);
    EXPECT_EQ(StoreRecord(LoadRecord<LOGBRUSH>(brushBytes)), brushBytes);
}

TEST(GdiArchive, GeometryLayouts) {
    const Bytes rectBytes = StoreRecord(RECT{1, -2, 3, 0x01020304});
    EXPECT_EQ(rectBytes, (Bytes{0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00,
                                0x00, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(StoreRecord(LoadRecord<RECT>(rectBytes)), rectBytes);

    const Bytes sizeBytes = StoreRecord(SIZE{850, -1100});
    EXPECT_EQ(sizeBytes, (Bytes{0x52, 0x03, 0x00, 0x00, 0xB4, 0xFB, 0xFF, 0xFF}));
    EXPECT_EQ(StoreRecord(LoadRecord<SIZE>(sizeBytes)), sizeBytes);

    const Bytes pointBytes = StoreRecord(POINT{-7, 9});
    EXPECT_EQ(pointBytes, (Bytes{0xF9, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0x00}));
    EXPECT_EQ(StoreRecord(LoadRecord<POINT>(pointBytes)), pointBytes);
}

}  // namespace
