#include "model/cmd/DeviceEditCmd.h"

#include "model/cmd/NetPropCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/undo/UndoList.h"

BOOL CDeviceEditCmd::Do(CDrawDoc* doc) {
    if (!m_device || !m_copy)
        return FALSE;
    m_device->ExchangeAttributes(*m_copy.Get());
    m_device->UpdateSymbols(doc);
    return TRUE;
}

void RecordDeviceEdit(CDrawDoc& doc, CDevice& device, CDevice& before) {
    if (device.IsEqual(before))
        return;
    const std::vector<RenamedImplicitPin> renamed =
        RenamedImplicitPins(before.GetImplicitPins(), device.GetImplicitPins());
    device.ExchangeAttributes(before);
    CUndoList& undo = doc.GetUndoList();
    if (undo.Execute(new CDeviceEditCmd(&device, &before))) {
        // A hidden pin renamed keeps the nets that tie it, in the same step.
        for (std::unique_ptr<CNetPropCmd>& edit : MoveHiddenPinTies(doc, device, renamed)) {
            if (undo.Merge(edit.get()))
                static_cast<void>(edit.release());  // the list owns it
        }
    }
    doc.UpdateAllViews(nullptr);
}
