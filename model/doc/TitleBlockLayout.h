#pragma once
// The layout of a title block: up to four strips side by side across the block, each a
// column of labelled fields stacked down it. Widths and heights are shares of the block in
// thousandths; a share of 0 or less takes an equal part of what the fixed shares leave. Each
// field becomes a drawing object placed in its cell of the block.

#include <memory>
#include <vector>

#include "platform/CString.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawObj;
class CObject;
class CObList;

struct CTitleField {
    enum Kind { kFrame = 0, kAttribute = 1 };

    CString name;  // the attribute the field shows
    DWORD kind = kAttribute;
    int share = 0;  // of the strip's height
};

class CTitleRow {
public:
    // The share and offset of a field down the strip, in thousandths.
    struct Extent {
        int share;
        int offset;
    };

    CTitleField* AddField(const char* name, DWORD kind, int share);
    // The field leaves the strip; the caller has it.
    std::unique_ptr<CTitleField> RemoveField(const CTitleField* field);
    Extent GetFieldExtent(int index) const;
    int GetFieldCount() const { return int(m_fields.size()); }
    CTitleField* GetField(int index) const { return m_fields[size_t(index)].get(); }

    int m_share = 0;  // of the block's width

private:
    std::vector<std::unique_ptr<CTitleField>> m_fields;
};

class CTitleBlockLayout {
public:
    static constexpr int kMaxRows = 4;

    // Company; Comments over Title; Revision, Drawn By, Date Created, Last Saved and File.
    CTitleBlockLayout();

    int CountSharedRows() const;
    int SumFixedRowShares() const;
    int SharedRowShare() const;

    // The object of the field: a frame rectangle, or an attribute text of owner in title
    // block style; null for a kind it does not know. Not placed yet.
    CDrawObj* CreateFieldObject(int field, int row, CObject* owner) const;
    // Moves object to the field's cell in the block.
    void PlaceFieldObject(CDrawObj* object, const CRect& block, int field, int row) const;
    // The field's cell in the block.
    CRect GetFieldCell(const CRect& block, int field, int row) const;
    // Appends the object of every field of the strips in use, strip by strip, each placed in
    // its cell of the block; they are the caller's.
    void CreateFieldObjects(const CRect& block, CObject* owner, CObList& objects) const;

    int m_rowCount = 3;  // strips in use
    CTitleRow m_rows[kMaxRows];

private:
    int RowShare(int row) const;
};
