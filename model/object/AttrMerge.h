#pragma once
// The attributes of several objects merged by name, as the "Other Attributes" page lists and
// edits them: one record per name with the number of objects that carry it, its flags and its
// value. A value the objects disagree on is marked mixed and stays so until the user edits it;
// callers write no mixed value back.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/object/TriState.h"
#include "platform/CString.h"
#include "platform/Types.h"

class CDrawObj;

// Record flags.
constexpr DWORD kAttrShown = 0x1;       // visible on the sheet
constexpr DWORD kAttrShownMixed = 0x2;  // the objects' visibility differs
constexpr DWORD kAttrVisibility = 0x3;
constexpr DWORD kAttrValueLocked = 0x4;  // the value may not be edited
constexpr DWORD kAttrValueMixed = 0x8;   // the objects' values differ; the value is empty
constexpr DWORD kAttrSeen = 0x80;        // internal to reading the rows back
constexpr DWORD kAttrDeleted = 0x100;    // deleted by the user
constexpr DWORD kAttrAdded = 0x200;      // added on the page
constexpr DWORD kAttrReserved = 0x400;   // the name cannot be edited nor the row deleted

struct AttrRecord {
    int count = 0;  // the loaded objects that carry the name
    DWORD flags = 0;
    CString value;
};

// One row of the page's list.
struct AttrListRow {
    CString name;
    CString value;
    TriState visible = TriState::kOff;
    DWORD flags = 0;  // the record's kAttrValueLocked, kAttrValueMixed and kAttrReserved
};

// A row the page refuses to leave with: its index, and the message shown (empty when the
// validation callback showed its own).
struct AttrRowError {
    int row;
    CString message;
};

// Asked for each named row; a nonzero answer refuses the row.
using AttrCheck = std::function<int(const CString& name, const CString& value)>;

class CAttrMerge {
public:
    using Records = std::map<std::string, AttrRecord>;  // by name, byte-wise

    void SetObjectCount(int count) { m_objectCount = count; }
    int ObjectCount() const { return m_objectCount; }

    // One attribute of one loaded object.
    void AddAttribute(DWORD flags, const char* name, const char* value);
    const Records& GetRecords() const { return m_records; }

    // The rows to list, sorted by name: every record not deleted that all loaded objects carry
    // or that was added here; with showAll every record not deleted.
    std::vector<AttrListRow> ShownRows(bool showAll) const;

    // The first row that may not be left: check's refusal, a name given twice, or a value
    // without a name. Names and values are taken trimmed.
    static std::optional<AttrRowError> Validate(const std::vector<AttrListRow>& rows,
                                                const AttrCheck& check);
    // Takes the rows back: each named row sets its record (new names are added), and records
    // that were listed but have no row any more are deleted.
    void ReadBack(const std::vector<AttrListRow>& rows, bool showAll);

private:
    bool IsListed(const AttrRecord& record, bool showAll) const;

    Records m_records;
    int m_objectCount = 0;
};

// The attributes of drawing objects on the page.

// Adds every attribute of the object whose name skip does not take, with the flags of its
// read-only bits (kAttrReserved, kAttrValueLocked) and of a shown text (kAttrShown).
void AddObjectAttributes(CAttrMerge& merge, CDrawObj& object,
                         const std::function<bool(const CString& name)>& skip);
// Writes one record's value into the object: a deleted record removes the attribute; any other
// value that is neither locked nor mixed is set, forced, where the object has the attribute or
// the page added it, and only where it differs from the object's.
void WriteAttrRecord(CDrawObj& object, const char* name, const AttrRecord& record);
