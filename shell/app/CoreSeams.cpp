#include "shell/app/CoreSeams.h"

#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "gui/kit/QtTextMetrics.h"
#include "gui/library/SearchLibPicker.h"
#include "gui/netlist/spice/SpiceWindows.h"
#include "gui/netlist/tools/ToolWindows.h"
#include "gui/netlist/writers/BomOptionsDlg.h"
#include "library/ConnectorSymbolLibrary.h"
#include "shell/app/DesktopLauncher.h"
#include "shell/app/MessageBoxPrompt.h"
#include "shell/app/ReportWindows.h"
#include "shell/app/SchematicQtApp.h"

struct CCoreSeams::Windows {
    explicit Windows(CSchematicQtApp& app)
        : rails(app.App()), libraryPicker(app.App()), reports(app) {}

    CMessageBoxPrompt prompt;
    CNetsShortedChooser chooser;
    CWireSheetRunner sheets;
    CPinSheetRunner pinSheets;
    CSymbolSheetRunner symbolSheets;
    CConnectorSymbolLibrary rails;
    CSearchLibPicker libraryPicker;
    CBomOptionsWindow bomOptions;
    CSpiceWindows spice;
    CToolSetupWindow toolSetup;
    CDesktopLauncher desktop;
    CReportWindows reports;
    CQtTextMetrics textMetrics;
    ScopedInstall<IUserPrompt> installedPrompt{prompt};
    ScopedInstall<INetChooser> installedChooser{chooser};
    ScopedInstall<IWireSheetRunner> installedSheets{sheets};
    ScopedInstall<IPinSheetRunner> installedPinSheets{pinSheets};
    ScopedInstall<ISymbolSheetRunner> installedSymbolSheets{symbolSheets};
    ScopedInstall<IConnectorSymbolSource> installedRails{rails};
    ScopedInstall<ILibraryPicker> installedLibraryPicker{libraryPicker};
    ScopedInstall<IBomOptionsUi> installedBomOptions{bomOptions};
    ScopedInstall<ISpiceUi> installedSpice{spice};
    ScopedInstall<IToolSetupUi> installedToolSetup{toolSetup};
    ScopedInstall<IProgramLauncher> installedDesktop{desktop};
    ScopedInstall<IReportUi> installedReports{reports};
    ScopedInstall<ITextMetrics> installedTextMetrics{textMetrics};
};

CCoreSeams::CCoreSeams(CSchematicQtApp& app)
    : m_app(app), m_services(app), m_libraryBar(app), m_drc(app), m_documentWindows(app) {}

CCoreSeams::~CCoreSeams() = default;

void CCoreSeams::InstallWindows() {
    if (!m_windows)
        m_windows = std::make_unique<Windows>(m_app);
}
