// The library browser's windows on real files in a temporary folder: the folder tree, the list,
// the preview and the bar that holds them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <string>

#include "gui/library/DlgLibItem.h"
#include "gui/library/LibraryBar.h"
#include "gui/library/PreviewWnd.h"
#include "gui/library/ShellListCtrl.h"
#include "gui/library/ShellTreeCtrl.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "library/LibraryTestBytes.h"
#include "library/ShellItem.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/shapes/DrawRect.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using librarytest::Archived;
using librarytest::Bytes;
using librarytest::FileHeader;
using librarytest::Join;
using librarytest::Record;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
using testsupport::WriteFileText;

std::string Stored(const fs::path& path) {
    std::string stored = "C:" + path.string();
    std::replace(stored.begin(), stored.end(), '/', '\\');
    return stored;
}

// A library of rectangles named by the given names.
void MakeLibrary(const fs::path& path, std::initializer_list<const char*> names) {
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.string().c_str()), kCreateDone);
    int x = 0;
    for (const char* name : names) {
        CDrawRect rect(CRect(x, 0, x + 400, -200));
        ASSERT_TRUE(library.AddObjects(nullptr, &rect, name, "a box"));
        x += 100;
    }
}

// Opens the context menu of widget at point and chooses the entry whose text is choice (none for
// an empty one); returns the texts of the menu's entries, separators left out.
QStringList ChooseFromContextMenu(QWidget* widget, QPoint point, const QString& choice) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            texts << action->text();
            if (action->text() == choice && action->isEnabled())
                chosen = action;
        }
        if (!chosen) {
            menu->close();
            return;
        }
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, widget->mapToGlobal(point));
    QApplication::sendEvent(widget, &event);
    return texts;
}

class LibraryBrowser : public ::testing::Test {
protected:
    LibraryBrowser() : app(dir / "settings.ini"), scoped(app) {
        QtTestApp::ensure();
        fs::create_directories(dir / "std");
        fs::create_directories(dir / "user");
        MakeLibrary(dir / "std" / "basic.rlb", {"R", "C", "L"});
        SetFolders("std", "user");
    }

    void SetFolders(const char* standard, const char* user) {
        app.WriteProfileString("Directories", "stdlib", Stored(dir / standard).c_str());
        app.WriteProfileString("Directories", "userlib", Stored(dir / user).c_str());
    }

    static QStringList TopLevel(const CShellTreeCtrl& tree) {
        QStringList texts;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            texts << tree.topLevelItem(i)->text(0);
        return texts;
    }

    static QStringList Labels(const CShellListCtrl& list) {
        QStringList labels;
        for (int i = 0; i < list.count(); ++i)
            labels << list.item(i)->text();
        return labels;
    }

    TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
};

TEST_F(LibraryBrowser, UserFolderIsLeftOutWhenItHoldsTheStandardOne) {
    CShellTreeCtrl tree;
    tree.Reset();
    EXPECT_EQ(TopLevel(tree), (QStringList{"File System", "Libraries", "User Libraries"}));
    for (const char* user : {"std", ""}) {
        SetFolders("std", user);
        tree.Reset();
        EXPECT_EQ(TopLevel(tree), (QStringList{"File System", "Libraries"})) << user;
    }
}

TEST_F(LibraryBrowser, SelectedPathIsRememberedAtTheEnd) {
    const std::string basic = (dir / "std" / "basic.rlb").string();
    {
        CShellTreeCtrl tree;
        tree.Reset();
        ASSERT_TRUE(tree.SelectPath(basic));
        QTreeWidgetItem* node = tree.currentItem();
        ASSERT_TRUE(node);
        EXPECT_EQ(CShellTreeCtrl::NodeKind(node), kShellLibrary);
        EXPECT_EQ(node->parent()->text(0), "Libraries");
    }
    EXPECT_EQ(app.GetProfileString("Settings", "BrowserDirectory").str(), basic);
}

