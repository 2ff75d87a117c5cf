#include "netlist/walker/SheetOpener.h"

#include "model/doc/DrawDoc.h"

namespace {

// Loads the schematic file; a file that cannot be read has been reported to the user.
class CFileSheetOpener : public ISheetOpener {
public:
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override {
        auto document = std::make_unique<CDrawDoc>();
        if (path.IsEmpty() || !document->OnOpenDocument(path))
            return nullptr;
        document->SetPathName(path, FALSE);
        return document;
    }
};

}  // namespace

template <>
ISheetOpener& Installed<ISheetOpener>::Fallback() {
    static CFileSheetOpener opener;
    return opener;
}
