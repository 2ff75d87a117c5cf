#include "shell/app/SchematicQtApp.h"

#include <QApplication>
#include <QMdiArea>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "gui/drc/DrcSetupSheet.h"
#include "gui/interchange/protel/ProtelImportCommand.h"
#include "gui/kit/PrinterSetup.h"
#include "gui/library/LibraryBar.h"
#include "gui/library/ShellTreeCtrl.h"
#include "gui/library/TreeBar.h"
#include "model/app/CommandLineInfo.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/SymbolDoc.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/app/AboutDlg.h"
#include "shell/app/AboutProduct.h"
#include "shell/app/AppEventFilter.h"
#include "shell/app/CommandLinePrint.h"
#include "shell/app/SplashWnd.h"
#include "shell/app/WebPage.h"
#include "shell/app/WindowPlacement.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/MainFrame.h"
#include "shell/frames/StatusBar.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/output/OutputEdit.h"
#include "shell/output/PadDoc.h"
#include "shell/output/StrEditView.h"
#include "shell/view/DrawView.h"
#include "shell/view/SymbolView.h"

namespace {

constexpr char kSchematicDocString[] =
    "\nUntitled\nVosk Schematic\nVosk Schematic Files (*.sch)\n.sch\nVoskSch.Document\n"
    "Vosk Schematic Document\nVSCH\nVosk Schematic Files";
constexpr char kSymbolDocString[] = "\nSymbol\nVosk Symbol";
constexpr char kOutputDocString[] = "\nOutput Window\nOutput Window\nText Files (*.txt)\n.txt\n";
constexpr int kDefaultRecentFiles = 4;

COLORREF ToColorRef(const QColor& colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

}  // namespace

CSchematicQtApp::CSchematicQtApp(std::filesystem::path settingsFile, QStringList helpFolders)
    : m_app(std::move(settingsFile)),
      m_installedApp(m_app),
      m_previousTools(SetToolManager(&m_tools)),
      m_recentFiles(std::make_unique<CRecentFileList>(0)),
      m_help(std::move(helpFolders)),
      m_idle([this](int count) { return OnIdle(count); }),
      m_seams(*this) {}

CSchematicQtApp::~CSchematicQtApp() {
    if (m_eventFilter)
        qApp->removeEventFilter(m_eventFilter.get());
    // The windows of the documents go before the main frame, the documents after their views.
    m_documents.CloseAllDocuments();
    m_mainFrame.reset();
    SetToolManager(m_previousTools);
}

// ---- start-up and shut-down

int CSchematicQtApp::Run(const QStringList& arguments) {
    m_seams.InstallWindows();
    const bool started = InitInstance(arguments);
    return ExitInstance(started ? QApplication::exec() : m_exitCode);
}

bool CSchematicQtApp::InitInstance(const QStringList& arguments) {
    SettingsStore& settings = m_app.Settings();
    if (!settings.LoadError().IsEmpty())
        AfxMessageBox(settings.LoadError(), MB_OK | MB_ICONEXCLAMATION);
    m_recentFiles = std::make_unique<CRecentFileList>(
        settings.GetProfileInt("Settings", "MRU File Size", kDefaultRecentFiles));
    m_recentFiles->ReadList(settings);
    m_app.LoadSettings();
    LoadDrcRules(m_drcRules, settings);
    const QPalette palette = QApplication::palette();
    m_app.SetSystemColours(ToColorRef(palette.color(QPalette::Highlight)),
                           ToColorRef(palette.color(QPalette::HighlightedText)));
    AddDocTemplates();
    AddApplicationCommands();

    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    const CommandLineInfo info = ParseCommandLine(words);
    if (const std::string problem = UnsupportedRequest(info); !problem.empty()) {
        std::fprintf(stderr, "vosk: %s\n", problem.c_str());
        // A user's mistake is shown also when there is no terminal to read it.
        if (!info.unknownOption.empty())
            AfxMessageBox(problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
        m_exitCode = 2;
        return false;
    }
    if (AsksToPrint(info)) {
        m_exitCode = PrintFromCommandLine(info) ? 0 : 1;
        return false;
    }
    CSplashWnd::EnableSplashScreen(info.showSplash);
    CreateMainFrame();

    if (info.shellCommand == CommandLineInfo::FileNew && (m_app.Options & kOptionReopenFiles) &&
        settings.GetProfileInt("LastOpen", "Count", 0) != 0) {
        m_mainFrame->LoadWindowPlacement(SW_SHOWNORMAL);
        for (const CString& path : m_app.RecordedSchematics())
            OpenDocumentFile(path.str());
    } else {
        if (!ProcessShellCommand(info)) {
            m_exitCode = 1;
            return false;
        }
        m_mainFrame->LoadWindowPlacement(SW_SHOWNORMAL);
    }
    m_idle.Restart();
    return true;
}

bool CSchematicQtApp::PrintFromCommandLine(const CommandLineInfo& info) {
    const std::string printerName =
        info.shellCommand == CommandLineInfo::FilePrintTo ? info.printerName : std::string();
    QPrinter printer(QPrinter::HighResolution);
    const DirectPrint result = PrintFileDirect(info.fileName, printerName, printer);
    if (const std::string problem = DirectPrintProblem(result, printerName); !problem.empty())
        AfxMessageBox(problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return result == DirectPrint::kPrinted;
}

bool CSchematicQtApp::ProcessShellCommand(const CommandLineInfo& info) {
    if (info.shellCommand == CommandLineInfo::FileOpen)
        return OpenDocumentFile(info.fileName) != nullptr;
    OnFileNew();
    return true;
}

void CSchematicQtApp::AddDocTemplates() {
    auto drawDocument = [] { return std::make_unique<CDrawDoc>(); };
    auto drawView = [](CDocumentBase& document) -> QWidget* {
        return new CDrawView(static_cast<CDrawDoc&>(document));
    };
    auto add = [this](UINT id, const char* docString, CDocTemplate::DocumentFactory document,
                      CDocTemplate::FrameFactory frame, CDocTemplate::ViewFactory view) {
        auto docTemplate = std::make_unique<CDocTemplate>(id, docString, std::move(document),
                                                          std::move(frame), std::move(view));
        CDocTemplate* added = docTemplate.get();
        m_documents.AddDocTemplate(std::move(docTemplate));
        return added;
    };
    m_schematic = add(
        IDR_SCHEMATIC, kSchematicDocString, drawDocument,
        [] { return new CDrawFrame(IDR_SCHEMATIC); }, drawView);
    m_symbol = add(
        IDR_SYMBOL, kSymbolDocString, [] { return std::make_unique<CSymbolDoc>(); },
        [] { return new CDrawFrame(IDR_SYMBOL); },
        [](CDocumentBase& document) -> QWidget* {
            return new CSymbolView(static_cast<CSymbolDoc&>(document));
        });
    m_hiddenSchematic = add(IDR_SCHEMATIC, kSchematicDocString, drawDocument, {}, drawView);
    const SettingsStore& settings = m_app.Settings();
    m_output = add(
        IDR_OUTPUT, kOutputDocString, [] { return std::make_unique<CPadDoc>(); },
        [] { return new CChildFrame(IDR_OUTPUT); },
        [&settings](CDocumentBase& document) -> QWidget* {
            auto* view = new CStrEditView(settings);
            static_cast<CPadDoc&>(document).SetView(view);
            return view;
        });
}

void CSchematicQtApp::AddApplicationCommands() {
    m_appCommands.On(ID_FILE_NEW, [this] { OnFileNew(); });
    m_appCommands.On(ID_FILE_OPEN, [this] {
        if (const std::string path = m_documents.AskOpenFileName(); !path.empty())
            OpenDocumentFile(path);
    });
    m_appCommands.On(ID_FILE_IMPORT_PROTEL, [this] { OnImportProtel(); });
    m_appCommands.On(ID_HELP_SEARCH, [this] { m_help.DisplaySearch(); });
    m_appCommands.On(ID_TOOLS_DRC, [this] { ShowDrcPage(); });
    m_appCommands.On(ID_TOOLS_DRC_SETUP, [this] { ShowDrcSetup(); });
    m_appCommands.On(ID_HELP_TUTORIAL, [this] { m_help.DisplayTopic("html\\tutorial.htm"); });
    m_appCommands.On(ID_HELP_HOME_PAGE, [] { OpenWebPage(kProductHomePage); });
    m_appCommands.On(ID_HELP_MAKER_PAGE, [] { OpenWebPage(kMakerHomePage); });
    m_appCommands.On(ID_APP_ABOUT, [this] { CAboutDlg(m_mainFrame.get()).exec(); });
    // The print set-up while no schematic is open; a schematic has its own (see the view).
    m_appCommands.On(ID_FILE_PRINT_SETUP,
                     [this] { RunPrinterSetup(m_printer, m_mainFrame.get()); });
}

void CSchematicQtApp::CreateMainFrame() {
    m_mainFrame = std::make_unique<CMainFrame>(m_app.Settings());
    CMainFrame& frame = *m_mainFrame;
    // What a dialog or command changes in the settings reaches the file when it is done.
    m_app.Settings().WriteChangesAtOnce(
        [&frame](std::function<void()> write) { QTimer::singleShot(0, &frame, std::move(write)); });
    m_documents.SetMainFrame(&frame);
    frame.setOpenDocumentHandler(
        [this](const std::string& path) { return OpenDocumentFile(path) != nullptr; });
    frame.setRecentFilesProvider([this] { return m_recentFiles->Files(); });
    frame.setUnitsToggleHandler([this] { ToggleUnits(); });
    frame.setHelpHandler([this](DWORD data, UINT command) { m_help.WinHelp(data, command); });
    frame.setCloseHandler([this] { return OnMainFrameClose(); });
    frame.router().SetApplicationTarget(&m_appCommands);
    if (auto* tree = dynamic_cast<CTreeBar*>(frame.workspaceBar()->DesignViewPage()))
        tree->SetDocumentList([this] { return OpenSchematics(); });
    ShowUnits();
    m_eventFilter = std::make_unique<CAppEventFilter>(
        m_app.FunctionKeys, [this](UINT id) { PostCommand(id); }, [this] { m_idle.Restart(); });
    qApp->installEventFilter(m_eventFilter.get());
}

std::vector<CDrawDoc*> CSchematicQtApp::OpenSchematics() const {
    std::vector<CDrawDoc*> schematics;
    for (CDocumentBase* open : m_documents.Documents()) {
        if (auto* doc = dynamic_cast<CDrawDoc*>(open))
            schematics.push_back(doc);
    }
    return schematics;
}

bool CSchematicQtApp::OnMainFrameClose() {
    if (!SaveAllModified())
        return false;
    m_documents.CloseAllDocuments();
    return true;
}

int CSchematicQtApp::ExitInstance(int result) {
    // A start refused before the main window existed changed nothing to write back.
    if (!m_mainFrame)
        return result;
    m_recentFiles->WriteList(m_app.Settings());
    m_app.Settings().WriteChangesAtOnce({});
    if (!m_app.SaveSettings())
        return result != 0 ? result : 1;
    return result;
}

// ---- documents

void CSchematicQtApp::OnImportProtel() {
    ShowOutputBar();
    std::streambuf* buffer = GetOutputStreamBuf();
    std::ostream discard(nullptr);
    std::ostream output(buffer);
    ProtelImportSeams seams;
    seams.chooseFile = AskForProtelFile;
    seams.chooseLibrary = AskForProtelTargetLibrary;
    seams.documents.create = [this] { return dynamic_cast<CDrawDoc*>(OnFileNew()); };
    seams.documents.discard = [this](CDrawDoc& document) { m_documents.CloseDocument(document); };
    seams.showLibraries = [this](const std::string& library) {
        RefreshLibraryList();
        ShowLibraryPage();
        if (!library.empty())
            SelectLibraryPath(CString(library));
        if (m_mainFrame)
            m_mainFrame->workspaceBar()->show();
    };
    RunProtelImport(m_mainFrame.get(), m_app.Settings(), buffer ? output : discard, seams);
}

CDocumentBase* CSchematicQtApp::OnFileNew() {
    return m_schematic ? m_documents.OpenDocumentFile(*m_schematic, {}) : nullptr;
}

CDocumentBase* CSchematicQtApp::OpenDocumentFile(const std::string& path) {
    CDocumentBase* document = m_documents.OpenDocumentFile(path);
    if (!document) {
        m_recentFiles->Remove(path);
        return nullptr;
    }
    if (m_app.Options & kOptionZoomToFitOnOpen)
        document->UpdateAllViews(nullptr, kHintZoomToFit);
    return document;
}

bool CSchematicQtApp::SaveAllModified() {
    bool saved = true;
    for (CDocumentBase* editor : m_documents.Documents(m_symbol)) {
        saved = m_documents.SaveModified(*editor);
        if (!saved)
            break;
        m_documents.CloseDocument(*editor);
    }
    saved = saved && m_documents.SaveAllModified();
    std::vector<CString> paths;
    for (CDocumentBase* document : m_documents.Documents(m_schematic))
        paths.push_back(document->GetPathName());
    m_app.RecordOpenSchematics(paths);
    return saved;
}

// ---- document windows of the symbol commands

CSymbolDoc* CSchematicQtApp::OpenSymbolEditor(CDrawDoc* owner, CSymbol* symbol, bool spice) {
    auto* editor =
        m_symbol ? dynamic_cast<CSymbolDoc*>(m_documents.OpenDocumentFile(*m_symbol, {})) : nullptr;
    if (!editor)
        return nullptr;
    editor->SetSpiceSymbol(spice);
    editor->LoadSymbol(owner, symbol);
    editor->UpdateAllViews(nullptr);
    m_tools.state.currentShape = kToolSelect;
    return editor;
}

CDrawDoc* CSchematicQtApp::OpenSchematic(const CString& path) {
    return dynamic_cast<CDrawDoc*>(OpenDocumentFile(path.str()));
}

CDrawDoc* CSchematicQtApp::NewSchematic() {
    return dynamic_cast<CDrawDoc*>(OnFileNew());
}

BOOL CSchematicQtApp::SaveDocumentAs(CDrawDoc& document, const CString& path) {
    return m_documents.DoSave(document, path.str()) ? TRUE : FALSE;
}

void CSchematicQtApp::CloseDocument(CDrawDoc& document) {
    m_documents.CloseDocument(document);
}

CString CSchematicQtApp::AskSubcircuitFile(const CString& suggested) {
    CDocManager::FileRequest request;
    request.save = true;
    request.suggested = FromStoredPath(suggested).str();
    request.filters = {"Schematic Files (*.sch)", "All Files (*)"};
    request.defaultSuffix = "sch";
    return CString(m_documents.AskFileName(request).c_str());
}

// ---- keys, idle time, units

void CSchematicQtApp::PostCommand(UINT id) {
    CMainFrame* frame = m_mainFrame.get();
    QMetaObject::invokeMethod(
        frame,
        [frame, id] {
            frame->router().Execute(id);
            frame->UpdateCommandUI();
        },
        Qt::QueuedConnection);
}

bool CSchematicQtApp::OnIdle(int count) {
    return m_mainFrame && m_mainFrame->workspaceBar()->OnIdle(count);
}

void CSchematicQtApp::ToggleUnits() {
    m_app.SetUnits((m_app.Options & kOptionMetric) ? FALSE : TRUE);
}

void CSchematicQtApp::ShowUnits() {
    m_mainFrame->statusPanes()->SetPaneText(ID_INDICATOR_UNITS,
                                            (m_app.Options & kOptionMetric) ? "cm" : "inch");
}

// ---- services

void CSchematicQtApp::NotifyDocumentChanged(void* document, int code) {
    if (!m_mainFrame)
        return;
    m_mainFrame->workspaceBar()->NotifyDocumentChanged(DocumentChange{code, nullptr, document});
    m_idle.Restart();
}

void CSchematicQtApp::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CSchematicQtApp::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

void CSchematicQtApp::ShowDocumentObjects(void* document, unsigned long flagMask) {
    for (CDocumentBase* open : m_documents.Documents()) {
        if (open != document)
            continue;
        CChildFrame* frame = m_documents.FrameOf(*open);
        if (frame && m_mainFrame)
            m_mainFrame->mdiArea()->setActiveSubWindow(frame);
        if (auto* view = dynamic_cast<IDocView*>(m_documents.ViewOf(*open)))
            view->ShowFlaggedObjects(flagMask);
        return;
    }
}

bool CSchematicQtApp::IsPrinterUsable(const std::vector<BYTE>& devNames,
                                      const std::vector<BYTE>& devMode) {
    return IsPrinterChoiceUsable(CPrinterChoice{devNames, devMode});
}

void CSchematicQtApp::DocumentTitleChanged(void* document) {
    for (CDocumentBase* open : m_documents.Documents())
        if (open == document)
            m_documents.ShowTitle(*open);
}

void CSchematicQtApp::AddToRecentFileList(const char* path) {
    m_recentFiles->Add(path);
}

void CSchematicQtApp::UpdateAllViews(int hint) {
    m_documents.UpdateAllViews(hint);
    // However the units were switched (the pane, the rulers' menu, the Options sheet).
    if (hint == kHintUnits && m_mainFrame)
        ShowUnits();
}

IDocView* CSchematicQtApp::GetActiveView() {
    CChildFrame* frame = m_mainFrame ? m_mainFrame->ActiveChildFrame() : nullptr;
    return frame ? dynamic_cast<IDocView*>(frame->view()) : nullptr;
}

std::streambuf* CSchematicQtApp::GetOutputStreamBuf() {
    return m_mainFrame ? m_mainFrame->GetOutputStreamBuf() : nullptr;
}

void CSchematicQtApp::ShowOutputBar() {
    if (m_mainFrame)
        m_mainFrame->ShowOutputBar();
}

void CSchematicQtApp::ShowDrcPage() {
    if (!m_mainFrame)
        return;
    CWorkspaceBar* workspace = m_mainFrame->workspaceBar();
    workspace->show();
    workspace->SelectPage(workspace->DrcPage());
    workspace->DrcPage()->OnDocumentChanged(DocumentChange{});
    m_idle.Restart();
}

void CSchematicQtApp::ShowDrcSetup() {
    EditDrcRules(m_drcRules, m_app.Settings(), m_mainFrame.get());
}

CDrawDoc* CSchematicQtApp::ActiveSchematic() {
    CChildFrame* active = m_mainFrame ? m_mainFrame->ActiveChildFrame() : nullptr;
    for (CDrawDoc* doc : OpenSchematics()) {
        if (active && m_documents.FrameOf(*doc) == active)
            return doc;
    }
    return nullptr;
}

std::vector<CDrawDoc*> CSchematicQtApp::OpenSchematics() {
    std::vector<CDrawDoc*> schematics;
    for (CDocumentBase* doc : m_documents.Documents(m_schematic)) {
        if (auto* schematic = dynamic_cast<CDrawDoc*>(doc))
            schematics.push_back(schematic);
    }
    return schematics;
}

void CSchematicQtApp::ShowLibraryPage() {
    if (m_mainFrame)
        m_mainFrame->workspaceBar()->SelectPage(m_mainFrame->workspaceBar()->FilesPage());
}

CLibraryBar* CSchematicQtApp::LibraryBar() const {
    return m_mainFrame ? dynamic_cast<CLibraryBar*>(m_mainFrame->workspaceBar()->FilesPage())
                       : nullptr;
}

void CSchematicQtApp::RefreshLibraryList() {
    if (CLibraryBar* bar = LibraryBar())
        bar->RefreshList(0);
}

void CSchematicQtApp::RefreshLibraryFolders() {
    if (CLibraryBar* bar = LibraryBar()) {
        bar->Tree()->Reset();
        bar->RefreshList(1);
    }
}

BOOL CSchematicQtApp::OpenSelectedLibrary(CLibraryFile* library, UINT mode) {
    CLibraryBar* bar = LibraryBar();
    return bar ? bar->OpenSelectedLibrary(library, mode) : FALSE;
}

CString CSchematicQtApp::SelectedLibraryPath() const {
    CLibraryBar* bar = LibraryBar();
    return bar ? CString(bar->SelectedLibraryPath()) : CString();
}

void CSchematicQtApp::SelectLibraryPath(const CString& path) {
    if (CLibraryBar* bar = LibraryBar()) {
        bar->SelectLibraryPath(path.str());
        m_mainFrame->workspaceBar()->show();
    }
}
