#include "shell/help/HelpService.h"

#include <QDir>

#include "platform/Paths.h"
#include "platform/UserPrompt.h"
#include "shell/help/HelpWindow.h"

QStringList HelpService::DefaultFolders(const QString& extraFolder) {
    const QString program = QString::fromUtf8(ProgramDirectory().c_str());
    QStringList folders;
    if (!program.isEmpty()) {
        folders << QDir::cleanPath(program + QStringLiteral("/help"))
                << QDir::cleanPath(program + QStringLiteral("/../share/vosk/help"));
    }
    if (!extraFolder.isEmpty())
        folders << extraFolder;
    return folders;
}

HelpService::HelpService(QStringList folders) : m_folders(std::move(folders)) {}

HelpService::~HelpService() = default;

QString HelpService::HelpFolder() {
    if (!m_book.IsLoaded()) {
        for (const QString& folder : m_folders) {
            if (m_book.Load(folder))
                break;
        }
    }
    return m_book.Folder();
}

CHelpWindow* HelpService::OpenWindow() {
    if (HelpFolder().isEmpty())
        return nullptr;
    if (!m_window)
        m_window = std::make_unique<CHelpWindow>(m_book);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window.get();
}

bool HelpService::Fail() {
    AfxMessageBox(kFailedToLaunch, MB_OK);
    return false;
}

bool HelpService::WinHelp(DWORD data, UINT command) {
    switch (command) {
        case HELP_CONTEXT:
            return DisplayContext(data);
        case HELP_INDEX:
        case HELP_FINDER:
            return DisplayContents();
        case HELP_HELPONHELP:
            return DisplayUsingHelp();
        default:
            return false;
    }
}

bool HelpService::DisplayContents() {
    CHelpWindow* window = OpenWindow();
    if (!window || !window->ShowPage(QString::fromLatin1(HelpBook::kContentsPage)))
        return Fail();
    window->ShowTab(CHelpWindow::ContentsTab);
    return true;
}

bool HelpService::DisplaySearch() {
    CHelpWindow* window = OpenWindow();
    if (!window)
        return Fail();
    window->ShowTab(CHelpWindow::SearchTab);
    return true;
}

bool HelpService::DisplayContext(DWORD topic) {
    if (HelpFolder().isEmpty())
        return Fail();
    const QString page = m_book.PageForTopic(topic);
    if (page.isEmpty())
        return DisplayContents();
    CHelpWindow* window = OpenWindow();
    return window->ShowPage(page) ? true : Fail();
}

bool HelpService::DisplayUsingHelp() {
    CHelpWindow* window = OpenWindow();
    return window && window->ShowPage(QString::fromLatin1(kUsingHelpPage)) ? true : Fail();
}

bool HelpService::DisplayTopic(const QString& page) {
    if (HelpFolder().isEmpty() || !m_book.PageUrl(page).isValid())
        return false;
    return OpenWindow()->ShowPage(page);
}
