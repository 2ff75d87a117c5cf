#pragma once
// The help window: the table of contents, the keyword index and a full-text search beside a
// page browser with Back, Forward and Home.

#include <QWidget>

#include "shell/help/HelpBook.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    enum Tab { ContentsTab, IndexTab, SearchTab };

    // book must outlive the window.
    explicit CHelpWindow(const HelpBook& book, QWidget* parent = nullptr);

    // Shows a page of the book; false when it has no such page.
    bool ShowPage(const QString& page);
    void ShowTab(Tab tab);
    // Lists the pages that hold every word of query in the Search tab.
    void RunSearch(const QString& query);

    QTextBrowser* Browser() const { return m_browser; }
    QTreeWidget* ContentsTree() const { return m_contents; }
    QListWidget* KeywordList() const { return m_keywords; }
    QListWidget* SearchResults() const { return m_results; }

private:
    QWidget* CreateContentsTab();
    QWidget* CreateIndexTab();
    QWidget* CreateSearchTab();
    void FilterKeywords(const QString& typed);

    const HelpBook& m_book;
    QTabWidget* m_tabs;
    QTextBrowser* m_browser;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_keywordEdit = nullptr;
    QListWidget* m_keywords = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QListWidget* m_results = nullptr;
};
