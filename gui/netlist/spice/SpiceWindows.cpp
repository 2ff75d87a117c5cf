#include "gui/netlist/spice/SpiceWindows.h"

#include <QApplication>
#include <memory>

#include "gui/netlist/spice/DlgSpiceFormat.h"
#include "gui/netlist/spice/DlgSpiceRefNet.h"
#include "netlist/spice/SpiceSettings.h"

BOOL CSpiceWindows::EditOptions(CDocNetlist* walker) {
    std::unique_ptr<CPropertySheet> sheet(
        NewSpiceOptionsSheet(SpiceSettings(), walker, QApplication::activeWindow()));
    return sheet->exec() == QDialog::Accepted ? TRUE : FALSE;
}

BOOL CSpiceWindows::ChooseReferenceNet(CDocNetlist& walker, CString& net) {
    CDlgSpiceRefNet dialog(&walker, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    net = dialog.Net();
    return TRUE;
}
