// The File menu's DXF export: the proposed name, a cancelled dialog, a written file and a
// file that cannot be written, reported to the user, or refused in the dialog.

#include "gui/interchange/dxf/DxfExportCommand.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTimer>
#include <filesystem>

#include "gui/support/QtTestApp.h"
#include "gui/support/SaveDialogScript.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;
using testsupport::TempDir;

class DxfExportCommand : public ::testing::Test {
protected:
    DxfExportCommand() {
        QtTestApp::ensure();
        doc.SetTitle("amp.sch");
        auto* rect = new CDrawRect(CRect(0, 0, 500, -300));
        rect->SetFlags(kFlagOutlined, kFlagOutlined);
        doc.GetObjects().AddTail(rect);
    }

    // A chooser that records the proposed name and answers with path.
    DxfFileChooser Answer(const std::filesystem::path& path) {
        return [this, path](QWidget*, const std::string& name) {
            proposed = name;
            return path.string();
        };
    }

    CDrawDoc doc;
    TempDir dir;
    std::string proposed;
};

TEST_F(DxfExportCommand, WritesTheDrawingUnderTheChosenNameProposingTheTitlesName) {
    ScriptedPrompt prompt;
    EXPECT_TRUE(ExportDxfWithDialog(doc, nullptr, Answer(dir / "amp.dxf")));
    EXPECT_EQ(proposed, "amp");
    const std::string bytes = testsupport::ReadFileText(dir / "amp.dxf");
    EXPECT_EQ(bytes.rfind("999\r\nCreated by Vosk Schematic from amp.sch\r\n", 0), 0u);
    EXPECT_NE(bytes.find("LWPOLYLINE"), std::string::npos);
}

TEST_F(DxfExportCommand, CancellingWritesNothing) {
    ScriptedPrompt prompt;
    EXPECT_FALSE(ExportDxfWithDialog(doc, nullptr, Answer("")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// In a folder that is gone, or a file the user may not write (which stays as it was).
TEST_F(DxfExportCommand, AFileThatCannotBeWrittenIsReportedWithItsPath) {
    const std::filesystem::path locked = dir / "locked.dxf";
    testsupport::WriteFileText(locked, "kept");
    std::filesystem::permissions(locked, std::filesystem::perms(0444));
    for (const std::filesystem::path& file : {dir / "gone" / "amp.dxf", locked}) {
        ScriptedPrompt prompt({IDOK});
        EXPECT_FALSE(ExportDxfWithDialog(doc, nullptr, Answer(file)));
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_NE(prompt.shown()[0].text.str().find(file.string()), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
    EXPECT_EQ(testsupport::ReadFileText(locked), "kept");
}

// The dialog proposes the name in a folder, adds the extension and filters DXF files.
TEST_F(DxfExportCommand, TheDialogAddsTheDxfExtension) {
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters().front(), "DXF Files (*.dxf)");
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->setDirectory(QString::fromStdString(dir.path().string()));
        dialog->selectFile("amp");
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::string chosen = AskForDxfFile(nullptr, "amp");
    EXPECT_EQ(chosen, (dir / "amp.dxf").string());
}

// A write-protected file the user still wants to replace is refused with the reason, and the
// dialog stays open for another name.
TEST_F(DxfExportCommand, TheDialogRefusesAWriteProtectedFile) {
    const std::filesystem::path locked = dir / "locked.dxf";
    testsupport::WriteFileText(locked, "kept");
    std::filesystem::permissions(locked, std::filesystem::perms(0444));
    ScriptedPrompt prompt({IDOK});
    bool stayedOpen = false;
    ChooseKeptThenOther(dir.path(), "locked.dxf", "amp.dxf", stayedOpen);
    EXPECT_EQ(AskForDxfFile(nullptr, "amp"), (dir / "amp.dxf").string());
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("Cannot save \"" + locked.string() + "\": the file is write-protected."));
}

}  // namespace
