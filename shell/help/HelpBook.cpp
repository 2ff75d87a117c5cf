#include "shell/help/HelpBook.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>

namespace {

// The text of a help file, empty when it is missing or too large.
QString ReadHelpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > HelpBook::kMaxFileBytes)
        return {};
    return QString::fromUtf8(file.readAll());
}

QString NormalisedPage(const QString& page) {
    return QString(page).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool IsExternal(const QString& href) {
    return QUrl(href).scheme().size() > 1;  // "http:", "mailto:"; a drive letter is no scheme
}

// The first link of a block: its target and the text of all its pieces.
HelpBook::Entry FirstLink(const QTextBlock& block) {
    HelpBook::Entry entry;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextCharFormat format = it.fragment().charFormat();
        if (!format.isAnchor() || format.anchorHref().isEmpty())
            continue;
        if (entry.page.isEmpty())
            entry.page = format.anchorHref();
        if (format.anchorHref() == entry.page)
            entry.title += it.fragment().text();
    }
    entry.title = entry.title.simplified();
    return entry;
}

// The links of the list items of a page, in order, with the nesting depth of their lists.
std::vector<HelpBook::Entry> ListedLinks(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    std::vector<HelpBook::Entry> entries;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.textList())
            continue;
        HelpBook::Entry entry = FirstLink(block);
        if (entry.page.isEmpty() || IsExternal(entry.page))
            continue;
        entry.page = NormalisedPage(entry.page);
        entry.level = std::max(0, block.textList()->format().indent() - 1);
        entries.push_back(entry);
    }
    return entries;
}

QString PageWithoutAnchor(const QString& page) {
    return page.section(QLatin1Char('#'), 0, 0);
}

}  // namespace

bool HelpBook::Load(const QString& folder) {
    *this = HelpBook();
    QString contents = ReadHelpFile(folder + QLatin1Char('/') + kContentsPage);
    if (contents.isEmpty())
        return false;
    m_folder = folder;
    m_contents = ListedLinks(contents);
    m_keywords = ListedLinks(ReadHelpFile(folder + QLatin1Char('/') + kKeywordPage));
    for (Entry& keyword : m_keywords)
        keyword.level = 0;
    std::stable_sort(m_keywords.begin(), m_keywords.end(), [](const Entry& a, const Entry& b) {
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    LoadTopicMap();
    return true;
}

void HelpBook::LoadTopicMap() {
    const QString map = ReadHelpFile(m_folder + QLatin1Char('/') + kTopicMap);
    for (const QString& line : map.split(QLatin1Char('\n'))) {
        const QStringList fields =
            line.section(QLatin1Char('#'), 0, 0).simplified().split(QLatin1Char(' '));
        if (fields.size() != 2)
            continue;
        bool ok = false;
        const uint topic = fields[0].toUInt(&ok, 0);
        if (ok)
            m_topics.emplace_back(topic, NormalisedPage(fields[1]));
    }
}

QUrl HelpBook::PageUrl(const QString& page) const {
    if (!IsLoaded())
        return {};
    const QString normalised = NormalisedPage(page);
    const QString path = QDir::cleanPath(PageWithoutAnchor(normalised));
    if (path.isEmpty() || QDir::isAbsolutePath(path) || path == QLatin1String("..") ||
        path.startsWith(QLatin1String("../")))
        return {};
    const QFileInfo file(m_folder + QLatin1Char('/') + path);
    if (!file.isFile())
        return {};
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    const QString anchor = normalised.section(QLatin1Char('#'), 1);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QString HelpBook::PageForTopic(DWORD topic) const {
    for (const auto& [number, page] : m_topics) {
        if (number == topic)
            return page;
    }
    return {};
}

void HelpBook::LoadPageTexts() const {
    if (!m_pageTexts.empty())
        return;
    for (const Entry& entry : m_contents) {
        Entry page = entry;
        page.page = PageWithoutAnchor(entry.page);
        page.level = 0;
        const bool seen =
            std::any_of(m_pageTexts.begin(), m_pageTexts.end(),
                        [&](const auto& known) { return known.first.page == page.page; });
        if (seen || !PageUrl(page.page).isValid())
            continue;
        QTextDocument document;
        document.setHtml(ReadHelpFile(m_folder + QLatin1Char('/') + page.page));
        QString title = document.metaInformation(QTextDocument::DocumentTitle);
        if (!title.isEmpty())
            page.title = title;
        m_pageTexts.emplace_back(page, page.title + QLatin1Char('\n') + document.toPlainText());
    }
}

std::vector<HelpBook::Entry> HelpBook::Search(const QString& query) const {
    const QStringList words = query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    LoadPageTexts();
    std::vector<Entry> found;
    for (const auto& [page, text] : m_pageTexts) {
        const bool matches = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return text.contains(word, Qt::CaseInsensitive);
        });
        if (matches)
            found.push_back(page);
    }
    return found;
}
