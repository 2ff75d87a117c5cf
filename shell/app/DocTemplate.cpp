#include "shell/app/DocTemplate.h"

#include <algorithm>
#include <cctype>
#include <utility>

CDocTemplate::CDocTemplate(UINT resourceId, std::string docString, DocumentFactory makeDocument,
                           FrameFactory makeFrame, ViewFactory makeView)
    : m_resourceId(resourceId),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView)) {
    size_t start = 0;
    for (size_t end; (end = docString.find('\n', start)) != std::string::npos; start = end + 1)
        m_docStrings.push_back(docString.substr(start, end - start));
    m_docStrings.push_back(docString.substr(start));
}

bool CDocTemplate::GetDocString(std::string& value, DocStringIndex index) const {
    const auto i = static_cast<size_t>(index);
    value = i < m_docStrings.size() ? m_docStrings[i] : std::string();
    return !value.empty();
}

bool CDocTemplate::MatchesExtension(const std::string& path) const {
    std::string extension;
    if (!GetDocString(extension, filterExt) || path.size() < extension.size())
        return false;
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.size() - nameStart < extension.size())
        return false;
    return std::equal(
        extension.begin(), extension.end(), path.end() - extension.size(),
        [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

std::string CDocTemplate::NextUntitledTitle() const {
    std::string name;
    if (!GetDocString(name, docName))
        return "Untitled";
    return name + std::to_string(m_untitledCount + 1);
}
