#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/DrawDoc.h"
#include "model/app/SchematicApp.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

class DrawDocSettingsTest : public ::testing::Test {
protected:
    Bytes Binary(const char* entry) const {
        Bytes bytes;
        EXPECT_TRUE(store.GetProfileBinary("Document", entry, bytes)) << entry;
        return bytes;
    }
    void PutBinary(const char* entry, const Bytes& bytes) {
        store.WriteProfileBinary("Document", entry, bytes.data(), static_cast<UINT>(bytes.size()));
    }

    testsupport::TempDir dir;
    SettingsStore store{dir / "settings.reg"};
    CDrawDoc doc;
};

Bytes Le32(std::initializer_list<std::uint32_t> words) {
    Bytes bytes;
    for (std::uint32_t w : words) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(w >> (8 * i)));
    }
    return bytes;
}

TEST_F(DrawDocSettingsTest, SaveWritesTheValuesInOrder) {
    doc.m_attributes.RemoveAll();
    doc.m_attributes.SetAt("Rev", "A");
    doc.SaveDefaultSettings(store);
    std::vector<CString> names = store.EnumerateValues("Document");
    const char* expected[] = {"Font",       "Pen",         "Brush",      "PinPen",  "PinBrush",
                              "WirePen",    "WireBrush",   "PaperSize",  "Margins", "PaperColour",
                              "Attr1.Name", "Attr1.Value", "nAttributes"};
    ASSERT_EQ(names.size(), std::size(expected));
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], expected[i]) << i;
    EXPECT_EQ(store.GetProfileString("Document", "Attr1.Name"), "Rev");
    EXPECT_EQ(store.GetProfileString("Document", "Attr1.Value"), "A");
    EXPECT_EQ(store.GetProfileInt("Document", "nAttributes", -1), 1u);
    EXPECT_EQ(store.GetProfileInt("Document", "PaperColour", 0), 0xFFFFFFu);

    std::vector<CString> printing = store.EnumerateValues("Printing");
    ASSERT_EQ(printing.size(), 4u);
    EXPECT_EQ(printing[0], "Settings");
    EXPECT_EQ(store.GetProfileInt("Printing", "Settings", 0), 20u);
    EXPECT_EQ(store.GetProfileString("Printing", "Scale"), "1.000000");
    EXPECT_EQ(printing[2], "OffsetX");
    EXPECT_EQ(printing[3], "OffsetY");
}

TEST_F(DrawDocSettingsTest, BinaryValuesAreTheStoredRecordLayouts) {
    doc.SaveDefaultSettings(store);
    EXPECT_EQ(Binary("Pen"), Le32({0, 0, 0, 0}));
    EXPECT_EQ(Binary("Brush"), Le32({0, 0xC0C0C0, 0}));
    EXPECT_EQ(Binary("PinPen"), Le32({0, 2, 0, 0xFF0000}));
    EXPECT_EQ(Binary("PaperSize"), Le32({11693, static_cast<std::uint32_t>(-8268)}));
    EXPECT_EQ(Binary("Margins"), Le32({300, 300, 300, 300}));

    Bytes font = Le32({static_cast<std::uint32_t>(-80), 0, 0, 0, 0});
    Bytes flags = {0, 0, 0, 0, 7, 0, 0, 0x20};
    font.insert(font.end(), flags.begin(), flags.end());
    Bytes face(32, 0);
    std::memcpy(face.data(), "Arial", 5);
    font.insert(font.end(), face.begin(), face.end());
    EXPECT_EQ(Binary("Font"), font) << testsupport::HexDump(Binary("Font"));
}

TEST_F(DrawDocSettingsTest, SavedDefaultsLoadIntoANewDocument) {
    doc.m_attributes.RemoveAll();
    doc.m_attributes.SetAt("Rev", "A");
    doc.m_attributes.SetAt("Org", "Acme");
    doc.m_pen.lopnColor = 0x123456;
    doc.m_textFont.lfHeight = -120;
    std::strcpy(doc.m_textFont.lfFaceName, "Courier");
    doc.m_paperColour = 0xEEEEEE;
    doc.SetPaperSize(16535, -11693);
    doc.SetMargins(RECT{100, 200, 300, 400});
    doc.m_printSettings.m_scale = 0.5f;
    doc.m_printSettings.m_offsetY = -250;
    doc.SaveDefaultSettings(store);

    CDrawDoc loaded;
    loaded.LoadDefaultSettings(store);
    EXPECT_EQ(loaded.GetAttribute("Rev"), "A");
    EXPECT_EQ(loaded.GetAttribute("Org"), "Acme");
    EXPECT_EQ(loaded.m_pen.lopnColor, 0x123456u);
    EXPECT_EQ(loaded.m_textFont.lfHeight, -120);
    EXPECT_STREQ(loaded.m_textFont.lfFaceName, "Courier");
    EXPECT_EQ(loaded.m_paperColour, 0xEEEEEEu);
    EXPECT_EQ(loaded.GetPaperSize().cx, 16535);
    EXPECT_EQ(loaded.GetPaperSize().cy, -11693);
    EXPECT_EQ(loaded.GetMargins().top, 200);
    EXPECT_EQ(loaded.GetMargins().bottom, 400);
    EXPECT_FLOAT_EQ(loaded.m_printSettings.m_scale, 0.5f);
    EXPECT_EQ(loaded.m_printSettings.m_offsetY, -250);
}

