#pragma once
// CLibraryItem: the directory entry of one record of a library file, filled by reading the
// record's header.

#include "platform/CString.h"
#include "platform/Types.h"

// Item types of library records.
enum LibraryItemType : int {
    kItemSymbol = 0,
    kItemCircuit = 1,
    kItemDevice = 2,
    kItemModel = 3,
    kItemFootprint = 5,
};

class CLibraryItem {
public:
    CLibraryItem() = default;
    CLibraryItem(const char* name, const char* description, int type)
        : m_type(type), m_name(name), m_description(description) {}
    virtual ~CLibraryItem() = default;
    CLibraryItem(const CLibraryItem&) = default;
    CLibraryItem& operator=(const CLibraryItem&) = default;

    int m_type = kItemSymbol;
    UINT m_position = 0;  // file offset of the record's first header byte
    CString m_name;
    CString m_description;
    int m_dataLength = 0;
};
