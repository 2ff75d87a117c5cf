// The Search Libraries dialog: kinds allowed by the caller, a search in a typed folder with
// its results, counts and history, and the choice of results.

#include "gui/library/DlgSearchLib.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "gui/support/QtTestApp.h"
#include "library/LibraryTestBytes.h"
#include "model/app/SchematicApp.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using namespace librarytest;

class DlgSearchLib : public ::testing::Test {
protected:
    DlgSearchLib() {
        QtTestApp::ensure();
        std::filesystem::create_directories(dir / "libs");
        testsupport::WriteFileBytes(
            dir / "libs" / "passive.rlb",
            Join({FileHeader("passives", 4), Record("Resistor", "", kItemSymbol, {}),
                  Record("C1", "ceramic capacitor", kItemSymbol, {}),
                  Record("L1", "inductor", kItemSymbol, {}),
                  Record("RNET", "resistor network", kItemDevice, {})}));
    }
    template <class T>
    static T* Find(CDlgSearchLib& dialog, const char* name) {
        return dialog.findChild<T*>(name);
    }
    static QPushButton* Button(CDlgSearchLib& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }
    static QCheckBox* Box(CDlgSearchLib& dialog, const QString& text) {
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            if (box->text() == text)
                return box;
        }
        return nullptr;
    }
    // Types the search and the folder, presses Find Now and waits for the end.
    void Search(CDlgSearchLib& dialog, const QString& words) {
        Find<QLineEdit>(dialog, "searchText")->setText(words);
        Find<QComboBox>(dialog, "lookIn")
            ->setEditText(QString::fromStdString((dir / "libs").string()));
        Button(dialog, "F&ind Now")->click();
        ASSERT_TRUE(dialog.IsSearching());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsSearching(); }, 5000));
    }
    static QStringList Rows(CDlgSearchLib& dialog) {
        QStringList rows;
        QTreeWidget* results = Find<QTreeWidget>(dialog, "results");
        for (int i = 0; i < results->topLevelItemCount(); ++i)
            rows << results->topLevelItem(i)->text(0);
        return rows;
    }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.ini"};
};

TEST_F(DlgSearchLib, KindsTheCallerDoesNotAllowAreClearedAndDisabled) {
    CDlgSearchLib dialog(nullptr, app, 0x48);
    for (const char* kind : {"S&ymbols", "&Circuits"}) {
        EXPECT_FALSE(Box(dialog, kind)->isChecked()) << kind;
        EXPECT_FALSE(Box(dialog, kind)->isEnabled()) << kind;
    }
    EXPECT_TRUE(Box(dialog, "&Devices")->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog, "lookIn")->itemText(0), "Standard libraries");
    EXPECT_EQ(Find<QComboBox>(dialog, "lookIn")->itemText(1), "User libraries");
}

TEST_F(DlgSearchLib, FindsByWordsSortsByNameCountsAndRemembersTheFolder) {
    CDlgSearchLib dialog(nullptr, app);
    Search(dialog, "res, cap");
    EXPECT_EQ(Rows(dialog), (QStringList{"C1", "Resistor", "RNET"}));
    EXPECT_EQ(Find<QLabel>(dialog, "status")->text(),
              "Symbols: 2, Devices: 1, Circuits: 0, Total: 3");
    EXPECT_EQ(app.Settings().GetProfileString("Search Dialog", "Location0"),
              CString((dir / "libs").string()));
}

// A settings file the user may not write keeps the search going; the folder is remembered
// for the rest of the run, and the file stays as it was.
TEST_F(DlgSearchLib, ASettingsFileThatCannotBeWrittenKeepsTheSearchGoing) {
    app.Settings().WriteProfileString("Search Dialog", "Options", "0");
    app.Settings().Save();
    const std::filesystem::path file = dir / "settings.ini";
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    const std::string stored = testsupport::ReadFileText(file);
    CDlgSearchLib dialog(nullptr, app);
    Search(dialog, "res");
    EXPECT_EQ(Rows(dialog), (QStringList{"Resistor", "RNET"}));
    EXPECT_EQ(app.Settings().GetProfileString("Search Dialog", "Location0"),
              CString((dir / "libs").string()));
    EXPECT_EQ(testsupport::ReadFileText(file), stored);
}

