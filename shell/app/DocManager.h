#pragma once
// The open documents of the application and their windows: new and opened documents of the
// document templates, saving with the save prompt and the file dialogs, closing, and the
// notices that reach every view. Each document has one window (documents of a template
// without windows have none); its File Close, Save and Save As commands are routed to it.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/app/DocTemplate.h"
#include "shell/commands/CommandMap.h"

class CChildFrame;
class CDocumentBase;
class CMainFrame;

class CDocManager : public QObject {
public:
    // What a file dialog is asked for: a file to open or a name to save under.
    struct FileRequest {
        bool save = false;
        std::string folder;                // where the dialog starts
        std::string suggested;             // the proposed file (save), in folder when relative
        std::vector<std::string> filters;  // "Vosk Schematic Files (*.sch)", ...
        std::string defaultSuffix;         // without the dot; added to names without one
    };
    // The chosen file, or empty when the user cancelled.
    using FileNamePrompt = std::function<std::string(const FileRequest&)>;

    CDocManager();
    ~CDocManager() override;

    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& Templates() const { return m_templates; }
    // The frame whose MDI area shows the documents' windows.
    void SetMainFrame(CMainFrame* frame);
    // Replaces the file dialogs (tests script them).
    void SetFileNamePrompt(FileNamePrompt prompt) { m_promptFileName = std::move(prompt); }

    // A new document of docTemplate (empty path) or docTemplate's document of path, shown
    // in a new window when the template has windows; null when it failed (the document has
    // told the user why).
    CDocumentBase* OpenDocumentFile(CDocTemplate& docTemplate, const std::string& path);
    // Opens path with the first template whose extension it has, else the first template;
    // a document already open from that file is brought forward instead.
    CDocumentBase* OpenDocumentFile(const std::string& path);
    // Asks for a file to open, with the file filters of the templates; empty when the user
    // cancelled.
    std::string AskOpenFileName();
    // The file dialog (or its replacement) for request; empty when the user cancelled. The
    // document dialogs keep a folder of their own, whatever other dialogs visited: a request
    // without a folder starts in the folder of the file last chosen in them, else in the
    // active document's folder, else in the user's home folder.
    std::string AskFileName(FileRequest request);

    // The open documents in the order they were opened, all or those of one template.
    std::vector<CDocumentBase*> Documents(const CDocTemplate* docTemplate = nullptr) const;
    CDocTemplate* TemplateOf(const CDocumentBase& document) const;
    CChildFrame* FrameOf(const CDocumentBase& document) const;
    // The document's window takes its title as the caption (and the Window menu's entry).
    void ShowTitle(const CDocumentBase& document);
    QWidget* ViewOf(const CDocumentBase& document) const;

    // The save prompt "Save changes to <name>?": true when the document may close (saved,
    // not changed, or the user chose No). A symbol editor puts its symbol into its schematic
    // instead, and asks only when it has none.
    bool SaveModified(CDocumentBase& document);
    // Saves under the document's path; under a new name when it has none or its file is gone,
    // and after saying why when the user may not write the file.
    bool DoFileSave(CDocumentBase& document);
    // Saves to path, or to a name the user chooses when path is empty; replace makes the
    // document take the new name.
    bool DoSave(CDocumentBase& document, const std::string& path, bool replace = true);
    // Runs the save prompt for every document, template by template; false when the user
    // cancelled one.
    bool SaveAllModified();

    // Closes document with its window, without asking.
    void CloseDocument(CDocumentBase& document);
    void CloseAllDocuments();

    // Sends hint to every view of every document, with no sender.
    void UpdateAllViews(int hint);

private:
    struct Entry;

    Entry* Find(const CDocumentBase& document) const;
    CDocTemplate* TemplateForFile(const std::string& path) const;
    std::string StartFolder() const;
    void AttachCommands(Entry& entry);
    void ShowFrame(Entry& entry);
    void OnFrameDestroyed(CDocumentBase* document);
    void Erase(const CDocumentBase& document);

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<std::unique_ptr<Entry>> m_entries;
    QPointer<CMainFrame> m_mainFrame;
    FileNamePrompt m_promptFileName;
    std::string m_lastFolder;  // of the file last chosen in a document dialog
};
