#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "model/doc/PrintSettings.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CPrintSettings& settings) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    settings.Serialize(ar);
    ar.Close();
    return file.Detach();
}

TEST(PrintSettings, DefaultRecordAndSettings) {
    CPrintSettings settings;
    EXPECT_EQ(Store(settings), (Bytes{0x14, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0}));
    testsupport::TempDir dir;
    SettingsStore store(dir / "settings.reg");
    settings.SaveDefaults(store);
    EXPECT_EQ(store.GetProfileInt("Printing", "Settings", 0), 20u);
    EXPECT_EQ(store.GetProfileString("Printing", "Scale"), "1.000000");
    EXPECT_EQ(store.GetProfileInt("Printing", "OffsetX", 9), 0u);
}

TEST(PrintSettings, DamagedScaleReadsAsOne) {
    const float cases[][2] = {{0.25f, 0.25f},
                              {100.0f, 100.0f},
                              {0.0f, 1.0f},
                              {-2.0f, 1.0f},
                              {1000.0f, 1.0f},
                              {std::numeric_limits<float>::quiet_NaN(), 1.0f},
                              {std::numeric_limits<float>::infinity(), 1.0f}};
    for (const auto& [stored, expected] : cases) {
        CPrintSettings source;
        source.m_scale = stored;
        CMemFile file(Store(source));
        CArchive ar(&file, CArchive::load);
        CPrintSettings loaded;
        loaded.Serialize(ar);
        EXPECT_EQ(loaded.m_scale, expected) << stored;
    }
}

}  // namespace
