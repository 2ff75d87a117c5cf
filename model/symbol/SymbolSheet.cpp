#include "model/symbol/SymbolSheet.h"

#include <algorithm>
#include <memory>
#include <string>

#include "model/cmd/AddCmd.h"
#include "model/cmd/NamedCmd.h"
#include "model/cmd/NamedEdit.h"
#include "model/cmd/RemoveCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/RailConnectors.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/UserPrompt.h"

namespace {

class CancellingRunner : public ISymbolSheetRunner {
public:
    int RunSymbolSheet(SymbolSheet&) override { return 0; }
};

// The attributes the General page edits; the attribute page leaves them out.
bool IsGeneralPageAttr(const CString& name) {
    for (int id : {kStdAttrId, kStdAttrName, kStdAttrSubcct, kStdAttrValue}) {
        if (name == GetStdAttrName(id))
            return true;
    }
    return false;
}

void LoadAttributes(CAttrMerge& merge, const std::vector<CSymbol*>& symbols) {
    merge.SetObjectCount(static_cast<int>(symbols.size()));
    for (CSymbol* symbol : symbols)
        AddObjectAttributes(merge, *symbol, IsGeneralPageAttr);
}

// Refuses the General page's names; asks each symbol's check about any other change.
int CheckAttribute(const std::vector<CSymbol*>& symbols, const CString& name,
                   const CString& value) {
    if (name == GetStdAttrName(kStdAttrId)) {
        AfxMessageBox("Use the General page to set the identifier (_ID) attribute.");
        return 1;
    }
    if (name == GetStdAttrName(kStdAttrName)) {
        AfxMessageBox("Use the General page to set the name (_Name) attribute.");
        return 1;
    }
    for (CSymbol* symbol : symbols) {
        CString checked = value;
        const int rc = symbol->CheckAttrValue(name, checked);
        if (rc > 0) {
            const CString message =
                CString("Error: Property value invalid - ") + value + "\n" + AttrCheckText(rc);
            AfxMessageBox(message, MB_OKCANCEL | MB_ICONEXCLAMATION);
            return rc;
        }
        if (rc < 0 && AfxMessageBox(CString("Warning : ") + AttrCheckText(rc),
                                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return rc;
    }
    return 0;
}

void ApplyAttributes(const CAttrMerge& merge, CSymbol* symbol, CObList& shown, CObList& removed) {
    for (const auto& [key, record] : merge.GetRecords()) {
        const char* name = key.c_str();
        CAttrText* text = symbol->FindAttrText(name);
        WriteAttrRecord(*symbol, name, record);
        if (record.flags & kAttrDeleted) {
            if (text)
                removed.AddTail(text);
            continue;
        }
        if (record.flags & (kAttrValueLocked | kAttrShownMixed))
            continue;
        if (!(record.flags & kAttrShown) && text)
            removed.AddTail(text);
        else if ((record.flags & kAttrShown) && !text) {
            if (CAttrText* made = symbol->ShowAttrText(name, TRUE))
                shown.AddTail(made);
        }
    }
}

std::vector<CDevice*> DevicesOf(CDrawDoc& doc) {
    std::vector<CDevice*> devices;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDevice* device = static_cast<CDrawObj*>(objects.GetNext(pos))->GetDevice();
        if (device && std::find(devices.begin(), devices.end(), device) == devices.end())
            devices.push_back(device);
    }
    return devices;
}

// Joins a command over the texts to the step just recorded.
template <class Command>
void JoinTextCommand(CDrawDoc& doc, const CObList& texts, Command* command) {
    std::unique_ptr<Command> owned(command);
    if (texts.IsEmpty() || !owned->Do(&doc))
        return;
    if (doc.MergeCommand(owned.get()))
        static_cast<void>(owned.release());
    else
        doc.GetUndoList().Add(owned.release());
}

// Records the sheet's step with the texts it showed and hid joined to it; false when the
// sheet changed nothing and the step was taken back.
bool RecordSymbolEdit(CDrawDoc& doc, std::unique_ptr<CNamedCmd> command, const CObList& shown,
                      const CObList& removed) {
    if (shown.IsEmpty() && removed.IsEmpty())
        return RecordNamedEdit(doc, std::move(command));
    CObList& copies = command->GetCopies();
    doc.GetUndoList().Add(command.release());
    JoinTextCommand(doc, removed, new CRemoveCmd(removed));
    JoinTextCommand(doc, shown, new CAddCmd(shown, FALSE));
    doc.UpdateAllViews(nullptr, kHintReplaceSelection, &copies);
    return true;
}

// A net connector's pin names the net of the wires it ends, so connectors named alike join
// their wires in one net; a connector standing for a rail that the user named otherwise leaves
// the rail, its net taking the name. All goes into the step just recorded, whose copies hold
// the connectors' own changes.
void JoinConnectorNets(CDrawDoc& doc, const std::vector<CSymbol*>& symbols,
                       const std::vector<CString>& idsBefore) {
    for (size_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i]->GetAttr(GetStdAttrName(kStdAttrId)) != idsBefore[i])
            KeepUserName(*symbols[i], false);
    }
    if (std::any_of(symbols.begin(), symbols.end(),
                    [](const CSymbol* symbol) { return symbol->GetKind() == kSymbolNetConnector; }))
        doc.JoinNets();
}

}  // namespace

