#pragma once
// The "Nets Shorted" choice: when a connection joins several named nets, the user picks the
// net that survives. The core asks through the installed INetChooser; the window shell installs
// its dialog, tests a scripted chooser.

#include <vector>

#include "platform/Installed.h"

class CNet;

class INetChooser {
public:
    virtual ~INetChooser() = default;
    // The chosen net, one of nets (listed in this order by name); null when the user cancels.
    virtual CNet* ChooseNet(const std::vector<CNet*>& nets) = 0;
};

// Without an installed chooser the first net is kept without asking.
template <>
INetChooser& Installed<INetChooser>::Fallback();

// Installs the chooser for the whole process (null uninstalls) and returns the one replaced.
// The caller keeps ownership and uninstalls it before destroying it.
inline INetChooser* SetNetChooser(INetChooser* chooser) {
    return Installed<INetChooser>::Install(chooser);
}
// The installed chooser, else one that keeps the first net without asking.
inline INetChooser& GetNetChooser() {
    return Installed<INetChooser>::Get();
}
