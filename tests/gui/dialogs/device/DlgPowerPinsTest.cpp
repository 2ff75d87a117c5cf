// "Device Power Pins" driven as a user does.

#include "gui/dialogs/device/DlgPowerPins.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/device/Device.h"
#include "support/ScriptedPrompt.h"

namespace {

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(DlgPowerPinsTest, PinsAreAddedCheckedAndWrittenOnOK) {
    QtTestApp::ensure();
    CDevice device("7400");
    CDlgPowerPins dialog(device);
    dialog.show();
    testsupport::ScriptedPrompt prompt({IDOK});
    Type(dialog.nameEdit(), "VCC");
    dialog.Add();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Pin must have a number"));
    EXPECT_EQ(dialog.pinList()->count(), 0);

    Type(dialog.numberEdit(), "14");
    dialog.netBox()->setCurrentText("Power1");
    dialog.Add();
    Type(dialog.nameEdit(), "GND");
    Type(dialog.numberEdit(), "7");
    dialog.netBox()->setCurrentText("");
    dialog.Add();
    ASSERT_EQ(dialog.pinList()->count(), 2);
    EXPECT_EQ(dialog.pinList()->item(0)->text(), "GND");
    dialog.pinList()->setCurrentRow(1);
    EXPECT_EQ(dialog.numberEdit()->text(), "14");
    EXPECT_EQ(dialog.netBox()->currentText(), "Power1");
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(dialog.grab().toImage().save(dir + "/power-pins-dialog.png"));

    dialog.accept();
    EXPECT_EQ(device.GetAttr("_Implicit"), CString("GND\x01"
                                                   "7\x01VCC\x01"
                                                   "14"));
    EXPECT_EQ(device.GetAttr("VCC.Net"), CString("Power1"));
}

}  // namespace
