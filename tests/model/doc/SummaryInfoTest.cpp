#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "model/doc/SummaryInfo.h"

namespace {

constexpr FileTime kSecond = 10000000;
constexpr FileTime kMinute = 60 * kSecond;
constexpr FileTime kJan15 = (1705331045ull + 11644473600ull) * kSecond;  // 15:04:05 UTC

TEST(SummaryInfo, TimesReadAsLocalDateText) {
    const char* tz = std::getenv("TZ");
    const std::string old = tz ? tz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FileTimeText(0), "");
    EXPECT_EQ(FileTimeText(kJan15), "1/15/2024 3:04:05 PM");
    EXPECT_EQ(FileTimeText(kJan15 - 15 * 3600 * kSecond), "1/15/2024 12:04:05 AM");
    EXPECT_EQ(FileTimeText(kJan15 - 3 * 3600 * kSecond), "1/15/2024 12:04:05 PM");
    tz ? setenv("TZ", old.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST(SummaryInfo, RevisionAndEditTime) {
    CSummaryInfo summary;
    summary.IncrementRevision();
    summary.IncrementRevision();
    EXPECT_EQ(summary.GetRevision(), "2");

    summary.StartEditTime(1000 * kMinute);
    EXPECT_EQ(summary.GetEditTimeText(1000 * kMinute + 119 * kSecond), "1 min");
    summary.AddEditTime(1003 * kMinute);
    summary.StartEditTime(2000 * kMinute);
    EXPECT_EQ(summary.GetEditTimeText(2002 * kMinute), "5 min");
    summary.AddEditTime(kMinute);  // a clock that went backwards adds nothing
    EXPECT_EQ(summary.GetTotalEditTime(), 3 * kMinute);
}

}  // namespace

namespace {

using Bytes = std::vector<BYTE>;

DWORD DwordAt(const Bytes& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
           static_cast<DWORD>(bytes.at(at + 3)) << 24;
}

// A summary set of one section holding the given (id, type, value bytes) properties.
Bytes HandBuiltSet(const std::vector<std::tuple<DWORD, DWORD, Bytes>>& properties) {
    Bytes section(8 + 8 * properties.size(), 0);
    auto put = [](Bytes& to, size_t at, DWORD value) {
        for (int i = 0; i < 4; ++i)
            to[at + i] = static_cast<BYTE>(value >> (8 * i));
    };
    for (size_t i = 0; i < properties.size(); ++i) {
        const auto& [id, type, value] = properties[i];
        put(section, 8 + 8 * i, id);
        put(section, 12 + 8 * i, static_cast<DWORD>(section.size()));
        for (int b = 0; b < 4; ++b)
            section.push_back(static_cast<BYTE>(type >> (8 * b)));
        section.insert(section.end(), value.begin(), value.end());
    }
    put(section, 0, static_cast<DWORD>(section.size()));
    put(section, 4, static_cast<DWORD>(properties.size()));
    Bytes set = {0xFE, 0xFF, 0, 0, 6, 0, 2, 0};
    set.insert(set.end(), kSummaryFormatId.begin(), kSummaryFormatId.end());
    set.insert(set.end(), {1, 0, 0, 0});
    set.insert(set.end(), kSummaryFormatId.begin(), kSummaryFormatId.end());
    set.insert(set.end(), {0x30, 0, 0, 0});
    set.insert(set.end(), section.begin(), section.end());
    return set;
}

TEST(SummaryInfo, PropertySetLayout) {
    CSummaryInfo summary;
    summary.SetTitle("Amp");
    const Bytes bytes = summary.ToPropertySet().Write();
    const Bytes header = {0xFE, 0xFF, 0x00, 0x00, 0x06, 0x00, 0x02, 0x00, 0xE0, 0x85,
                          0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00,
                          0x2B, 0x27, 0xB3, 0xD9, 0x01, 0x00, 0x00, 0x00};
    ASSERT_GT(bytes.size(), 0x30u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 28), header);
    EXPECT_EQ(Bytes(bytes.begin() + 28, bytes.begin() + 44),
              Bytes(header.begin() + 8, header.end() - 4));
    EXPECT_EQ(DwordAt(bytes, 44), 0x30u);
    EXPECT_EQ(DwordAt(bytes, 0x30), bytes.size() - 0x30);
    ASSERT_EQ(DwordAt(bytes, 0x34), 18u);
    const DWORD ids[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 12, 14, 15, 16, 18, 0x80000002};
    for (size_t i = 0; i < 18; ++i)
        EXPECT_EQ(DwordAt(bytes, 0x38 + 8 * i), ids[i]) << i;
    // The code page: VT_I2 65001, padded; the title: VT_LPSTR, count with the NUL, padded.
    const size_t codePage = 0x30 + DwordAt(bytes, 0x3C);
    EXPECT_EQ(Bytes(bytes.begin() + codePage, bytes.begin() + codePage + 8),
              (Bytes{2, 0, 0, 0, 0xE9, 0xFD, 0, 0}));
    const size_t title = 0x30 + DwordAt(bytes, 0x44);
    EXPECT_EQ(Bytes(bytes.begin() + title, bytes.begin() + title + 12),
              (Bytes{30, 0, 0, 0, 4, 0, 0, 0, 'A', 'm', 'p', 0}));
    const size_t subject = 0x30 + DwordAt(bytes, 0x4C);
    EXPECT_EQ(subject, title + 12);
    EXPECT_EQ(Bytes(bytes.begin() + subject, bytes.begin() + subject + 12),
              (Bytes{30, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));  // "" padded to 4
}

TEST(SummaryInfo, ReadsWhatItWritesAndOtherCodePages) {
    CSummaryInfo written;
    written.SetTitle("Verstärker");
    written.SetAuthor("ann");
    written.SetComments("two\r\nlines");
    written.SetCreateTime(kJan15);
    written.StartEditTime(0);
    written.AddEditTime(150 * kSecond);
    CSummaryInfo read;
    read.FromPropertySet(CPropSet::Read(written.ToPropertySet().Write()));
    EXPECT_EQ(read.ToPropertySet().Write(), written.ToPropertySet().Write());

    // Code page 1252 text, a UTF-16 author, a mistyped subject, a bare revision.
    const Bytes set = HandBuiltSet({
        {1, VT_I2, {0xE4, 0x04, 0, 0}},
        {2, VT_LPSTR, {4, 0, 0, 0, 'c', 0xE9, 'e', 0}},
        {4, VT_LPWSTR, {3, 0, 0, 0, 'J', 0, 0x14, 0x20, 0, 0, 0, 0}},
        {3, VT_I4, {5, 0, 0, 0}},
        {9, VT_LPSTR, {2, 0, 0, 0, 'x', 0, 0, 0}},
    });
    CSummaryInfo other;
    other.SetSubject("kept");
    other.FromPropertySet(CPropSet::Read(set));
    EXPECT_EQ(other.GetTitle(),
              "c\xC3\xA9"
              "e");
    EXPECT_EQ(other.GetAuthor(), "J\xE2\x80\x94");
    EXPECT_EQ(other.GetSubject(), "kept");
    other.IncrementRevision();
    EXPECT_EQ(other.GetRevision(), "1");
}

TEST(SummaryInfo, DamagedSetsAreRefused) {
    const Bytes good = HandBuiltSet({{2, VT_LPSTR, {2, 0, 0, 0, 'T', 0, 0, 0}}});
    ASSERT_NO_THROW(CPropSet::Read(good));
    auto with = [&](size_t at, std::initializer_list<BYTE> bytes) {
        Bytes damaged = good;
        std::copy(bytes.begin(), bytes.end(), damaged.begin() + static_cast<long>(at));
        return damaged;
    };
    const Bytes cases[] = {
        Bytes(good.begin(), good.begin() + 27),  // short header
        with(0, {0xFF, 0xFE}),                   // byte order
        with(24, {0xFF, 0xFF, 0xFF, 0x0F}),      // section count
        with(44, {0xF0, 0xFF, 0, 0}),            // section offset
        with(0x30, {0xFF, 0xFF, 0, 0}),          // section size
        with(0x34, {0xFF, 0xFF, 0xFF, 0xFF}),    // property count
        with(0x3C, {0xF0, 0, 0, 0}),             // property offset
        with(0x44, {0xFF, 0xFF, 0xFF, 0x7F}),    // string length
        Bytes(good.begin(), good.end() - 2),     // cut inside the section
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_THROW(CPropSet::Read(cases[i]), PropertySetError) << i;

    CPropSet noSummary = CPropSet::Read(good);
    noSummary.m_sections[0] = CPropSection(PropFormatId{1});
    CSummaryInfo summary;
    EXPECT_THROW(summary.FromPropertySet(noSummary), PropertySetError);
}

TEST(SummaryInfo, EditTimeAndPrintTimeTexts) {
    CSummaryInfo summary;
    summary.StartEditTime(kJan15);
    EXPECT_EQ(summary.GetEditTimeText(kJan15), "0 min");
    EXPECT_EQ(summary.GetEditTimeText(kJan15 + 150 * kSecond), "2 min");
    summary.StartEditTime(kJan15);
    summary.AddEditTime(kJan15 + 600000000);
    EXPECT_EQ(summary.GetEditTimeText(kJan15 + 59 * kSecond), "1 min");
    EXPECT_EQ(summary.GetPrintTime(), "");
}

}  // namespace
