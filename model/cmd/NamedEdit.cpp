#include "model/cmd/NamedEdit.h"

#include <memory>

#include "model/cmd/NamedCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

BOOL ApplyNamedEdit(CDrawDoc& doc, const CObList& objects, const char* name,
                    const std::function<void(CDrawObj&)>& edit) {
    if (objects.IsEmpty())
        return FALSE;
    auto command = std::make_unique<CNamedCmd>();
    if (!command->BeginEdit(&doc, objects, name))
        return FALSE;
    CObList& copies = command->GetCopies();
    for (POSITION pos = copies.GetHeadPosition(); pos;)
        edit(*static_cast<CDrawObj*>(copies.GetNext(pos)));
    doc.GetUndoList().Add(command.release());
    doc.UpdateAllViews(nullptr, kHintReplaceSelection, &copies);
    return TRUE;
}
