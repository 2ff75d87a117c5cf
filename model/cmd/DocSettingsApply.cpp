#include "model/cmd/DocSettingsApply.h"

#include "model/cmd/AddCmd.h"
#include "model/cmd/AttrEditCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/RailConnectors.h"
#include "model/net/WireRails.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

namespace {

// An attribute's removal. Made before it, the command keeps the document's attributes; undoing
// gives them back, the attribute with its value and in its place among them (added again, it
// would go first among the keys of its bucket).
class CAttrRemoveCmd : public CPropEditCmd {
public:
    CAttrRemoveCmd(CDrawDoc& doc, const char* name) : m_name(name) {
        m_before.CopyFrom(*doc.GetAttributeMap());
    }

    BOOL Do(CDrawDoc* doc) override { return doc->RemoveAttribute(m_name); }
    BOOL Undo(CDrawDoc* doc) override {
        doc->GetAttributeMap()->CopyFrom(m_before);
        doc->UpdateAttrTexts(m_name);
        return TRUE;
    }

private:
    CString m_name;
    CMapStringToString m_before{10};
};

// Joins a done command to the settings step.
void Merge(CDrawDoc& doc, CCommand* command) {
    if (!doc.MergeCommand(command))
        delete command;
}

// Renamed rails take their nets and connectors along once every value is set.
void SetValues(CDrawDoc& doc, const DocAttributeEdits& edits) {
    std::vector<RailRename> renames;
    for (const auto& [name, value] : edits.values) {
        CString old;
        const BOOL existed = doc.GetAttribute(name, old);
        if ((existed && old == value) || !doc.SetAttribute(name, value, 0))
            continue;
        Merge(doc, new CAttrEditCmd(name, old, !existed));
        renames.push_back({name, old});
    }
    FollowRailRenames(doc, renames);
}

void RemoveAttributes(CDrawDoc& doc, const DocAttributeEdits& edits) {
    for (const CString& name : edits.removed) {
        CString old;
        if (!doc.GetAttribute(name, old))
            continue;
        auto* remove = new CAttrRemoveCmd(doc, name);
        if (remove->Do(&doc))
            Merge(doc, remove);
        else
            delete remove;
    }
}

void HideTexts(CDrawDoc& doc, const DocAttributeEdits& edits) {
    CObList texts;
    for (const CString& name : edits.hiddenTexts) {
        // A walk that reaches the end leaves pos null, which would start it again.
        POSITION pos = nullptr;
        do {
            CAttrText* text = doc.FindAttrText(name, pos);
            if (!text)
                break;
            if (doc.GetObjects().Find(text) && !texts.Find(text))
                texts.AddTail(text);
        } while (pos);
    }
    if (texts.IsEmpty())
        return;
    auto* remove = new CRemoveCmd(texts);
    if (remove->Do(&doc))
        Merge(doc, remove);
    else
        delete remove;
}

void ShowTexts(CDrawDoc& doc, const DocAttributeEdits& edits) {
    CObList texts;
    for (const CString& name : edits.shownTexts) {
        CAttrText* text = doc.GetDocAttrText(name, TRUE);
        if (text && !doc.GetObjects().Find(text) && !texts.Find(text))
            texts.AddTail(text);
    }
    if (texts.IsEmpty())
        return;
    doc.StackNewTexts(&texts);
    auto* add = new CAddCmd(texts, FALSE);
    if (add->Do(&doc))
        Merge(doc, add);
    else
        delete add;
}

}  // namespace

BOOL ApplyDocumentSettings(CDrawDoc& doc, const DocSettings& settings,
                           const DocAttributeEdits& edits) {
    if (settings == DocSettings::Of(doc) && edits.IsEmpty())
        return TRUE;
    if (!RailNameClash(doc, edits.values, edits.removed).IsEmpty() ||
        !doc.GetUndoList().Execute(new CDocSettingsCmd(settings, FALSE)))
        return FALSE;
    SetValues(doc, edits);
    RemoveAttributes(doc, edits);
    HideTexts(doc, edits);
    ShowTexts(doc, edits);
    doc.UpdateAttrTexts(nullptr);
    doc.UpdateAllViews(nullptr, 0);
    return TRUE;
}

void ApplyPrintOptions(CDrawDoc& doc, const DocSettings& settings) {
    if (!(settings == DocSettings::Of(doc)))
        doc.GetUndoList().Execute(new CDocSettingsCmd(settings, TRUE));
}
