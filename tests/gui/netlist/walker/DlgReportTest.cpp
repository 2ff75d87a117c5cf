#include "gui/netlist/walker/DlgReport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "netlist/walker/DocNetlist.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ScriptedPrompt;

// The dialog over the ten formats, for a document amp.sch in a folder of its own.
class DlgReportTest : public ::testing::Test {
protected:
    DlgReportTest() {
        QtTestApp::ensure();
        FillReportFormatList(formats);
        doc.SetPathName(Path("amp.sch").c_str(), FALSE);
    }

    std::string Path(const char* name) const { return (dir / name).string(); }
    std::unique_ptr<CDlgReport> Open() {
        auto dialog = std::make_unique<CDlgReport>(formats, &walker);
        dialog->SetFileName(doc.GetPathName());
        dialog->show();
        return dialog;
    }
    template <class Widget>
    static Widget* Find(CDlgReport& dialog, const char* name) {
        return dialog.findChild<Widget*>(name);
    }
    static QString Name(CDlgReport& dialog) { return Find<QLineEdit>(dialog, "fileName")->text(); }
    static void Choose(CDlgReport& dialog, int format) {
        Find<QComboBox>(dialog, "format")->setCurrentIndex(format);
    }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.ini"};
    ScopedApp scopedApp{app};
    CDrawDoc doc;
    CDocNetlist walker{&doc};
    CNetlistFormatList formats;
};

TEST_F(DlgReportTest, TheFileNameFollowsTheFormatUntilTheUserTypesOne) {
    auto dialog = Open();
    EXPECT_EQ(Find<QComboBox>(*dialog, "format")->count(), kFormatCount);
    EXPECT_EQ(dialog->GetSelectedIndex(), kFormatProtel);
    EXPECT_EQ(Name(*dialog), "amp.net");
    Choose(*dialog, kFormatSpice);
    EXPECT_EQ(Name(*dialog), "amp.ckt");

    QLineEdit* name = Find<QLineEdit>(*dialog, "fileName");
    name->clear();
    QTest::keyClicks(name, "x.txt");
    Choose(*dialog, kFormatBom);
    EXPECT_EQ(Name(*dialog), "x.txt");
}

TEST_F(DlgReportTest, OptionsAreOfferedExactlyForFormatsThatHaveThem) {
    auto dialog = Open();
    QPushButton* options = Find<QPushButton>(*dialog, "options");
    for (int format = 0; format < kFormatCount; ++format) {
        Choose(*dialog, format);
        EXPECT_EQ(options->isEnabled(), format >= kFormatSpice && format <= kFormatBom)
            << "format " << format;
    }
}

// The last choice is remembered by its place in the list; a place past the end means the first.
TEST_F(DlgReportTest, TheLastChosenFormatIsRemembered) {
    app.WriteProfileInt("Netlist", "Format", 12);
    auto dialog = Open();
    EXPECT_EQ(dialog->GetSelectedIndex(), kFormatProtel);
    Choose(*dialog, kFormatSpice);
    Find<QRadioButton>(*dialog, "screen")->setChecked(true);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(app.GetProfileInt("Netlist", "Format", 0), 3u);
    EXPECT_EQ(dialog->GetTarget(), CDlgReport::kScreen);
    EXPECT_EQ(dialog->GetSelectedFormat(), formats[kFormatSpice].get());

    auto again = Open();
    EXPECT_EQ(again->GetSelectedIndex(), kFormatSpice);
    EXPECT_EQ(Name(*again), "amp.ckt");
}

TEST_F(DlgReportTest, AFileTargetNeedsANameTheScreenDoesNot) {
    auto dialog = Open();
    Find<QLineEdit>(*dialog, "fileName")->clear();
    {
        ScriptedPrompt prompt({IDOK});
        dialog->accept();
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, "Must enter a name for the file");
        EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_TRUE(dialog->isVisible());
    }
    Find<QRadioButton>(*dialog, "screen")->setChecked(true);
    EXPECT_FALSE(Find<QLineEdit>(*dialog, "fileName")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*dialog, "browse")->isEnabled());
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// The proposed name has no folder: the report goes beside the schematic.
TEST_F(DlgReportTest, ARelativeNameIsWrittenBesideTheSchematic) {
    auto dialog = Open();
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->GetTarget(), CDlgReport::kFile);
    EXPECT_EQ(dialog->GetFileName(), Path("amp.net"));
}

TEST_F(DlgReportTest, AnExistingFileIsReplacedOnlyWhenTheUserAgreesAndItCanBeWritten) {
    testsupport::WriteFileText(dir / "amp.net", "old");
    auto dialog = Open();
    ScriptedPrompt prompt({IDNO, IDYES});
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, "The specified file already exists.\nOverwrite?");
    EXPECT_EQ(prompt.shown()[0].type & MB_ICONMASK, MB_ICONQUESTION);

    // A folder is no file to replace: no question; the build refuses it and says why.
    std::filesystem::create_directory(dir / "folder.net");
    auto folder = Open();
    Find<QLineEdit>(*folder, "fileName")->setText("folder.net");
    folder->accept();
    EXPECT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(folder->result(), QDialog::Accepted);
}

// A file the user may not write is refused after the question, while the dialog stays open
// with the name ready for another.
TEST_F(DlgReportTest, AWriteProtectedFileIsRefusedWithTheDialogOpen) {
    testsupport::WriteFileText(dir / "ro.net", "old");
    std::filesystem::permissions(dir / "ro.net", std::filesystem::perms(0444));
    auto dialog = Open();
    Find<QLineEdit>(*dialog, "fileName")->setText("ro.net");
    Find<QComboBox>(*dialog, "format")->setFocus();
    ScriptedPrompt prompt({IDYES, IDOK});
    dialog->accept();
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].text, "Cannot write to the specified file.");
    EXPECT_EQ(prompt.shown()[1].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(*dialog, "fileName"));
    EXPECT_EQ(testsupport::ReadFileText(dir / "ro.net"), "old");
}

// Browse.. offers every format's filter with the chosen one selected, and may name a file that
// does not exist yet; the name then stays when the format changes.
TEST_F(DlgReportTest, BrowseChoosesANewFile) {
    auto dialog = Open();
    Choose(*dialog, kFormatTango);
    CDlgReport::SaveRequest asked;
    dialog->SetSavePrompt([&](QWidget*, const CDlgReport::SaveRequest& request) {
        asked = request;
        return QString::fromStdString(Path("new.net"));
    });
    Find<QPushButton>(*dialog, "browse")->click();
    EXPECT_EQ(asked.file.toStdString(), Path("amp"));
    ASSERT_EQ(asked.filters.size(), kFormatCount + 1);
    EXPECT_EQ(asked.filters[1], "Tango Files (*.net)");
    EXPECT_EQ(asked.filters.back(), "All Files (*.*)");
    EXPECT_EQ(asked.selectedFilter, kFormatTango);
    EXPECT_EQ(asked.defaultSuffix, "net");
    EXPECT_EQ(Name(*dialog).toStdString(), Path("new.net"));
    Choose(*dialog, kFormatSpice);
    EXPECT_EQ(Name(*dialog).toStdString(), Path("new.net"));
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->GetFileName(), Path("new.net"));
}

TEST_F(DlgReportTest, AnUntitledDocumentProposesAnUntitledName) {
    doc.SetPathName("", FALSE);
    auto dialog = Open();
    EXPECT_EQ(Name(*dialog), "untitled.net");
}

}  // namespace
