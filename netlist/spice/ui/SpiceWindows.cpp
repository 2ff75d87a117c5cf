#include "netlist/spice/ui/SpiceWindows.h"

#include <QApplication>
#include <memory>

#include "netlist/spice/SpiceSettings.h"
#include "netlist/spice/ui/DlgSpiceFormat.h"
#include "netlist/spice/ui/DlgSpiceRefNet.h"

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
