#include "model/undo/Command.h"

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/ObList.h"

IMPLEMENT_DYNAMIC(CCommand, CObject)

BOOL CCommand::Do(CDrawDoc* /*doc*/) {
    return FALSE;
}

BOOL CCommand::Undo(CDrawDoc* /*doc*/) {
    return FALSE;
}

BOOL CCommand::GetChangedObjects(std::vector<CDrawObj*>& /*objects*/) const {
    return FALSE;
}

const char* CCommand::GetName() const {
    return "";
}

void CCommand::UpdateViews(CDrawDoc* doc, CObList* objects, int how) {
    switch (how) {
        case kUpdateJoinSelection:
            doc->UpdateAllViews(nullptr, kHintAddToSelection, objects);
            break;
        case kUpdateLeaveSelection:
            doc->UpdateAllViews(nullptr, kHintRemoved, objects);
            break;
        default:
            break;
    }
}

void CCommand::UpdateView(CDrawDoc* doc, CDrawObj* object, int how) {
    CObList objects;
    objects.AddTail(object);
    UpdateViews(doc, &objects, how);
}
