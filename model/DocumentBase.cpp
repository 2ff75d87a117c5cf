#include "model/DocumentBase.h"

#include <algorithm>
#include <cstring>

#include "model/DocView.h"

CDocumentBase::CDocumentBase() = default;

CDocumentBase::~CDocumentBase() = default;

BOOL CDocumentBase::OnNewDocument() {
    DeleteContents();
    m_pathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocumentBase::OnOpenDocument(const char* path) {
    static_cast<void>(path);
    return FALSE;
}

BOOL CDocumentBase::OnSaveDocument(const char* path) {
    static_cast<void>(path);
    return FALSE;
}

void CDocumentBase::OnCloseDocument() {
    DeleteContents();
    m_views.clear();
}

void CDocumentBase::DeleteContents() {}

// The title becomes the file name without its folder; adding to the recent-file list is the
// shell's part.
void CDocumentBase::SetPathName(const char* path, BOOL addToMru) {
    static_cast<void>(addToMru);
    m_pathName = path ? path : "";
    const char* slash = path ? std::strrchr(path, '/') : nullptr;
    SetTitle(slash ? slash + 1 : m_pathName.c_str());
}

void CDocumentBase::SetTitle(const char* title) {
    m_title = title ? title : "";
}

void CDocumentBase::SetModifiedFlag(BOOL modified) {
    m_modified = modified;
}

void CDocumentBase::AddView(IDocView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocumentBase::RemoveView(IDocView* view) {
    std::erase(m_views, view);
}

void CDocumentBase::UpdateAllViews(IDocView* sender, int hint, CObject* hintObject) {
    // A view may leave the document while it updates: walk a copy.
    const std::vector<IDocView*> views = m_views;
    for (IDocView* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject, nullptr);
    }
}

void CDocumentBase::UpdateAllViews(IDocView* sender, int hint, CObList* hintList) {
    const std::vector<IDocView*> views = m_views;
    for (IDocView* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint, nullptr, hintList);
    }
}
