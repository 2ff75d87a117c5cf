#include "shell/app/ReportWindows.h"

#include "gui/netlist/walker/DlgReport.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/frames/MainFrame.h"
#include "shell/output/PadDoc.h"
#include "shell/output/StrEditView.h"

int CReportWindows::ChooseReport(const CNetlistFormatList& formats, CDocNetlist& walker,
                                 CString& path, BOOL& toScreen) {
    CDlgReport dialog(formats, &walker, m_app.MainFrame());
    dialog.SetFileName(path);
    if (dialog.exec() != QDialog::Accepted || !dialog.GetSelectedFormat())
        return -1;
    path = dialog.GetFileName();
    toScreen = dialog.GetTarget() == CDlgReport::kScreen ? TRUE : FALSE;
    return dialog.GetSelectedIndex();
}

std::streambuf* CReportWindows::NewOutputWindow() {
    CDocTemplate* output = m_app.OutputTemplate();
    auto* document =
        output ? dynamic_cast<CPadDoc*>(m_app.Documents().OpenDocumentFile(*output, {})) : nullptr;
    if (!document || !document->GetView())
        return nullptr;
    document->SetCloseWithoutAsking(TRUE);
    return document->GetView()->GetStreamBuf();
}
