#pragma once
// CChangeDeviceCmd: one symbol given another device through its own attributes ("change
// device"). The symbol records the device and identifier it had after taking the new ones.

#include "model/cmd/SetDeviceCmd.h"

class CChangeDeviceCmd : public CSetDeviceCmd {
public:
    CChangeDeviceCmd(CDrawObj* symbol, CDevice* device, const char* id) { Add(symbol, device, id); }
    const char* GetName() const override { return "change device"; }
};
