#include "library/MountWatch.h"

#include <algorithm>
#include <string_view>

namespace {

bool Under(const std::string& path, std::string_view folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

const MountedVolume* AtRoot(const std::vector<MountedVolume>& volumes, const std::string& root) {
    auto it = std::find_if(volumes.begin(), volumes.end(),
                           [&](const MountedVolume& v) { return v.root == root; });
    return it == volumes.end() ? nullptr : &*it;
}

}  // namespace

bool IsRemovableMountPoint(const std::string& root) {
    return Under(root, "/media") || Under(root, "/run/media") || Under(root, "/mnt");
}

MountChanges CompareMounts(const std::vector<MountedVolume>& before,
                           const std::vector<MountedVolume>& now) {
    MountChanges changes;
    for (const MountedVolume& old : before) {
        const MountedVolume* current = AtRoot(now, old.root);
        if (!current || !(*current == old))
            changes.gone.push_back(old.root);
    }
    for (const MountedVolume& current : now) {
        const MountedVolume* old = AtRoot(before, current.root);
        if (!old || !(*old == current))
            changes.arrived.push_back(current.root);
    }
    return changes;
}
