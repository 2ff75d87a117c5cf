#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Le32(std::initializer_list<std::uint32_t> words) {
    Bytes bytes;
    for (std::uint32_t w : words) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(w >> (8 * i)));
    }
    return bytes;
}

class DrawDocSettingsTest : public ::testing::Test {
protected:
    Bytes Binary(const char* entry) const {
        Bytes bytes;
        store.GetProfileBinary("Document", entry, bytes);
        return bytes;
    }
    void PutBinary(const char* entry, const Bytes& bytes) {
        store.WriteProfileBinary("Document", entry, bytes.data(), static_cast<UINT>(bytes.size()));
    }
    void PutAttr(int i, const char* name, const char* value) {
        store.WriteProfileString("Document", ("Attr" + std::to_string(i) + ".Name").c_str(), name);
        store.WriteProfileString("Document", ("Attr" + std::to_string(i) + ".Value").c_str(),
                                 value);
    }

    testsupport::TempDir dir;
    SettingsStore store{dir / "settings.reg"};
    CDrawDoc doc;
};

TEST_F(DrawDocSettingsTest, SaveWritesRecordsInOrderThenAttributesAndPrinting) {
    doc.m_attributes.SetAt("Rev", "A");
    doc.SaveDefaultSettings(store);
    const std::vector<CString> expected = {"Font",
                                           "Pen",
                                           "Brush",
                                           "PinPen",
                                           "PinBrush",
                                           "WirePen",
                                           "WireBrush",
                                           "PaperSize",
                                           "Margins",
                                           "PaperColour",
                                           "FrameSpacing",
                                           "FrameSize",
                                           "FrameFlags",
                                           "FrameBlockX",
                                           "FrameBlockY",
                                           "FrameTextColour",
                                           "FrameFont",
                                           "FramePen",
                                           "FrameFill",
                                           "FramePageFill",
                                           "FrameGridColour",
                                           "Attr1.Name",
                                           "Attr1.Value",
                                           "nAttributes"};
    EXPECT_EQ(store.EnumerateValues("Document"), expected);
    EXPECT_EQ(store.EnumerateValues("Printing"),
              (std::vector<CString>{"Settings", "Scale", "OffsetX", "OffsetY"}));
    EXPECT_EQ(store.GetProfileString("Printing", "Scale"), "1.000000");

    EXPECT_EQ(Binary("PinPen"), Le32({0, 2, 0, 0xFF0000}));
    EXPECT_EQ(Binary("PaperSize"), Le32({11693, static_cast<std::uint32_t>(-8268)}));
    Bytes font = Le32({static_cast<std::uint32_t>(-80), 0, 0, 0, 0});
    font.insert(font.end(), {0, 0, 0, 0, 7, 0, 0, 0x20, 'A', 'r', 'i', 'a', 'l'});
    font.resize(60);
    EXPECT_EQ(Binary("Font"), font) << testsupport::HexDump(Binary("Font"));

    doc.m_attributes.RemoveAll();
    doc.SaveDefaultSettings(store);
    EXPECT_EQ(store.GetProfileInt("Document", "nAttributes", -1), 0u);
}

TEST_F(DrawDocSettingsTest, SavedDefaultsLoadIntoAnotherDocument) {
    doc.m_attributes.SetAt("Org", "Acme");
    doc.m_pen.lopnColor = 0x123456;
    std::strcpy(doc.m_textFont.lfFaceName, "Courier");
    doc.SetPaperSize(16535, -11693);
    doc.SetMargins(RECT{100, 200, 300, 400});
    doc.m_printSettings.m_scale = 0.5f;
    doc.SaveDefaultSettings(store);

    CDrawDoc loaded;
    loaded.LoadDefaultSettings(store);
    EXPECT_EQ(loaded.GetAttribute("Org"), "Acme");
    EXPECT_EQ(loaded.m_pen.lopnColor, 0x123456u);
    EXPECT_STREQ(loaded.m_textFont.lfFaceName, "Courier");
    EXPECT_EQ(loaded.GetPaperSize().cx, 16535);
    EXPECT_EQ(CRect(loaded.GetMargins()), CRect(100, 200, 300, 400));
    EXPECT_FLOAT_EQ(loaded.m_printSettings.m_scale, 0.5f);
}

TEST_F(DrawDocSettingsTest, DamagedValuesLeaveTheDefaults) {
    PutBinary("Pen", Le32({1, 5}));                  // short
    PutBinary("Brush", Le32({1, 0x00FF00, 0, 99}));  // long
    PutBinary("Font", Bytes(60, 'x'));               // face name without its NUL
    PutBinary("PaperSize", Le32({11693, 8268}));     // height not negative
    PutBinary("Margins", Le32({0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF}));
    store.WriteProfileString("Printing", "Scale", "none");
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.m_pen.lopnStyle, PS_SOLID);
    EXPECT_EQ(doc.m_brush.lbColor, 0xC0C0C0u);
    EXPECT_EQ(std::strlen(doc.m_textFont.lfFaceName), 31u);
    EXPECT_EQ(doc.GetPaperSize().cy, -8268);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(3897, 2756, 3897, 2756));
    EXPECT_FLOAT_EQ(doc.m_printSettings.m_scale, 1.0f);

    PutBinary("PaperSize", Le32({0x7FFFFFFF, 0x80000000}));
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetPaperSize().cx, 11693);
}

TEST_F(DrawDocSettingsTest, StoredAttributesAreBoundedAndNeverComputedNames) {
    store.WriteProfileInt("Document", "nAttributes", 40000);
    PutAttr(1, "Title", "shadow");
    PutAttr(2, "", "nameless");
    PutAttr(3, "Ground1", "0V");
    PutAttr(32767, "Last", "1");
    PutAttr(32768, "Beyond", "1");
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.m_attributes.GetCount(), 2);
    EXPECT_EQ(doc.GetAttribute("Ground1"), "0V");
    EXPECT_EQ(doc.GetAttribute("Last"), "1");

    CDrawDoc other;
    store.WriteProfileInt("Document", "nAttributes", -5);
    other.LoadDefaultSettings(store);
    EXPECT_EQ(other.m_attributes.GetCount(), 0);
}

TEST(DrawDocNewDocument, TakesTheApplicationsDefaults) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.reg");
    ScopedApp installed(app);
    app.Settings().WriteProfileInt("Document", "nAttributes", 1);
    app.Settings().WriteProfileString("Document", "Attr1.Name", "Company");
    app.Settings().WriteProfileString("Document", "Attr1.Value", "Acme");
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetAttributeCount(), 19);
    EXPECT_EQ(doc.GetAttribute("Company"), "Acme");
}

}  // namespace
