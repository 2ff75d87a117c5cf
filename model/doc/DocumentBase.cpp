#include "model/doc/DocumentBase.h"

#include <algorithm>
#include <cstring>

#include "model/doc/DocView.h"
#include "platform/AppServices.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/CompoundStreamFile.h"
#include "platform/MemFile.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kContentsStream = "Contents";

// The message names the file: an archive fault inside a stream does not know it.
void ReportFailure(const char* what, const char* path, const std::exception& cause) {
    CString text(what);
    text += "\n";
    const auto* archiveError = dynamic_cast<const CArchiveException*>(&cause);
    if (archiveError && archiveError->m_strFileName.IsEmpty())
        text += CArchiveException(archiveError->m_cause, path).what();
    else
        text += cause.what();
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CDocumentBase::CDocumentBase() = default;

CDocumentBase::~CDocumentBase() = default;

BOOL CDocumentBase::OnNewDocument() {
    DeleteContents();
    m_pathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Reads the archived document from the "Contents" stream of the compound file at path.
BOOL CDocumentBase::OnOpenDocument(const char* path) {
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CompoundFile file = CompoundFile::LoadFromFile(path);
        ReadDocument(file);
    } catch (const std::exception& error) {
        DeleteContents();
        SetModifiedFlag(FALSE);
        if (m_reportsFailures)
            ReportFailure("Failed to open document.", path, error);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Writes the document into a new compound file, which replaces the file at path only once
// it is complete.
BOOL CDocumentBase::OnSaveDocument(const char* path) {
    try {
        CompoundFile file;
        WriteDocument(file);
        file.SaveToFile(path);
    } catch (const std::exception& error) {
        if (m_reportsFailures)
            ReportFailure("Failed to save document.", path, error);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The root storage is known to Serialize while it runs.
struct CDocumentBase::RootScope {
    RootScope(CDocumentBase& doc, CompoundStorage* root)
        : doc(doc), previous(doc.SetRootStorage(root)) {}
    ~RootScope() { doc.SetRootStorage(previous); }
    RootScope(const RootScope&) = delete;
    RootScope& operator=(const RootScope&) = delete;
    CDocumentBase& doc;
    CompoundStorage* previous;
};

void CDocumentBase::ReadDocument(CompoundFile& file) {
    const CompoundStream* contents = file.Root().FindStream(kContentsStream);
    if (!contents)
        throw CArchiveException(CArchiveException::genericException);
    CCompoundStreamFile stream(*contents);
    CArchive ar(&stream, CArchive::load);
    ar.m_pDocument = this;
    const RootScope scope(*this, &file.Root());
    Serialize(ar);
    ar.Close();
}

void CDocumentBase::WriteDocument(CompoundFile& file) {
    CMemFile stream;
    CArchive ar(&stream, CArchive::store);
    ar.m_pDocument = this;
    {
        const RootScope scope(*this, &file.Root());
        Serialize(ar);
    }
    ar.Close();
    file.Root().WriteStream(kContentsStream, stream.Detach());
}

CompoundStorage* CDocumentBase::SetRootStorage(CompoundStorage* storage) {
    CompoundStorage* previous = m_rootStorage;
    m_rootStorage = storage;
    return previous;
}

void CDocumentBase::OnCloseDocument() {
    DeleteContents();
    m_views.clear();
}

void CDocumentBase::DeleteContents() {}

// The title becomes the file name without its folder.
void CDocumentBase::SetPathName(const char* path, BOOL addToMru) {
    m_pathName = path ? path : "";
    const char* slash = path ? std::strrchr(path, '/') : nullptr;
    SetTitle(slash ? slash + 1 : m_pathName.c_str());
    if (addToMru && !m_pathName.IsEmpty())
        GetAppServices().AddToRecentFileList(m_pathName.c_str());
}

void CDocumentBase::SetTitle(const char* title) {
    m_title = title ? title : "";
    GetAppServices().DocumentTitleChanged(this);
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
