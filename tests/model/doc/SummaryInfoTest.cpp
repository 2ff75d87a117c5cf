#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

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
