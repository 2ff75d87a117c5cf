// The view's Library menu: Properties edits the description of the library selected on the
// Files page.

#include "shell/commands/LibraryMenuCommands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>
#include <string>
#include <vector>

#include "gui/library/DlgLibItem.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryBarServices.h"
#include "library/LibraryFile.h"
#include "library/LibraryTestBytes.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// A Files page with one library selected; its list reads the library when refreshed.
class SelectedLibrary : public ILibraryBarServices {
public:
    explicit SelectedLibrary(std::string path) : m_path(std::move(path)) {}

    BOOL OpenSelectedLibrary(CLibraryFile* library, UINT mode) override {
        return library ? library->Open(m_path.c_str(), mode) : TRUE;
    }
    CString SelectedLibraryPath() const override { return CString(m_path); }
    void RefreshLibraryList() override {
        CLibraryFile reader;
        listed.push_back(reader.Open(m_path.c_str()) ? reader.GetDescription().str()
                                                     : "(not readable)");
    }

    // The description the list read at each refresh.
    std::vector<std::string> listed;

private:
    std::string m_path;
    ScopedInstall<ILibraryBarServices> m_installed{*this};
};

// The changed description is written and the library let go before the list reads it again.
TEST(LibraryMenuCommands, PropertiesLetTheLibraryGoBeforeTheListReadsIt) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    const std::string path = (dir / "lib.rlb").string();
    testsupport::WriteFileBytes(path, librarytest::FileHeader("old words", 0));
    SelectedLibrary page(path);
    CommandMap commands;
    AddLibraryMenuCommands(commands, nullptr, [](const CObList&) { return false; });

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgLibDescription*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPlainTextEdit*>("description")->setPlainText("new words");
        dialog->accept();
    });
    testsupport::ScriptedPrompt prompt;  // nothing may be told
    commands.Find(ID_LIBRARY_PROPERTIES)->handler(ID_LIBRARY_PROPERTIES);
    EXPECT_EQ(page.listed, (std::vector<std::string>{"new words"}));
}

// A selected library that cannot be opened is named in the message.
TEST(LibraryMenuCommands, PropertiesNameTheLibraryThatCannotBeOpened) {
    QtTestApp::ensure();
    testsupport::TempDir dir;
    const std::string path = (dir / "damaged.rlb").string();
    testsupport::WriteFileBytes(path, {1, 2, 3});
    SelectedLibrary page(path);
    CommandMap commands;
    AddLibraryMenuCommands(commands, nullptr, [](const CObList&) { return false; });

    testsupport::ScriptedPrompt prompt({IDOK});
    commands.Find(ID_LIBRARY_PROPERTIES)->handler(ID_LIBRARY_PROPERTIES);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text.str(),
              "Error - could not open the library " + path + " for writing.");
    EXPECT_TRUE(page.listed.empty());
}

}  // namespace
