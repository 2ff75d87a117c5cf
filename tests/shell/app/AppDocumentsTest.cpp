// Documents in the whole program: File New, the save prompt, Save As, the recent-file list,
// output documents and the routing of every command of the menus and toolbars.

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>

#include "gui/support/SaveDialogScript.h"
#include "model/doc/DocView.h"
#include "model/doc/TitleBlockInsert.h"
#include "model/text/AttrText.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "resources/MenuTable.h"
#include "resources/ToolbarTable.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/ChildFrame.h"
#include "shell/output/PadDoc.h"
#include "shell/output/StrEditView.h"
#include "shell/support/AppFixture.h"

namespace {

class AppDocumentsTest : public AppFixture {
protected:
    // Answers the file dialogs with the given names in the temporary folder, recording what
    // each was asked for.
    void ScriptFileNames(CSchematicQtApp& app, std::vector<std::string> names) {
        app.Documents().SetFileNamePrompt([this, names](const CDocManager::FileRequest& request) {
            m_requests.push_back(request);
            const size_t i = m_requests.size() - 1;
            return i < names.size() && !names[i].empty() ? (m_dir / names[i]).string()
                                                         : std::string();
        });
    }

    static CDocumentBase* Active(CSchematicQtApp& app) {
        CChildFrame* frame = app.MainFrame()->ActiveChildFrame();
        for (CDocumentBase* document : app.Documents().Documents()) {
            if (app.Documents().FrameOf(*document) == frame)
                return document;
        }
        return nullptr;
    }

    static void Run(CSchematicQtApp& app, UINT id) {
        EXPECT_TRUE(app.MainFrame()->router().Execute(id)) << id;
        QApplication::processEvents();
    }

    std::vector<CDocManager::FileRequest> m_requests;
};

TEST_F(AppDocumentsTest, ClosingAChangedDocumentAsksToSaveIt) {
    auto app = Start();
    ScriptFileNames(*app, {"first"});
    CDocumentBase* untitled = Active(*app);
    untitled->SetModifiedFlag();

    m_prompt.Answer(IDCANCEL);
    Run(*app, ID_FILE_CLOSE);
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"Untitled1"});
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, CString("Save changes to Untitled1?"));
    EXPECT_EQ(m_prompt.shown()[0].type & MB_TYPEMASK, MB_YESNOCANCEL);

    // Yes on a document that never had a name asks for one, with the schematic filter.
    m_prompt.Answer(IDYES);
    Run(*app, ID_FILE_CLOSE);
    EXPECT_TRUE(Titles(*app).empty());
    EXPECT_EQ(WindowCount(*app), 0);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].save);
    EXPECT_EQ(m_requests[0].suggested, "Untitled1.sch");
    EXPECT_EQ(m_requests[0].filters,
              (std::vector<std::string>{"Vosk Schematic Files (*.sch)", "All Files (*)"}));
    const std::string saved = (m_dir / "first").string();
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{saved});

    // The window's own close button asks too; No closes without saving.
    CDocumentBase* reopened = app->OpenDocumentFile(saved);
    ASSERT_NE(reopened, nullptr);
    reopened->SetModifiedFlag();
    m_prompt.Answer(IDNO);
    EXPECT_TRUE(app->MainFrame()->ActiveChildFrame()->close());
    QApplication::processEvents();
    EXPECT_TRUE(app->Documents().Documents().empty());
    EXPECT_EQ(m_prompt.shown().back().text, CString("Save changes to first?"));

    // A document without changes closes without a word.
    Run(*app, ID_FILE_NEW);
    Run(*app, ID_FILE_CLOSE);
    EXPECT_EQ(m_prompt.shown().size(), 3u);
    EXPECT_TRUE(app->Documents().Documents().empty());
}

