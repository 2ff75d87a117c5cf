#pragma once
// The "Design View" page of the workspace bar: the design tree of every open document,
// refreshed on idle time after each change notice.

#include "gui/kit/BarPage.h"
#include "library/DesignTreeModel.h"

class CDesignTreeCtrl;

class CTreeBar : public CBarPage {
    Q_OBJECT
public:
    explicit CTreeBar(QWidget* parent = nullptr);

    // Where the open documents come from; shows them afresh.
    void SetDocumentList(CDesignTreeModel::DocumentList documents);
    CDesignTreeCtrl* Tree() const { return m_tree; }

    bool OnIdle(int count) override;
    void OnDocumentChanged(const DocumentChange& change) override;

private:
    CDesignTreeCtrl* m_tree;
};
