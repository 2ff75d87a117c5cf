#pragma once
// The help pages installed with the program, read from their folder: the contents page
// ("contents.htm", whose nested link lists give the table of contents), the keyword index
// ("keywords.htm", one link per keyword), the map of context topic numbers ("context.map",
// lines "<number> <page>", '#' starts a comment) and a full-text search over the pages of the
// contents.

#include <QDir>
#include <QString>
#include <QUrl>
#include <vector>

#include "platform/Types.h"

class HelpBook {
public:
    struct Entry {
        QString title;
        QString page;  // relative to the help folder, with '/'
        int level = 0;
    };

    static constexpr char kContentsPage[] = "contents.htm";
    static constexpr char kKeywordPage[] = "keywords.htm";
    static constexpr char kTopicMap[] = "context.map";
    // Larger pages and maps are not read.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    // Reads the book in folder; false (and an empty book) when the folder has no contents page.
    bool Load(const QString& folder);
    bool IsLoaded() const { return !m_folder.isEmpty(); }
    const QString& Folder() const { return m_folder; }

    // The table of contents in page order, with nesting levels from 0.
    const std::vector<Entry>& Contents() const { return m_contents; }
    // The keywords, sorted without regard to case.
    const std::vector<Entry>& Keywords() const { return m_keywords; }

    // A page path of the book ("html\tutorial.htm" or "html/tutorial.htm") as a file URL, or
    // an empty URL when the path leaves the folder or the page does not exist.
    QUrl PageUrl(const QString& page) const;
    // The page mapped to a context topic number, or empty.
    QString PageForTopic(DWORD topic) const;
    // The pages of the contents whose text holds every word of query (case is ignored), in
    // contents order, each once.
    std::vector<Entry> Search(const QString& query) const;

private:
    void LoadTopicMap();
    void LoadPageTexts() const;

    QString m_folder;
    std::vector<Entry> m_contents;
    std::vector<Entry> m_keywords;
    std::vector<std::pair<DWORD, QString>> m_topics;
    mutable std::vector<std::pair<Entry, QString>> m_pageTexts;  // read on the first search
};
