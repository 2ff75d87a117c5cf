#pragma once
// A whole program for the tests: its own settings file in a temporary folder (never the
// user's), the help pages of the source tree, a scripted user prompt, and helpers to start
// it, close it and make schematic files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QStringList>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/support/QtTestApp.h"
#include "model/doc/DocumentBase.h"
#include "model/doc/DrawDoc.h"
#include "platform/SettingsStore.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/app/SplashWnd.h"
#include "shell/frames/MainFrame.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

class AppFixture : public ::testing::Test {
protected:
    AppFixture() { QtTestApp::ensure(); }

    std::filesystem::path SettingsFile() const { return m_dir / "settings.reg"; }
    // The settings file as a store, to prepare it before a start or read it after one.
    SettingsStore Stored() const { return SettingsStore(SettingsFile()); }

    // Starts a program with arguments; the splash window is taken away at once.
    std::unique_ptr<CSchematicQtApp> Start(const QStringList& arguments = {}) {
        auto app = std::make_unique<CSchematicQtApp>(
            SettingsFile(), QStringList{QStringLiteral(VOSK_SOURCE_DIR "/resources/help")});
        m_started = app->InitInstance(arguments);
        delete CSplashWnd::Current();
        CSplashWnd::EnableSplashScreen(false);
        return app;
    }

    // Starts a program whose main window then becomes the active one, as the user finds it;
    // m_started holds whether both happened.
    std::unique_ptr<CSchematicQtApp> StartActive() {
        auto app = Start();
        if (m_started) {
            app->MainFrame()->activateWindow();
            m_started = QTest::qWaitForWindowActive(app->MainFrame());
        }
        return app;
    }

    // A key pressed as the user does: to the window with the focus.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }

    // Closes the main window as the user does; when it closed, the program ends as after its
    // event loop. Whether it closed.
    static bool Close(CSchematicQtApp& app) {
        app.MainFrame()->close();
        if (app.MainFrame()->isVisible())
            return false;
        app.ExitInstance(0);
        return true;
    }

    // A schematic file of an empty new document.
    std::string MakeSchematic(const std::string& name) const {
        const std::string path = (m_dir / name).string();
        CDrawDoc document;
        document.OnNewDocument();
        EXPECT_TRUE(document.OnSaveDocument(path.c_str()));
        return path;
    }

    static std::vector<std::string> Titles(CSchematicQtApp& app) {
        std::vector<std::string> titles;
        for (CDocumentBase* document : app.Documents().Documents())
            titles.push_back(document->GetTitle().str());
        return titles;
    }

    static int WindowCount(CSchematicQtApp& app) {
        return static_cast<int>(app.MainFrame()->mdiArea()->subWindowList().size());
    }

    testsupport::TempDir m_dir;
    testsupport::ScriptedPrompt m_prompt;
    bool m_started = false;
};
