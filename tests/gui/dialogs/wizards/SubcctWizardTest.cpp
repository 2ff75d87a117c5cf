// The sub-circuit wizard driven as a user does: signals typed in step 2, pins in step 3, a
// schematic's ports read in step 1, and the messages of wrong input.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <memory>

#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/dialogs/wizards/DlgScctWiz1.h"
#include "gui/dialogs/wizards/DlgScctWiz2.h"
#include "gui/dialogs/wizards/DlgScctWiz3.h"
#include "gui/dialogs/wizards/SubcctWizard.h"
#include "gui/kit/ColourPickerDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/SheetOpener.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

CString Attr(CDrawObj& object, const char* name) {
    CString value;
    object.LookupAttr(name, value);
    return value;
}

// Serves one schematic with an input port "IN" and an output port "OUT".
class PortSheetOpener : public ISheetOpener {
public:
    PortSheetOpener() : m_previous(SetSheetOpener(this)) {}
    ~PortSheetOpener() override { SetSheetOpener(m_previous); }

    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override {
        if (path != CString("/work/filter.sch"))
            return nullptr;
        auto sheet = std::make_unique<CDrawDoc>();
        AddPort(*sheet, "IN", 0);
        AddPort(*sheet, "OUT", 1);
        return sheet;
    }

private:
    static void AddPort(CDrawDoc& sheet, const char* name, int type) {
        auto port = std::make_unique<CSymbol>();
        port->SetFlags(kSymbolPort, kSymbolKindMask);
        auto* pin = new CPin(port.get());
        pin->SetAttr("_ID", name, kSetAttrForce);
        pin->SetPinType(type);
        port->GetPins().AddTail(pin);
        sheet.AddObject(std::move(port));
    }

    ISheetOpener* m_previous;
};

class SubcctWizardTest : public ::testing::Test {
protected:
    SubcctWizardTest() : app(dir / "settings.ini"), scoped(app) { QtTestApp::ensure(); }

    testsupport::TempDir dir;
    CSchematicApp app;
    ScopedApp scoped;
    CDrawDoc doc;
};

// Steps 1 and 2 show a picture down their left side, a block with pins on a sheet; step 3 shows
// its preview there instead.
TEST_F(SubcctWizardTest, TheFirstTwoStepsShowTheSidePicture) {
    CSubcctWizard wizard(doc);
    wizard.show();
    for (int step : {CSubcctWizard::kStep1, CSubcctWizard::kStep2}) {
        const QImage picture = wizard.page(step)->pixmap(QWizard::WatermarkPixmap).toImage();
        ASSERT_FALSE(picture.isNull()) << step;
        EXPECT_GT(picture.height(), picture.width());
        EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 2), picture.pixel(2, 2));
    }
    EXPECT_TRUE(wizard.page(CSubcctWizard::kStep3)->pixmap(QWizard::WatermarkPixmap).isNull());
    const QList<QLabel*> shown = wizard.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QLabel* label) {
        return label->isVisible() && !label->pixmap().isNull() && label->pixmap().height() > 200;
    }));
}

TEST_F(SubcctWizardTest, SignalsTypedInStepTwoBecomeTheSymbolsPins) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CSubcctWizard wizard(doc);
    wizard.show();
    EXPECT_TRUE(wizard.Step1()->ModeButton(CSubcctWizard::kNewSubcct)->isChecked());
    wizard.next();
    ASSERT_EQ(wizard.currentId(), CSubcctWizard::kStep2);
    CDlgScctWiz2* step2 = wizard.Step2();

    step2->AddButton()->click();  // no name
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter a name for the signal"));
    QTest::keyClicks(step2->NameEdit(), "D[0..3]");
    step2->DirectionCombo()->setCurrentIndex(1);
    step2->AddButton()->click();
    step2->NameEdit()->setText("CLK");
    step2->DirectionCombo()->setCurrentIndex(0);
    step2->AddButton()->click();
    EXPECT_EQ(Texts(*step2->List()), (QStringList{"CLK", "D0", "D1", "D2", "D3"}));
    EXPECT_FALSE(step2->RemoveButton()->isEnabled());
    step2->List()->item(3)->setSelected(true);  // D2
    EXPECT_TRUE(step2->RemoveButton()->isEnabled());
    EXPECT_EQ(step2->NameEdit()->text(), "D2");
    step2->RemoveButton()->click();
    EXPECT_EQ(Texts(*step2->List()), (QStringList{"CLK", "D0", "D1", "D3"}));

    wizard.next();
    ASSERT_EQ(wizard.currentId(), CSubcctWizard::kStep3);
    CDlgScctWiz3* step3 = wizard.Step3();
    EXPECT_EQ(Texts(*step3->PinList()), (QStringList{"CLK", "D0", "D1", "D3"}));
    EXPECT_EQ(step3->StyleCombo()->currentText(), "Ports Shown");
    step3->PinList()->item(0)->setSelected(true);
    EXPECT_EQ(step3->SideCombo()->currentText(), "Left");  // into the sub-circuit
    step3->PinList()->item(1)->setSelected(true);
    EXPECT_EQ(step3->SideCombo()->currentIndex(), -1);  // the sides differ
    EXPECT_TRUE(wizard.grab().save(QString(VOSK_BINARY_DIR) + "/subcircuit-wizard.png"));

    const std::unique_ptr<CSymbol> symbol(wizard.MakeSymbol());
    EXPECT_EQ(symbol->GetKind(), kSymbolSubCircuit);
    QStringList pins;
    for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos;)
        pins << Attr(*static_cast<CPin*>(symbol->GetPins().GetNext(pos)), "_ID").c_str();
    EXPECT_EQ(pins, (QStringList{"CLK", "D0", "D1", "D3"}));
}

