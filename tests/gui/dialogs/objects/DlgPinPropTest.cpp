// The "Pin Properties" page driven as a user does.

#include "gui/dialogs/objects/DlgPinProp.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "support/ScriptedPrompt.h"

namespace {

class DlgPinPropTest : public ::testing::Test {
protected:
    DlgPinPropTest() {
        QtTestApp::ensure();
        m_symbol.SetFlags(kSymbolPort, kSymbolKindMask);
        for (int type : {1, 3}) {
            auto* pin = new CPin(&m_symbol);
            m_symbol.GetPins().AddTail(pin);
            pin->SetPinType(type);
            pin->SetAttr("_ID", "A", kSetAttrForce);
            m_pins.push_back(pin);
        }
    }

    CSymbol m_symbol;
    std::vector<CPin*> m_pins;
};

TEST_F(DlgPinPropTest, APortPinChoosesAPortTypeAndKeepsItsName) {
    CDlgPinProp page(PinPropForm::Load({m_pins[0]}), nullptr);
    page.show();
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(page.grab().toImage().save(dir + "/pin-properties-page.png"));
    ASSERT_NE(page.typeList()->currentItem(), nullptr);
    EXPECT_EQ(page.typeList()->currentItem()->text(), "Output Port");
    EXPECT_FALSE(page.customTypeEdit()->isEnabled());
    page.typeList()->setCurrentRow(4);
    EXPECT_TRUE(page.customTypeEdit()->isEnabled()) << "User Defined";
    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(page.OnOK());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("Error: User defined type chosen but no type name given."));

    page.typeList()->setCurrentRow(2);  // Bidirectional Port
    ASSERT_TRUE(page.OnOK());
    page.Form().ApplyTo(*m_pins[0]);
    EXPECT_EQ((m_pins[0]->GetFlags() & kPinTypeMask) >> kPinTypeShift, 2u);
}

TEST_F(DlgPinPropTest, SeveralPinsOfDifferentTypesKeepTheirOwn) {
    m_pins[1]->SetFlags(kPinHidden, kPinHidden);
    CDlgPinProp page(PinPropForm::Load(m_pins), nullptr);
    EXPECT_EQ(page.typeList()->currentItem(), nullptr);
    EXPECT_FALSE(page.customTypeEdit()->isEnabled());
    EXPECT_FALSE(page.nameEdit()->isEnabled());
    EXPECT_EQ(page.checkBox(3)->checkState(), Qt::PartiallyChecked);
    page.checkBox(0)->setCheckState(Qt::Checked);
    ASSERT_TRUE(page.OnOK());
    for (CPin* pin : m_pins)
        page.Form().ApplyTo(*pin);
    EXPECT_EQ(m_pins[0]->GetPinType(), 12);
    EXPECT_EQ(m_pins[1]->GetPinType(), 14);
    EXPECT_EQ(m_pins[0]->GetFlags() & (kPinExtraMark | kPinHidden), kPinExtraMark);
    EXPECT_EQ(m_pins[1]->GetFlags() & (kPinExtraMark | kPinHidden), kPinExtraMark | kPinHidden);
}

}  // namespace
