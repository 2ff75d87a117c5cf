#pragma once
// CSetDeviceCmd: symbols given other devices and identifiers ("set device"). The caller gives
// each symbol its new device and identifier and records the symbol with the device and
// identifier it had; doing and undoing exchange the kept ones with the symbols' present ones.
// The command holds one reference to every device it keeps.

#include <optional>
#include <vector>

#include "model/cmd/ExchangeCmd.h"
#include "model/cmd/Ref.h"
#include "model/device/Device.h"
#include "platform/CString.h"

class CSetDeviceCmd : public CExchangeCmd {
public:
    // The identifier is null when the symbol had none.
    void Add(CDrawObj* symbol, CDevice* device, const char* id) {
        m_entries.push_back(
            {symbol, Ref<CDevice>(device), id ? std::optional<CString>(id) : std::nullopt});
    }
    BOOL IsEmpty() const { return m_entries.empty(); }

    // FALSE, changing nothing, when a symbol refuses an identifier.
    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override { return "set device"; }

private:
    struct Entry {
        CDrawObj* symbol;
        Ref<CDevice> device;
        std::optional<CString> id;
    };
    static bool Exchange(Entry& entry);

    std::vector<Entry> m_entries;
};
