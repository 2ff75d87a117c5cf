#pragma once
// The Workspace bar: the pages Files, Design View and DRC behind tabs.

#include <vector>

#include "gui/kit/BarPage.h"
#include "shell/frames/ResizableBar.h"

class QTabWidget;

class CWorkspaceBar : public CResizableBar {
    Q_OBJECT
public:
    // The bar owns the pages; a null page is an empty one.
    CWorkspaceBar(QMainWindow* frame, CBarPage* files = nullptr, CBarPage* designView = nullptr,
                  CBarPage* drc = nullptr);

    // Appends page behind a tab titled caption; the bar owns it.
    void AddPage(CBarPage* page, const QString& caption);
    // Brings page to the front; false when it was already there or is not a page of the bar.
    bool SelectPage(CBarPage* page);
    CBarPage* CurrentPage() const;

    CBarPage* FilesPage() const { return m_pages.at(0); }
    CBarPage* DesignViewPage() const { return m_pages.at(1); }
    CBarPage* DrcPage() const { return m_pages.at(2); }

    // Offers idle time to the pages in order until one wants more; true when one did.
    bool OnIdle(int count);
    // Passes a change to the Design View page, then to the DRC page.
    void NotifyDocumentChanged(const DocumentChange& change);

private:
    QTabWidget* m_tabs;
    std::vector<CBarPage*> m_pages;
};
