#include "model/cmd/DeviceEditCmd.h"

BOOL CDeviceEditCmd::Do(CDrawDoc* doc) {
    if (!m_device || !m_copy)
        return FALSE;
    m_device->ExchangeAttributes(*m_copy.Get());
    m_device->UpdateSymbols(doc);
    return TRUE;
}
