#include "gui/library/TreeBar.h"

#include <QVBoxLayout>

#include "gui/library/DesignTreeCtrl.h"

CTreeBar::CTreeBar(QWidget* parent) : CBarPage(parent), m_tree(new CDesignTreeCtrl(this)) {
    setCaption("Design View");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->Initialize(nullptr);
}

void CTreeBar::SetDocumentList(CDesignTreeModel::DocumentList documents) {
    m_tree->Model().SetDocumentList(std::move(documents));
    m_tree->Initialize(nullptr);
}

bool CTreeBar::OnIdle(int) {
    return m_tree->OnIdle();
}

void CTreeBar::OnDocumentChanged(const DocumentChange& change) {
    m_tree->MarkForRefresh(change.code, static_cast<CDrawDoc*>(change.document));
}