TEST_F(SubcctWizardTest, EnterInATypedSignalNameAddsItAndStaysOnTheStep) {
    CSubcctWizard wizard(doc);
    wizard.show();
    wizard.next();
    CDlgScctWiz2* step2 = wizard.Step2();
    step2->NameEdit()->setFocus();
    QTest::keyClicks(step2->NameEdit(), "A[1..2]");
    QTest::keyClick(step2->NameEdit(), Qt::Key_Return);
    QTest::keyClicks(step2->NameEdit(), "CLK");
    QTest::keyClick(step2->NameEdit(), Qt::Key_Enter);
    EXPECT_EQ(wizard.currentId(), CSubcctWizard::kStep2);
    EXPECT_EQ(Texts(*step2->List()), (QStringList{"A1", "A2", "CLK"}));
}

TEST_F(SubcctWizardTest, ASchematicsPortsGoStraightToStepThree) {
    PortSheetOpener opener;
    testsupport::ScriptedPrompt prompt({IDOK});
    CSubcctWizard wizard(doc);
    wizard.show();
    CDlgScctWiz1* step1 = wizard.Step1();
    step1->ModeButton(CSubcctWizard::kFromSchematic)->click();
    step1->FileEdit()->setText("/work/missing.sch");
    wizard.next();
    EXPECT_EQ(wizard.currentId(), CSubcctWizard::kStep1);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("Sub-circuit Wizard could not open the file /work/missing.sch.\nPlease "
                      "check the filename and try again."));

    step1->FileEdit()->setText("/work/filter.sch");
    wizard.next();
    ASSERT_EQ(wizard.currentId(), CSubcctWizard::kStep3);
    EXPECT_EQ(Texts(*wizard.Step3()->PinList()), (QStringList{"IN", "OUT"}));
    const std::unique_ptr<CSymbol> symbol(wizard.MakeSymbol());
    EXPECT_EQ(Attr(*symbol, "_Subcct"), CString("/work/filter.sch"));
    EXPECT_EQ(Attr(*symbol, "_Name"), CString("filter"));
}

TEST_F(SubcctWizardTest, ASchematicForASymbolNeedsTheSymbolChosen) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CSubcctWizard wizard(doc);
    wizard.show();
    wizard.Step1()->ModeButton(CSubcctWizard::kFromSymbol)->click();
    EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isVisible());
    wizard.button(QWizard::FinishButton)->click();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please select a symbol from the symbol list."));
    EXPECT_EQ(wizard.result(), 0);
}

// The colour buttons offer the grid of "Automatic", "None" and "More Colours...": None takes
// the fill off the body and is not remembered; Automatic is remembered as -1.
TEST_F(SubcctWizardTest, TheColourButtonsOfferAutomaticAndNone) {
    CSubcctWizard wizard(doc);
    wizard.show();
    wizard.Signals().Add("IN", kSubcctInto, false);
    wizard.next();
    wizard.next();
    ASSERT_EQ(wizard.currentId(), CSubcctWizard::kStep3);
    CDlgScctWiz3* step3 = wizard.Step3();
    EXPECT_EQ(step3->FillButton()->Colour(), std::optional<COLORREF>(0xB0FFFF));

    step3->FillButton()->click();
    ASSERT_NE(step3->FillButton()->picker(), nullptr);
    EXPECT_EQ(step3->FillButton()->picker()->noneButton()->text(), "N&o Fill");
    step3->FillButton()->picker()->noneButton()->click();
    EXPECT_FALSE(step3->Look().filled);
    EXPECT_EQ(step3->FillButton()->Colour(), std::nullopt);
    EXPECT_EQ(app.GetProfileInt("Settings", "SubcktFill", 7), 7u);

    step3->OutlineButton()->click();
    EXPECT_EQ(step3->OutlineButton()->picker()->noneButton()->text(), "N&o Outline");
    step3->OutlineButton()->picker()->automaticButton()->click();
    EXPECT_EQ(step3->OutlineButton()->Colour(), std::optional<COLORREF>(kDefaultColour));
    EXPECT_EQ(int(app.GetProfileInt("Settings", "SubcktOutL", 7)), -1);

    const std::unique_ptr<CSymbol> symbol(wizard.MakeSymbol());
    auto* body = static_cast<CDrawRect*>(symbol->GetGraphics().GetHead());
    EXPECT_EQ(body->GetFlags() & 0x3, 0x2u);  // outlined, not filled
    EXPECT_EQ(body->GetOwnPen()->lopnColor, kDefaultColour);

    // Any colour from the colour dialog fills the body again.
    step3->FillButton()->click();
    step3->FillButton()->picker()->SetColourDialog(
        [](COLORREF) { return std::optional<COLORREF>(0x123456); });
    step3->FillButton()->picker()->moreButton()->click();
    EXPECT_TRUE(step3->Look().filled);
    EXPECT_EQ(app.GetProfileInt("Settings", "SubcktFill", 7), 0x123456u);
}

}  // namespace