TEST_F(LibraryBrowser, TreeMakesNumberedFoldersAndShowsOnlyFoldersWithLibraries) {
    fs::create_directories(dir / "std" / "New Folder");
    fs::create_directories(dir / "std" / "New Folder (2)");
    fs::create_directories(dir / "std" / "texts");
    WriteFileText(dir / "std" / "texts" / "readme.txt", "");
    CShellTreeCtrl tree;
    tree.Reset();
    tree.show();
    ASSERT_TRUE(tree.SelectPath((dir / "std").string()));
    ASSERT_TRUE(tree.NewFolder());
    EXPECT_TRUE(fs::is_directory(dir / "std" / "New Folder (3)"));
    EXPECT_EQ(tree.currentItem()->text(0), "New Folder (3)");
    EXPECT_TRUE(tree.findChild<QLineEdit*>());  // its name is open for editing

    QTreeWidgetItem* libraries = tree.topLevelItem(1);
    QStringList children;
    for (int i = 0; i < libraries->childCount(); ++i) {
        children << libraries->child(i)->text(0);
        if (libraries->child(i)->text(0) == "texts") {
            EXPECT_EQ(libraries->child(i)->childIndicatorPolicy(),
                      QTreeWidgetItem::DontShowIndicator);
        }
    }
    // Folders first, then libraries.
    EXPECT_EQ(children, (QStringList{"New Folder", "New Folder (2)", "New Folder (3)", "texts",
                                     "basic.rlb"}));
}

TEST_F(LibraryBrowser, ChangedMediumCollapsesItsNodeTheSameMediumRefreshesIt) {
    fs::create_directories(dir / "disk" / "parts");
    CShellTreeCtrl tree;
    tree.Reset();
    ASSERT_TRUE(tree.SelectPath((dir / "disk" / "parts").string()));
    QTreeWidgetItem* disk = tree.currentItem()->parent();
    ASSERT_EQ(disk->text(0), "disk");
    fs::create_directories(dir / "disk" / "more");
    tree.RefreshMount((dir / "disk").string(), false);
    EXPECT_EQ(disk->childCount(), 2);
    // A refresh keeps what was open and what was current.
    EXPECT_TRUE(disk->isExpanded());
    EXPECT_EQ(tree.currentItem()->text(0), "parts");
    tree.RefreshMount((dir / "disk").string(), true);
    EXPECT_EQ(disk->childCount(), 0);
    EXPECT_FALSE(disk->isExpanded());
    EXPECT_EQ(tree.currentItem(), disk);
    EXPECT_EQ(disk->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
}

TEST_F(LibraryBrowser, TopLevelNodesAreNeverDeletedOrRenamed) {
    CShellTreeCtrl tree;
    tree.Reset();
    tree.setCurrentItem(tree.topLevelItem(1));
    ScriptedPrompt prompt;  // nothing may be asked
    EXPECT_FALSE(tree.DeleteSelected());
    QTest::keyClick(&tree, Qt::Key_Delete);
    EXPECT_FALSE(tree.BeginRenameSelected());
    tree.topLevelItem(1)->setText(0, "other");
    EXPECT_TRUE(fs::exists(dir / "std" / "basic.rlb"));
    EXPECT_FALSE(fs::exists(dir / "other"));
}

// The roots stand for their folders: their menu makes folders and libraries there, and offers
// nothing that would rename or delete a root.
TEST_F(LibraryBrowser, RootsOfferTheCommandsOfTheirFolders) {
    CLibraryBar bar;
    bar.resize(260, 612);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    CShellTreeCtrl* tree = bar.Tree();
    const auto rootMenu = [tree](int root, const QString& choice) {
        const QPoint at = tree->visualItemRect(tree->topLevelItem(root)).center();
        return ChooseFromContextMenu(tree->viewport(), at, choice);
    };
    ASSERT_EQ(TopLevel(*tree).mid(0, 2), (QStringList{"File System", "Libraries"}));
    for (int root : {0, 1}) {
        const QStringList texts = rootMenu(root, {});
        EXPECT_TRUE(texts.contains("New &Folder")) << root;
        EXPECT_TRUE(texts.contains("New &Library")) << root;
        EXPECT_FALSE(texts.contains("&Rename Item")) << root;
        EXPECT_FALSE(texts.contains("&Delete")) << root;
    }
    ScriptedPrompt prompt;  // nothing may be asked
    rootMenu(1, "New &Library");
    EXPECT_TRUE(fs::exists(dir / "std" / "Untitled.rlb"));
    rootMenu(1, "New &Folder");
    EXPECT_TRUE(fs::is_directory(dir / "std" / "New Folder"));
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), "New Folder") << "the new folder is selected";
    EXPECT_EQ(tree->currentItem()->parent(), tree->topLevelItem(1));
}

