#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "model/SummaryInfo.h"

namespace {

constexpr FileTime kTicksPerSecond = 10000000;
// 2024-01-15 15:04:05 UTC.
constexpr FileTime kJan15 = (1705331045ull + 11644473600ull) * kTicksPerSecond;

class UtcZone {
public:
    UtcZone() {
        const char* tz = std::getenv("TZ");
        m_had = tz != nullptr;
        if (tz)
            m_old = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    ~UtcZone() {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_had = false;
    std::string m_old;
};

TEST(SummaryInfo, TimesReadAsLocalDateText) {
    UtcZone utc;
    EXPECT_EQ(FileTimeText(0), "");
    EXPECT_EQ(FileTimeText(kJan15), "1/15/2024 3:04:05 PM");
    EXPECT_EQ(FileTimeText(kJan15 - 15 * 3600 * kTicksPerSecond), "1/15/2024 12:04:05 AM");
    EXPECT_EQ(FileTimeText(kJan15 - 3 * 3600 * kTicksPerSecond), "1/15/2024 12:04:05 PM");

    CSummaryInfo summary;
    EXPECT_EQ(summary.GetLastSaveTime(), "");
    summary.SetCreateTime(kJan15);
    EXPECT_EQ(summary.GetCreateTime(), "1/15/2024 3:04:05 PM");
}

TEST(SummaryInfo, NowIsAfter2020) {
    EXPECT_GT(FileTimeNow(), (1577836800ull + 11644473600ull) * kTicksPerSecond);
}

TEST(SummaryInfo, RevisionCountsUpFromItsLeadingDigits) {
    CSummaryInfo summary;
    EXPECT_EQ(summary.GetRevision(), "0");
    summary.IncrementRevision();
    EXPECT_EQ(summary.GetRevision(), "1");
    summary.IncrementRevision();
    EXPECT_EQ(summary.GetRevision(), "2");
}

TEST(SummaryInfo, EditTimeCountsTheOpenSessionInWholeMinutes) {
    CSummaryInfo summary;
    const FileTime minute = 60 * kTicksPerSecond;
    summary.StartEditTime(1000 * minute);
    EXPECT_EQ(summary.GetEditTimeText(1000 * minute + 119 * kTicksPerSecond), "1 min");
    summary.AddEditTime(1003 * minute);
    EXPECT_EQ(summary.GetTotalEditTime(), 3 * minute);
    summary.StartEditTime(2000 * minute);
    EXPECT_EQ(summary.GetEditTimeText(2002 * minute), "5 min");
    // A clock that went backwards adds nothing.
    summary.AddEditTime(1 * minute);
    EXPECT_EQ(summary.GetTotalEditTime(), 3 * minute);
}

}  // namespace
