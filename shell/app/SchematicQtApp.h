#pragma once
// The window half of the application. It owns the core's application object and installs
// it, with the interfaces through which the core reaches the windows (see CCoreSeams); starts
// the program in a fixed order (settings, recent files, help, the document
// templates, the command line, the splash window, the main frame, then the documents to show);
// offers the services that the core and the windows call; dispatches function keys; hands
// idle time to the Workspace bar; and writes the settings back at the end.
//
// Document templates, in this order: schematic (a drawing window with rulers), symbol (the
// symbol editor: a symbol sheet in a drawing window, opened by the symbol commands only),
// hidden schematic (the same document and view with no window, for sheets that the netlist
// build reads) and output text.

#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>

#include "drawtools/ToolManager.h"
#include "drc/DrcRules.h"
#include "drc/DrcServices.h"
#include "library/LibraryBarServices.h"
#include "model/app/RecentFileList.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DocumentWindows.h"
#include "model/doc/PrinterChoice.h"
#include "platform/AppServices.h"
#include "shell/app/CoreSeams.h"
#include "shell/app/DocManager.h"
#include "shell/app/IdleScheduler.h"
#include "shell/commands/CommandMap.h"
#include "shell/help/HelpService.h"

struct CommandLineInfo;
class CDrawDoc;
class CAppEventFilter;
class CLibraryBar;
class CMainFrame;

class CSchematicQtApp : public IAppServices,
                        public ILibraryBarServices,
                        public IDrcServices,
                        public IDocumentWindows {
public:
    // The settings are read from settingsFile; help is looked for in helpFolders.
    CSchematicQtApp(std::filesystem::path settingsFile, QStringList helpFolders);
    ~CSchematicQtApp() override;
    CSchematicQtApp(const CSchematicQtApp&) = delete;
    CSchematicQtApp& operator=(const CSchematicQtApp&) = delete;

    // The whole program: installs the windows that ask the user, starts with the command-line
    // arguments that follow the program name, runs the event loop and ends; the exit code.
    int Run(const QStringList& arguments);
    // Starts the program with the command-line arguments that follow the program name. False
    // when it must end at once, with ExitCode().
    bool InitInstance(const QStringList& arguments);
    // Writes the settings and the recent files (unless the start was refused before the main
    // window existed); returns result, or 1 when the settings could not be written.
    int ExitInstance(int result);
    int ExitCode() const { return m_exitCode; }

    CSchematicApp& App() { return m_app; }
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CDocManager& Documents() { return m_documents; }
    const CRecentFileList& RecentFiles() const { return *m_recentFiles; }
    HelpService& Help() { return m_help; }
    CDocTemplate* SchematicTemplate() const { return m_schematic; }
    CDocTemplate* SymbolTemplate() const { return m_symbol; }
    CDocTemplate* HiddenSchematicTemplate() const { return m_hiddenSchematic; }
    CDocTemplate* OutputTemplate() const { return m_output; }

    // File New: a new schematic at once, never asking for the kind of document.
    CDocumentBase* OnFileNew();
    void OnImportProtel();
    // Opens path (see CDocManager); with kOptionZoomToFitOnOpen its views show the whole
    // sheet. A file that fails to open leaves the recent files.
    CDocumentBase* OpenDocumentFile(const std::string& path);
    // The save prompt for every document, the symbol editors first (each closes once it has
    // put its symbol into its schematic, so that the schematic's prompt sees the change);
    // then, whatever the answers, the saved schematics are recorded for the next start. False
    // when the user cancelled.
    bool SaveAllModified();

    // IAppServices
    void NotifyDocumentChanged(void* document, int code) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ShowDocumentObjects(void* document, unsigned long flagMask) override;
    bool IsPrinterUsable(const std::vector<BYTE>& devNames,
                         const std::vector<BYTE>& devMode) override;
    void DocumentTitleChanged(void* document) override;
    void AddToRecentFileList(const char* path) override;
    void UpdateAllViews(int hint) override;
    IDocView* GetActiveView() override;
    std::streambuf* GetOutputStreamBuf() override;
    void ShowOutputBar() override;

    // ILibraryBarServices
    void ShowLibraryPage() override;
    void RefreshLibraryList() override;
    void RefreshLibraryFolders() override;
    BOOL OpenSelectedLibrary(CLibraryFile* library, UINT mode) override;
    CString SelectedLibraryPath() const override;
    void SelectLibraryPath(const CString& path) override;

    // IDrcServices
    void ShowDrcPage() override;
    void ShowDrcSetup() override;
    CDrcRules& Rules() override { return m_drcRules; }
    CDrawDoc* ActiveSchematic() override;
    std::vector<CDrawDoc*> OpenSchematics() override;

    // IDocumentWindows. A symbol editor opens with the select tool current.
    CSymbolDoc* OpenSymbolEditor(CDrawDoc* owner, CSymbol* symbol, bool spice) override;
    CDrawDoc* OpenSchematic(const CString& path) override;
    CDrawDoc* NewSchematic() override;
    BOOL SaveDocumentAs(CDrawDoc& document, const CString& path) override;
    void CloseDocument(CDrawDoc& document) override;
    CString AskSubcircuitFile(const CString& suggested) override;

private:
    // The Files page of the workspace bar; null without a main window.
    CLibraryBar* LibraryBar() const;
    void AddDocTemplates();
    bool ProcessShellCommand(const CommandLineInfo& info);
    // "/p" and "/pt": prints the file named, with no window; true when it was printed.
    bool PrintFromCommandLine(const CommandLineInfo& info);
    void CreateMainFrame();
    void AddApplicationCommands();
    bool OnMainFrameClose();
    // The open schematic documents, in the order they were opened.
    std::vector<CDrawDoc*> OpenSchematics() const;
    void PostCommand(UINT id);
    bool OnIdle(int count);
    void ToggleUnits();
    void ShowUnits();

    CSchematicApp m_app;
    ScopedApp m_installedApp;
    ToolManager m_tools;  // outlives every view
    ToolManager* m_previousTools;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    HelpService m_help;
    CDocManager m_documents;
    CDocTemplate* m_schematic = nullptr;
    CDocTemplate* m_symbol = nullptr;
    CDocTemplate* m_hiddenSchematic = nullptr;
    CDocTemplate* m_output = nullptr;
    CommandMap m_appCommands;
    CPrinterChoice m_printer;  // the printer chosen while no schematic is open
    CDrcRules m_drcRules;
    std::unique_ptr<CMainFrame> m_mainFrame;
    CIdleScheduler m_idle;
    std::unique_ptr<CAppEventFilter> m_eventFilter;
    int m_exitCode = 0;
    CCoreSeams m_seams;  // last: installed once the rest is made, uninstalled before it goes
};