TEST_F(LibraryBrowser, DeletedFilesGoToTheTrash) {
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    fs::create_directories(dir / "data");
    WriteFileText(dir / "user" / "old.sch", "kept");
    CShellListCtrl list;
    ASSERT_TRUE(list.Fill((dir / "user").string(), kShellFolder));
    list.item(0)->setSelected(true);
    ScriptedPrompt prompt({IDNO, IDYES});
    list.DeleteSelected();  // No: nothing happens
    EXPECT_TRUE(fs::exists(dir / "user" / "old.sch"));
    list.DeleteSelected();
    EXPECT_EQ(prompt.shown().at(0).text.str(),
              "Are you sure you want to move 'old.sch' to the trash?");
    EXPECT_FALSE(fs::exists(dir / "user" / "old.sch"));
    EXPECT_EQ(testsupport::ReadFileText(dir / "data" / "Trash" / "files" / "old.sch"), "kept");
    EXPECT_EQ(list.count(), 0);
    qputenv("XDG_DATA_HOME", previous);
}

TEST_F(LibraryBrowser, TreeRenameNeverReplaces) {
    fs::create_directories(dir / "std" / "a");
    fs::create_directories(dir / "std" / "b");
    CShellTreeCtrl tree;
    tree.Reset();
    ASSERT_TRUE(tree.SelectPath((dir / "std" / "a").string()));
    ScriptedPrompt prompt({IDOK});
    tree.currentItem()->setText(0, "b");
    EXPECT_EQ(prompt.shown().at(0).text.str(), "Cannot rename a\nReason: File exists");
    EXPECT_EQ(tree.currentItem()->text(0), "a");
    tree.currentItem()->setText(0, "c");
    EXPECT_TRUE(fs::is_directory(dir / "std" / "c"));
    EXPECT_EQ(tree.currentItem()->text(0), "c");
}

TEST_F(LibraryBrowser, RenamingARecordOntoAnExistingNameChangesNothing) {
    CShellListCtrl list;
    const std::string basic = (dir / "std" / "basic.rlb").string();
    ASSERT_TRUE(list.Fill(basic, kShellLibrary));
    ASSERT_EQ(Labels(list), (QStringList{"C", "L", "R"}));
    const auto before = testsupport::ReadFileBytes(basic);
    ScriptedPrompt prompt({IDOK});
    list.item(0)->setText("R");
    EXPECT_EQ(prompt.shown().at(0).text.str(), "Error - an item named R already exists.");
    EXPECT_EQ(testsupport::ReadFileBytes(basic), before);
    EXPECT_EQ(Labels(list), (QStringList{"C", "L", "R"}));
    list.item(0)->setText("C2");
    EXPECT_EQ(Labels(list), (QStringList{"C2", "L", "R"}));
}

