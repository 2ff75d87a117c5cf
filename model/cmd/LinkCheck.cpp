#include "model/cmd/LinkCheck.h"

#include "model/object/DrawObj.h"
#include "model/undo/ConnectionList.h"

namespace {
bool BelongsTo(const CDrawObj* object, const CDrawDoc* doc) {
    return !object || object->GetDocument() == doc;
}
}  // namespace

bool LinksNameDocumentObjects(const CConnectionList& links, const CDrawDoc* doc) {
    for (int i = 0; i < links.GetCount(); ++i) {
        const CConnectionRecord& record = links.GetAt(i);
        if (!record.object || !BelongsTo(record.object, doc) || !BelongsTo(record.partner, doc) ||
            !BelongsTo(record.extra, doc))
            return false;
    }
    return true;
}
