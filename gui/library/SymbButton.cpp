#include "gui/library/SymbButton.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <exception>

#include "gui/kit/ClipboardFormat.h"
#include "gui/kit/FontFaces.h"
#include "gui/kit/QtDC.h"
#include "library/PaletteFile.h"
#include "library/PreviewGrid.h"
#include "model/doc/ObjectListData.h"
#include "model/object/DrawObj.h"
#include "platform/DC.h"
#include "platform/GdiObjects.h"
#include "platform/UserPrompt.h"

CSymbButton::CSymbButton(int index, QWidget* parent) : CHotTrackedButton(parent), m_index(index) {
    setObjectName(QString("symbButton%1").arg(index));
    SetFlags(kHotTrackEdge);
    connect(this, &QToolButton::clicked, this, [this] { Post(kPaletteCodePlace); });
}

void CSymbButton::SetData(PaletteButtonData* data) {
    m_data = data;
    SetState(data->state);
    RebuildImage();
}

void CSymbButton::RebuildImage() {
    const QSize size(std::max(1, width() - 2), std::max(1, height() - 2));
    m_image = QPixmap(size);
    m_image.fill(palette().color(QPalette::Button));
    if (!m_data || m_data->objects.IsEmpty()) {
        update();
        return;
    }
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing);
    CQtDC dc(painter);
    RenderObjects(dc, CRect(2, 2, size.width() - 2, size.height() - 2), m_data->objects);
    update();
}

void CSymbButton::RenderObjects(CDC& dc, const CRect& rect, const CObList& objects) {
    if (objects.IsEmpty() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    MapObjectsOntoCell(dc, objects, rect);
    LOGFONT log = GetPreviewLogFont();
    log.lfHeight = -log.lfHeight * 100 / 72;
    log.lfWidth = log.lfWidth * 100 / 72;
    CFont font;
    font.CreateFontIndirect(&log);
    CFont* old = dc.SelectObject(&font);
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(objects.GetNext(pos))->Draw(&dc, nullptr);
    dc.SelectObject(old);
}

void CSymbButton::DrawFace(QPainter& painter, const QRect& face) {
    if (!(Flags() & kSymbButtonNoImage) && !m_image.isNull())
        painter.drawPixmap(rect().adjusted(1, 1, -1, -1).topLeft(), m_image);
    CHotTrackedButton::DrawFace(painter, face);
}

void CSymbButton::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("P&lace Object", this, [this] { Post(kPaletteCodePlace); });
    menu.addAction("&Paste", this, &CSymbButton::OnPaste)->setEnabled(CanPaste());
    menu.addAction("C&ustomize..", this, [this] { Post(kPaletteCodeCustomize); });
    menu.addSeparator();
    menu.addAction("&Load Palette File..", this, [this] { Post(kPaletteCodeLoadFile); });
    menu.addAction("&New Palette File..", this, [this] { Post(kPaletteCodeNewFile); });
    menu.exec(event->globalPos());
}

bool CSymbButton::CanPaste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(WindowsMimeType(kSchematicFormat));
}

void CSymbButton::OnPaste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!m_data || !data || !data->hasFormat(WindowsMimeType(kSchematicFormat)))
        return;
    const QByteArray bytes = data->data(WindowsMimeType(kSchematicFormat));
    try {
        if (!m_data->PasteObjects(std::vector<BYTE>(bytes.begin(), bytes.end())))
            return;
    } catch (const std::exception& e) {
        AfxMessageBox(CString(e.what()));
        return;
    }
    RebuildImage();
    Post(kPaletteCodeChanged);
}

void CSymbButton::Post(int code) {
    SetFlags(Flags() & ~kSymbButtonPressed);
    setDown(false);
    update();
    QMetaObject::invokeMethod(
        this, [this, code] { emit notify(m_index, code); }, Qt::QueuedConnection);
}
