#pragma once
// The "Nets Shorted" choice: when a connection joins several named nets, the user picks the
// net that survives. The core asks through the installed INetChooser; the window shell installs
// its dialog, tests a scripted chooser.

#include <vector>

class CNet;

class INetChooser {
public:
    virtual ~INetChooser() = default;
    // The chosen net, one of nets (listed in this order by name); null when the user cancels.
    virtual CNet* ChooseNet(const std::vector<CNet*>& nets) = 0;
};

// Installs the chooser for the whole process (null uninstalls) and returns the one replaced.
// The caller keeps ownership and uninstalls it before destroying it.
INetChooser* SetNetChooser(INetChooser* chooser);
// The installed chooser, else one that keeps the first net without asking.
INetChooser& GetNetChooser();
