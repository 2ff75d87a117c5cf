#include "library/ConnectorSymbolLibrary.h"

#include "library/LibraryFile.h"
#include "library/LibraryFolders.h"
#include "library/LibraryItemData.h"
#include "model/symbol/Symbol.h"
#include "platform/UserPrompt.h"

CSymbol* CConnectorSymbolLibrary::LoadSymbol(const CString& name, CDrawDoc* document) {
    const CString path = LibraryPattern("$(StdLibDir)\\basic.rlb", "", m_app, nullptr);
    CString message;
    CLibraryFile library;
    if (path.IsEmpty() || !library.Open(path)) {
        message.Format("Could not find parts library\n%s", path.c_str());
        AfxMessageBox(message);
        return nullptr;
    }
    CLibraryItem entry;
    const int index = library.FindItem(entry, name);
    if (index == kItemNotFound) {
        message.Format("Cannot find item %s\nin library %s.", name.c_str(), path.c_str());
        AfxMessageBox(message);
        return nullptr;
    }
    CLibraryItemData item;
    if (!library.ReadItemOrReport(document, index, item))
        return nullptr;
    auto* symbol =
        item.m_objects.IsEmpty() ? nullptr : dynamic_cast<CSymbol*>(item.m_objects.GetHead());
    if (!symbol) {
        AfxMessageBox("Library item found is not a symbol.");
        return nullptr;
    }
    // The texts the item shows stay with it: the wire the symbol ends shows the net's name.
    item.m_objects.RemoveHead();
    symbol->GetAttrTextList()->RemoveAll();
    return symbol;
}
