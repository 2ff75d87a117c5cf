// The one place that installs the core's interfaces to the windows.

#include "shell/app/CoreSeams.h"

#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "library/ConnectorSymbolLibrary.h"
#include "model/net/NetChooser.h"
#include "model/text/TextBox.h"
#include "shell/app/MessageBoxPrompt.h"
#include "shell/app/ReportWindows.h"
#include "shell/support/AppFixture.h"

namespace {

using CoreSeamsTest = AppFixture;

template <class Implementation, class Interface>
bool Is(Interface& installed) {
    return dynamic_cast<Implementation*>(&installed) != nullptr;
}

// The application object is the services for its life; the scripted prompt of a test stays.
TEST_F(CoreSeamsTest, TheApplicationInstallsItsServicesAndLeavesTheWindowsToTests) {
    {
        CSchematicQtApp app(SettingsFile(), {});
        EXPECT_EQ(&GetAppServices(), static_cast<IAppServices*>(&app));
        EXPECT_EQ(&GetLibraryBarServices(), static_cast<ILibraryBarServices*>(&app));
        EXPECT_EQ(&GetDrcServices(), static_cast<IDrcServices*>(&app));
        EXPECT_EQ(&GetUserPrompt(), &m_prompt);
    }
    EXPECT_FALSE(Is<CSchematicQtApp>(GetAppServices()));
    EXPECT_FALSE(Is<CSchematicQtApp>(GetLibraryBarServices()));
    EXPECT_FALSE(Is<CSchematicQtApp>(GetDrcServices()));
    EXPECT_EQ(&GetUserPrompt(), &m_prompt);
}

// A run installs every window; when it ends the ones before come back.
TEST_F(CoreSeamsTest, WindowsAreInstalledForARunAndPutBackAfterIt) {
    CSchematicQtApp app(SettingsFile(), {});
    IConnectorSymbolSource& rails = GetConnectorSymbolSource();
    INetChooser& chooser = GetNetChooser();
    {
        CCoreSeams seams(app);
        seams.InstallWindows();
        EXPECT_TRUE(Is<CMessageBoxPrompt>(GetUserPrompt()));
        EXPECT_TRUE(Is<CNetsShortedChooser>(GetNetChooser()));
        EXPECT_TRUE(Is<CWireSheetRunner>(GetWireSheetRunner()));
        EXPECT_TRUE(Is<CConnectorSymbolLibrary>(GetConnectorSymbolSource()));
        EXPECT_TRUE(Is<CReportWindows>(GetReportUi()));
    }
    EXPECT_EQ(&GetUserPrompt(), &m_prompt);
    EXPECT_EQ(&GetNetChooser(), &chooser);
    EXPECT_EQ(&GetConnectorSymbolSource(), &rails);
    EXPECT_FALSE(Is<CWireSheetRunner>(GetWireSheetRunner()));
    EXPECT_FALSE(Is<CReportWindows>(GetReportUi()));
    EXPECT_EQ(&GetAppServices(), static_cast<IAppServices*>(&app));
}

// A run measures text with the fonts the screen draws it with: a box fits its own text, so wide
// letters get a wide box and bold a wider one than plain. Without the windows every byte has
// the same advance.
TEST_F(CoreSeamsTest, ARunSizesTextBoxesByTheirFonts) {
    CSchematicQtApp app(SettingsFile(), {});
    const auto textWidth = [](const char* text, LONG weight) {
        CTextBox box(CRect(0, 0, 100, -100));
        LOGFONT font = box.GetFont();
        font.lfWeight = weight;
        box.SetFont(&font);
        box.SetText(text, FALSE);
        CRect inside;
        box.GetTextRect(inside);
        inside.NormalizeRect();
        return inside.Width();
    };
    const LONG fixedPitch = textWidth("WWWWWWWWWWWW", FW_NORMAL);
    EXPECT_EQ(textWidth("iiiiiiiiiiii", FW_BOLD), fixedPitch);
    {
        CCoreSeams seams(app);
        seams.InstallWindows();
        // Arial's metrics, which Liberation Sans shares, in an em of 2048: W 1933, i 455, i in
        // bold 569, and a character cell of 1854 + 434; the default 8-point font's cell is 111
        // sheet units high.
        constexpr int kCell = 1854 + 434;
        EXPECT_NEAR(textWidth("WWWWWWWWWWWW", FW_NORMAL), 12 * 1933 * 111 / kCell, 15);
        EXPECT_NEAR(textWidth("iiiiiiiiiiii", FW_NORMAL), 12 * 455 * 111 / kCell, 15);
        EXPECT_NEAR(textWidth("iiiiiiiiiiii", FW_BOLD), 12 * 569 * 111 / kCell, 15);
    }
    EXPECT_EQ(textWidth("iiiiiiiiiiii", FW_NORMAL), fixedPitch);
}

}  // namespace
