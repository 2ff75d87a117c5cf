#include <gtest/gtest.h>

#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CDrawDoc& doc) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void Load(CDrawDoc& doc, Bytes bytes) {
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
}

DWORD DwordAt(const Bytes& bytes, size_t offset) {
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + i);
    return value;
}

// Offsets in the stream of a document without objects and attributes.
constexpr size_t kPaperColourAt = 6;
constexpr size_t kPaperSizeAt = kPaperColourAt + 4 + 60 + 3 * 16 + 3 * 12;
constexpr size_t kBorderAt = kPaperSizeAt + 8 + 16;
constexpr size_t kPinFontAt = kBorderAt + 110;
constexpr size_t kPrintSettingsAt = kPinFontAt + 60 + 12;
constexpr size_t kEmptyDocumentSize = kPrintSettingsAt + 16 + 4 + 4 + 4;

TEST(DrawDocFile, EmptyDocumentLayout) {
    CDrawDoc doc;
    Bytes bytes = Store(doc);
    ASSERT_EQ(bytes.size(), kEmptyDocumentSize) << testsupport::HexDump(bytes);
    EXPECT_EQ(DwordAt(bytes, 0), 0x2A51u);  // then no objects, no attributes
    EXPECT_EQ(DwordAt(bytes, kPaperColourAt), 0xFFFFFFu);
    EXPECT_EQ(DwordAt(bytes, kPaperSizeAt), 11693u);
    EXPECT_EQ(DwordAt(bytes, kBorderAt), 0x447A0000u);    // 1000.0f
    EXPECT_EQ(DwordAt(bytes, kBorderAt + 4), 0xF70096u);  // 16-bit frame size 150, flags
    EXPECT_EQ(DwordAt(bytes, kPinFontAt), 80u);
    EXPECT_EQ(DwordAt(bytes, kPinFontAt + 64), 32768u);
    EXPECT_EQ(DwordAt(bytes, kPrintSettingsAt + 4), 0x3F800000u);  // 1.0f
    for (size_t at = kPrintSettingsAt + 16; at < bytes.size(); at += 4)
        EXPECT_EQ(DwordAt(bytes, at), 0u) << at;  // no printer, no embedded items
}

TEST(DrawDocFile, SavedDocumentOpensWithItsContents) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "sheet.sch").string();
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetAttribute("Rev", "C", 0);
        doc.m_attributes.SetAt("Title", "shadow");  // never taken as a stored attribute
        doc.SetMargins(RECT{500, 400, 300, 200});
        doc.m_pinFont.lfHeight = 120;
        doc.m_printSettings.m_offsetX = 42;
        doc.m_printer.devMode = {1, 2, 3};
        doc.m_printer.devNames = {4, 5};
        doc.GetObjects().AddTail(new CDrawObj(CRect(0, 0, 100, -100)));
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_EQ(doc.GetAttribute("Rev"), "C");
    EXPECT_EQ(doc.m_attributes.GetCount(), 13);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(500, 400, 300, 200));
    EXPECT_EQ(doc.m_pinFontV.Log().lfHeight, 120);
    EXPECT_EQ(doc.m_printSettings.m_offsetX, 42);
    EXPECT_EQ(doc.m_printer.devMode, (Bytes{1, 2, 3}));
    EXPECT_EQ(doc.m_printer.devNames, (Bytes{4, 5}));
    ASSERT_EQ(doc.GetObjects().GetCount(), 1);
    auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetHead());
    EXPECT_EQ(object->GetDocument(), &doc);
    EXPECT_EQ(object->GetPosition(), CRect(0, 0, 100, -100));
}

TEST(DrawDocFile, LoadedPinFontIsUpright) {
    CDrawDoc source;
    source.m_pinFont.lfEscapement = source.m_pinFont.lfOrientation = 450;
    CDrawDoc doc;
    Load(doc, Store(source));
    Bytes bytes = Store(doc);
    EXPECT_EQ(DwordAt(bytes, kPinFontAt + 8), 0u);   // escapement
    EXPECT_EQ(DwordAt(bytes, kPinFontAt + 12), 0u);  // orientation
    EXPECT_EQ(doc.m_pinFontV.Log().lfEscapement, 900);
}

TEST(DrawDocFile, OlderLayoutEndsAfterTheBorder) {
    CDrawDoc source;
    source.m_pinFont.lfHeight = 999;
    source.m_firstPartNumber = 50;
    source.m_printSettings.m_flags = 3;
    source.m_border.m_blockY = 2222;
    Bytes bytes = Store(source);
    bytes.resize(kPinFontAt);
    bytes[0] = 0x64;
    bytes[1] = 0x75;
    CDrawDoc doc;
    doc.m_printer.devNames = {9};
    Load(doc, bytes);
    EXPECT_EQ(doc.m_printer.devNames, Bytes{9});
    EXPECT_EQ(doc.m_border.m_blockY, 2222);
    EXPECT_EQ(doc.m_pinFont.lfHeight, 80);
    EXPECT_EQ(doc.m_firstPartNumber, 1);
    EXPECT_EQ(doc.m_printSettings.m_flags, 20u);
}

TEST(DrawDocFile, DamagedStreamsAreRefused) {
    CDrawDoc source;
    Bytes bytes = Store(source);

    Bytes badMagic = bytes;
    badMagic[0] = 0x52;
    CDrawDoc doc;
    EXPECT_THROW(Load(doc, badMagic), CArchiveException);

    Bytes shortStream(bytes.begin(), bytes.begin() + kBorderAt + 50);
    EXPECT_THROW(Load(doc, shortStream), CArchiveException);

    // A printer block longer than the rest of the stream allocates nothing.
    Bytes hugeBlock(bytes.begin(), bytes.begin() + kPrintSettingsAt + 16);
    for (BYTE b : {0xF0, 0xFF, 0xFF, 0x7F})
        hugeBlock.push_back(b);
    EXPECT_THROW(Load(doc, hugeBlock), CArchiveException);

    // An object listed twice would be owned twice.
    CDrawDoc twice;
    twice.GetObjects().AddTail(new CDrawObj(CRect(0, 0, 10, -10)));
    twice.GetObjects().AddTail(twice.GetObjects().GetHead());
    Bytes repeated = Store(twice);
    twice.GetObjects().RemoveTail();
    CDrawDoc loaded;
    EXPECT_THROW(Load(loaded, repeated), CArchiveException);
    EXPECT_EQ(loaded.GetObjects().GetCount(), 1);
}

}  // namespace
