#include "model/symbol/PinSheet.h"

#include "model/cmd/NamedCmd.h"
#include "model/cmd/NamedEdit.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char kIdName[] = "_ID";

class CancellingRunner : public IPinSheetRunner {
public:
    bool RunPinSheet(PinSheet&) override { return false; }
};

bool IsIdName(const CString& name) {
    return name == kIdName;
}

// The name belongs to the pin page.
int RefuseIdOnAttributePage(const CString& name, const CString&) {
    if (!IsIdName(name))
        return 0;
    AfxMessageBox("Use the General page to set the pin name (_ID) attribute.");
    return 1;
}

void AddPins(CObList& list, const std::vector<CPin*>& pins) {
    for (CPin* pin : pins)
        list.AddTail(pin);
}

}  // namespace

template <>
IPinSheetRunner& Installed<IPinSheetRunner>::Fallback() {
    static CancellingRunner runner;
    return runner;
}

PinSheet PinSheet::Load(const std::vector<CPin*>& pins) {
    PinSheet sheet;
    sheet.pins = pins;
    sheet.settings = PinPropForm::Load(pins);
    if (pins.empty())
        return sheet;
    CPin* first = pins.front();
    sheet.checkName = [first](CString& name) { return first->CheckAttrValue(kIdName, name); };
    CObList list;
    AddPins(list, pins);
    CObList targets;
    const DWORD kinds = CollectOutlineFillTargets(list, targets);
    sheet.style.Load(targets, kinds);
    sheet.attributes.SetObjectCount(static_cast<int>(pins.size()));
    for (CPin* pin : pins)
        AddObjectAttributes(sheet.attributes, *pin, IsIdName);
    sheet.check = RefuseIdOnAttributePage;
    return sheet;
}

void EditPinProperties(IDocView& view, CDrawDoc& doc) {
    CObList saved;
    saved.AddTail(&view.GetSelection());
    std::vector<CPin*> pins;
    for (POSITION pos = saved.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(saved.GetNext(pos));
        if (object->GetObjType() == kObjPin)
            pins.push_back(static_cast<CPin*>(object));
    }
    if (pins.empty())
        return;
    view.OnUpdate(nullptr, kHintDeselect, nullptr, nullptr);
    PinSheet sheet = PinSheet::Load(pins);
    if (Installed<IPinSheetRunner>::Get().RunPinSheet(sheet) && ApplyPinSheet(doc, sheet))
        return;
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &saved);
}

BOOL ApplyPinSheet(CDrawDoc& doc, const PinSheet& sheet) {
    CObList list;
    AddPins(list, sheet.pins);
    auto command = std::make_unique<CNamedCmd>();
    if (list.IsEmpty() || !command->BeginEdit(&doc, list, "pin properties"))
        return FALSE;
    CObList& copies = command->GetCopies();
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(copies.GetNext(pos));
        sheet.settings.ApplyTo(*pin);
        sheet.style.ApplyTo(*pin);
        pin->RecalcBounds();
        for (const auto& [name, record] : sheet.attributes.GetRecords())
            WriteAttrRecord(*pin, name.c_str(), record);
    }
    RecordNamedEdit(doc, std::move(command));
    return TRUE;
}