// A document given a title after its window opened (as an imported schematic is) shows it in
// the caption and in the Window menu.
TEST_F(AppDocumentsTest, ATitleGivenLaterIsTheWindowsCaption) {
    auto app = Start();
    Active(*app)->SetTitle("AMP_vsch");
    EXPECT_EQ(app->MainFrame()->ActiveChildFrame()->windowTitle().toStdString(), "AMP_vsch");
    QStringList entries;
    for (QMenu* popup : app->MainFrame()->menuBarPopups(IDR_SCHEMATIC)) {
        if (popup->objectName() != "menuWindow")
            continue;
        emit popup->aboutToShow();
        for (QAction* action : popup->actions())
            entries << action->text();
    }
    EXPECT_TRUE(entries.contains("&1 AMP_vsch")) << entries.join('|').toStdString();
}

TEST_F(AppDocumentsTest, SaveAsRenamesTheDocumentAndItsWindow) {
    auto app = Start();
    ScriptFileNames(*app, {"amp.sch", ""});
    CDocumentBase* document = Active(*app);
    document->SetModifiedFlag();
    Run(*app, ID_FILE_SAVE);  // no name yet: Save As
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->GetPathName(), CString((m_dir / "amp.sch").string()));
    EXPECT_EQ(app->MainFrame()->ActiveChildFrame()->windowTitle(), "amp.sch");
    EXPECT_EQ(m_requests[0].defaultSuffix, "sch");

    document->SetModifiedFlag();
    Run(*app, ID_FILE_SAVE);  // saves in place, no dialog
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(m_requests.size(), 1u);

    document->SetModifiedFlag();
    Run(*app, ID_FILE_SAVE_AS);  // cancelled dialog: nothing happens
    EXPECT_EQ(m_requests.size(), 2u);
    EXPECT_EQ(m_requests[1].suggested, (m_dir / "amp.sch").string());
    EXPECT_TRUE(document->IsModified());
}

// A title block's "File" field shows the file each save writes: in the file itself and on
// the sheet, from the first save on and after Save As.
TEST_F(AppDocumentsTest, TheFileFieldShowsTheFileEachSaveWrites) {
    auto app = Start();
    ScriptFileNames(*app, {"p1.sch", "p2.sch"});
    auto* document = dynamic_cast<CDrawDoc*>(Active(*app));
    ASSERT_NE(document, nullptr);
    auto* field = new CAttrText(CRect(5000, -6000, 9000, -6200));
    field->Bind(document, "File");
    CObList fields;
    fields.AddTail(field);
    ASSERT_TRUE(InsertTitleBlockFields(*document, CRect(5000, -6000, 9000, -7000), fields));
    const std::string p1 = (m_dir / "p1.sch").string();
    const std::string p2 = (m_dir / "p2.sch").string();
    auto holds = [](const std::string& file, const std::string& text) {
        const std::vector<unsigned char> bytes = testsupport::ReadFileBytes(file);
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    };

    Run(*app, ID_FILE_SAVE);
    EXPECT_EQ(field->GetText(), CString(p1));
    EXPECT_TRUE(holds(p1, p1));
    Run(*app, ID_FILE_SAVE_AS);
    EXPECT_EQ(document->GetPathName(), CString(p2));
    EXPECT_EQ(field->GetText(), CString(p2));
    EXPECT_TRUE(holds(p2, p2));
    EXPECT_FALSE(holds(p2, p1));
}

