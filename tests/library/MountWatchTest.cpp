// Removable media: where they are mounted and what changed between two looks.

#include <gtest/gtest.h>

#include "library/MountWatch.h"

namespace {

TEST(MountWatch, RemovableMountPoints) {
    EXPECT_TRUE(IsRemovableMountPoint("/media/usb"));
    EXPECT_TRUE(IsRemovableMountPoint("/run/media/ann/DISK"));
    EXPECT_TRUE(IsRemovableMountPoint("/mnt/cd"));
    EXPECT_FALSE(IsRemovableMountPoint("/mnt"));
    EXPECT_FALSE(IsRemovableMountPoint("/mediafiles/x"));
    EXPECT_FALSE(IsRemovableMountPoint("/home"));
}

TEST(MountWatch, AReplacedDiskIsAChangeTheSameDiskIsNot) {
    const MountedVolume disk{"/media/usb", "/dev/sdb1", "PARTS", 1000};
    MountedVolume other = disk;
    other.label = "OTHER";
    const MountedVolume cd{"/mnt/cd", "/dev/sr0", "CD", 700};

    const MountChanges same = CompareMounts({disk, cd}, {cd, disk});
    EXPECT_TRUE(same.gone.empty());
    EXPECT_TRUE(same.arrived.empty());

    const MountChanges replaced = CompareMounts({disk, cd}, {other});
    EXPECT_EQ(replaced.gone, (std::vector<std::string>{"/media/usb", "/mnt/cd"}));
    EXPECT_EQ(replaced.arrived, (std::vector<std::string>{"/media/usb"}));
}

}  // namespace