// A record is renamed in place as a file is: by F2, by a slow second click on the selected row
// and from the right-click menu, with one row selected.
TEST_F(LibraryBrowser, RecordsAreRenamedInPlaceByKeyClickAndMenu) {
    CLibraryBar bar;
    bar.resize(260, 612);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    CShellListCtrl* list = bar.List();
    ASSERT_EQ(Labels(*list), (QStringList{"C", "L", "R"}));
    const auto editor = [list]() -> QLineEdit* {
        for (QLineEdit* edit : list->findChildren<QLineEdit*>()) {
            if (edit->isVisible())
                return edit;
        }
        return nullptr;
    };
    const auto renameIn = [&editor](const char* name) {
        QLineEdit* edit = editor();
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
        // The edit ends once the key has been handled.
        EXPECT_TRUE(QTest::qWaitFor([&editor] { return editor() == nullptr; }));
    };
    list->setFocus();
    list->setCurrentRow(0);
    list->item(1)->setSelected(true);
    QTest::keyClick(list, Qt::Key_F2);
    EXPECT_EQ(editor(), nullptr) << "two rows are not renamed";

    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    renameIn("C1");
    EXPECT_EQ(Labels(*list), (QStringList{"C1", "L", "R"}));

    const QPoint onL = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onL);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onL);
    ASSERT_TRUE(QTest::qWaitFor([&editor] { return editor() != nullptr; }));
    renameIn("L1");
    EXPECT_EQ(Labels(*list), (QStringList{"C1", "L1", "R"}));

    const QPoint onR = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onR);
    const QStringList texts = ChooseFromContextMenu(list->viewport(), onR, "&Rename Item");
    EXPECT_TRUE(texts.contains("&Rename Item"));
    ASSERT_NE(editor(), nullptr);
    renameIn("R1");
    EXPECT_EQ(Labels(*list), (QStringList{"C1", "L1", "R1"}));
    CLibraryFile library;
    ASSERT_TRUE(library.Open((dir / "std" / "basic.rlb").string().c_str()));
    EXPECT_EQ(library.GetItemCount(), 3);
}

TEST_F(LibraryBrowser, TooltipsTellDescriptions) {
    CShellListCtrl list;
    ASSERT_TRUE(list.Fill((dir / "std").string(), kShellFolder));
    ASSERT_EQ(Labels(list), (QStringList{"basic.rlb"}));
    EXPECT_EQ(list.TipText(0).toStdString(), kDefaultLibraryDescription);
    CLibraryFile library;
    ASSERT_EQ(library.Create((dir / "std" / "plain.rlb").string().c_str()), kCreateDone);
    CDrawRect rect(CRect(0, 0, 10, -10));
    ASSERT_TRUE(library.AddObjects(nullptr, &rect, "X", ""));
    library.Close();
    ASSERT_TRUE(list.Fill((dir / "std" / "plain.rlb").string(), kShellLibrary));
    EXPECT_EQ(list.TipText(0), "No Desciption Available");
}

TEST_F(LibraryBrowser, PreviewTabsAndPlaceFlags) {
    CPreviewWnd preview(0);
    preview.resize(200, 150);
    CObList objects;
    objects.AddTail(new CDrawRect(CRect(0, 0, 100, -50)));
    preview.SetObjects(objects, "the description", "BOX");
    QTest::mouseClick(&preview, Qt::LeftButton, {}, QPoint(110, 141));
    EXPECT_EQ(preview.Mode(), 1);
    QTest::mouseClick(&preview, Qt::LeftButton, {}, QPoint(64, 141));
    EXPECT_EQ(preview.Mode(), 0);

    CPreviewWnd bare(kPreviewNoPlace | kPreviewNoTabs);
    bare.resize(200, 150);
    int placed = 0;
    bare.SetPlaceHandler([&](const CObList&) { ++placed; });
    CObList more;
    more.AddTail(new CDrawRect(CRect(0, 0, 100, -50)));
    bare.SetObjects(more, "", "BOX");
    QTest::mouseDClick(&bare, Qt::LeftButton, {}, QPoint(100, 60));
    EXPECT_EQ(placed, 0);
}

