#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <ostream>

#include "gui/support/QtTestApp.h"
#include "platform/SettingsStore.h"
#include "shell/output/OutputEdit.h"
#include "shell/output/PadDoc.h"
#include "shell/output/StrEditView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

using testsupport::ReadFileText;
using testsupport::TempDir;

TEST(OutputEdit, ShowsStreamTextWithLineBreaksFormFeedClearsAndAppendsAtTheEnd) {
    QtTestApp::ensure();
    COutputEdit edit;
    std::ostream out(edit.GetStreamBuf());
    out << "a\nb" << std::flush;
    EXPECT_EQ(edit.toPlainText(), "a\nb");
    out << "\nold\fnew" << std::flush;
    EXPECT_EQ(edit.toPlainText(), "new");
    out << "\f" << std::flush << "still logging" << std::flush;
    EXPECT_EQ(edit.toPlainText(), "still logging");

    edit.clear();  // a character cut in two by the 512-byte pieces is joined again
    out << std::string(511, '-') << "\xC2\xB5"
        << "F" << std::flush;
    EXPECT_EQ(edit.toPlainText(), QString(511, '-') + QString::fromUtf8("\xC2\xB5") + "F");

    // Output goes to the end, whatever the user typed where, and cannot be undone.
    edit.setPlainText("typed");
    edit.moveCursor(QTextCursor::Start);
    edit.insertPlainText(">");
    ASSERT_TRUE(edit.document()->isUndoAvailable());
    out << " output" << std::flush;
    EXPECT_EQ(edit.toPlainText(), ">typed output");
    EXPECT_EQ(edit.textCursor().position(), edit.toPlainText().size());
    EXPECT_FALSE(edit.document()->isUndoAvailable());
}

TEST(OutputEdit, TakesShortcutKeysWhileFocused) {
    QtTestApp::ensure();
    QMainWindow window;
    auto* edit = new COutputEdit;
    window.setCentralWidget(edit);
    QAction newFile;  // a shortcut that a plain-text edit has no use for
    newFile.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    window.addAction(&newFile);
    QSignalSpy fired(&newFile, &QAction::triggered);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired.count(), 1) << "the shortcut works while the edit has no focus";
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(fired.count(), 1) << "the window's shortcut must not take the edit's key";
}

TEST(StrEditView, ViewFontFromTheTextSettings) {
    QtTestApp::ensure();
    TempDir dir;
    SettingsStore settings(dir / "settings.reg");
    LOGFONT font = CStrEditView::LoadViewFont(settings, 96);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0x20);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_TRUE(settings.EnumerateSections().empty()) << "reading writes nothing";

    settings.WriteProfileString("Text", "Face", std::string(40, 'F').c_str());
    settings.WriteProfileInt("Text", "Height", -14);
    EXPECT_EQ(std::string(CStrEditView::LoadViewFont(settings, 96).lfFaceName),
              std::string(31, 'F'));
    CStrEditView view(settings);
    EXPECT_EQ(view.font().pixelSize(), 14);
    EXPECT_EQ(view.viewport()->geometry().left() - view.contentsRect().left(), 10);
}

TEST(PadDoc, SavesWithCrLfOpensAndReportsFailures) {
    QtTestApp::ensure();
    TempDir dir;
    SettingsStore settings(dir / "settings.reg");
    CStrEditView view(settings);
    CPadDoc doc;
    doc.SetView(&view);
    std::ostream out(view.GetStreamBuf());
    out << "Netlist\nOK\t\xC2\xA0"
        << "done\n"
        << std::flush;
    EXPECT_TRUE(doc.IsModified()) << "output written into the window changes the document";

    ASSERT_TRUE(doc.OnSaveDocument((dir / "out.txt").c_str()));
    EXPECT_EQ(ReadFileText(dir / "out.txt"),
              "Netlist\r\nOK\t\xC2\xA0"
              "done\r\n");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "no temporary file is left beside the saved one";
    view.SetRawText("x\r\ny\nz");
    ASSERT_TRUE(doc.OnOpenDocument((dir / "out.txt").c_str()));
    EXPECT_EQ(view.GetRawText(), ReadFileText(dir / "out.txt"));

    // What was read is written back byte for byte, text of Windows' code page 1252 included;
    // a character typed in that the code page lacks is kept as UTF-8.
    const std::pair<std::string, std::string> files[] = {
        {"caf\xE9 \x80\x81\r\n", "caf\xE9 \x80\x81\r\n\xE9\xC4\x89"},
        {"caf\xC3\xA9\r\n", "caf\xC3\xA9\r\n\xC3\xA9\xC4\x89"},
    };
    for (const auto& [bytes, edited] : files) {
        testsupport::WriteFileText(dir / "in.txt", bytes);
        ASSERT_TRUE(doc.OnOpenDocument((dir / "in.txt").c_str()));
        ASSERT_TRUE(doc.OnSaveDocument((dir / "again.txt").c_str()));
        EXPECT_EQ(ReadFileText(dir / "again.txt"), bytes);
        view.moveCursor(QTextCursor::End);
        view.insertPlainText(QString::fromUtf8("\u00E9\u0109"));
        EXPECT_EQ(view.GetRawText(), edited);
    }

    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    EXPECT_FALSE(doc.OnSaveDocument((dir / "no folder" / "a.txt").c_str()));
    EXPECT_FALSE(doc.OnOpenDocument((dir / "missing.txt").c_str()));
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_NE(prompt.shown()[1].text.str().find("missing.txt"), std::string::npos);
}
