// Start-up and shut-down of the whole program: the settings it writes, the command line, the
// schematics of the last run, the window placement and the main window as a person sees it.

#include <QImage>
#include <QMdiSubWindow>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "gui/library/PaletteWnd.h"
#include "platform/CompoundFile.h"
#include "resources/CommandIds.h"
#include "shell/app/AboutProduct.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/RulerBar.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"
#include "support/PaletteBytes.h"

namespace {

using AppStartTest = AppFixture;

bool HasValue(const SettingsStore& settings, const char* section, const char* entry) {
    const std::vector<CString> values = settings.EnumerateValues(section);
    return std::find(values.begin(), values.end(), CString(entry)) != values.end();
}

TEST_F(AppStartTest, AFreshStartShowsANewSchematicAndClosingWritesTheDefaults) {
    auto app = Start();
    ASSERT_TRUE(m_started);
    CMainFrame* frame = app->MainFrame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"Untitled1"});
    auto* child = qobject_cast<CDrawFrame*>(frame->ActiveChildFrame());
    ASSERT_NE(child, nullptr);
    EXPECT_NE(qobject_cast<CDrawView*>(child->view()), nullptr);
    EXPECT_EQ(frame->currentMenuId(), IDR_SCHEMATIC);
    EXPECT_EQ(frame->windowTitle(), "Vosk Schematic - [Untitled1]");

    ASSERT_TRUE(Close(*app));
    const SettingsStore saved = Stored();
    EXPECT_EQ(saved.GetProfileInt("Grid", "SnapGridOptions", 1), 0xAFFFFFFFu);
    EXPECT_EQ(saved.GetProfileInt("Settings", "Options", 1), 0u);
    EXPECT_EQ(saved.GetProfileInt("Simulator", "Mode", 0), 1u);
    for (int i = 0; i < kCustomColours; ++i)
        EXPECT_EQ(saved.GetProfileInt("Colours", ("Colour" + std::to_string(i)).c_str(), 1), 0u);
    EXPECT_EQ(saved.GetProfileInt("LastOpen", "Count", 1), 0u);
    EXPECT_EQ(saved.GetProfileInt("Settings", "Rulers", 0), 1u);
    EXPECT_FALSE(HasValue(saved, "Settings", "ShowCmd"));
    EXPECT_TRUE(HasValue(saved, "Settings", "WindowPos"));
    EXPECT_TRUE(HasValue(saved, "Toolbars", "DockState"));
}

TEST_F(AppStartTest, RequestsOfOtherProgramsEndTheStartWithAReason) {
    m_prompt.Answer(IDOK);  // an unknown option is shown to the user
    for (const char* option : {"/Embedding", "-AUTOMATION", "/dde", "/unregister", "-nosuch"}) {
        auto app = Start({option});
        EXPECT_FALSE(m_started) << option;
        EXPECT_EQ(app->ExitCode(), 2) << option;
        EXPECT_EQ(app->MainFrame(), nullptr) << option;
        EXPECT_EQ(app->ExitInstance(app->ExitCode()), 2);
    }
    EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "a refused start writes nothing";
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    const std::string unknown = m_prompt.shown()[0].text.str();
    for (const char* named : {"\"-nosuch\"", "/pt", "/Unregister"})
        EXPECT_NE(unknown.find(named), std::string::npos) << named;
}

TEST_F(AppStartTest, PrintingFromTheCommandLineShowsNoWindowAndNamesAMissingPrinter) {
    m_prompt.Answer(IDOK);
    auto app = Start({"/PT", QString::fromStdString(MakeSchematic("a.sch")), "no such printer",
                      "driver", "port"});
    EXPECT_FALSE(m_started);
    EXPECT_EQ(app->ExitCode(), 1);
    EXPECT_EQ(app->MainFrame(), nullptr) << "a print request shows no windows";
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text,
              CString("Cannot print: there is no printer \"no such printer\"."));
    app.reset();

    m_prompt.Answer(IDOK);  // the document's own message
    app = Start({"/p", QString::fromStdString((m_dir / "missing.sch").string())});
    EXPECT_EQ(app->ExitCode(), 1);
    EXPECT_EQ(app->MainFrame(), nullptr);
    ASSERT_EQ(m_prompt.shown().size(), 2u);
    EXPECT_NE(m_prompt.shown()[1].text.str().find("Failed to open document."), std::string::npos);
}