template <>
ISymbolSheetRunner& Installed<ISymbolSheetRunner>::Fallback() {
    static CancellingRunner runner;
    return runner;
}

SymbolSheet SymbolSheet::Load(CDrawDoc& doc, const std::vector<CSymbol*>& symbols) {
    SymbolSheet sheet;
    sheet.doc = &doc;
    sheet.symbols = symbols;
    sheet.devices = DevicesOf(doc);
    sheet.general = DevGeneralForm::Load(symbols);
    LoadAttributes(sheet.attributes, symbols);
    sheet.check = [symbols](const CString& name, const CString& value) {
        return CheckAttribute(symbols, name, value);
    };
    return sheet;
}

void ApplySymbolSheet(const SymbolSheet& sheet, CObList& shown, CObList& removed) {
    for (CSymbol* symbol : sheet.symbols) {
        sheet.general.ApplyTo(symbol, shown, removed);
        symbol->RecalcBounds(nullptr);
        ApplyAttributes(sheet.attributes, symbol, shown, removed);
        symbol->RefreshAttrTexts(nullptr);
    }
}

void EditSymbolProperties(IDocView& view, CDrawDoc& doc) {
    CObList symbols;
    const CObList& selection = view.GetSelection();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(selection.GetNext(pos));
        if (object->GetObjType() == kObjSymbol)
            symbols.AddTail(object);
    }
    auto command = std::make_unique<CNamedCmd>();
    if (symbols.IsEmpty() || !command->BeginEdit(&doc, symbols, "symbol properties"))
        return;
    std::vector<CSymbol*> copies;
    std::vector<CString> idsBefore;
    CObList& copyList = command->GetCopies();
    for (POSITION pos = copyList.GetHeadPosition(); pos;) {
        copies.push_back(static_cast<CSymbol*>(copyList.GetNext(pos)));
        idsBefore.push_back(copies.back()->GetAttr(GetStdAttrName(kStdAttrId)));
    }
    SymbolSheet sheet = SymbolSheet::Load(doc, copies);
    // Taken with the copies in place: the ties follow the identifiers the sheet gives them.
    CHiddenPinTieKeeper ties(doc);
    const int end = Installed<ISymbolSheetRunner>::Get().RunSymbolSheet(sheet);
    if (end == 0) {
        command->Undo(&doc);
        doc.UpdateAllViews(nullptr, kHintReplaceSelection, &symbols);
        return;
    }
    CObList shown;
    CObList removed;
    ApplySymbolSheet(sheet, shown, removed);
    CSymbol* standing = copies.front();
    if (RecordSymbolEdit(doc, std::move(command), shown, removed)) {
        ties.KeepInStep(doc);
        JoinConnectorNets(doc, copies, idsBefore);
    } else
        standing = static_cast<CSymbol*>(symbols.GetHead());
    if (end == kSymbolSheetNewSubcircuit && copies.size() == 1)
        standing->SaveSubcircuitAs();
}