TEST_F(LibraryBrowser, BarPreviewsPlacesCopiesAndPastesRecords) {
    MakeLibrary(dir / "user" / "mine.rlb", {"X"});
    CLibraryBar bar;
    bar.resize(260, 612);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    // The default folder is the standard library "basic.rlb".
    EXPECT_EQ(bar.SelectedLibraryPath(), (dir / "std" / "basic.rlb").string());
    CShellListCtrl* list = bar.List();
    ASSERT_EQ(Labels(*list), (QStringList{"C", "L", "R"}));
    EXPECT_EQ(bar.Splitter()->sizes(), (QList<int>{200, 200, 200}));
    // Dragging the upper splitter 30 pixels down gives the tree a share of 383.
    emit bar.Splitter()->splitterMoved(230, 1);
    EXPECT_EQ(bar.TreeShare(), 383);
    EXPECT_EQ(bar.Splitter()->sizes(), (QList<int>{230, 170, 200}));

    list->item(2)->setSelected(true);
    EXPECT_TRUE(bar.Preview()->Grid().HasObjects());
    list->item(0)->setSelected(true);
    EXPECT_FALSE(bar.Preview()->Grid().HasObjects());

    int placedCount = 0;
    bar.SetPlaceHandler([&](const CObList& objects) { placedCount = int(objects.GetCount()); });
    bar.PlaceSelectedItem();
    EXPECT_EQ(placedCount, 2);  // both selected records, as one list

    const std::string shot = QString(VOSK_BINARY_DIR).toStdString() + "/library-bar.png";
    list->clearSelection();
    list->item(2)->setSelected(true);
    EXPECT_TRUE(bar.grab().save(QString::fromStdString(shot)));

    bar.CopyItems();
    // Under the name the schematic view pastes library items from.
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(
        copied->hasFormat("application/x-qt-windows-mime;value=\"Vosk Library Items Format\""));
    const std::string mine = (dir / "user" / "mine.rlb").string();
    bar.SelectLibraryPath(mine);
    ASSERT_EQ(Labels(*list), (QStringList{"X"}));
    {
        // An empty clipboard, or one without library items, pastes nothing.
        const QByteArray items = copied->data(copied->formats().first());
        ScriptedPrompt prompt;
        QApplication::clipboard()->clear();
        bar.PasteItems();
        QApplication::clipboard()->setText("R");
        bar.PasteItems();
        EXPECT_EQ(Labels(*list), (QStringList{"X"}));
        auto* restored = new QMimeData;
        restored->setData("application/x-qt-windows-mime;value=\"Vosk Library Items Format\"",
                          items);
        QApplication::clipboard()->setMimeData(restored);
    }
    {
        // A reader holds the library: the paste cannot open it for writing.
        CLibraryFile reader;
        ASSERT_TRUE(reader.Open(mine.c_str()));
        ScriptedPrompt prompt({IDOK});
        bar.PasteItems();
        EXPECT_EQ(prompt.shown().at(0).text.str(),
                  "Error - could not open the library " + mine + " for writing.");
    }
    bar.PasteItems();
    EXPECT_EQ(Labels(*list), (QStringList{"R", "X"}));
}

// A record's properties are written and the library let go before the list reads it again:
// the list shows the new name at once, and nothing is told.
TEST_F(LibraryBrowser, ItemPropertiesShowTheNewNameAtOnce) {
    const std::string mine = (dir / "user" / "mine.rlb").string();
    MakeLibrary(mine, {"X", "Y"});
    CLibraryBar bar;
    bar.SelectLibraryPath(mine);
    bar.List()->setCurrentItem(bar.List()->findItems("X", Qt::MatchExactly).at(0),
                               QItemSelectionModel::ClearAndSelect);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgLibItem*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("name")->setText("Z");
        dialog->accept();
    });
    ScriptedPrompt prompt;  // nothing may be told
    bar.ItemProperties();
    EXPECT_EQ(Labels(*bar.List()), (QStringList{"Y", "Z"}));
}

