// "Select Net" and "Rotation Angle", driven as a user does.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "gui/dialogs/commands/DlgSelectNet.h"
#include "gui/dialogs/commands/RotateDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "support/ScriptedPrompt.h"

namespace {

class SmallCommandDialogsTest : public ::testing::Test {
protected:
    SmallCommandDialogsTest() { QtTestApp::ensure(); }
};

void SaveLook(QWidget& widget, const char* name) {
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(widget.grab().toImage().save(dir + "/" + name));
}

// A wire of a net of its own.
void AddNamedWire(CDrawDoc& doc, const char* net, int y) {
    auto wire = std::make_unique<CWire>();
    wire->AddPoint(CPoint(0, y));
    wire->AddPoint(CPoint(1000, y));
    auto* own = new CNet(net);
    own->AddRef();
    if (CNet* old = wire->SetNet(own))
        old->Release();
    doc.AddObject(std::move(wire));
}

TEST_F(SmallCommandDialogsTest, SelectNetWithoutNetsWaitsForATypedName) {
    CDrawDoc doc;
    CDlgSelectNet dialog(doc);
    dialog.show();
    EXPECT_EQ(dialog.netBox()->count(), 0);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClicks(dialog.netBox()->lineEdit(), "CLK");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.NetName(), CString("CLK"));
    dialog.netBox()->lineEdit()->clear();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClicks(dialog.netBox()->lineEdit(), QString(50, 'N'));
    EXPECT_EQ(dialog.NetName().GetLength(), 40);
}

TEST_F(SmallCommandDialogsTest, SelectNetListsEachNetNameOnceSorted) {
    CDrawDoc doc;
    AddNamedWire(doc, "RESET", 0);
    AddNamedWire(doc, "ADDR0", -1000);
    AddNamedWire(doc, "RESET", -2000);
    CDlgSelectNet dialog(doc);
    dialog.show();
    SaveLook(dialog, "select-net-dialog.png");
    ASSERT_EQ(dialog.netBox()->count(), 2);
    EXPECT_EQ(dialog.netBox()->itemText(0), "ADDR0");
    EXPECT_EQ(dialog.netBox()->itemText(1), "RESET");
    dialog.netBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.NetName(), CString("RESET"));
}

TEST_F(SmallCommandDialogsTest, RotationAngleIsRefusedBeyondAFullTurn) {
    CDlgRotate dialog;
    dialog.SetAngle(45.0);
    dialog.show();
    SaveLook(dialog, "rotation-angle-dialog.png");
    EXPECT_EQ(dialog.angleEdit()->text(), "45");
    EXPECT_EQ(dialog.spin()->value(), 45);
    EXPECT_EQ(dialog.spin()->minimum(), -360);
    EXPECT_EQ(dialog.spin()->maximum(), 360);
    dialog.spin()->stepUp();
    EXPECT_EQ(dialog.angleEdit()->text(), "46");

    testsupport::ScriptedPrompt prompt({IDOK});
    dialog.angleEdit()->setText("400");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "refused: the dialog stays";
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter a number between -360 and 360."));

    for (const char* edge : {"-360", "360"}) {
        CDlgRotate bounded;
        bounded.show();
        bounded.angleEdit()->setText(edge);
        bounded.clockwiseButton()->click();
        bounded.accept();
        EXPECT_EQ(bounded.result(), QDialog::Accepted) << edge;
        EXPECT_EQ(bounded.Angle(), std::atof(edge));
        EXPECT_TRUE(bounded.Clockwise());
    }
}

}  // namespace
