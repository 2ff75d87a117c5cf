// The item and description dialogs: the type buttons and "Device Only" follow the proposal,
// names are checked against the library, and the description shows the counts.

#include "gui/library/DlgLibItem.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "gui/library/LibraryDialogs.h"
#include "gui/support/QtTestApp.h"
#include "library/LibraryFile.h"
#include "library/LibraryTestBytes.h"
#include "model/device/Device.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"

namespace {

using namespace librarytest;

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DlgLibItem : public ::testing::Test, private WithApp {
protected:
    template <class T>
    static T* Named(QDialog& dialog, const QString& text) {
        for (T* widget : dialog.findChildren<T*>()) {
            if (widget->text() == text)
                return widget;
        }
        return nullptr;
    }
    static QPushButton* Ok(QDialog& dialog) {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
};

TEST_F(DlgLibItem, TypeButtonsFollowTheProposal) {
    LibraryItemForm form{"NAND", "", kItemDevice};
    form.symbolAllowed = false;
    CDlgLibItem dialog(nullptr, form, nullptr);
    EXPECT_FALSE(Named<QRadioButton>(dialog, "Symbol")->isEnabled());
    EXPECT_TRUE(Named<QRadioButton>(dialog, "Device")->isChecked());
    // A device record always holds its device alone: the box says so and cannot be changed.
    QCheckBox* deviceOnly = Named<QCheckBox>(dialog, "Device Only (No Symbol)");
    EXPECT_FALSE(deviceOnly->isEnabled());
    EXPECT_TRUE(deviceOnly->isChecked());
    Named<QRadioButton>(dialog, "Circuit")->click();
    EXPECT_FALSE(deviceOnly->isChecked());

    dialog.findChild<QLineEdit*>("name")->clear();
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    dialog.findChild<QLineEdit*>("name")->setText("AND");
    Ok(dialog)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.name, "AND");
    EXPECT_EQ(form.type, kItemCircuit);
}

TEST_F(DlgLibItem, ANameInUseIsOnlyTakenWhenTheUserAgreesToReplace) {
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir / "lib.rlb",
                                Join({FileHeader("lib", 1), Record("R", "", kItemSymbol, {})}));
    CLibraryFile library;
    ASSERT_TRUE(library.Open((dir / "lib.rlb").string().c_str()));
    testsupport::ScriptedPrompt prompt({IDNO, IDYES});
    LibraryItemForm form{"R", "", kItemSymbol};
    CDlgLibItem dialog(nullptr, form, &library);
    dialog.show();
    Ok(dialog)->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              "The item R already exists in library lib.rlb.\n\nDo you want to replace the item?");
    Ok(dialog)->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DlgLibItem, DescriptionShowsTheCountsAndRefusesAnEmptyText) {
    CDlgLibDescription dialog(nullptr, "passives", LibraryCounts{3, 1, 2});
    EXPECT_EQ(dialog.findChild<QLabel*>("Symbols")->text(), "3");
    EXPECT_EQ(dialog.findChild<QLabel*>("Devices")->text(), "1");
    EXPECT_EQ(dialog.findChild<QLabel*>("Circuits")->text(), "2");
    auto* text = dialog.findChild<QPlainTextEdit*>("description");
    text->clear();
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    text->setPlainText(QString(1100, 'x'));
    EXPECT_EQ(dialog.Description().GetLength(), 1024);
    EXPECT_TRUE(Ok(dialog)->isEnabled());
}

// Adding the selection to a library opens the item dialog with what the objects propose: one
// symbol of a device names the record after the device, and the user may keep the device
// alone.
TEST_F(DlgLibItem, TheSelectionsDialogProposesFromItsObjects) {
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir / "lib.rlb", Join({FileHeader("lib", 0)}));
    CLibraryFile library;
    ASSERT_TRUE(library.Open((dir / "lib.rlb").string().c_str()));
    CSymbol gate;
    auto* device = new CDevice("74LS00");
    device->SetAttr("_Desc", "Quad NAND", TRUE);
    device->AddRef();
    gate.SetDevice(device);
    CObList objects;
    objects.AddTail(&gate);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CDlgLibItem*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Library Item Properties");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("name")->text(), "74LS00");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("description")->text(), "Quad NAND");
        EXPECT_TRUE(Named<QRadioButton>(*dialog, "Device")->isChecked());
        Ok(*dialog)->click();
    });
    const std::optional<LibraryItemChoice> choice = AskLibraryItem(nullptr, library, objects);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->name.str(), "74LS00");
    EXPECT_EQ(choice->description.str(), "Quad NAND");
    EXPECT_EQ(choice->type, kItemDevice);
}

}  // namespace
