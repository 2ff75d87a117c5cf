#include "shell/frames/WorkspaceBar.h"

#include <QTabWidget>
#include <algorithm>

#include "resources/CommandIds.h"

CWorkspaceBar::CWorkspaceBar(QMainWindow* frame, CBarPage* files, CBarPage* designView,
                             CBarPage* drc)
    : CResizableBar("Workspace", ID_BAR_WORKSPACE, frame), m_tabs(new QTabWidget(this)) {
    m_tabs->setObjectName("workspaceTabs");
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    // The bar may be narrower than its tabs: they scroll.
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setMinimumWidth(1);
    setWidget(m_tabs);
    AddPage(files ? files : new CBarPage, "Files");
    AddPage(designView ? designView : new CBarPage, "Design View");
    AddPage(drc ? drc : new CBarPage, "DRC");
}

void CWorkspaceBar::AddPage(CBarPage* page, const QString& caption) {
    page->setCaption(caption);
    m_pages.push_back(page);
    m_tabs->addTab(page, caption);
}

bool CWorkspaceBar::SelectPage(CBarPage* page) {
    const int index = m_tabs->indexOf(page);
    if (index < 0 || index == m_tabs->currentIndex())
        return false;
    m_tabs->setCurrentIndex(index);
    return true;
}

CBarPage* CWorkspaceBar::CurrentPage() const {
    return static_cast<CBarPage*>(m_tabs->currentWidget());
}

bool CWorkspaceBar::OnIdle(int count) {
    return std::any_of(m_pages.begin(), m_pages.end(),
                       [count](CBarPage* page) { return page->OnIdle(count); });
}

void CWorkspaceBar::NotifyDocumentChanged(const DocumentChange& change) {
    DesignViewPage()->OnDocumentChanged(change);
    DrcPage()->OnDocumentChanged(change);
}
