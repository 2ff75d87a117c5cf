// The view's library dialogs: the library file chooser starts in the user's library folder.

#include "gui/library/LibraryDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>

#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

namespace {

// A folder stored by an older program in the Western code page ("B\xFC" is "Bü"), not in
// UTF-8, is the folder "Bücher".
TEST(LibraryDialogs, TheChooserStartsInAUserLibraryFolderStoredInTheWesternCodePage) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    const std::filesystem::path folder = dir /
                                         "B\xC3\xBC"
                                         "cher";
    std::filesystem::create_directory(folder);
    CSchematicApp app(dir / "settings.reg");
    ScopedApp installed(app);
    app.WriteProfileString("Directories", "userlib",
                           ToStoredPath((dir / "B\xFC"
                                               "cher")
                                            .string()));
    QString shown = "not asked";
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        shown = chooser->directory().absolutePath();
        chooser->reject();
    });
    EXPECT_TRUE(ChooseLibraryFile(nullptr, false).isEmpty());
    EXPECT_EQ(shown.toStdString(), folder.string());
}

}  // namespace
