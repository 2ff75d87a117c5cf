#include "netlist/walker/SheetFiles.h"

#include "model/doc/DrawDoc.h"
#include "netlist/walker/SheetOpener.h"

CSheetFiles::~CSheetFiles() {
    for (auto& [path, sheet] : m_sheets) {
        if (sheet)
            sheet->OnCloseDocument();
    }
}

CDrawDoc* CSheetFiles::Open(const CString& path) {
    auto [it, added] = m_sheets.try_emplace(path.str());
    if (added)
        it->second = GetSheetOpener().OpenSheet(path);
    return it->second.get();
}
