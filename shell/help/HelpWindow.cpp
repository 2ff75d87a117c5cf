#include "shell/help/HelpWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/AppIdentity.h"

namespace {

constexpr int kPageRole = Qt::UserRole;

QListWidgetItem* PageItem(const HelpBook::Entry& entry) {
    auto* item = new QListWidgetItem(entry.title);
    item->setData(kPageRole, entry.page);
    return item;
}

}  // namespace

CHelpWindow::CHelpWindow(const HelpBook& book, QWidget* parent)
    : QWidget(parent, Qt::Window), m_book(book) {
    setWindowTitle(QString::fromUtf8(kApplicationTitle) + QStringLiteral(" Help"));
    // Help open beside the program does not keep it running once its main window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_tabs = new QTabWidget;
    m_tabs->addTab(CreateContentsTab(), QStringLiteral("Contents"));
    m_tabs->addTab(CreateIndexTab(), QStringLiteral("Index"));
    m_tabs->addTab(CreateSearchTab(), QStringLiteral("Search"));

    m_browser = new QTextBrowser;
    m_browser->setOpenExternalLinks(true);

    auto* tools = new QToolBar;
    QAction* back = tools->addAction(QStringLiteral("Back"), m_browser, &QTextBrowser::backward);
    QAction* forward =
        tools->addAction(QStringLiteral("Forward"), m_browser, &QTextBrowser::forward);
    tools->addAction(QStringLiteral("Home"), this,
                     [this] { ShowPage(QString::fromLatin1(HelpBook::kContentsPage)); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    layout->addWidget(splitter, 1);
    resize(900, 620);
}

QWidget* CHelpWindow::CreateContentsTab() {
    m_contents = new QTreeWidget;
    m_contents->setHeaderHidden(true);
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpBook::Entry& entry : m_book.Contents()) {
        parents.resize(std::min<std::size_t>(parents.size(), entry.level));
        auto* item =
            parents.empty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.title);
        item->setData(0, kPageRole, entry.page);
        parents.push_back(item);
    }
    m_contents->expandAll();
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kPageRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kPageRole).toString()); });
    return m_contents;
}

QWidget* CHelpWindow::CreateIndexTab() {
    auto* tab = new QWidget;
    m_keywordEdit = new QLineEdit;
    m_keywordEdit->setPlaceholderText(QStringLiteral("Type the keyword to find"));
    m_keywords = new QListWidget;
    for (const HelpBook::Entry& entry : m_book.Keywords())
        m_keywords->addItem(PageItem(entry));
    connect(m_keywordEdit, &QLineEdit::textChanged, this, &CHelpWindow::FilterKeywords);
    connect(m_keywordEdit, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem* item = m_keywords->currentItem())
            ShowPage(item->data(kPageRole).toString());
    });
    connect(m_keywords, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(kPageRole).toString()); });
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_keywordEdit);
    layout->addWidget(m_keywords, 1);
    return tab;
}

QWidget* CHelpWindow::CreateSearchTab() {
    auto* tab = new QWidget;
    m_searchEdit = new QLineEdit;
    m_searchEdit->setPlaceholderText(QStringLiteral("Type the words to search for"));
    auto* list = new QPushButton(QStringLiteral("&List Topics"));
    m_results = new QListWidget;
    auto search = [this] { RunSearch(m_searchEdit->text()); };
    connect(m_searchEdit, &QLineEdit::returnPressed, this, search);
    connect(list, &QPushButton::clicked, this, search);
    connect(m_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(kPageRole).toString()); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_searchEdit, 1);
    row->addWidget(list);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(new QLabel(QStringLiteral("Topics found:")));
    layout->addWidget(m_results, 1);
    return tab;
}

bool CHelpWindow::ShowPage(const QString& page) {
    const QUrl url = m_book.PageUrl(page);
    if (!url.isValid() || url.isEmpty())
        return false;
    m_browser->setSource(url);
    return true;
}

void CHelpWindow::ShowTab(Tab tab) {
    m_tabs->setCurrentIndex(tab);
    if (tab == SearchTab) {
        m_searchEdit->clear();
        m_searchEdit->setFocus();
    } else if (tab == IndexTab) {
        m_keywordEdit->setFocus();
    }
}

void CHelpWindow::RunSearch(const QString& query) {
    m_results->clear();
    for (const HelpBook::Entry& entry : m_book.Search(query))
        m_results->addItem(PageItem(entry));
    if (m_results->count() > 0) {
        m_results->setCurrentRow(0);
        ShowPage(m_results->item(0)->data(kPageRole).toString());
    }
}

void CHelpWindow::FilterKeywords(const QString& typed) {
    for (int row = 0; row < m_keywords->count(); ++row) {
        QListWidgetItem* item = m_keywords->item(row);
        if (item->text().startsWith(typed.trimmed(), Qt::CaseInsensitive)) {
            m_keywords->setCurrentItem(item);
            m_keywords->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}
