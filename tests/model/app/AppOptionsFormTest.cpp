#include <gtest/gtest.h>

#include "model/app/AppOptionsForm.h"
#include "model/app/SchematicApp.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

class AppOptionsFormTest : public ::testing::Test {
protected:
    AppOptionsFormTest() : app(dir / "settings.ini") {}

    testsupport::TempDir dir;
    CSchematicApp app;
};

TEST_F(AppOptionsFormTest, GeneralBoxesSetTheirBitsOnlyAndACountChangeIsReportedOnce) {
    app.Options = 0xFE;
    AppGeneralOptions general = AppGeneralOptions::Load(app);
    EXPECT_TRUE(general.reopenFiles);
    EXPECT_EQ(general.wheelZoomsIn, 1);
    EXPECT_EQ(general.recentFiles, 4);
    general.reopenFiles = general.placeOnPaste = general.zoomToFitOnOpen = false;
    general.wheelZoomsIn = 0;
    EXPECT_FALSE(general.Apply(app));
    EXPECT_EQ(app.Options, 0x0Eu);
    EXPECT_EQ(app.GetProfileInt("Settings", "Options", 0), 0x0Eu);

    CString message;
    EXPECT_FALSE(general.ParseRecentFiles("11", message));
    EXPECT_EQ(message, "Please enter an integer between 0 and 10.");
    EXPECT_EQ(general.recentFiles, 4);
    ASSERT_TRUE(general.ParseRecentFiles("6", message));
    EXPECT_TRUE(general.Apply(app));
    EXPECT_EQ(app.GetProfileInt("Settings", "MRU File Size", 4), 6u);
}

TEST_F(AppOptionsFormTest, ColoursReadTheirKeysAndSetTheirBits) {
    app.Options = 0xF0 | kOptionMetric;
    app.HighlightColour = 0x123456;
    AppColourOptions colours = AppColourOptions::Load(app);
    EXPECT_EQ(colours.colours[AppColourOptions::kSelectDominant], 0x40AF00u);  // key missing
    EXPECT_EQ(colours.colours[AppColourOptions::kHighlight], 0x123456u);
    EXPECT_TRUE(colours.metric);
    EXPECT_FALSE(colours.drawBorder);
    colours.metric = false;
    colours.drawBorder = true;
    colours.Apply(app);
    EXPECT_EQ(app.Options, 0xF0u | kOptionItemFrames);
    EXPECT_EQ(app.SelectColourD, 0x40AF00u);
    EXPECT_EQ(app.GetProfileInt("Settings", "SelectColourD", 0), 0x40AF00u);
    EXPECT_EQ(app.GetPen(kPenDominantSelection)->lopnColor, 0x40AF00u);
    EXPECT_EQ(AppColourOptions::DefaultColour(AppColourOptions::kHighlight), 0x957EFEu);
}

// The settings keep folders in stored form; the page shows and takes paths of this system.
TEST_F(AppOptionsFormTest, DirectoriesAreShownInThisSystemsFormAndStoredInStoredForm) {
    app.WriteProfileString("Directories", "spice", "D:\\Lib\\Spice");
    AppDirectories directories = AppDirectories::Load(app);
    EXPECT_EQ(directories.folders[1], JoinPath(ProgramDirectory(), "Libraries"));
    EXPECT_EQ(app.GetProfileString("Directories", "userlib"),
              ToStoredPath(JoinPath(ProgramDirectory(), "Libraries")));
    EXPECT_EQ(directories.folders[2], "/Lib/Spice");
    EXPECT_TRUE(directories.folders[3].IsEmpty());
    directories.folders[3] = "/home/user/designs";
    directories.Apply(app);
    EXPECT_EQ(app.GetProfileString("Directories", "user1"), "\\home\\user\\designs");
    EXPECT_EQ(app.GetProfileString("Directories", "spice"), "\\Lib\\Spice");
    EXPECT_TRUE(app.GetProfileString("Directories", "user2").IsEmpty());
}

TEST(AppOptionsKeys, MenuLabelsAndListedKeys) {
    EXPECT_EQ(MenuCommandLabel({"&File", "&Open...\tCtrl+O"}), "File | Open...");
    const std::vector<BindableKey> keys = ListedFunctionKeys();
    ASSERT_EQ(keys.size(), 29u);
    for (const BindableKey& key : keys) {
        EXPECT_NE(key.name, "F10");
        EXPECT_NE(key.name, "Ctrl + F6");
    }
    EXPECT_EQ(keys.front().name, "F2");
    EXPECT_EQ(keys.front().slot, 0);
}

}  // namespace
