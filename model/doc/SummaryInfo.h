#pragma once
// CSummaryInfo: the summary information of a schematic (title, author, comments, revision,
// dates, edit time, page count, application name).

#include <cstdint>

#include "platform/CString.h"
#include "platform/Types.h"

// A point in time in 100-nanosecond units since 1601-01-01 UTC; 0 means "never".
using FileTime = std::uint64_t;

FileTime FileTimeNow();
// The local date and time as "M/D/YYYY h:mm:ss AM" (or "PM"); "" for 0.
CString FileTimeText(FileTime time);

class CSummaryInfo {
public:
    const CString& GetTitle() const { return m_title; }
    void SetTitle(const char* title) { m_title = title; }
    const CString& GetAuthor() const { return m_author; }
    void SetAuthor(const char* author) { m_author = author; }
    const CString& GetComments() const { return m_comments; }
    void SetComments(const char* comments) { m_comments = comments; }
    const CString& GetLastAuthor() const { return m_lastAuthor; }
    void SetLastAuthor(const char* author) { m_lastAuthor = author; }
    const CString& GetAppName() const { return m_appName; }
    void SetAppName(const char* name) { m_appName = name; }

    // The revision is text holding a decimal number; incrementing reads its leading digits.
    const CString& GetRevision() const { return m_revision; }
    void IncrementRevision();

    int GetPageCount() const { return m_pageCount; }
    void SetPageCount(int count) { m_pageCount = count; }

    FileTime GetCreateTimeValue() const { return m_created; }
    FileTime GetLastSaveTimeValue() const { return m_lastSaved; }
    void SetCreateTime(FileTime time = FileTimeNow()) { m_created = time; }
    void SetLastSaveTime(FileTime time = FileTimeNow()) { m_lastSaved = time; }
    CString GetCreateTime() const { return FileTimeText(m_created); }
    CString GetLastSaveTime() const { return FileTimeText(m_lastSaved); }

    // Edit time: a session starts at StartEditTime; AddEditTime adds the session so far to the
    // total. The text counts the unsaved session too, in whole minutes ("%lu min").
    void StartEditTime(FileTime now = FileTimeNow()) { m_sessionStart = now; }
    void AddEditTime(FileTime now = FileTimeNow());
    FileTime GetTotalEditTime() const { return m_totalEditTime; }
    CString GetEditTimeText(FileTime now = FileTimeNow()) const;

private:
    FileTime SessionLength(FileTime now) const;

    CString m_title;
    CString m_author;
    CString m_comments;
    CString m_lastAuthor;
    CString m_revision = "0";
    FileTime m_totalEditTime = 0;
    FileTime m_lastSaved = 0;
    FileTime m_created = 0;
    int m_pageCount = 0;
    CString m_appName;
    FileTime m_sessionStart = 0;
};
