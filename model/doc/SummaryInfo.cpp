#include "model/doc/SummaryInfo.h"

#include <chrono>
#include <ctime>

#include "platform/CompoundStorage.h"

namespace {
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDifference = 11644473600;
constexpr FileTime kTicksPerSecond = 10000000;
constexpr FileTime kTicksPerMinute = 60 * kTicksPerSecond;

// The OS version word of the header: the format's platform code 2 over a fixed version;
// readers ignore it.
constexpr DWORD kOsVersion = 0x00020006;

// Property ids.
enum : DWORD {
    kPidTitle = 2,
    kPidSubject = 3,
    kPidAuthor = 4,
    kPidKeywords = 5,
    kPidComments = 6,
    kPidTemplate = 7,
    kPidLastAuthor = 8,
    kPidRevision = 9,
    kPidEditTime = 10,
    kPidLastPrinted = 11,
    kPidCreated = 12,
    kPidLastSaved = 13,
    kPidPageCount = 14,
    kPidWordCount = 15,
    kPidCharCount = 16,
    kPidAppName = 18,
    kPidReserved = 0x80000002,
};

CPropValue Text(DWORD id, const CString& text) {
    CPropValue value;
    value.id = id;
    value.type = VT_LPSTR;
    value.text = text;
    return value;
}

CPropValue Number(DWORD id, DWORD type, std::int32_t number) {
    CPropValue value;
    value.id = id;
    value.type = type;
    value.number = number;
    return value;
}

CPropValue Time(DWORD id, FileTime time) {
    CPropValue value;
    value.id = id;
    value.type = VT_FILETIME;
    value.time = time;
    return value;
}

void Take(const CPropSection& section, DWORD id, CString& text) {
    const CPropValue* value = section.Get(id);
    if (value && value->type == VT_LPSTR)
        text = value->text;
}

void Take(const CPropSection& section, DWORD id, int& number) {
    const CPropValue* value = section.Get(id);
    if (value && (value->type == VT_I4 || value->type == VT_I2))
        number = value->number;
}

void Take(const CPropSection& section, DWORD id, FileTime& time) {
    const CPropValue* value = section.Get(id);
    if (value && value->type == VT_FILETIME)
        time = value->time;
}

}  // namespace

const char* const kSummaryStreamName = "\x05SummaryInformation";
const PropFormatId kSummaryFormatId{0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                    0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

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

CPropSet CSummaryInfo::ToPropertySet() const {
    CPropSection section(kSummaryFormatId);
    for (const CPropValue& value :
         {Number(kPropCodePage, VT_I2, kCodePageUtf8), Text(kPidTitle, m_title),
          Text(kPidSubject, m_subject), Text(kPidAuthor, m_author), Text(kPidKeywords, m_keywords),
          Text(kPidComments, m_comments), Text(kPidTemplate, m_template),
          Text(kPidLastAuthor, m_lastAuthor), Text(kPidRevision, m_revision),
          Time(kPidEditTime, m_totalEditTime), Time(kPidLastPrinted, m_lastPrinted),
          Time(kPidLastSaved, m_lastSaved), Time(kPidCreated, m_created),
          Number(kPidPageCount, VT_I4, m_pageCount), Number(kPidWordCount, VT_I4, m_wordCount),
          Number(kPidCharCount, VT_I4, m_charCount), Text(kPidAppName, m_appName),
          Number(kPidReserved, VT_I4, m_reserved)})
        section.Set(value);
    CPropSet set;
    set.m_osVersion = kOsVersion;
    set.m_classId = kSummaryFormatId;
    set.m_sections.push_back(std::move(section));
    return set;
}

void CSummaryInfo::FromPropertySet(const CPropSet& set) {
    const CPropSection* section = set.FindSection(kSummaryFormatId);
    if (!section)
        throw PropertySetError("the property set holds no summary information");
    Take(*section, kPidTitle, m_title);
    Take(*section, kPidSubject, m_subject);
    Take(*section, kPidAuthor, m_author);
    Take(*section, kPidKeywords, m_keywords);
    Take(*section, kPidComments, m_comments);
    Take(*section, kPidTemplate, m_template);
    Take(*section, kPidLastAuthor, m_lastAuthor);
    Take(*section, kPidRevision, m_revision);
    Take(*section, kPidEditTime, m_totalEditTime);
    Take(*section, kPidLastPrinted, m_lastPrinted);
    Take(*section, kPidLastSaved, m_lastSaved);
    Take(*section, kPidCreated, m_created);
    Take(*section, kPidPageCount, m_pageCount);
    Take(*section, kPidWordCount, m_wordCount);
    Take(*section, kPidCharCount, m_charCount);
    Take(*section, kPidAppName, m_appName);
    Take(*section, kPidReserved, m_reserved);
}

BOOL CSummaryInfo::WriteToStorage(CompoundStorage* storage) const {
    if (!storage)
        return FALSE;
    storage->WriteStream(kSummaryStreamName, ToPropertySet().Write());
    return TRUE;
}

BOOL CSummaryInfo::ReadFromStorage(const CompoundStorage* storage) {
    const CompoundStream* stream = storage ? storage->FindStream(kSummaryStreamName) : nullptr;
    if (!stream)
        return FALSE;
    try {
        CSummaryInfo read = *this;
        read.FromPropertySet(CPropSet::Read(stream->Data()));
        *this = read;
    } catch (const PropertySetError&) {
        return FALSE;
    }
    return TRUE;
}