// The preview follows the list: switching to another library leaves nothing selected and
// nothing shown, and a record renamed in the list or in its properties shows its new name.
TEST_F(LibraryBrowser, ThePreviewFollowsLibrarySwitchesAndRenames) {
    const std::string mine = (dir / "user" / "mine.rlb").string();
    MakeLibrary(mine, {"X", "Y"});
    CLibraryBar bar;
    auto select = [&](const char* name) {  // as a click on the row does
        bar.List()->setCurrentItem(bar.List()->findItems(name, Qt::MatchExactly).at(0),
                                   QItemSelectionModel::ClearAndSelect);
    };
    select("R");
    ASSERT_EQ(bar.Preview()->Name(), "R");
    bar.SelectLibraryPath(mine);
    EXPECT_FALSE(bar.Preview()->Grid().HasObjects());
    EXPECT_EQ(bar.Preview()->Name(), "");

    select("X");
    ASSERT_EQ(bar.Preview()->Name(), "X");
    bar.List()->findItems("X", Qt::MatchExactly).at(0)->setText("W");
    EXPECT_EQ(bar.Preview()->Name(), "W");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgLibItem*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("name")->setText("Z");
        dialog->accept();
    });
    bar.ItemProperties();
    EXPECT_EQ(bar.Preview()->Name(), "Z");
    EXPECT_TRUE(bar.Preview()->Grid().HasObjects());
}

// Selecting or placing a record that cannot be loaded tells which library and item failed and
// shows nothing; a device whose symbol is damaged in the user's folder shows a placeholder.
TEST_F(LibraryBrowser, DamagedRecordsAreToldAndShowNothing) {
    auto* device = new CDevice("DEV");
    device->SetAttr("_Map",
                    "NAND\x01\x01"
                    "a\x01"
                    "1",
                    TRUE);  // pin a of NAND is pin 1
    const auto damaged = librarytest::DamagedRecordData();
    const std::string user = (dir / "user" / "u.rlb").string();
    WriteFileBytes(user, Join({FileHeader("user", 1), Record("NAND", "", 0, damaged[1].data)}));
    librarytest::Bytes records =
        Join({Record("BOX", "", kItemCircuit, Archived({new CDrawRect(CRect(0, 0, 9, -9))})),
              Record("DEV", "", kItemDevice, Archived({device}))});
    for (const auto& record : damaged)
        records = Join({records, Record(record.what, "", record.type, record.data)});
    const std::string parts = (dir / "std" / "parts.rlb").string();
    WriteFileBytes(parts, Join({FileHeader("parts", unsigned(damaged.size() + 2)), records}));

    CLibraryBar bar;
    int placed = 0;
    bar.SetPlaceHandler([&](const CObList&) { ++placed; });
    bar.SelectLibraryPath(parts);
    auto select = [&](const std::string& name) {  // as a click on the row does
        bar.List()->setCurrentItem(
            bar.List()->findItems(QString::fromStdString(name), Qt::MatchExactly).at(0),
            QItemSelectionModel::ClearAndSelect);
    };
    for (const auto& record : damaged) {
        SCOPED_TRACE(record.what);
        select("BOX");
        ASSERT_TRUE(bar.Preview()->Grid().HasObjects());
        ScriptedPrompt prompt({IDOK, IDOK});
        select(record.what);
        EXPECT_FALSE(bar.Preview()->Grid().HasObjects());
        bar.PlaceSelectedItem();
        EXPECT_EQ(placed, 0);
        ASSERT_EQ(prompt.shown().size(), 2u);
        for (const auto& shown : prompt.shown())
            EXPECT_TRUE(librarytest::TellsUnreadable(shown.text, record.what, parts));
    }
    ScriptedPrompt prompt({IDOK});
    select("DEV");
    EXPECT_TRUE(bar.Preview()->Grid().HasObjects());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_TRUE(librarytest::TellsUnreadable(prompt.shown()[0].text, "NAND", user));
}

