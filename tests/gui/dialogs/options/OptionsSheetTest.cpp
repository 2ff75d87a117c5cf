#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/options/OptionsPages.h"
#include "gui/dialogs/options/OptionsSheet.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

constexpr UINT kOpen = 57601;

class OptionsSheetTest : public ::testing::Test {
protected:
    OptionsSheetTest() : app(dir / "settings.ini"), scoped(app) { QtTestApp::ensure(); }

    bool Run(const std::function<void(CPropertySheet&)>& script) {
        QTimer::singleShot(0, [script] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            script(*sheet);
            if (sheet->isVisible())
                sheet->reject();
        });
        return RunOptionsSheet(
            app, {{"File | Open...", kOpen}}, [this] { ++repaints; }, nullptr);
    }
    static void Shoot(CPropertySheet& sheet, int page, const char* name) {
        ASSERT_TRUE(sheet.SetCurrentPage(page));
        EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/" + name));
    }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
    int repaints = 0;
};

TEST_F(OptionsSheetTest, OkWritesTheOptionsTheCountAndTheKeys) {
    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    app.Options = 0xFE;
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        Shoot(sheet, 1, "options-colours.png");
        auto* colours = static_cast<CDlgAppGeneral*>(sheet.CurrentPage());
        EXPECT_EQ(colours->colour(AppColourOptions::kSelectDominant)->Colour(), 0x40AF00u);
        Shoot(sheet, 2, "options-directories.png");
        Shoot(sheet, 3, "options-keys.png");
        auto* keys = static_cast<CDlgKeys*>(sheet.CurrentPage());
        EXPECT_EQ(keys->keyList()->count(), 29);
        const QList<QListWidgetItem*> ctrlF1 =
            keys->keyList()->findItems("Ctrl + F1", Qt::MatchExactly);
        ASSERT_EQ(ctrlF1.size(), 1);
        keys->keyList()->setCurrentItem(ctrlF1.first());
        keys->commandList()->setCurrentRow(1);
        emit keys->commandList()->itemClicked(keys->commandList()->item(1));

        Shoot(sheet, 0, "options-general.png");
        auto* general = static_cast<CDlgAppOptions*>(sheet.CurrentPage());
        for (QCheckBox* box :
             {general->reopenFiles(), general->placeOnPaste(), general->zoomToFit()})
            box->setChecked(false);
        general->recentFiles()->setText("11");
        sheet.accept();
        EXPECT_TRUE(sheet.isVisible());
        general->recentFiles()->setText("6");
        sheet.accept();
    }));
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, "Please enter an integer between 0 and 10.");
    EXPECT_EQ(prompt.shown()[1].text, kRecentFilesRestartMessage);
    EXPECT_EQ(app.Options, 0x8Eu);  // the wheel's direction kept, the three boxes cleared
    EXPECT_EQ(app.GetProfileInt("Settings", "MRU File Size", 4), 6u);
    EXPECT_EQ(app.FunctionKeys.CommandForKey(1, false, true), kOpen);
    EXPECT_EQ(app.GetProfileInt("Settings", "SelectColourD", 0), 0x40AF00u);
    EXPECT_EQ(repaints, 1);
}

TEST_F(OptionsSheetTest, ACommandChosenWithTheArrowKeysIsBoundToTheKey) {
    FunctionKeyTable table;
    CDlgKeys keys(table, {{"File | New", 11}, {"File | Open...", 12}, {"File | Close", 13}},
                  nullptr);
    keys.show();
    QListWidget* keyList = keys.keyList();
    QListWidget* commands = keys.commandList();
    keyList->setCurrentRow(1);  // F3
    ASSERT_EQ(keyList->currentItem()->text(), "F3");
    EXPECT_EQ(commands->currentItem()->text(), "-- none --");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(commands, Qt::Key_Down);
    ASSERT_EQ(commands->currentItem()->text(), "File | Close");
    EXPECT_EQ(table.commands[1], 13u);  // F3's slot

    QTest::keyClick(keyList, Qt::Key_Down);  // F4, unbound
    EXPECT_EQ(commands->currentItem()->text(), "-- none --");
    EXPECT_EQ(table.commands[2], 0u);
    QTest::keyClick(keyList, Qt::Key_Up);
    EXPECT_EQ(commands->currentItem()->text(), "File | Close");
}

TEST_F(OptionsSheetTest, CancelChangesNothing) {
    testsupport::ScriptedPrompt prompt;
    app.Options = 0x22;
    EXPECT_FALSE(Run([](CPropertySheet& sheet) {
        auto* general = static_cast<CDlgAppOptions*>(sheet.CurrentPage());
        general->reopenFiles()->setChecked(false);
    }));
    EXPECT_EQ(app.Options, 0x22u);
    EXPECT_EQ(app.GetProfileInt("Settings", "Options", 0), 0x22u);  // as the field wrote it
    EXPECT_TRUE(prompt.shown().empty());
}

}  // namespace