TEST_F(AppStartTest, AFileOnTheCommandLineOpensAloneAndAMissingOneEndsTheStart) {
    const std::string path = MakeSchematic("amp.sch");
    auto app = Start({QString::fromStdString(path)});
    ASSERT_TRUE(m_started);
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"amp.sch"});
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{path});
    app.reset();

    m_prompt.Answer(IDOK);  // the document's own message
    app = Start({QString::fromStdString((m_dir / "missing.sch").string())});
    EXPECT_FALSE(m_started);
    EXPECT_EQ(app->ExitCode(), 1);
    EXPECT_NE(m_prompt.shown().back().text.str().find("Failed to open document."),
              std::string::npos);
    app.reset();

    // A damaged file: the message names it.
    const std::string damaged = (m_dir / "damaged.sch").string();
    CompoundFile cut;
    cut.Root().WriteStream("Contents", {0x51, 0x2A, 1});
    cut.SaveToFile(damaged);
    m_prompt.Answer(IDOK);
    app = Start({QString::fromStdString(damaged)});
    EXPECT_FALSE(m_started);
    EXPECT_NE(m_prompt.shown().back().text.str().find(damaged), std::string::npos)
        << m_prompt.shown().back().text.str();
}

// A configured palette whose file is damaged (its second button's object is the first
// button's list, which would be used after it was freed) is reported once, and the program
// starts with that palette empty.
TEST_F(AppStartTest, ADamagedConfiguredPaletteIsReportedOnceAndTheProgramStarts) {
    const std::string damaged = (m_dir / "damaged.sbc").string();
    testsupport::WriteFileBytes(damaged, testsupport::PaletteWithSharedList());
    SettingsStore settings = Stored();
    settings.WriteProfileString("SymbBars", "Path2", damaged.c_str());
    settings.Save();

    m_prompt.Answer(IDOK);
    auto app = Start();
    ASSERT_TRUE(m_started);
    EXPECT_TRUE(app->MainFrame()->isVisible());
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_NE(m_prompt.shown()[0].text.str().find(damaged), std::string::npos);
    const CPaletteWnd* palette = app->MainFrame()->palette(1);
    EXPECT_EQ(palette->windowTitle(), "Palette Window");
    for (const PaletteButtonData& button : palette->Contents().buttons)
        EXPECT_TRUE(button.objects.IsEmpty());
    ASSERT_TRUE(Close(*app));
}

TEST_F(AppStartTest, WithoutAWebBrowserTheWebPagesSaySo) {
    auto app = Start();
    for (const UINT id : {ID_HELP_HOME_PAGE, ID_HELP_MAKER_PAGE}) {
        m_prompt.Answer(IDOK);
        app->MainFrame()->router().Execute(id);
    }
    ASSERT_EQ(m_prompt.shown().size(), 2u);
    EXPECT_NE(m_prompt.shown()[0].text.str().find(kProductHomePage), std::string::npos);
    EXPECT_NE(m_prompt.shown()[1].text.str().find(kMakerHomePage), std::string::npos);
}

TEST_F(AppStartTest, TheSchematicsOfTheLastRunOpenAgainWhenAsked) {
    const std::string a = MakeSchematic("a.sch");
    const std::string c = MakeSchematic("c.sch");
    auto record = [&] {
        SettingsStore settings = Stored();
        settings.WriteProfileInt("Settings", "Options", kOptionReopenFiles);
        settings.WriteProfileInt("LastOpen", "Count", 4);
        settings.WriteProfileString("LastOpen", "File1", a.c_str());
        settings.WriteProfileString("LastOpen", "File2", "");
        settings.WriteProfileString("LastOpen", "File3", c.c_str());
        settings.WriteProfileString("LastOpen", "File4", (m_dir / "gone.sch").c_str());
        settings.Save();
    };
    record();
    m_prompt.Answer(IDOK);  // the file that is gone is skipped with its message
    auto app = Start();
    ASSERT_TRUE(m_started);
    EXPECT_EQ(Titles(*app), (std::vector<std::string>{"a.sch", "c.sch"}));
    ASSERT_TRUE(Close(*app));
    EXPECT_EQ(Stored().GetProfileInt("LastOpen", "Count", 0), 2u);
    app.reset();

    record();
    app = Start({QString::fromStdString(c)});
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"c.sch"});
    app.reset();

    // Without the option, a new schematic as always.
    SettingsStore settings = Stored();
    settings.WriteProfileInt("Settings", "Options", 0);
    settings.Save();
    app = Start();
    EXPECT_EQ(Titles(*app), std::vector<std::string>{"Untitled1"});
}