// A file the user may not write is never replaced, although its folder would let a new file
// be renamed over it. Save says why it asks for a new name; keeping the name is refused and
// the changes stay. (The test may run as the superuser: the file has no write bit at all.)
TEST_F(AppDocumentsTest, AWriteProtectedFileIsNeverReplaced) {
    const std::string path = MakeSchematic("locked.sch");
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const std::vector<unsigned char> stored = testsupport::ReadFileBytes(path);
    auto app = Start();
    ScriptFileNames(*app, {"locked.sch", "copy.sch"});
    CDocumentBase* document = app->OpenDocumentFile(path);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag();
    const CString why("\"" + path + "\" is write-protected.\nSave the document under a new name.");

    m_prompt.Answer(IDOK);
    m_prompt.Answer(IDOK);
    Run(*app, ID_FILE_SAVE);
    ASSERT_EQ(m_prompt.shown().size(), 2u);
    EXPECT_EQ(m_prompt.shown()[0].text, why);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].suggested, path);
    EXPECT_EQ(m_prompt.shown()[1].text, CString("Failed to save document.\nCannot save \"" + path +
                                                "\": the file is write-protected."));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->GetPathName(), CString(path));
    EXPECT_EQ(testsupport::ReadFileBytes(path), stored);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0444));

    // Another name saves the changes there.
    m_prompt.Answer(IDOK);
    Run(*app, ID_FILE_SAVE);
    ASSERT_EQ(m_prompt.shown().size(), 3u);
    EXPECT_EQ(m_prompt.shown()[2].text, why);
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(document->GetPathName(), CString((m_dir / "copy.sch").string()));
    EXPECT_EQ(testsupport::ReadFileBytes(path), stored);
}

// Kept in the Save As dialog after the question whether to replace it, a write-protected file
// is refused there with the reason, and the dialog stays open for another name.
TEST_F(AppDocumentsTest, SaveAsRefusesAWriteProtectedFileInItsDialog) {
    const std::string locked = MakeSchematic("locked.sch");
    std::filesystem::permissions(locked, std::filesystem::perms(0444));
    auto app = Start();
    CDocumentBase* document = Active(*app);
    bool stayedOpen = false;
    ChooseKeptThenOther(m_dir.path(), "locked.sch", "copy.sch", stayedOpen);
    m_prompt.Answer(IDOK);
    Run(*app, ID_FILE_SAVE_AS);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text,
              CString("Cannot save \"" + locked + "\": the file is write-protected."));
    EXPECT_EQ(document->GetPathName(), CString((m_dir / "copy.sch").string()));
}

TEST_F(AppDocumentsTest, ClosingTheProgramRecordsTheSavedSchematicsEvenWhenCancelled) {
    const std::string a = MakeSchematic("a.sch");
    const std::string b = MakeSchematic("b.sch");
    auto app = Start();  // Untitled1
    app->OpenDocumentFile(a)->SetModifiedFlag();
    app->OpenDocumentFile(b);
    CDocumentBase* output = app->Documents().OpenDocumentFile(*app->OutputTemplate(), {});
    ASSERT_NE(output, nullptr);
    output->SetModifiedFlag();
    static_cast<CPadDoc*>(output)->SetCloseWithoutAsking(TRUE);

    m_prompt.Answer(IDCANCEL);
    EXPECT_FALSE(Close(*app));
    EXPECT_EQ(Titles(*app).size(), 4u);
    const SettingsStore& current = app->App().Settings();
    EXPECT_EQ(current.GetProfileInt("LastOpen", "Count", 0), 2u);
    EXPECT_EQ(current.GetProfileString("LastOpen", "File2"), CString(b));

    m_prompt.Answer(IDNO);
    EXPECT_TRUE(Close(*app));
    EXPECT_EQ(m_prompt.shown().size(), 2u) << "the output closes without asking";
    EXPECT_EQ(m_prompt.shown()[1].text, CString("Save changes to a.sch?"));
    const SettingsStore saved = Stored();
    EXPECT_EQ(saved.GetProfileInt("LastOpen", "Count", 0), 2u);
    EXPECT_EQ(saved.GetProfileString("LastOpen", "File1"), CString(a));
}

