// The schematic view's "Insert New Object" (an embedded object from a file), the command that
// ties a wire's net to hidden pins, and the "Object Properties" and "Text Properties" sheets.

#include <QFileDialog>
#include <QMimeData>
#include <QUrl>

#include "gui/dialogs/commands/DlgConnectWire.h"
#include "gui/dialogs/objects/ObjectPropertiesSheet.h"
#include "gui/dialogs/objects/TextPropertiesSheet.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/net/WireRails.h"
#include "platform/AppServices.h"
#include "platform/UserPrompt.h"
#include "shell/view/DrawView.h"

void CDrawView::OnInsertObject() {
    const QString path = QFileDialog::getOpenFileName(this, "Insert Object");
    if (!path.isEmpty())
        InsertObjectFromFile(path);
}

bool CDrawView::InsertObjectFromFile(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    WaitCursor wait;
    return InsertEmbedded(data, ClientToDoc(CPoint(40, 40)));
}

CWire* CDrawView::DominantWire() const {
    if (m_selection.IsEmpty())
        return nullptr;
    auto* object = static_cast<CDrawObj*>(m_selection.GetTail());
    return object->GetObjType() == kObjWire ? static_cast<CWire*>(object) : nullptr;
}

void CDrawView::ConnectImplicitly() {
    OnEndCommand();  // a wire still being drawn is finished first
    CWire* wire = DominantWire();
    if (!wire)
        return;
    CNet* net = wire->GetNet();
    CDlgConnectWire dialog(m_document, net, this);
    if (dialog.exec() != QDialog::Accepted || !net)
        return;
    ConnectWireImplicitly(m_document, *net, dialog.Chosen().c_str());
}

void CDrawView::EditObjectProperties(CObList& objects, DWORD pageOptions) {
    ::EditObjectProperties(m_document, objects, pageOptions, this);
}

void CDrawView::EditTextProperties(CObList& texts) {
    ::EditTextProperties(m_document, texts, this);
}