TEST_F(AppStartTest, TheHiddenSchematicTemplateMakesDocumentsWithoutWindows) {
    auto app = Start();
    const std::vector<std::unique_ptr<CDocTemplate>>& templates = app->Documents().Templates();
    ASSERT_EQ(templates.size(), 4u);
    EXPECT_EQ(templates[0].get(), app->SchematicTemplate());
    EXPECT_EQ(templates[1].get(), app->SymbolTemplate());
    EXPECT_EQ(templates[2].get(), app->HiddenSchematicTemplate());
    EXPECT_EQ(templates[3].get(), app->OutputTemplate());
    std::string text;
    // The symbol editor's template is never offered in the file dialogs.
    EXPECT_TRUE(app->SymbolTemplate()->GetDocString(text, CDocTemplate::docName));
    EXPECT_EQ(text, "Symbol");
    EXPECT_FALSE(app->SymbolTemplate()->GetDocString(text, CDocTemplate::filterName));
    for (int i : {0, 2}) {
        EXPECT_TRUE(templates[i]->GetDocString(text, CDocTemplate::filterName));
        EXPECT_EQ(text, "Vosk Schematic Files (*.sch)");
        EXPECT_TRUE(templates[i]->GetDocString(text, CDocTemplate::regFileTypeId));
        EXPECT_EQ(text, "VoskSch.Document");
    }
    EXPECT_TRUE(app->OutputTemplate()->GetDocString(text, CDocTemplate::docName));
    EXPECT_EQ(text, "Output Window");
    EXPECT_FALSE(app->OutputTemplate()->GetDocString(text, CDocTemplate::regFileTypeId));

    const std::string sheet = MakeSchematic("sub.sch");
    CDocumentBase* hidden =
        app->Documents().OpenDocumentFile(*app->HiddenSchematicTemplate(), sheet);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(app->Documents().FrameOf(*hidden), nullptr);
    EXPECT_EQ(WindowCount(*app), 1);
    auto* view = qobject_cast<CDrawView*>(app->Documents().ViewOf(*hidden));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(hidden->GetViews(), std::vector<IDocView*>{view});
    app->Documents().CloseDocument(*hidden);
    EXPECT_EQ(app->Documents().Documents().size(), 1u);
}

TEST_F(AppStartTest, ScreenshotOfTheMainWindowWithANewSchematic) {
    auto app = Start();
    CMainFrame* frame = app->MainFrame();
    frame->setGeometry(40, 40, 1280, 800);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QApplication::processEvents();
    frame->UpdateCommandUI();

    auto* child = qobject_cast<CDrawFrame*>(frame->ActiveChildFrame());
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<CDrawView*>(child->view());
    ASSERT_NE(view, nullptr);
    // The paper lies in the view with its corner 100 sheet units (about 10 pixels) in, and
    // the rulers count from that corner.
    const CPoint paperCorner = view->DocToClient(CPoint(-300, 300));
    const QPoint corner = view->viewport()->mapTo(frame, QPoint(paperCorner.x, paperCorner.y));
    EXPECT_EQ(paperCorner, CPoint(10, 10));
    const QImage shot = frame->grab().toImage();
    EXPECT_EQ(shot.pixel(corner + QPoint(5, 5)), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(corner - QPoint(5, 5)), view->palette().color(QPalette::Dark).rgb());
    EXPECT_TRUE(child->horizontalRuler()->isVisible());
    EXPECT_TRUE(shot.save(QString(VOSK_BINARY_DIR) + "/main-window.png"));
}

}  // namespace
