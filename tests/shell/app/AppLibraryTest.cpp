// The Library menu's commands that show a library on the Files page, through the whole program.

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>

#include "gui/library/LibraryBar.h"
#include "gui/library/ShellListCtrl.h"
#include "gui/library/ShellTreeCtrl.h"
#include "library/LibraryFile.h"
#include "library/ShellItem.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"

namespace {

namespace fs = std::filesystem;

std::string StoredPath(const fs::path& path) {
    std::string stored = "C:" + path.string();
    std::replace(stored.begin(), stored.end(), '/', '\\');
    return stored;
}

class AppLibraryTest : public AppFixture {
protected:
    // The user's library folder, holding the folder "more", is the Files page's first folder.
    AppLibraryTest() {
        fs::create_directories(m_user / "more");
        SettingsStore settings = Stored();
        settings.WriteProfileString("Directories", "userlib", StoredPath(m_user).c_str());
        settings.WriteProfileString("Settings", "BrowserDirectory", m_user.string().c_str());
        settings.Save();
    }

    // Runs a command of the active view whose file dialog is given name and accepted.
    static void RunWithFile(CSchematicQtApp& app, UINT command, const QString& name) {
        QTimer::singleShot(0, [name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        auto* view = qobject_cast<CDrawView*>(app.MainFrame()->ActiveChildFrame()->view());
        ASSERT_NE(view, nullptr);
        view->Commands().Find(command)->handler(command);
    }

    // The tree selects library and the list shows its records: none.
    static void ExpectShown(CLibraryBar& bar, const fs::path& library) {
        EXPECT_EQ(CShellTreeCtrl::NodePath(bar.Tree()->currentItem()), library.string());
        EXPECT_EQ(CShellTreeCtrl::NodeKind(bar.Tree()->currentItem()), kShellLibrary);
        EXPECT_EQ(bar.List()->ShownPath(), library.string());
        EXPECT_EQ(bar.List()->count(), 0);
    }

    fs::path m_user = m_dir / "user";
};

// The tree has read the folders before the libraries are made: Library > New and Library >
// List Items still select them and list them at once.
TEST_F(AppLibraryTest, NewAndListItemsShowALibraryMadeAfterTheTreeReadItsFolder) {
    auto app = StartActive();
    ASSERT_TRUE(m_started);
    CWorkspaceBar* workspace = app->MainFrame()->workspaceBar();
    auto* bar = dynamic_cast<CLibraryBar*>(workspace->FilesPage());
    ASSERT_NE(bar, nullptr);
    QTreeWidgetItem* user = bar->Tree()->currentItem();
    ASSERT_EQ(user->text(0), "User Libraries");
    user->setExpanded(true);
    ASSERT_EQ(user->childCount(), 1);
    user->child(0)->setExpanded(true);  // "more", empty

    m_prompt.Answer(IDYES);  // "Create the file?"
    RunWithFile(*app, ID_LIBRARY_NEW, "lib3");
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(fs::file_size(m_user / "lib3.rlb"), 43u);
    ExpectShown(*bar, m_user / "lib3.rlb");

    ASSERT_EQ(CLibraryFile().Create((m_user / "more" / "lib4.rlb").string().c_str()), kCreateDone);
    workspace->SelectPage(workspace->DrcPage());
    RunWithFile(*app, ID_LIBRARY_LIST_ITEMS,
                QString::fromStdString((m_user / "more").string()) + "/lib4.rlb");
    ExpectShown(*bar, m_user / "more" / "lib4.rlb");
    EXPECT_EQ(workspace->CurrentPage(), workspace->FilesPage());
    EXPECT_EQ(user->child(0)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_TRUE(Close(*app));
}

// A folder typed in Library > Search.. (Enter starts the search) is remembered in the
// settings file at once, and offered again by the next run of the program.
TEST_F(AppLibraryTest, ASearchedFolderReachesTheSettingsFile) {
    const QString folder = QString::fromStdString((m_user / "more").string());
    QStringList offered;
    const auto search = [&folder, &offered] {
        QTimer::singleShot(0, [&folder, &offered] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QComboBox* box = dialog->findChild<QComboBox*>("lookIn");
            for (int row = 0; row < box->count(); ++row)
                offered << box->itemText(row);
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), folder);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);

            EXPECT_TRUE(QTest::qWaitFor([dialog] {
                return dialog->findChild<QLabel*>("status")->text().startsWith("Symbols: 0");
            }));
            dialog->reject();
        });
    };
    {
        auto app = Start();
        ASSERT_TRUE(m_started);
        search();
        EXPECT_TRUE(app->MainFrame()->router().Execute(ID_LIBRARY_SEARCH));
        EXPECT_EQ(Stored().GetProfileString("Search Dialog", "Location0"),
                  CString(folder.toStdString()));
        Close(*app);
    }
    EXPECT_FALSE(offered.contains(folder));
    offered.clear();
    auto app = Start();
    search();
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_LIBRARY_SEARCH));
    EXPECT_TRUE(offered.contains(folder));
    EXPECT_EQ(Stored().GetProfileString("Search Dialog", "Location0"),
              CString(folder.toStdString()));
}

// Library > New.. shows the library folder and is cancelled; File > Save of the new schematic
// then starts in the user's home, where a bare name saves it, or in the folder last chosen
// for a schematic, after another library dialog too.
TEST_F(AppLibraryTest, SchematicFileDialogsKeepTheirOwnFolder) {
    const fs::path home = m_dir / "home";
    fs::create_directories(home / "work");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    auto app = StartActive();
    ASSERT_TRUE(m_started);
    QStringList folders;
    const auto answer = [&folders](const QString& name) {
        QTimer::singleShot(0, [&folders, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folders << dialog->directory().absolutePath();
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    const auto cancelNewLibrary = [&] {
        answer({});
        auto* view = qobject_cast<CDrawView*>(app->MainFrame()->ActiveChildFrame()->view());
        ASSERT_NE(view, nullptr);
        view->Commands().Find(ID_LIBRARY_NEW)->handler(ID_LIBRARY_NEW);
    };
    cancelNewLibrary();
    answer("gates.sch");
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_FILE_SAVE));
    EXPECT_TRUE(fs::exists(home / "gates.sch"));
    answer(QString::fromStdString((home / "work" / "amp.sch").string()));
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_FILE_SAVE_AS));
    EXPECT_TRUE(fs::exists(home / "work" / "amp.sch"));
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_FILE_NEW));
    cancelNewLibrary();
    answer({});
    EXPECT_TRUE(app->MainFrame()->router().Execute(ID_FILE_SAVE));
    qputenv("HOME", oldHome);
    const QString user = QString::fromStdString(m_user.string());
    const QString own = QString::fromStdString(home.string());
    const QString work = QString::fromStdString((home / "work").string());
    EXPECT_EQ(folders.join('\n').toStdString(),
              QStringList({user, own, own, user, work}).join('\n').toStdString());
    EXPECT_TRUE(Close(*app));
}

}  // namespace
