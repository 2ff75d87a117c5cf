// Settings the user confirms reach the settings file at once, not only at a clean exit: a
// crash or a kill afterwards keeps them.

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "model/app/SchematicApp.h"
#include "resources/CommandIds.h"
#include "shell/app/WindowPlacement.h"
#include "shell/frames/ChildFrame.h"
#include "shell/support/AppFixture.h"

namespace {

class ConfirmedSettingsTest : public AppFixture {
protected:
    // Runs the command; its modal sheet, once shown, is given to answer.
    static void RunWithSheet(CSchematicQtApp& app, UINT id, std::function<void(QDialog&)> answer) {
        bool shown = false;
        QTimer::singleShot(0, [&shown, answer] {
            auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!sheet)
                return;
            shown = true;
            answer(*sheet);
        });
        EXPECT_TRUE(app.MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();  // the command is done
        EXPECT_TRUE(shown) << id;
    }

    bool StoredValue(const char* section, const char* entry) const {
        const std::vector<CString> values = Stored().EnumerateValues(section);
        return std::find(values.begin(), values.end(), CString(entry)) != values.end();
    }
};

TEST_F(ConfirmedSettingsTest, SaveSettingsAndEveryOkWriteTheFileAtOnce) {
    auto app = Start();
    ASSERT_TRUE(m_started);
    ASSERT_FALSE(StoredValue("DRC", "Type0"));

    // Save Settings of the rule set-up, although the sheet is then cancelled.
    RunWithSheet(*app, ID_TOOLS_DRC_SETUP, [](QDialog& sheet) {
        for (QPushButton* button : sheet.findChildren<QPushButton*>()) {
            if (button->text() == "Save Settings")
                button->click();
        }
        sheet.reject();
    });
    EXPECT_TRUE(StoredValue("DRC", "Type0"));

    ASSERT_FALSE(StoredValue("Settings", "Options"));
    RunWithSheet(*app, ID_VIEW_OPTIONS, [](QDialog& sheet) { sheet.accept(); });
    EXPECT_TRUE(StoredValue("Settings", "Options"));

    ASSERT_FALSE(StoredValue("Tools", "UserTools"));
    RunWithSheet(*app, ID_CUSTOM_TOOLS_SETUP, [](QDialog& sheet) { sheet.accept(); });
    EXPECT_TRUE(StoredValue("Tools", "UserTools"));

    // So does whatever a dialog yet to come writes to the settings.
    app->App().Settings().WriteProfileInt("New Dialog", "Choice", 1);
    QApplication::processEvents();
    EXPECT_TRUE(StoredValue("New Dialog", "Choice"));
    Close(*app);
}

// What the menus switch (snap to grid, View > Show Objects, the simulator) is in the file
// before the program ends.
TEST_F(ConfirmedSettingsTest, MenuSwitchesReachTheFileBeforeTheEnd) {
    auto app = Start();
    ASSERT_TRUE(m_started);
    for (const UINT id : {UINT(ID_SNAP_TO_GRID), UINT(ID_VIEW_SHOW_OBJECTS), UINT(ID_SIMULATOR_2)})
        EXPECT_TRUE(app->MainFrame()->router().Execute(id)) << id;
    QApplication::processEvents();
    const SettingsStore stored = Stored();
    EXPECT_EQ(stored.GetProfileInt("Grid", "SnapGridOptions", 0), 0x8FFFFFFFu);
    EXPECT_EQ(stored.GetProfileInt("Settings", "Options", 0) & kOptionItemFrames,
              kOptionItemFrames);
    EXPECT_EQ(stored.GetProfileInt("Simulator", "Mode", 0), 2u);
    Close(*app);
}

// The rulers and the way document windows open (restored or maximised) are in the file as soon
// as the user changes them, under the names and values a start reads; a show state the user
// did not change is not written.
TEST_F(ConfirmedSettingsTest, RulersAndTheWindowsShowStateReachTheFileAtOnce) {
    auto app = Start();
    ASSERT_TRUE(m_started);
    CChildFrame* child = app->MainFrame()->ActiveChildFrame();
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(child->isMaximized());
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_VIEW_RULERS));
    QApplication::processEvents();
    EXPECT_EQ(Stored().GetProfileInt("Settings", "Rulers", 99), 0u);
    // Another window opened and switched to, maximised as the first: no show state changed.
    for (const UINT id : {UINT(ID_FILE_NEW), UINT(ID_WINDOW_NEXT)}) {
        EXPECT_TRUE(app->MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }
    EXPECT_FALSE(StoredValue("Settings", "ShowCmd"));
    child = app->MainFrame()->ActiveChildFrame();

    // The state is taken once the change is done, and written after it.
    const auto storedShowCmd = [this](UINT expected) {
        return QTest::qWaitFor(
            [&] { return Stored().GetProfileInt("Settings", "ShowCmd", 99) == expected; }, 1000);
    };
    child->showNormal();
    EXPECT_TRUE(storedShowCmd(SW_SHOWNORMAL));
    child->showMaximized();
    EXPECT_TRUE(storedShowCmd(SW_SHOWMAXIMIZED));
    Close(*app);
}

// A settings file that cannot be written is told once, however many changes fail to reach it
// and although the program's end tries again.
TEST_F(ConfirmedSettingsTest, AFileThatCannotBeWrittenIsToldOnce) {
    auto app = Start();
    ASSERT_TRUE(m_started);
    std::filesystem::remove(SettingsFile());
    std::filesystem::create_directories(SettingsFile() / "in the way");
    m_prompt.Answer(IDOK);
    for (const UINT id :
         {UINT(ID_SNAP_TO_GRID), UINT(ID_VIEW_SHOW_OBJECTS), UINT(ID_SNAP_TO_GRID)}) {
        EXPECT_TRUE(app->MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }
    ASSERT_TRUE(Close(*app));
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_NE(m_prompt.shown()[0].text.str().find("settings.reg"), std::string::npos);
}

}  // namespace
