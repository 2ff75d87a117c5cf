#pragma once
// CLibraryItemData: the contents of one library record loaded for a document: its drawing
// objects and what the record says about itself.

#include "library/LibraryItem.h"
#include "platform/CString.h"
#include "platform/ObList.h"

class CLibraryItemData {
public:
    CLibraryItemData() = default;
    // Destroys the objects still in the list.
    virtual ~CLibraryItemData();
    CLibraryItemData(const CLibraryItemData&) = delete;
    CLibraryItemData& operator=(const CLibraryItemData&) = delete;

    // Empties the list without deleting its objects: they belong to whoever took them.
    void Clear();

    int m_rows = 0;     // rows of the grid a device's symbols were arranged on
    int m_columns = 0;  // cells per row of that grid
    int m_type = kItemSymbol;
    CObList m_objects;
    CString m_name;
    CString m_description;
};