// Libraries made after the tree read their folder, as Library > New makes them: selecting
// the path and a double click on the row both select the library in the tree and list its
// records; a folder that had no children gains its expand arrow.
TEST_F(LibraryBrowser, LibrariesMadeAfterTheTreeReadTheFolderAreSelectedAndOpened) {
    for (const char* folder : {"user", "empty"}) {
        SCOPED_TRACE(folder);
        const fs::path user = dir / folder;
        fs::create_directories(user);
        SetFolders("std", folder);
        if (std::string(folder) == "user")
            MakeLibrary(user / "mine.rlb", {"X"});
        CLibraryBar bar;
        bar.SelectLibraryPath(user.string());
        QTreeWidgetItem* node = bar.Tree()->currentItem();
        ASSERT_EQ(node->text(0), "User Libraries");
        node->setExpanded(true);  // the tree reads the folder now
        const auto expectShown = [&](const fs::path& library) {
            EXPECT_EQ(CShellTreeCtrl::NodePath(bar.Tree()->currentItem()), library.string());
            EXPECT_EQ(CShellTreeCtrl::NodeKind(bar.Tree()->currentItem()), kShellLibrary);
            EXPECT_EQ(bar.List()->ShownPath(), library.string());
            EXPECT_TRUE(Labels(*bar.List()).isEmpty());
        };

        ASSERT_EQ(CLibraryFile().Create((user / "lib3.rlb").string().c_str()), kCreateDone);
        bar.SelectLibraryPath((user / "lib3.rlb").string());
        expectShown(user / "lib3.rlb");
        EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

        ASSERT_EQ(CLibraryFile().Create((user / "lib4.rlb").string().c_str()), kCreateDone);
        bar.SelectLibraryPath(user.string());
        const QList<QListWidgetItem*> rows = bar.List()->findItems("lib4.rlb", Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);
        emit bar.List()->itemDoubleClicked(rows.front());
        expectShown(user / "lib4.rlb");
    }
}

// A library whose third record header cannot be read lists its first two records and tells
// where it is damaged, once while it stays shown; shown again later, it tells again.
TEST_F(LibraryBrowser, ADamagedLibraryListsItsReadableItemsAndTellsWhere) {
    const std::string parts = (dir / "user" / "parts.rlb").string();
    const Bytes box = Archived({new CDrawRect(CRect(0, 0, 9, -9))});
    for (const auto& [what, header] : librarytest::DamagedRecordHeaders()) {
        SCOPED_TRACE(what);
        WriteFileBytes(parts, Join({FileHeader("parts", 4), Record("B", "", kItemCircuit, box),
                                    Record("A", "", kItemCircuit, box), header,
                                    Record("C", "", kItemCircuit, box)}));
        ScriptedPrompt prompt({IDOK, IDOK});
        CLibraryBar bar;
        bar.SelectLibraryPath(parts);
        EXPECT_EQ(Labels(*bar.List()), (QStringList{"A", "B"}));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_TRUE(librarytest::TellsDamagedAfter(prompt.shown()[0].text, parts, 2))
            << prompt.shown()[0].text.str();
        bar.RefreshList(0);
        bar.RefreshList(1);
        EXPECT_EQ(prompt.shown().size(), 1u);
        bar.SelectLibraryPath((dir / "std" / "basic.rlb").string());
        bar.SelectLibraryPath(parts);
        EXPECT_EQ(prompt.shown().size(), 2u);
        EXPECT_EQ(Labels(*bar.List()), (QStringList{"A", "B"}));
    }
}

TEST_F(LibraryBrowser, BarFiltersAndMakesLibraries) {
    CLibraryBar bar;
    bar.SelectLibraryPath((dir / "user").string());
    CShellListCtrl* list = bar.List();
    EXPECT_TRUE(Labels(*list).isEmpty());
    bar.NewLibrary();
    bar.NewLibrary();
    EXPECT_EQ(Labels(*list), (QStringList{"New Library.rlb", "New Library(2).rlb"}));
    bar.RunCommand(ID_LIB_SHOW_LIBRARIES);
    EXPECT_FALSE(bar.IsChecked(ID_LIB_SHOW_LIBRARIES));
    EXPECT_TRUE(Labels(*list).isEmpty());
    bar.RunCommand(ID_LIB_SHOW_LIBRARIES);
    bar.NewLibraryInTree();
    EXPECT_TRUE(fs::exists(dir / "user" / "Untitled.rlb"));
    EXPECT_TRUE(bar.IsChecked(ID_LIB_SORT_TYPE));
    bar.RunCommand(ID_LIB_SORT_NAME);
    EXPECT_TRUE(bar.IsChecked(ID_LIB_SORT_NAME));
}

}  // namespace
