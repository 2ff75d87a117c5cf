#pragma once
// CSummaryInfo: the summary information of a schematic (title, subject, author, keywords,
// comments, template, revision, dates, edit time, page count, application name), kept in the
// compound file's summary-information property set stream.

#include "model/doc/PropertySet.h"
#include "platform/CString.h"
#include "platform/Types.h"

class CompoundStorage;

FileTime FileTimeNow();
// The local date and time as "M/D/YYYY h:mm:ss AM" (or "PM"); "" for 0.
CString FileTimeText(FileTime time);

// The stream's name: the character 5, then "SummaryInformation".
extern const char* const kSummaryStreamName;
// FMTID_SummaryInformation, F29F85E0-4FF9-1068-AB91-08002B27B3D9, as stored.
extern const PropFormatId kSummaryFormatId;

class CSummaryInfo {
public:
    const CString& GetTitle() const { return m_title; }
    void SetTitle(const char* title) { m_title = title; }
    const CString& GetSubject() const { return m_subject; }
    void SetSubject(const char* subject) { m_subject = subject; }
    const CString& GetAuthor() const { return m_author; }
    void SetAuthor(const char* author) { m_author = author; }
    const CString& GetKeywords() const { return m_keywords; }
    void SetKeywords(const char* keywords) { m_keywords = keywords; }
    const CString& GetComments() const { return m_comments; }
    void SetComments(const char* comments) { m_comments = comments; }
    const CString& GetTemplate() const { return m_template; }
    void SetTemplate(const char* name) { m_template = name; }
    const CString& GetLastAuthor() const { return m_lastAuthor; }
    void SetLastAuthor(const char* author) { m_lastAuthor = author; }
    const CString& GetAppName() const { return m_appName; }
    void SetAppName(const char* name) { m_appName = name; }

    // The revision is text holding a decimal number; incrementing reads its leading digits
    // (none: 0).
    const CString& GetRevision() const { return m_revision; }
    void IncrementRevision();

    int GetPageCount() const { return m_pageCount; }
    void SetPageCount(int count) { m_pageCount = count; }

    FileTime GetCreateTimeValue() const { return m_created; }
    FileTime GetLastSaveTimeValue() const { return m_lastSaved; }
    FileTime GetPrintTimeValue() const { return m_lastPrinted; }
    void SetCreateTime(FileTime time = FileTimeNow()) { m_created = time; }
    void SetLastSaveTime(FileTime time = FileTimeNow()) { m_lastSaved = time; }
    void SetPrintTime(FileTime time = FileTimeNow()) { m_lastPrinted = time; }
    CString GetCreateTime() const { return FileTimeText(m_created); }
    CString GetLastSaveTime() const { return FileTimeText(m_lastSaved); }
    CString GetPrintTime() const { return FileTimeText(m_lastPrinted); }

    // Edit time: a session starts at StartEditTime; AddEditTime adds the session so far to the
    // total. The text counts the unsaved session too, in whole minutes ("%lu min").
    void StartEditTime(FileTime now = FileTimeNow()) { m_sessionStart = now; }
    void AddEditTime(FileTime now = FileTimeNow());
    FileTime GetTotalEditTime() const { return m_totalEditTime; }
    CString GetEditTimeText(FileTime now = FileTimeNow()) const;

    // The property set: the 18 properties in their fixed order, strings in UTF-8 (code page
    // 65001).
    CPropSet ToPropertySet() const;
    // Takes the summary section's known properties; a missing or mistyped one keeps its
    // value. Throws PropertySetError when the set has no summary section.
    void FromPropertySet(const CPropSet& set);

    // The summary stream of a storage. Writing replaces any stream there; FALSE without a
    // storage. Reading answers FALSE, leaving this summary as it was, without a storage, without
    // the stream or when the stream is damaged.
    BOOL WriteToStorage(CompoundStorage* storage) const;
    BOOL ReadFromStorage(const CompoundStorage* storage);

private:
    FileTime SessionLength(FileTime now) const;

    CString m_title;
    CString m_subject;
    CString m_author;
    CString m_keywords;
    CString m_comments;
    CString m_template;
    CString m_lastAuthor;
    CString m_revision = "0";
    FileTime m_totalEditTime = 0;
    FileTime m_lastPrinted = 0;
    FileTime m_lastSaved = 0;
    FileTime m_created = 0;
    int m_pageCount = 0;
    int m_wordCount = 0;
    int m_charCount = 0;
    CString m_appName;
    int m_reserved = 0;  // property 0x80000002, kept as read
    FileTime m_sessionStart = 0;
};
