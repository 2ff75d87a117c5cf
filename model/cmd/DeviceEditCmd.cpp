#include "model/cmd/DeviceEditCmd.h"

#include "model/doc/DrawDoc.h"

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
    device.ExchangeAttributes(before);
    doc.GetUndoList().Execute(new CDeviceEditCmd(&device, &before));
    doc.UpdateAllViews(nullptr);
}
