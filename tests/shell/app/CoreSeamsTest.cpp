// The one place that installs the core's interfaces to the windows.

#include "shell/app/CoreSeams.h"

#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "library/ConnectorSymbolLibrary.h"
#include "model/net/NetChooser.h"
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

}  // namespace
