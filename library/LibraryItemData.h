#pragma once
// CLibraryItemData: the contents of one library record loaded for a document: its drawing
// objects and what the record says about itself. For a device record the objects are the
// device's symbols, one entry per line of its pin map, arranged on a grid.

#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "platform/CString.h"
#include "platform/ObList.h"

class CLibraryItemData {
public:
    CLibraryItemData() = default;
    // Destroys the objects still held: without device symbols those of the list, else those
    // of the entries.
    virtual ~CLibraryItemData();
    CLibraryItemData(const CLibraryItemData&) = delete;
    CLibraryItemData& operator=(const CLibraryItemData&) = delete;

    // Empties the list without deleting its objects: they belong to whoever took them. The
    // objects of a gate's further symbols, which the list does not hold, are deleted.
    void Clear();
    // Deletes the entries and empties the list, deleting no object: whoever took the list
    // and the entries' objects owns them all.
    void Detach();

    // Places the entries' objects on a grid with one cell per gate, as near to square as the
    // largest symbol allows, and sets rows and columns.
    void ArrangeDeviceSymbols();

    int m_rows = 0;     // rows of the grid a device's symbols were arranged on
    int m_columns = 0;  // cells per row of that grid
    int m_type = kItemSymbol;
    CDeviceSymbolList m_deviceSymbols;
    CObList m_objects;
    CString m_name;
    CString m_description;
};

// Whether the entry at index begins a gate: the first entry, or one whose gate suffix differs
// from the previous entry's. The others are further symbols of the same gate.
bool StartsGate(const CDeviceSymbolList& entries, size_t index);
