#include "gui/kit/PropertySheet.h"

#include <gtest/gtest.h>

#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <string>
#include <vector>

#include "gui/support/QtTestApp.h"
#include "model/app/SchematicApp.h"
#include "support/TestSupport.h"

namespace {

using Log = std::vector<std::string>;

// A page that logs what the sheet asks of it and refuses to be left while told so.
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(const char* title, const char* rememberedName, Log& log)
        : CPropertyPage(title, rememberedName), m_log(log) {}

    bool refuse = false;

protected:
    void OnLoad() override { Record("load"); }
    bool OnKillActive() override {
        Record(refuse ? "refuse" : "leave");
        return !refuse;
    }
    void OnApply() override { Record("apply"); }

private:
    void Record(const char* what) {
        m_log.push_back(std::string(what) + " " + windowTitle().toStdString());
    }

    Log& m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    PropertySheetTest() { QtTestApp::ensure(); }

    LoggingPage* Add(CPropertySheet& sheet, const char* title, const char* name = nullptr) {
        auto* page = new LoggingPage(title, name, m_log);
        sheet.AddPage(page);
        return page;
    }

    // Clicks a tab as the user does.
    static void ChooseTab(CPropertySheet& sheet, int index) {
        QTabBar* bar = sheet.findChild<QTabWidget*>()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    static int ShownTab(const CPropertySheet& sheet) {
        return sheet.findChild<QTabWidget*>()->currentIndex();
    }

    Log m_log;
};

TEST_F(PropertySheetTest, ARefusingPageKeepsTheSheetOnItForTabsAndForOk) {
    CPropertySheet sheet("Sheet");
    LoggingPage* first = Add(sheet, "First");
    LoggingPage* second = Add(sheet, "Second");
    first->refuse = true;
    sheet.show();
    ChooseTab(sheet, 1);
    EXPECT_EQ(sheet.CurrentPage(), first);
    EXPECT_EQ(ShownTab(sheet), 0) << "the tab goes back to the refusing page";
    EXPECT_FALSE(second->IsLoaded());
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(m_log, (Log{"load First", "refuse First", "refuse First"}));

    first->refuse = false;
    ChooseTab(sheet, 1);
    EXPECT_EQ(sheet.CurrentPage(), second);
    EXPECT_EQ(ShownTab(sheet), 1);
    EXPECT_TRUE(sheet.SetCurrentPage(0));
    EXPECT_EQ(m_log, (Log{"load First", "refuse First", "refuse First", "leave First",
                          "load Second", "leave Second"}))
        << "a page loads once";
}

TEST_F(PropertySheetTest, OkAppliesEveryLoadedPageInOrderAndCancelNone) {
    CPropertySheet sheet("Sheet");
    Add(sheet, "First");
    Add(sheet, "Second");
    LoggingPage* third = Add(sheet, "Third");
    sheet.show();
    ChooseTab(sheet, 1);
    ChooseTab(sheet, 0);
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_FALSE(third->IsLoaded());
    EXPECT_EQ(m_log, (Log{"load First", "leave First", "load Second", "leave Second", "leave First",
                          "apply First", "apply Second"}));

    m_log.clear();
    CPropertySheet cancelled("Sheet");
    Add(cancelled, "First");
    Add(cancelled, "Second");
    cancelled.show();
    ChooseTab(cancelled, 1);
    cancelled.reject();
    EXPECT_EQ(m_log, (Log{"load First", "leave First", "load Second"}));
}

TEST_F(PropertySheetTest, SheetsOpenOnTheLastPageLeftWithValidFields) {
    testsupport::TempDir dir;
    CSchematicApp app(dir / "settings.reg");
    ScopedApp installed(app);
    auto lastPage = [&app] { return app.GetProfileString("Settings", "LastPage"); };
    app.WriteProfileString("Settings", "LastPage", "Attr");

    CPropertySheet sheet("Sheet");
    LoggingPage* general = Add(sheet, "General page", "General");
    Add(sheet, "Style page", "Style");
    Add(sheet, "Attributes page", "Attr");
    Add(sheet, "Plain page");
    sheet.show();
    EXPECT_EQ(ShownTab(sheet), 2);
    EXPECT_FALSE(general->IsLoaded());
    ChooseTab(sheet, 1);
    ChooseTab(sheet, 3);
    EXPECT_EQ(lastPage(), "Style");
    ChooseTab(sheet, 0);
    EXPECT_EQ(lastPage(), "Style") << "a page without a name leaves the memory alone";
    general->refuse = true;
    sheet.accept();
    EXPECT_EQ(lastPage(), "Style") << "a refusing page is not remembered";
    general->refuse = false;
    sheet.accept();
    EXPECT_EQ(lastPage(), "General");

    CPropertySheet reopened("Sheet");
    Add(reopened, "Style page", "Style");
    Add(reopened, "General page", "General");
    reopened.show();
    EXPECT_EQ(ShownTab(reopened), 1);
    ChooseTab(reopened, 0);
    reopened.reject();
    EXPECT_EQ(lastPage(), "General") << "the page left, not the one on show at Cancel";

    app.WriteProfileString("Settings", "LastPage", "Margins");
    CPropertySheet elsewhere("Sheet");
    Add(elsewhere, "Style page", "Style");
    Add(elsewhere, "Attributes page", "Attr");
    elsewhere.show();
    EXPECT_EQ(ShownTab(elsewhere), 0) << "a name of no page here opens the first";
}

TEST_F(PropertySheetTest, EveryTabStaysInSightOfASmallSheet) {
    CPropertySheet sheet("Sheet");
    for (const char* title : {"General", "Sheet Size", "Page Margins", "Frame", "Attributes",
                              "Position and Scaling", "Another Long Page Title"})
        Add(sheet, title);
    sheet.show();
    QTabBar* bar = sheet.findChild<QTabWidget*>()->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << "tab " << i;
}

}  // namespace
