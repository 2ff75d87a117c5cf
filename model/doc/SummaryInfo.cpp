#include "model/doc/SummaryInfo.h"

#include <chrono>
#include <ctime>

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;
constexpr FileTime kTicksPerSecond = 10000000;
constexpr FileTime kTicksPerMinute = 60 * kTicksPerSecond;
}  // namespace

FileTime FileTimeNow() {
    auto since1970 = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return static_cast<FileTime>(since1970.count() * 10 + kEpochDifference * 10000000);
}

CString FileTimeText(FileTime time) {
    if (time == 0)
        return CString();
    std::time_t seconds = static_cast<std::time_t>(
        static_cast<std::int64_t>(time / kTicksPerSecond) - kEpochDifference);
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return CString();
    int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    CString text;
    text.Format("%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday, local.tm_year + 1900,
                hour12, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

void CSummaryInfo::IncrementRevision() {
    unsigned long revision = 0;
    for (const char* p = m_revision.c_str(); *p >= '0' && *p <= '9'; ++p)
        revision = revision * 10 + static_cast<unsigned long>(*p - '0');
    m_revision.Format("%lu", static_cast<unsigned long>(static_cast<DWORD>(revision + 1)));
}

void CSummaryInfo::AddEditTime(FileTime now) {
    m_totalEditTime += SessionLength(now);
}

CString CSummaryInfo::GetEditTimeText(FileTime now) const {
    CString text;
    text.Format("%lu min", static_cast<unsigned long>((m_totalEditTime + SessionLength(now)) /
                                                      kTicksPerMinute));
    return text;
}

FileTime CSummaryInfo::SessionLength(FileTime now) const {
    return now > m_sessionStart ? now - m_sessionStart : 0;
}
