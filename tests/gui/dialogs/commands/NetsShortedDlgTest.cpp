#include <gtest/gtest.h>

#include <QListWidget>

#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/net/Net.h"
#include "support/ScriptedPrompt.h"

namespace {

class NetsShortedDlgTest : public ::testing::Test {
protected:
    NetsShortedDlgTest() { QtTestApp::ensure(); }

    CNet clk{"CLK"};
    CNet vcc{"VCC"};
};

TEST_F(NetsShortedDlgTest, ListsTheNetsAndNeedsAChoice) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CNetsShortedDlg dialog({&clk, &vcc}, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Nets Shorted");
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), "CLK");
    EXPECT_EQ(dialog.list()->item(1)->text(), "VCC");
    dialog.accept();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Must select a net from the list or choose cancel to abort.");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.GetChosen(), nullptr);

    dialog.list()->setCurrentRow(1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetChosen(), &vcc);
}

}  // namespace
