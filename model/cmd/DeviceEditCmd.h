#pragma once
// CDeviceEditCmd: a device's attributes edited ("device edit"). It keeps the device and a copy
// holding the other state, one reference each; doing and undoing exchange their attributes and
// refresh the symbols that use the device.

#include "model/cmd/ExchangeCmd.h"
#include "model/cmd/Ref.h"
#include "model/device/Device.h"

class CDeviceEditCmd : public CExchangeCmd {
public:
    CDeviceEditCmd(CDevice* device, CDevice* copy) : m_device(device), m_copy(copy) {}

    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override { return "device edit"; }

private:
    Ref<CDevice> m_device;
    Ref<CDevice> m_copy;
};

// Records the edit of device, whose attributes were before's, as one "device edit" step and
// refreshes the document's views; an edit that left the attributes as they were adds none. The
// nets that tie a hidden pin the edit renamed name it anew in the same step.
void RecordDeviceEdit(CDrawDoc& doc, CDevice& device, CDevice& before);
