#pragma once
// Help for the whole program: every help request ends here and shows the help window on the
// pages installed with the program. Requests that find no help tell the user "Failed to launch
// help."; the tutorial fails silently.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/Types.h"
#include "shell/help/HelpBook.h"

class CHelpWindow;

// Commands of a help request.
constexpr UINT HELP_CONTEXT = 0x0001;     // show the page of a topic number
constexpr UINT HELP_INDEX = 0x0003;       // the contents
constexpr UINT HELP_HELPONHELP = 0x0004;  // how to use help
constexpr UINT HELP_FINDER = 0x000B;      // the contents

// Topic numbers of context help: the command id or the window's resource id plus a base.
constexpr DWORD kHelpIdCommandBase = 0x10000;
constexpr DWORD kHelpIdResourceBase = 0x20000;

class HelpService {
public:
    static constexpr char kFailedToLaunch[] = "Failed to launch help.";
    static constexpr char kUsingHelpPage[] = "html/usinghelp.htm";

    // Where the help folder is looked for, in order: "help" beside the program, then
    // "../share/vosk/help" from the program's folder, then extraFolder when given.
    static QStringList DefaultFolders(const QString& extraFolder = QString());

    // The first of folders that holds a contents page is the help folder.
    explicit HelpService(QStringList folders);
    ~HelpService();
    HelpService(const HelpService&) = delete;
    HelpService& operator=(const HelpService&) = delete;

    // A help request of the frame: HELP_CONTEXT with the topic number in data, HELP_INDEX and
    // HELP_FINDER for the contents, HELP_HELPONHELP; other commands do nothing and give false.
    bool WinHelp(DWORD data, UINT command);

    bool DisplayContents();
    // The Search tab with an empty query.
    bool DisplaySearch();
    // The page mapped to topic; a number without a page shows the contents.
    bool DisplayContext(DWORD topic);
    bool DisplayUsingHelp();
    // A page by its path in the help folder ("html\tutorial.htm"); says nothing on failure.
    bool DisplayTopic(const QString& page);

    // The help folder, empty when none of the folders holds the pages.
    QString HelpFolder();
    // The help window once a request has opened it.
    CHelpWindow* Window() const { return m_window.get(); }

private:
    CHelpWindow* OpenWindow();
    bool Fail();

    QStringList m_folders;
    HelpBook m_book;
    std::unique_ptr<CHelpWindow> m_window;
};
