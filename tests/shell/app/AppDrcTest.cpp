// The application's side of the design-rule check: the rules of the settings at start-up, the
// schematics the check sees and the Tools menu's check.

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "gui/drc/DlgDrcRun.h"
#include "gui/drc/DrcReportEdit.h"
#include "gui/drc/DrcSetupSheet.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/support/AppFixture.h"

namespace {

class AppDrcTest : public AppFixture {
protected:
    // A schematic with one wire on net N1 and nothing else.
    std::string MakeWireOnlySchematic(const std::string& name) const {
        const std::string path = (m_dir / name).string();
        CDrawDoc document;
        document.OnNewDocument();
        auto* wire = new CWire;
        wire->AddPoint(CPoint(1000, -1000));
        wire->AddPoint(CPoint(2000, -1000));
        wire->SetDocument(&document);
        auto* net = new CNet("N1");
        net->AddRef();
        wire->SetNet(net);
        document.GetObjects().AddTail(wire);
        EXPECT_TRUE(document.OnSaveDocument(path.c_str()));
        return path;
    }
};

TEST_F(AppDrcTest, StartUpTakesTheStoredRulesOrTheDefaultsAfterSayingSo) {
    CDrcRules defaults;
    defaults.SetDefaults();
    {
        auto app = Start();
        EXPECT_EQ(app->Rules(), defaults);
        EXPECT_TRUE(m_prompt.shown().empty());
        Close(*app);
    }
    {
        SettingsStore store = Stored();
        CDrcRules rules = defaults;
        rules.AddType("Clock");
        rules.Save(store);
        rules.SetCheckFlags(0xB6);
        rules.SaveCheckFlags(store);
        store.Save();
        auto app = Start();
        EXPECT_EQ(app->Rules(), rules);
        Close(*app);
    }
    SettingsStore store = Stored();
    store.WriteProfileString("DRC", "Type4", "Undefined\n5,0,1,1,1,4");
    store.Save();
    m_prompt.Answer(IDOK);
    auto app = Start();
    EXPECT_EQ(app->Rules().GetTypeCount(), 19);
    EXPECT_EQ(app->Rules().GetCheckFlags(), 0xB6u);
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    Close(*app);
}

TEST_F(AppDrcTest, TheToolsMenuChecksTheActiveSchematic) {
    const std::string path = MakeWireOnlySchematic("amp.sch");
    auto app = Start({QString::fromStdString(path)});
    ASSERT_TRUE(m_started);
    ASSERT_EQ(app->OpenSchematics().size(), 1u);
    EXPECT_EQ(app->ActiveSchematic(), app->OpenSchematics()[0]);
    CWorkspaceBar* workspace = app->MainFrame()->workspaceBar();
    auto* page = dynamic_cast<CDlgDrcRun*>(workspace->DrcPage());
    ASSERT_NE(page, nullptr);
    app->MainFrame()->router().Execute(ID_TOOLS_DRC);
    EXPECT_EQ(workspace->CurrentPage(), page);
    const QString report(
        "Empty Nets :\nWarning: Empty net - N1\n\namp.sch\nErrors :  0\n"
        "Warnings :  1\n");
    (void)QTest::qWaitFor([&] { return page->Report()->toPlainText() == report; });
    EXPECT_EQ(page->Report()->toPlainText(), report);
    Close(*app);
}

// The marks of a check go with the first edit after it (the finding may be gone), and the
// findings with their document when it closes.
TEST_F(AppDrcTest, MarksGoWithAnEditAndFindingsWithTheirDocument) {
    const std::string path = MakeWireOnlySchematic("amp.sch");
    auto app = Start({QString::fromStdString(path)});
    ASSERT_TRUE(m_started);
    CDrawDoc* document = app->ActiveSchematic();
    ASSERT_NE(document, nullptr);
    auto* page = dynamic_cast<CDlgDrcRun*>(app->MainFrame()->workspaceBar()->DrcPage());
    ASSERT_NE(page, nullptr);
    app->MainFrame()->router().Execute(ID_TOOLS_DRC);
    ASSERT_TRUE(QTest::qWaitFor(
        [page] { return page->Report()->toPlainText().endsWith("Warnings :  1\n"); }));
    auto* wire = static_cast<CDrawObj*>(document->GetObjects().GetHead());
    EXPECT_TRUE(wire->GetFlags() & kFlagDrcError);

    ASSERT_TRUE(document->AddObject(std::make_unique<CDrawRect>(CRect(0, 0, 100, -100))));
    EXPECT_FALSE(wire->GetFlags() & kFlagDrcError);
    EXPECT_FALSE(page->Report()->toPlainText().isEmpty());

    m_prompt.Answer(IDNO);  // do not save the rectangle
    app->MainFrame()->router().Execute(ID_FILE_CLOSE);
    EXPECT_TRUE(app->OpenSchematics().empty());
    EXPECT_TRUE(QTest::qWaitFor([page] { return page->Report()->toPlainText().isEmpty(); }));
    Close(*app);
}

// With no document open the File menu reaches the rules' set-up sheet.
TEST_F(AppDrcTest, TheFrameMenuOpensTheSetupSheet) {
    auto app = Start();
    CMainFrame* frame = app->MainFrame();
    QAction* setup = nullptr;
    for (QAction* action : frame->menuBarPopups(IDR_MAINFRAME).front()->actions()) {
        if (action->text() == "&Setup DRC..")
            setup = action;
    }
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(CommandActions::IdOf(setup), ID_TOOLS_DRC_SETUP);
    frame->UpdateCommandUI();
    EXPECT_TRUE(setup->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* sheet = QApplication::activeModalWidget()) {
            shown = sheet->windowTitle();
            sheet->close();
        }
    });
    setup->trigger();
    EXPECT_EQ(shown, "Design Rule Check Setup");
}

// Tools > Design Rule Check Setup opens on the set-up page; the rule page comes after it.
TEST_F(AppDrcTest, TheSetupSheetShowsTheSetUpPageFirst) {
    auto app = Start();
    std::vector<std::string> tabs;
    std::string shown;
    QTimer::singleShot(0, [&tabs, &shown] {
        auto* sheet = qobject_cast<CDrcSetupSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        for (int i = 0; i < sheet->PageCount(); ++i)
            tabs.push_back(sheet->Page(i)->windowTitle().toStdString());
        shown = sheet->CurrentPage()->windowTitle().toStdString();
        sheet->reject();
    });
    app->MainFrame()->router().Execute(ID_TOOLS_DRC_SETUP);
    EXPECT_EQ(tabs, (std::vector<std::string>{"DRC Setup Options", "DRC Options"}));
    EXPECT_EQ(shown, "DRC Setup Options");
    Close(*app);
}

}  // namespace
