#include "shell/help/HelpService.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTreeWidget>

#include "gui/support/QtTestApp.h"
#include "shell/help/HelpWindow.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileText;

namespace {

const QString kHelpFolder = QStringLiteral(VOSK_SOURCE_DIR "/resources/help");

QString ShownPage(const HelpService& help) {
    return help.Window()->Browser()->source().fileName();
}

QStringList Titles(const std::vector<HelpBook::Entry>& entries) {
    QStringList titles;
    for (const auto& entry : entries)
        titles << entry.title;
    return titles;
}

}  // namespace

TEST(HelpService, OpensContentsTopicsAndTheUsingHelpPage) {
    QtTestApp::ensure();
    ScriptedPrompt noMessages;
    HelpService help({"/nonexistent/help", kHelpFolder});
    ASSERT_TRUE(help.WinHelp(0, HELP_FINDER));
    EXPECT_EQ(help.HelpFolder(), kHelpFolder) << "the first folder that holds the pages";
    EXPECT_EQ(ShownPage(help), "contents.htm");
    QTreeWidget* tree = help.Window()->ContentsTree();
    ASSERT_GE(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "The main window");
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 7) << "one page per menu";

    ASSERT_TRUE(help.DisplayTopic("html\\tutorial.htm"));
    EXPECT_EQ(ShownPage(help), "tutorial.htm");
    ASSERT_TRUE(help.WinHelp(kHelpIdCommandBase + 57600, HELP_CONTEXT));  // File New
    EXPECT_EQ(ShownPage(help), "menu-file.htm");
    ASSERT_TRUE(help.WinHelp(0x7777, HELP_CONTEXT));
    EXPECT_EQ(ShownPage(help), "contents.htm") << "a topic without a page shows the contents";
    ASSERT_TRUE(help.WinHelp(0, HELP_HELPONHELP));
    EXPECT_EQ(ShownPage(help), "usinghelp.htm");
    EXPECT_FALSE(help.WinHelp(0, 0x0102)) << "other requests do nothing";
    EXPECT_FALSE(help.DisplayTopic("html/no-such-page.htm"));
    EXPECT_EQ(ShownPage(help), "usinghelp.htm");
}

TEST(HelpService, SearchListsThePagesHoldingEveryWord) {
    QtTestApp::ensure();
    HelpService help({kHelpFolder});
    ASSERT_TRUE(help.DisplaySearch());
    CHelpWindow* window = help.Window();
    window->RunSearch("BEZIER");
    ASSERT_EQ(window->SearchResults()->count(), 1);
    EXPECT_EQ(window->SearchResults()->item(0)->text(), "Draw menu");
    EXPECT_EQ(ShownPage(help), "menu-draw.htm") << "the first page found is shown";
    window->RunSearch("wire");
    const int wirePages = window->SearchResults()->count();
    window->RunSearch("  wire   tutorial ");
    EXPECT_GE(window->SearchResults()->count(), 1);
    EXPECT_LT(window->SearchResults()->count(), wirePages) << "every word must be on the page";
    window->RunSearch("   ");
    EXPECT_EQ(window->SearchResults()->count(), 0);
}

TEST(HelpService, MissingHelpTellsTheUserButTheTutorialStaysSilent) {
    QtTestApp::ensure();
    TempDir dir;
    HelpService help({QString::fromStdString(dir.path().string())});
    {
        ScriptedPrompt silent;  // any message box fails the test
        EXPECT_FALSE(help.DisplayTopic("html\\tutorial.htm"));
    }
    ScriptedPrompt prompt({IDOK, IDOK, IDOK});
    EXPECT_FALSE(help.WinHelp(0, HELP_FINDER));
    EXPECT_FALSE(help.DisplaySearch());
    EXPECT_FALSE(help.WinHelp(kHelpIdCommandBase + 57600, HELP_CONTEXT));
    ASSERT_EQ(prompt.shown().size(), 3u);
    EXPECT_EQ(prompt.shown()[0].text, "Failed to launch help.");
    EXPECT_EQ(prompt.shown()[0].type & MB_TYPEMASK, MB_OK);
    EXPECT_EQ(help.Window(), nullptr);
}

TEST(HelpBook, ReadsNestedContentsKeywordsAndTopicMapAndKeepsPagesInside) {
    QtTestApp::ensure();
    TempDir dir;
    std::filesystem::create_directories(dir / "html");
    WriteFileText(dir / "contents.htm",
                  "<p><a href='html/a.htm'>not listed</a></p><ul><li><a href='html/a.htm'>Page "
                  "<b>A</b></a><ul><li><a href='html\\b.htm#part'>Page B</a></li></ul></li>"
                  "<li><a href='https://example.org/'>Web</a></li></ul>");
    WriteFileText(dir / "keywords.htm",
                  "<ul><li><a href='html/b.htm'>zebra</a></li><li><a href='html/a.htm'>Apple</a>"
                  "</li><li><a href='html/b.htm'>banana</a></li></ul>");
    WriteFileText(dir / "context.map",
                  "# topics\n0x10001 html/a.htm  # first\n42 html\\b.htm\n77\n");
    WriteFileText(dir / "html" / "a.htm", "<title>Alpha</title><p>resistor capacitor</p>");
    WriteFileText(dir / "html" / "b.htm", "<p>capacitor</p>");

    HelpBook book;
    ASSERT_TRUE(book.Load(QString::fromStdString(dir.path().string())));
    ASSERT_EQ(book.Contents().size(), 2u);
    EXPECT_EQ(book.Contents()[0].title, "Page A");
    EXPECT_EQ(book.Contents()[1].page, "html/b.htm#part");
    EXPECT_EQ(book.Contents()[1].level, 1);
    EXPECT_EQ(Titles(book.Keywords()), (QStringList{"Apple", "banana", "zebra"}));
    EXPECT_EQ(book.PageForTopic(0x10001), "html/a.htm");
    EXPECT_EQ(book.PageForTopic(42), "html/b.htm");
    EXPECT_EQ(book.PageForTopic(77), "");
    EXPECT_EQ(Titles(book.Search("Capacitor")), (QStringList{"Alpha", "Page B"}));

    EXPECT_EQ(book.PageUrl("html\\b.htm#part").fragment(), "part");
    EXPECT_FALSE(book.PageUrl("html/../../x.htm").isValid()) << "pages stay inside the folder";
    EXPECT_FALSE(book.PageUrl("/etc/passwd").isValid());
    EXPECT_FALSE(book.PageUrl("html").isValid()) << "a folder is no page";
}

// Every link of every page leads to a page that exists, in the sources and beside the build.
TEST(HelpBook, InstalledPagesLinkOnlyToExistingPages) {
    QtTestApp::ensure();
    HelpBook book;
    ASSERT_TRUE(book.Load(kHelpFolder));
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    int checked = 0;
    for (QDirIterator it(kHelpFolder, {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString folder = QFileInfo(file).dir().path();
        for (auto match = link.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(
                book.PageUrl(QDir(kHelpFolder).relativeFilePath(folder + "/" + target)).isValid())
                << file.fileName().toStdString() << " links to " << target.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);

    HelpBook built;
    ASSERT_TRUE(built.Load(QStringLiteral(VOSK_BINARY_DIR "/help")));
    EXPECT_EQ(Titles(built.Contents()), Titles(book.Contents()));
}