// A new user types after the "*" the field shows; stars in a word stand for any characters.
TEST_F(DlgSearchLib, TypedWordsFindTheItemsHoldingThem) {
    std::filesystem::create_directories(dir / "parts");
    testsupport::WriteFileBytes(
        dir / "parts" / "parts.rlb",
        Join({FileHeader("parts", 4), Record("CAP", "Capacitor", kItemSymbol, {}),
              Record("CAPPOL", "Polarised capacitor", kItemSymbol, {}),
              Record("7400", "Quad NAND gate", kItemSymbol, {}),
              Record("RES", "Resistor", kItemSymbol, {})}));
    const struct {
        const char* typed;
        QStringList rows;
    } cases[] = {{"CAP", {"CAP", "CAPPOL"}}, {"cap*", {"CAP", "CAPPOL"}}, {"74*", {"7400"}}};
    CDlgSearchLib dialog(nullptr, app);
    dialog.show();
    QLineEdit* field = Find<QLineEdit>(dialog, "searchText");
    Find<QComboBox>(dialog, "lookIn")
        ->setEditText(QString::fromStdString((dir / "parts").string()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const auto& c : cases) {
        field->setText("*");
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, c.typed);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsSearching(); }, 5000));
        EXPECT_EQ(Rows(dialog), c.rows) << c.typed;
    }
}

// A library damaged after its first record gives that record and is told by name, the search
// going on with the other libraries.
TEST_F(DlgSearchLib, ADamagedLibraryGivesItsReadableItemsAndIsTold) {
    const std::filesystem::path damaged = dir / "libs" / "damaged.rlb";
    testsupport::WriteFileBytes(damaged,
                                Join({FileHeader("damaged", 2), Record("RCUT", "", kItemSymbol, {}),
                                      DamagedRecordHeaders()[0].bytes}));
    CDlgSearchLib dialog(nullptr, app);
    testsupport::ScriptedPrompt prompt({IDOK});
    Search(dialog, "rcut, resistor");
    EXPECT_EQ(Rows(dialog), (QStringList{"RCUT", "Resistor", "RNET"}));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(TellsDamagedAfter(prompt.shown()[0].text, damaged.string(), 1))
        << prompt.shown()[0].text.str();
}

// Browse takes a library file as readily as a folder.
TEST_F(DlgSearchLib, BrowseChoosesALibraryOrAFolder) {
    CDlgSearchLib dialog(nullptr, app);
    QComboBox* lookIn = Find<QComboBox>(dialog, "lookIn");
    for (const std::filesystem::path& chosen : {dir / "libs" / "passive.rlb", dir / "libs"}) {
        lookIn->setEditText(QString::fromStdString(dir.path().string()));
        const QString path = QString::fromStdString(chosen.string());
        QTimer::singleShot(0, [path] {
            auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), "Select Folder or Library");
            chooser->selectFile(path);
            static_cast<QDialog*>(chooser)->accept();
            if (chooser->isVisible())
                chooser->reject();
        });
        Button(dialog, "&Browse..")->click();
        EXPECT_EQ(lookIn->currentText(), path);
    }
}

// The dialog opens showing the look-in row and the results' item and description columns.
TEST_F(DlgSearchLib, OpensWideEnoughForItsTexts) {
    CDlgSearchLib dialog(nullptr, app);
    dialog.show();
    QComboBox* lookIn = Find<QComboBox>(dialog, "lookIn");
    ASSERT_EQ(lookIn->currentText(), "Standard libraries");
    QLineEdit* shown = lookIn->lineEdit();
    EXPECT_GE(shown->width(), shown->fontMetrics().horizontalAdvance("Standard libraries"));
    EXPECT_GE(Find<QTreeWidget>(dialog, "results")->viewport()->width(), 120 + 400);
}

TEST_F(DlgSearchLib, ClosingTakesTheSelectedRowsOrRefusesTwoForASingleChoice) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgSearchLib dialog(nullptr, app, kSearchDefaultOptions | kSearchSingleChoice);
    Search(dialog, "*");
    QTreeWidget* results = Find<QTreeWidget>(dialog, "results");
    ASSERT_EQ(results->topLevelItemCount(), 4);
    results->topLevelItem(0)->setSelected(true);
    results->topLevelItem(1)->setSelected(true);
    dialog.show();
    Button(dialog, "Close")->click();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Please select no more than one item.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Choices().empty());

    results->topLevelItem(0)->setSelected(false);
    Button(dialog, "Close")->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(dialog.Choices().size(), 1u);
    const SearchChoice& choice = dialog.Choices()[0];
    EXPECT_EQ(choice.name, "L1");
    EXPECT_EQ(choice.index, 2);
    EXPECT_EQ(choice.kind, kItemSymbol);
    EXPECT_EQ(std::filesystem::path(choice.library.str()), dir / "libs" / "passive.rlb");
}

TEST_F(DlgSearchLib, AnInvalidPathIsReportedAndNothingStarts) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CDlgSearchLib dialog(nullptr, app);
    Find<QComboBox>(dialog, "lookIn")->setEditText(QString::fromStdString((dir / "none").string()));
    Button(dialog, "F&ind Now")->click();
    EXPECT_FALSE(dialog.IsSearching());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(prompt.shown()[0].text.str().starts_with("Path invalid - " +
                                                         (dir / "none").string() + "\n"));
    EXPECT_TRUE(SearchHistory(app.Settings()).empty());
}

}  // namespace
