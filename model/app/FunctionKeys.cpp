#include "model/app/FunctionKeys.h"

#include "platform/SettingsStore.h"

namespace {

constexpr int kFirstKey = 1;
constexpr int kLastKey = 12;

CString KeyEntry(int slot) {
    CString entry;
    entry.Format("Key%d", slot);
    return entry;
}

}  // namespace

int FunctionKeySlot(int n, bool shift, bool ctrl) {
    if (n < kFirstKey || n > kLastKey || (shift && ctrl) || (n == 1 && !ctrl))
        return -1;
    if (ctrl)
        return n + 21;
    return shift ? n + 9 : n - 2;
}

std::vector<BindableKey> BindableFunctionKeys() {
    struct Group {
        const char* format;
        bool shift;
        bool ctrl;
    };
    static constexpr Group kGroups[] = {
        {"F%d", false, false}, {"Shift + F%d", true, false}, {"Ctrl + F%d", false, true}};
    std::vector<BindableKey> keys;
    for (const Group& group : kGroups) {
        for (int n = kFirstKey; n <= kLastKey; ++n) {
            const int slot = FunctionKeySlot(n, group.shift, group.ctrl);
            if (slot < 0)
                continue;
            CString name;
            name.Format(group.format, n);
            keys.push_back({name, slot});
        }
    }
    return keys;
}

UINT FunctionKeyTable::CommandForKey(int n, bool shift, bool ctrl) const {
    const int slot = FunctionKeySlot(n, shift, ctrl);
    return slot < 0 ? 0 : commands[static_cast<size_t>(slot)];
}

void FunctionKeyTable::Load(const SettingsStore& settings) {
    for (int slot = 0; slot < kFunctionKeySlots; ++slot)
        commands[static_cast<size_t>(slot)] = settings.GetProfileInt("Settings", KeyEntry(slot), 0);
}

void FunctionKeyTable::Save(SettingsStore& settings) const {
    for (int slot = 0; slot < kFunctionKeySlots; ++slot)
        settings.WriteProfileInt("Settings", KeyEntry(slot),
                                 static_cast<int>(commands[static_cast<size_t>(slot)]));
}