TEST_F(AppDocumentsTest, TheRecentFilesFollowOpeningAndSaving) {
    {
        SettingsStore settings = Stored();
        settings.WriteProfileInt("Settings", "MRU File Size", 2);
        settings.Save();
    }
    const std::string a = MakeSchematic("a.sch");
    const std::string b = MakeSchematic("b.sch");
    const std::string c = MakeSchematic("c.sch");
    auto app = Start();
    for (const std::string& path : {a, b, c, a})
        ASSERT_NE(app->OpenDocumentFile(path), nullptr);
    EXPECT_EQ(Titles(*app), (std::vector<std::string>{"Untitled1", "a.sch", "b.sch", "c.sch"}))
        << "an open file is brought forward, not opened twice";
    EXPECT_EQ(app->RecentFiles().Files(), (std::vector<std::string>{c, b}));

    // The File menu lists them; an entry whose file is gone fails and leaves the list.
    std::filesystem::remove(b);
    app->Documents().CloseAllDocuments();
    m_prompt.Answer(IDOK);
    Run(*app, ID_FILE_MRU_FIRST + 1);
    EXPECT_TRUE(app->Documents().Documents().empty());
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{c});
    Run(*app, ID_FILE_MRU_FIRST);
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"c.sch"});

    ASSERT_TRUE(Close(*app));
    EXPECT_EQ(Stored().GetProfileString("Recent File List", "File1"), CString(c));
    app.reset();
    app = Start();
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{c});
}

TEST_F(AppDocumentsTest, OutputDocumentsOpenInTheirOwnWindowsAndSaveAsText) {
    auto app = Start();
    ScriptFileNames(*app, {"log.txt"});
    auto* output =
        static_cast<CPadDoc*>(app->Documents().OpenDocumentFile(*app->OutputTemplate(), {}));
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->GetTitle(), CString("Output Window1"));
    EXPECT_EQ(app->MainFrame()->currentMenuId(), IDR_OUTPUT);
    EXPECT_EQ(app->Documents().ViewOf(*output), output->GetView());
    std::ostream(output->GetView()->GetStreamBuf()) << "Netlist\nOK\n" << std::flush;
    EXPECT_TRUE(output->IsModified());
    m_prompt.Answer(IDYES);
    Run(*app, ID_FILE_CLOSE);
    EXPECT_EQ(m_requests.at(0).defaultSuffix, "txt");
    EXPECT_EQ(testsupport::ReadFileText(m_dir / "log.txt"), "Netlist\r\nOK\r\n");
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"Untitled1"});
}

TEST_F(AppDocumentsTest, EveryMenuToolbarAndAcceleratorCommandIsRouted) {
    auto app = Start();
    CMainFrame& frame = *app->MainFrame();
    std::vector<std::pair<UINT, std::string>> unrouted;
    auto check = [&](UINT id, const std::string& where) {
        if (!frame.router().IsRouted(id))
            unrouted.emplace_back(id, where);
    };
    std::function<void(QMenu*, const std::string&)> checkMenu = [&](QMenu* menu,
                                                                    const std::string& where) {
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (action->menu())
                checkMenu(action->menu(), where);
            else if (UINT id = CommandActions::IdOf(action))
                check(id, where);
        }
    };
    for (const MenuInfo& menu : AllMenus()) {
        std::vector<QMenu*> popups = frame.menuBarPopups(menu.id);
        std::unique_ptr<QMenu> single;
        if (popups.empty()) {
            single.reset(frame.CreateTablePopup(menu.id));
            popups.push_back(single.get());
        }
        for (QMenu* popup : popups)
            checkMenu(popup, "menu " + std::to_string(menu.id));
    }
    for (const ToolbarInfo& bar : AllToolbars()) {
        for (const ToolbarButton& button : bar.buttons) {
            if (button.kind != ToolbarButton::kSeparator)
                check(button.id, bar.title);
        }
    }
    for (const CommandInfo& info : AllCommands()) {
        if (*info.key)
            check(info.id, info.key);
    }
    for (const auto& [id, where] : unrouted)
        ADD_FAILURE() << "command " << id << " of " << where << " has no handler";
}

}  // namespace
