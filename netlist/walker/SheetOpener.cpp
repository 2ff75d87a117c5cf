#include "netlist/walker/SheetOpener.h"

#include "model/doc/DrawDoc.h"

namespace {

// Loads the schematic file without a word to the user: the build logs a file that cannot be
// read.
class CFileSheetOpener : public ISheetOpener {
public:
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override {
        auto document = std::make_unique<CDrawDoc>();
        document->SetReportsFailures(FALSE);
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
