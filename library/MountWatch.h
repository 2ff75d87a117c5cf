#pragma once
// Removable media seen by the library browser: the mounted volumes under the usual mount
// folders, and what changed between two looks at them. A volume is known by its device, label
// and size, so a different disk in the same place counts as a change.

#include <cstdint>
#include <string>
#include <vector>

struct MountedVolume {
    std::string root;  // where it is mounted
    std::string device;
    std::string label;
    std::int64_t size = 0;

    bool operator==(const MountedVolume&) const = default;
};

// Whether a mount point lies where removable media are mounted (/media, /run/media, /mnt).
bool IsRemovableMountPoint(const std::string& root);

struct MountChanges {
    std::vector<std::string> gone;     // mount points whose medium went or was replaced
    std::vector<std::string> arrived;  // mount points with a medium that was not there before
};
MountChanges CompareMounts(const std::vector<MountedVolume>& before,
                           const std::vector<MountedVolume>& now);