TEST_F(DrawDocSettingsTest, NoStoredAttributesWritesZeroCount) {
    doc.SaveDefaultSettings(store);
    EXPECT_EQ(store.GetProfileInt("Document", "nAttributes", -1), 0u);
}

TEST_F(DrawDocSettingsTest, BinaryValuesOfAnotherSizeAreIgnored) {
    PutBinary("Pen", Le32({1, 5}));                  // short
    PutBinary("Brush", Le32({1, 0x00FF00, 0, 99}));  // long
    PutBinary("Font", Bytes(60, 'x'));               // face name without its NUL
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.m_pen.lopnStyle, PS_SOLID);
    EXPECT_EQ(doc.m_brush.lbColor, 0xC0C0C0u);
    EXPECT_EQ(std::strlen(doc.m_textFont.lfFaceName), 31u);
}

TEST_F(DrawDocSettingsTest, ImplausiblePaperIsIgnoredAndMarginsAreClamped) {
    PutBinary("PaperSize", Le32({0, static_cast<std::uint32_t>(-8268)}));
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetPaperSize().cx, 11693);
    PutBinary("PaperSize", Le32({11693, 8268}));
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetPaperSize().cy, -8268);
    PutBinary("PaperSize", Le32({0x7FFFFFFF, 0x80000000}));
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetPaperSize().cx, 11693);

    PutBinary("Margins", Le32({0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF}));
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetMargins().left, 3897);
    EXPECT_EQ(doc.GetMargins().right, 3897);
    EXPECT_EQ(doc.GetMargins().top, 2756);
    EXPECT_EQ(doc.GetMargins().bottom, 2756);
}

TEST_F(DrawDocSettingsTest, AttributeCountIsBounded) {
    store.WriteProfileInt("Document", "nAttributes", 40000);
    store.WriteProfileString("Document", "Attr1.Name", "A");
    store.WriteProfileString("Document", "Attr1.Value", "1");
    store.WriteProfileString("Document", "Attr32767.Name", "Last");
    store.WriteProfileString("Document", "Attr32768.Name", "Beyond");
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.GetAttribute("A"), "1");
    EXPECT_EQ(doc.GetAttribute("Last"), "");
    CString value;
    EXPECT_TRUE(doc.GetAttribute("Last", value));
    EXPECT_FALSE(doc.GetAttribute("Beyond", value));

    CDrawDoc other;
    store.WriteProfileInt("Document", "nAttributes", -5);
    other.LoadDefaultSettings(store);
    EXPECT_EQ(other.m_attributes.GetCount(), 0);
}

TEST_F(DrawDocSettingsTest, StoredAttributesNamedLikeComputedOnesAreSkipped) {
    store.WriteProfileInt("Document", "nAttributes", 3);
    store.WriteProfileString("Document", "Attr1.Name", "Title");
    store.WriteProfileString("Document", "Attr1.Value", "x");
    store.WriteProfileString("Document", "Attr2.Name", "");
    store.WriteProfileString("Document", "Attr2.Value", "y");
    store.WriteProfileString("Document", "Attr3.Name", "Ground1");
    store.WriteProfileString("Document", "Attr3.Value", "0V");
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.m_attributes.GetCount(), 1);
    EXPECT_EQ(doc.GetAttribute("Ground1"), "0V");
}

TEST_F(DrawDocSettingsTest, PrintSettingsReadTheirSection) {
    store.WriteProfileInt("Printing", "Settings", 0x43);
    store.WriteProfileString("Printing", "Scale", "0.25");
    store.WriteProfileInt("Printing", "OffsetX", -1234);
    doc.LoadDefaultSettings(store);
    EXPECT_EQ(doc.m_printSettings.m_flags, 0x43u);
    EXPECT_FLOAT_EQ(doc.m_printSettings.m_scale, 0.25f);
    EXPECT_EQ(doc.m_printSettings.m_offsetX, -1234);
    EXPECT_EQ(doc.m_printSettings.m_offsetY, 0);

    store.WriteProfileString("Printing", "Scale", "none");
    doc.LoadDefaultSettings(store);
    EXPECT_FLOAT_EQ(doc.m_printSettings.m_scale, 1.0f);
}

TEST(DrawDocNewDocument, TakesTheApplicationsDefaults) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.reg");
    ScopedApp installed(app);
    {
        CDrawDoc empty;
        ASSERT_TRUE(empty.OnNewDocument());
        EXPECT_EQ(empty.GetAttributeCount(), 18);
    }
    SettingsStore& store = app.Settings();
    store.WriteProfileInt("Document", "nAttributes", 2);
    store.WriteProfileString("Document", "Attr1.Name", "Ground1");
    store.WriteProfileString("Document", "Attr1.Value", "0V");
    store.WriteProfileString("Document", "Attr2.Name", "Company");
    store.WriteProfileString("Document", "Attr2.Value", "Acme");
    store.WriteProfileInt("Document", "PaperColour", 0x0000FF);
    CDrawDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetAttributeCount(), 19);
    EXPECT_EQ(doc.GetAttribute("Ground1"), "0V");
    EXPECT_EQ(doc.GetAttribute("Company"), "Acme");
    EXPECT_EQ(doc.m_paperColour, 0x0000FFu);
}

}  // namespace
