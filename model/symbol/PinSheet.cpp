#include "model/symbol/PinSheet.h"

#include "model/cmd/NamedCmd.h"
#include "model/cmd/NamedEdit.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"

namespace {

class CancellingRunner : public IPinSheetRunner {
public:
    bool RunPinSheet(PinPropForm&, const PinPropForm::NameCheck&) override { return false; }
};

}  // namespace

template <>
IPinSheetRunner& Installed<IPinSheetRunner>::Fallback() {
    static CancellingRunner runner;
    return runner;
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
    PinPropForm form = PinPropForm::Load(pins);
    CPin* first = pins.front();
    const PinPropForm::NameCheck checkName = [first](CString& name) {
        return first->CheckAttrValue("_ID", name);
    };
    if (Installed<IPinSheetRunner>::Get().RunPinSheet(form, checkName) &&
        ApplyPinSheet(doc, pins, form))
        return;
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &saved);
}

BOOL ApplyPinSheet(CDrawDoc& doc, const std::vector<CPin*>& pins, const PinPropForm& form) {
    CObList list;
    for (CPin* pin : pins)
        list.AddTail(pin);
    auto command = std::make_unique<CNamedCmd>();
    if (pins.empty() || !command->BeginEdit(&doc, list, "pin properties"))
        return FALSE;
    CObList& copies = command->GetCopies();
    for (POSITION pos = copies.GetHeadPosition(); pos;)
        form.ApplyTo(*static_cast<CPin*>(copies.GetNext(pos)));
    RecordNamedEdit(doc, std::move(command));
    return TRUE;
}
