#pragma once
// A kind of document the application opens: its resource id (which names its menu bar), its
// document string and how its document, window and view are made. The document string holds
// newline-separated pieces: the window title, the name of new documents ("Untitled"), the
// name offered by File New, the file filter name and extension, the file type id and name.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/doc/DocumentBase.h"
#include "platform/Types.h"

class CChildFrame;
class QWidget;

class CDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    using DocumentFactory = std::function<std::unique_ptr<CDocumentBase>()>;
    // The window of a new document; an empty factory makes documents that are never shown.
    using FrameFactory = std::function<CChildFrame*()>;
    // The view of a document; its window or, without one, the document manager owns it.
    using ViewFactory = std::function<QWidget*(CDocumentBase& document)>;

    CDocTemplate(UINT resourceId, std::string docString, DocumentFactory makeDocument,
                 FrameFactory makeFrame, ViewFactory makeView);

    UINT ResourceId() const { return m_resourceId; }
    // The piece of the document string; false when it is missing or empty.
    bool GetDocString(std::string& value, DocStringIndex index) const;
    // Whether the file name of path ends with the template's extension (ASCII case ignored).
    bool MatchesExtension(const std::string& path) const;
    bool HasFrame() const { return static_cast<bool>(m_makeFrame); }

    std::unique_ptr<CDocumentBase> CreateDocument() const { return m_makeDocument(); }
    CChildFrame* CreateFrame() const { return m_makeFrame ? m_makeFrame() : nullptr; }
    QWidget* CreateView(CDocumentBase& document) const { return m_makeView(document); }

    // The title of the next new document, the document name with a number ("Untitled1"),
    // and counting a new document made with it.
    std::string NextUntitledTitle() const;
    void CountUntitled() { ++m_untitledCount; }

private:
    UINT m_resourceId;
    std::vector<std::string> m_docStrings;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    int m_untitledCount = 0;
};
