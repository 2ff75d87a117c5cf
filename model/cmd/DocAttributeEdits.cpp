#include "model/cmd/DocAttributeEdits.h"

#include "model/doc/DrawDoc.h"
#include "model/object/AttrMerge.h"
#include "model/text/AttrText.h"

namespace {

bool HasTextOnSheet(CDrawDoc& doc, const CString& name) {
    POSITION pos = nullptr;
    do {
        CAttrText* text = doc.FindAttrText(name, pos);
        if (!text)
            return false;
        if (doc.GetObjects().Find(text))
            return true;
    } while (pos);
    return false;
}

DWORD RecordFlags(int kind) {
    DWORD flags = 0;
    if (kind & kAttrKindComputed)
        flags |= kAttrReserved;
    if ((kind & kAttrKindComputedReadOnly) == kAttrKindComputedReadOnly)
        flags |= kAttrValueLocked;
    return flags;
}

}  // namespace

void LoadDocAttributes(CDrawDoc& doc, CAttrMerge& merge) {
    merge.SetObjectCount(1);
    for (int i = 0; i < doc.GetAttributeCount(); ++i) {
        CString name;
        CString value;
        doc.GetAttributeAt(i, name, value);
        DWORD flags = RecordFlags(CDrawDoc::GetAttributeFlagsAt(i));
        if (HasTextOnSheet(doc, name))
            flags |= kAttrShown;
        merge.AddAttribute(flags, name, value);
    }
}

DocAttributeEdits DocAttributeEdits::FromRecords(CDrawDoc& doc, const CAttrMerge& merge) {
    DocAttributeEdits edits;
    for (const auto& [key, record] : merge.GetRecords()) {
        const CString name(key);
        const bool onSheet = HasTextOnSheet(doc, name);
        if (record.flags & kAttrDeleted) {
            edits.removed.push_back(name);
            if (onSheet)
                edits.hiddenTexts.push_back(name);
            continue;
        }
        CString old;
        const bool exists = doc.GetAttribute(name, old);
        if (!(record.flags & kAttrValueLocked) && (!exists || old != record.value))
            edits.values.emplace_back(name, record.value);
        const bool shown = record.flags & kAttrShown;
        if (shown && !onSheet)
            edits.shownTexts.push_back(name);
        else if (!shown && onSheet)
            edits.hiddenTexts.push_back(name);
    }
    return edits;
}
