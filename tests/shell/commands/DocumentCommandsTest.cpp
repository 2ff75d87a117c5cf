// The document commands of a schematic's menus, run in the whole program.

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

#include "gui/netlist/walker/DlgReport.h"
#include "resources/CommandIds.h"
#include "shell/app/ReportWindows.h"
#include "shell/commands/CommandActions.h"
#include "shell/output/OutputEdit.h"
#include "shell/output/PadDoc.h"
#include "shell/output/StrEditView.h"
#include "shell/support/AppFixture.h"

namespace {

class DocumentCommandsTest : public AppFixture {
protected:
    // Answers Generate Report with the format, the screen or the file name, and OK.
    static void AnswerReport(int format, const char* file) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<CDlgReport*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Generate Report");
            dialog->findChild<QComboBox*>("format")->setCurrentIndex(format);
            if (file)
                dialog->findChild<QLineEdit*>("fileName")->setText(file);
            else
                dialog->findChild<QRadioButton*>("screen")->setChecked(true);
            dialog->accept();
        });
    }

    // The item of the command in the schematic's menu titled menuTitle.
    static QAction* ItemOf(CSchematicQtApp& app, const char* menuTitle, UINT id) {
        for (QMenu* popup : app.MainFrame()->menuBarPopups(IDR_SCHEMATIC)) {
            if (popup->title() != menuTitle)
                continue;
            emit popup->aboutToShow();
            for (QAction* action : popup->actions())
                if (CommandActions::IdOf(action) == id)
                    return action;
        }
        return nullptr;
    }

    static std::string Log(CSchematicQtApp& app) {
        return app.MainFrame()->outputEdit()->toPlainText().toStdString();
    }
};

// From the Tools menu a netlist of the open schematic goes to a file or into a new output
// window, and the output bar shows how the build went.
TEST_F(DocumentCommandsTest, GenerateReportWritesAFileOrAnOutputWindow) {
    const std::string sheet = MakeSchematic("amp.sch");
    auto app = Start({QString::fromStdString(sheet)});
    ASSERT_TRUE(m_started);
    CReportWindows windows(*app);
    ScopedInstall<IReportUi> installed{windows};
    QAction* item = ItemOf(*app, "&Tools", ID_TOOLS_GENERATE_REPORT);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Generate &Report...");
    EXPECT_TRUE(item->isEnabled());

    AnswerReport(kFormatTango, "amp.net");
    item->trigger();
    const std::string file = (m_dir / "amp.net").string();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(Log(*app),
              "Building...\n" + sheet + "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");
    EXPECT_EQ(app->Documents().Documents(app->OutputTemplate()).size(), 0u);

    // A cancelled report writes nothing: the log still tells of the last build.
    bool cancelled = false;
    QTimer::singleShot(0, [&cancelled] {
        auto* dialog = qobject_cast<CDlgReport*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
        cancelled = true;
    });
    item->trigger();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(Log(*app),
              "Building...\n" + sheet + "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");

    AnswerReport(kFormatProtel, nullptr);
    item->trigger();
    EXPECT_EQ(Log(*app), "Building...\n" + sheet + "\n\nOK\n");
    const auto outputs = app->Documents().Documents(app->OutputTemplate());
    ASSERT_EQ(outputs.size(), 1u);
    auto* output = static_cast<CPadDoc*>(outputs.front());
    EXPECT_TRUE(output->GetCloseWithoutAsking());
    EXPECT_EQ(app->App().GetProfileInt("Netlist", "Format", -1), 0u);
}

// A report onto a folder's name is refused at once, saying so, and the build ends with its
// failure in the Output bar.
TEST_F(DocumentCommandsTest, AReportOntoAFolderIsRefusedAtOnce) {
    const std::string sheet = MakeSchematic("amp.sch");
    const std::string folder = (m_dir / "amp.net").string();
    std::filesystem::create_directory(folder);
    auto app = Start({QString::fromStdString(sheet)});
    ASSERT_TRUE(m_started);
    CReportWindows windows(*app);
    ScopedInstall<IReportUi> installed{windows};
    m_prompt.Answer(IDOK);
    AnswerReport(kFormatTango, "amp.net");
    ItemOf(*app, "&Tools", ID_TOOLS_GENERATE_REPORT)->trigger();
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, CString("There was an error opening file :\n" + folder +
                                                "\nIt is a folder, not a file."));
    EXPECT_EQ(Log(*app), "Building...\n\nError building netlist.\n");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// Paper Colour is not a step of the undo list: the document is only marked modified.
TEST_F(DocumentCommandsTest, PaperColourChangesTheDocumentWithoutAnUndoStep) {
    auto app = Start();
    auto* doc = dynamic_cast<CDrawDoc*>(app->Documents().Documents().front());
    ASSERT_NE(doc, nullptr);
    QAction* item = ItemOf(*app, "&View", ID_VIEW_PAPER_COLOUR);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "&Paper Colour...");
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            ok ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    item->trigger();
    EXPECT_EQ(doc->m_paperColour, 0xFFFFFFu);
    EXPECT_FALSE(doc->IsModified());
    answer(true);
    item->trigger();
    EXPECT_EQ(doc->m_paperColour, 0x563412u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetUndoList().FillUndoList().empty());
    ASSERT_NE(ItemOf(*app, "&File", ID_FILE_SUMMARY_INFO), nullptr);
}

// Document Settings and Insert Title Block are on the schematic's menus and handled.
TEST_F(DocumentCommandsTest, DocumentSettingsAndInsertTitleBlockAreOnTheMenus) {
    auto app = Start();
    QAction* settings = ItemOf(*app, "&View", ID_VIEW_DOCUMENT_SETTINGS);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->text(), "&Document Settings...");
    EXPECT_TRUE(settings->isEnabled());
    QAction* titleBlock = ItemOf(*app, "&Draw", ID_DRAW_INSERT_TITLE_BLOCK);
    ASSERT_NE(titleBlock, nullptr);
    EXPECT_EQ(titleBlock->text(), "&Insert Title Block...");
    EXPECT_TRUE(titleBlock->isEnabled());
}

}  // namespace
