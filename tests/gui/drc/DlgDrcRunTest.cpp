#include "gui/drc/DlgDrcRun.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "drc/support/DrcFixture.h"
#include "gui/drc/DrcReportEdit.h"
#include "gui/support/QtTestApp.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DlgDrcRunTest : public ::testing::Test, WithApp {
protected:
    DlgDrcRunTest() {
        services.open.push_back(&every.sheet.doc);
        page.resize(300, 400);
        page.show();
    }
    void Idle() {
        for (int count = 0; page.OnIdle(count); ++count) {
        }
    }
    QString Shown() const { return page.Report()->toPlainText(); }

    drctest::ShowingAppServices app;
    drctest::FakeDrcServices services;
    drctest::EveryKindSheet every;
    CDlgDrcRun page;
};

TEST_F(DlgDrcRunTest, CheckNowShowsTheReportLineByLine) {
    EXPECT_FALSE(page.OnIdle(0));
    QTest::mouseClick(page.CheckNowButton(), Qt::LeftButton);
    EXPECT_TRUE(page.OnIdle(0));
    Idle();
    QString expected = drctest::kEveryKindReport;
    expected.replace("\r\n", "\n");
    EXPECT_EQ(Shown().toStdString(), expected.toStdString());
    EXPECT_TRUE(page.Report()->isReadOnly());
    EXPECT_EQ(page.Report()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(DlgDrcRunTest, DoubleClickOnAFindingShowsItsObjectsAndSelectsTheLine) {
    page.OnDocumentChanged(DocumentChange{});  // the Tools menu's check
    Idle();
    const QTextBlock block = page.Report()->document()->findBlockByNumber(4);
    ASSERT_EQ(block.text(), "Warning: U1:A Input Pin not connected.");
    const QRect line = page.Report()->cursorRect(QTextCursor(block));
    QTest::mouseDClick(page.Report()->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(page.Report()->textCursor().selectedText(), block.text());
    ASSERT_EQ(app.shown.size(), 1u);
    EXPECT_TRUE(every.u1->FindPin("A")->GetFlags() & kFlagDrcError);
    EXPECT_FALSE(every.u2->FindPin("Y")->GetFlags() & kFlagDrcError);
    // A title line shows nothing.
    page.OnReportDblClk(3);
    EXPECT_EQ(app.shown.size(), 1u);
}

TEST_F(DlgDrcRunTest, RunWhileWorkingChecksAtOnceAndAfterEveryChange) {
    const DocumentChange changed{kDocumentContentChanged, nullptr, &every.sheet.doc};
    page.OnDocumentChanged(changed);
    EXPECT_FALSE(page.OnIdle(0));
    page.RunWhileWorkingBox()->click();
    EXPECT_TRUE(page.Run().RunWhileWorking());
    Idle();
    EXPECT_TRUE(Shown().startsWith("Pin Connection Errors :"));
    // Mid-check the resistor's pins change type; the check starts again and sees the change.
    page.Run().SetStepSize(1);
    page.OnDocumentChanged(changed);
    page.OnIdle(0);
    EXPECT_EQ(Shown(), "Checking..");
    every.r1->FindPin("1")->SetPinType(1);
    every.r1->FindPin("2")->SetPinType(1);
    page.OnDocumentChanged(changed);
    Idle();
    EXPECT_TRUE(Shown().contains("Error: R1:1 Output Pin connected to R1:2 Output Pin"));
    EXPECT_TRUE(Shown().contains("Errors :  2"));
}

TEST_F(DlgDrcRunTest, OptionsOpensTheSetupSheet) {
    page.OptionsButton()->click();
    EXPECT_EQ(services.setupShown, 1);
}

}  // namespace
