#include "shell/app/DocManager.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "gui/kit/SaveFileDialog.h"
#include "model/doc/DocView.h"
#include "model/doc/DocumentBase.h"
#include "model/doc/SymbolDoc.h"
#include "platform/AppServices.h"
#include "platform/AtomicFile.h"
#include "platform/UserPrompt.h"
#include "platform/WriteAccess.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/MainFrame.h"
#include "shell/output/PadDoc.h"

struct CDocManager::Entry {
    CDocTemplate* docTemplate = nullptr;
    std::unique_ptr<CDocumentBase> document;
    // A view without a window; it goes before its document.
    std::unique_ptr<QWidget> hiddenView;
    QPointer<CChildFrame> frame;
    CommandMap commands;
    // Set once the document may close; its window is on its way out.
    bool closing = false;
};

namespace {

// path made absolute, without "." and ".." steps; empty for an empty path.
std::string FullPath(const std::string& path) {
    if (path.empty())
        return {};
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name a document is saved under by default: its title up to the first character that
// makes a poor file name, with the template's extension.
std::string SuggestedName(const CDocumentBase& document, const CDocTemplate* docTemplate) {
    std::string name = document.GetTitle().str();
    name = name.substr(0, name.find_first_of(" #%;/\\"));
    std::string extension;
    if (docTemplate && docTemplate->GetDocString(extension, CDocTemplate::filterExt))
        name += extension;
    return name;
}

std::string FileDialog(const CDocManager::FileRequest& request) {
    QStringList filters;
    for (const std::string& filter : request.filters)
        filters << QString::fromStdString(filter);
    const QDir folder(QString::fromStdString(request.folder));
    if (request.save)
        return CSaveFileDialog(QApplication::activeWindow(), filters,
                               QString::fromStdString(request.defaultSuffix),
                               folder.filePath(QString::fromStdString(request.suggested)))
            .AskFileName();
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder.path());
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

CDocManager::CDocManager() : m_promptFileName(FileDialog) {}

CDocManager::~CDocManager() {
    CloseAllDocuments();
}

void CDocManager::SetMainFrame(CMainFrame* frame) {
    m_mainFrame = frame;
}

void CDocManager::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

// ---- opening

CDocumentBase* CDocManager::OpenDocumentFile(CDocTemplate& docTemplate, const std::string& path) {
    auto entry = std::make_unique<Entry>();
    entry->docTemplate = &docTemplate;
    entry->document = docTemplate.CreateDocument();
    CDocumentBase& document = *entry->document;
    QWidget* view = docTemplate.CreateView(document);
    if (docTemplate.HasFrame()) {
        entry->frame = docTemplate.CreateFrame();
        entry->frame->setView(view);
    } else {
        entry->hiddenView.reset(view);
    }
    bool made = false;
    if (path.empty()) {
        document.SetTitle(docTemplate.NextUntitledTitle().c_str());
        made = document.OnNewDocument();
        if (made)
            docTemplate.CountUntitled();
    } else {
        WaitCursor wait;
        made = document.OnOpenDocument(path.c_str());
        if (made)
            document.SetPathName(path.c_str());
    }
    if (!made) {
        delete entry->frame;  // with the view, before the document
        return nullptr;
    }
    AttachCommands(*entry);
    m_entries.push_back(std::move(entry));
    ShowFrame(*m_entries.back());
    return &document;
}

CDocumentBase* CDocManager::OpenDocumentFile(const std::string& path) {
    const std::string full = FullPath(path);
    if (full.empty())
        return nullptr;
    for (const auto& entry : m_entries) {
        if (!entry->closing && entry->document->GetPathName().str() == full) {
            if (entry->frame)
                entry->frame->ActivateFrame();
            return entry->document.get();
        }
    }
    CDocTemplate* docTemplate = TemplateForFile(full);
    return docTemplate ? OpenDocumentFile(*docTemplate, full) : nullptr;
}

CDocTemplate* CDocManager::TemplateForFile(const std::string& path) const {
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->HasFrame() && docTemplate->MatchesExtension(path))
            return docTemplate.get();
    }
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

std::string CDocManager::AskOpenFileName() {
    FileRequest request;
    for (const auto& docTemplate : m_templates) {
        std::string filter;
        std::string extension;
        if (!docTemplate->GetDocString(filter, CDocTemplate::filterName) ||
            !docTemplate->GetDocString(extension, CDocTemplate::filterExt))
            continue;
        if (std::find(request.filters.begin(), request.filters.end(), filter) ==
            request.filters.end())
            request.filters.push_back(filter);
    }
    request.filters.push_back("All Files (*)");
    return AskFileName(request);
}

std::string CDocManager::AskFileName(FileRequest request) {
    if (!m_promptFileName)
        return {};
    if (request.folder.empty())
        request.folder = StartFolder();
    std::string chosen = m_promptFileName(request);
    if (!chosen.empty())
        m_lastFolder = std::filesystem::path(FullPath(chosen)).parent_path().string();
    return chosen;
}

std::string CDocManager::StartFolder() const {
    std::error_code error;
    if (!m_lastFolder.empty() && std::filesystem::is_directory(m_lastFolder, error))
        return m_lastFolder;
    if (m_mainFrame) {
        for (const auto& entry : m_entries) {
            const std::string path = entry->document->GetPathName().str();
            if (entry->frame && entry->frame == m_mainFrame->ActiveChildFrame() && !path.empty())
                return std::filesystem::path(path).parent_path().string();
        }
    }
    return QDir::homePath().toStdString();
}

// ---- windows and commands

void CDocManager::AttachCommands(Entry& entry) {
    CDocumentBase* document = entry.document.get();
    entry.commands.On(ID_FILE_SAVE, [this, document] { DoFileSave(*document); });
    entry.commands.On(ID_FILE_SAVE_AS, [this, document] { DoSave(*document, {}); });
    entry.commands.On(ID_FILE_CLOSE, [this, document] {
        if (SaveModified(*document))
            CloseDocument(*document);
    });
    if (!entry.frame)
        return;
    entry.frame->setDocumentCommands(&entry.commands);
    entry.frame->setCloseGuard([this, document] {
        Entry* found = Find(*document);
        if (!found || found->closing)
            return true;
        if (!SaveModified(*document))
            return false;
        found->closing = true;
        return true;
    });
    connect(entry.frame, &QObject::destroyed, this,
            [this, document] { OnFrameDestroyed(document); });
}

void CDocManager::ShowFrame(Entry& entry) {
    if (!entry.frame)
        return;
    ShowTitle(*entry.document);
    if (m_mainFrame)
        m_mainFrame->AddChildFrame(entry.frame);
    entry.frame->ActivateFrame();
}

void CDocManager::OnFrameDestroyed(CDocumentBase* document) {
    if (!Find(*document))
        return;
    document->OnCloseDocument();
    Erase(*document);
}

CDocManager::Entry* CDocManager::Find(const CDocumentBase& document) const {
    for (const auto& entry : m_entries) {
        if (entry->document.get() == &document)
            return entry.get();
    }
    return nullptr;
}

void CDocManager::Erase(const CDocumentBase& document) {
    std::erase_if(m_entries,
                  [&](const std::unique_ptr<Entry>& e) { return e->document.get() == &document; });
}

std::vector<CDocumentBase*> CDocManager::Documents(const CDocTemplate* docTemplate) const {
    std::vector<CDocumentBase*> documents;
    for (const auto& entry : m_entries) {
        if (!entry->closing && (!docTemplate || entry->docTemplate == docTemplate))
            documents.push_back(entry->document.get());
    }
    return documents;
}

CDocTemplate* CDocManager::TemplateOf(const CDocumentBase& document) const {
    const Entry* entry = Find(document);
    return entry ? entry->docTemplate : nullptr;
}

CChildFrame* CDocManager::FrameOf(const CDocumentBase& document) const {
    const Entry* entry = Find(document);
    return entry ? entry->frame.data() : nullptr;
}

void CDocManager::ShowTitle(const CDocumentBase& document) {
    if (CChildFrame* frame = FrameOf(document))
        frame->setWindowTitle(QString::fromUtf8(document.GetTitle().str()));
}

QWidget* CDocManager::ViewOf(const CDocumentBase& document) const {
    const Entry* entry = Find(document);
    if (!entry)
        return nullptr;
    return entry->frame ? entry->frame->view() : entry->hiddenView.get();
}

// ---- saving

bool CDocManager::SaveModified(CDocumentBase& document) {
    // What is kept or written back is what the user sees finished.
    for (IDocView* view : std::vector<IDocView*>(document.GetViews()))
        view->EndGesture();
    auto ask = [&]() -> BOOL {
        if (!document.IsModified())
            return TRUE;
        const std::string path = document.GetPathName().str();
        const std::string name = path.empty() ? document.GetTitle().str() : FileName(path);
        switch (AfxMessageBox(CString("Save changes to " + name + "?"), MB_YESNOCANCEL)) {
            case IDCANCEL:
                return FALSE;
            case IDYES:
                return DoFileSave(document);
            default:
                return TRUE;
        }
    };
    if (const auto* pad = dynamic_cast<const CPadDoc*>(&document))
        return pad->SaveModified(ask);
    if (auto* symbol = dynamic_cast<CSymbolDoc*>(&document))
        return symbol->SaveModified(ask);
    return ask();
}

bool CDocManager::DoFileSave(CDocumentBase& document) {
    const std::string path = document.GetPathName().str();
    if (path.empty() || !std::filesystem::exists(path))
        return DoSave(document, {});
    if (IsWriteProtected(path)) {
        AfxMessageBox(
            CString(QuotedPath(path) + " is write-protected.\nSave the document under a new name."),
            MB_OK | MB_ICONINFORMATION);
        return DoSave(document, {});
    }
    return DoSave(document, path);
}

bool CDocManager::DoSave(CDocumentBase& document, const std::string& path, bool replace) {
    std::string target = path;
    if (target.empty()) {
        const CDocTemplate* docTemplate = TemplateOf(document);
        FileRequest request;
        request.save = true;
        request.suggested = document.GetPathName().IsEmpty() ? SuggestedName(document, docTemplate)
                                                             : document.GetPathName().str();
        std::string filter;
        std::string extension;
        if (docTemplate && docTemplate->GetDocString(filter, CDocTemplate::filterName) &&
            docTemplate->GetDocString(extension, CDocTemplate::filterExt)) {
            request.filters.push_back(filter);
            request.defaultSuffix = extension.erase(0, extension.find_first_not_of('.'));
        }
        request.filters.push_back("All Files (*)");
        target = FullPath(AskFileName(request));
        if (target.empty())
            return false;
    }
    {
        WaitCursor wait;
        if (!document.OnSaveDocument(target.c_str()))
            return false;
    }
    if (replace)
        document.SetPathName(target.c_str());
    return true;
}

bool CDocManager::SaveAllModified() {
    for (const auto& docTemplate : m_templates) {
        for (CDocumentBase* document : Documents(docTemplate.get())) {
            if (!SaveModified(*document))
                return false;
        }
    }
    return true;
}

// ---- closing

void CDocManager::CloseDocument(CDocumentBase& document) {
    Entry* entry = Find(document);
    if (!entry)
        return;
    entry->closing = true;
    if (CChildFrame* frame = entry->frame) {
        // Its destruction closes the document.
        frame->setCloseGuard({});
        delete frame;
        return;
    }
    entry->hiddenView.reset();
    document.OnCloseDocument();
    Erase(document);
}

void CDocManager::CloseAllDocuments() {
    std::vector<CDocumentBase*> documents;
    for (const auto& entry : m_entries)
        documents.push_back(entry->document.get());
    for (CDocumentBase* document : documents)
        CloseDocument(*document);
}

void CDocManager::UpdateAllViews(int hint) {
    for (CDocumentBase* document : Documents())
        document->UpdateAllViews(nullptr, hint);
}
