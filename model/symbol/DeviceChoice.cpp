#include "model/symbol/DeviceChoice.h"

#include <memory>

#include "model/cmd/Ref.h"
#include "model/cmd/SetDeviceCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"

namespace {

bool IsPhysicalDevice(const CDrawObj* object) {
    return object->GetObjType() == kObjSymbol &&
           (object->GetFlags() & kSymbolKindMask) == kSymbolDevice;
}

}  // namespace

BOOL AttachDevice(CDrawDoc& doc, const CObList& selection, CDevice* chosen) {
    if (!chosen)
        return FALSE;
    const Ref<CDevice> device(doc.FindSharedDevice(chosen));
    chosen->Release();
    auto command = std::make_unique<CSetDeviceCmd>();
    CObList changed;
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* symbol = static_cast<CDrawObj*>(selection.GetNext(pos));
        if (!IsPhysicalDevice(symbol) || !device->IsCompatibleWith(symbol))
            continue;
        CString id;
        const bool hadId = symbol->LookupAttr(GetStdAttrName(kStdAttrId), id);
        command->Add(symbol, symbol->GetDevice(), hadId ? id.c_str() : nullptr);
        device->AddRef();
        if (CDevice* old = symbol->SetDevice(device.Get()))
            old->Release();
        symbol->AssignId(0);
        symbol->RefreshAttrTexts(nullptr);
        changed.AddTail(symbol);
    }
    if (command->IsEmpty())
        return FALSE;
    doc.GetUndoList().Add(command.release());
    doc.UpdateAllViews(nullptr, kHintSelection, &changed);
    return TRUE;
}
