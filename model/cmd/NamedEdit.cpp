#include "model/cmd/NamedEdit.h"

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
    RecordNamedEdit(doc, std::move(command));
    return TRUE;
}

bool RecordNamedEdit(CDrawDoc& doc, std::unique_ptr<CNamedCmd> command) {
    if (command->CopiesAreUnchanged(&doc)) {
        command->Undo(&doc);
        doc.UpdateAllViews(nullptr, kHintReplaceSelection, &command->GetOriginals());
        return false;
    }
    CObList& copies = command->GetCopies();
    doc.GetUndoList().Add(command.release());
    doc.UpdateAllViews(nullptr, kHintReplaceSelection, &copies);
    return true;
}
