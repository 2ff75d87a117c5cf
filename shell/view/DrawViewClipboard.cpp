// The schematic view's clipboard commands and the files and pictures dropped on it.

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <exception>

#include "gui/kit/QtGdiStyles.h"
#include "library/LibraryImage.h"
#include "library/LibraryItemsPaste.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/object/DrawObj.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/ole/EmbeddedStandIn.h"
#include "platform/UserPrompt.h"
#include "resources/CommandIds.h"
#include "shell/view/ClipboardMime.h"
#include "shell/view/DrawView.h"
#include "shell/view/ViewHost.h"

namespace {

// An embedded object's first rectangle, in window pixels, before its picture sizes it.
const QRect kEmbeddedRect(QPoint(40, 40), QSize(160, 60));
// Files larger than this are not embedded.
constexpr qint64 kMaxEmbeddedFile = 64 * 1024 * 1024;
// Pictures larger than this on a side are embedded scaled down to it: the largest picture an
// embedded object shows.
constexpr int kMaxPictureSide = 4096;

DibImage DibOf(const QImage& picture) {
    QImage argb = picture.convertToFormat(QImage::Format_RGB32);
    if (argb.width() > kMaxPictureSide || argb.height() > kMaxPictureSide)
        argb = argb.scaled(kMaxPictureSide, kMaxPictureSide, Qt::KeepAspectRatio,
                           Qt::SmoothTransformation);
    DibImage image;
    image.width = argb.width();
    image.height = argb.height();
    image.pixels.reserve(size_t(image.width) * size_t(image.height));
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x)
            image.pixels.push_back(ToColorRef(QColor(argb.pixel(x, y))));
    }
    return image;
}

QImage PictureIn(const QMimeData& data) {
    if (data.hasFormat("image/png"))
        return QImage::fromData(data.data("image/png"), "PNG");
    if (data.hasImage())
        return qvariant_cast<QImage>(data.imageData());
    return {};
}

// The local files of the data, in order.
QStringList LocalFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

bool IsSchematicFile(const QString& path) {
    return path.endsWith(".sch", Qt::CaseInsensitive);
}

bool OnlySchematicFiles(const QStringList& files) {
    return !files.isEmpty() && std::all_of(files.begin(), files.end(), IsSchematicFile);
}

void ReportNoObject() {
    AfxMessageBox(
        "Failed to create object.  Make sure the object is entered in the system "
        "registry.");
}

}  // namespace

void CDrawView::AddClipboardCommands() {
    const auto selected = [this](CmdUI& ui) { ui.Enable(!m_selection.IsEmpty()); };
    m_commands.On(
        ID_EDIT_COPY, [this] { OnEditCopy(); }, selected);
    m_commands.On(
        ID_EDIT_CUT, [this] { OnEditCut(); }, selected);
    m_commands.On(
        ID_EDIT_PASTE, [this] { OnEditPaste(); },
        [](CmdUI& ui) { ui.Enable(CanPaste(QGuiApplication::clipboard()->mimeData())); });
}

void CDrawView::OnEditCopy() {
    try {
        if (QMimeData* data = NewSelectionMimeData(m_document, m_selection))
            QGuiApplication::clipboard()->setMimeData(data);
    } catch (const std::exception& e) {
        AfxMessageBox(CString(e.what()));
    }
}

void CDrawView::OnEditCut() {
    if (m_selection.IsEmpty())
        return;
    OnEditCopy();
    DeleteSelection();
}

// The clipboard may have changed since the command was last enabled: data the view cannot
// take are left alone.
void CDrawView::OnEditPaste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (CanPaste(data))
        PasteFrom(*data);
}

void CDrawView::PasteFrom(const QMimeData& data) {
    InvalidateList(m_selection);
    ChangeSelection().RemoveAll();
    CObList loaded;
    try {
        if (const char* format = ObjectFormatIn(data)) {
            PasteObjectsFromClipboard(m_document, format, BytesOf(data, format), loaded);
        } else if (HasLibraryItems(data)) {
            if (!LoadLibraryImageObjects(&m_document, BytesOf(data, kLibraryItemsFormat), loaded))
                return;
        } else {
            InsertEmbedded(data, ClientToDoc(CPoint(kEmbeddedRect.left(), kEmbeddedRect.top())));
            return;
        }
    } catch (const std::exception& e) {
        AfxMessageBox(CString(e.what()));
        return;
    }
    PlacePastedObjects(loaded);
}

void CDrawView::PlacePastedObjects(CObList& objects) {
    CObList pasted;
    pasted.AddTail(&objects);
    objects.RemoveAll();
    DropRefusedObjects(m_document, pasted);
    OffsetPastedDuplicates(m_document.GetObjects(), pasted);
    InvalidateList(m_selection);
    ChangeSelection().RemoveAll();
    CObList taken;
    taken.AddTail(&pasted);
    // Every object is allowed now: it is in the document, or was deleted with a failed step.
    if (pasted.IsEmpty() || !m_document.AddObjects(&taken)) {
        AfxMessageBox("Add object failed");
        return;
    }
    ChangeSelection().RemoveAll();
    ChangeSelection().AddTail(&pasted);
    m_document.UpdateAllViews(nullptr, kHintSelection, &m_selection);
    const CSchematicApp* app = GetApp();
    if (app && (app->Options & kOptionPlaceOnPaste))
        CarryPastedObjects();
}

std::unique_ptr<CDrawOleObj> CDrawView::EmbeddedFrom(const QMimeData& data,
                                                     const CRect& rect) const {
    if (const QImage picture = PictureIn(data); !picture.isNull())
        return MakeEmbeddedPicture(rect, DibOf(picture));
    for (const QString& path : LocalFiles(data)) {
        if (const QImage picture(path); !picture.isNull())
            return MakeEmbeddedPicture(rect, DibOf(picture));
        QFile file(path);
        if (file.size() > kMaxEmbeddedFile || !file.open(QIODevice::ReadOnly))
            return nullptr;
        const QByteArray bytes = file.readAll();
        return MakeEmbeddedPackage(rect, CString(QFileInfo(path).fileName().toStdString()),
                                   std::vector<BYTE>(bytes.begin(), bytes.end()));
    }
    return nullptr;
}

bool CDrawView::InsertEmbedded(const QMimeData& data, CPoint topLeft) {
    CRect rect(ClientToDoc(CPoint(kEmbeddedRect.left(), kEmbeddedRect.top())),
               ClientToDoc(CPoint(kEmbeddedRect.right() + 1, kEmbeddedRect.bottom() + 1)));
    rect.OffsetRect(topLeft.x - rect.left, topLeft.y - rect.top);
    std::unique_ptr<CDrawOleObj> object = EmbeddedFrom(data, rect);
    CDrawOleObj* inserted = object.get();
    if (!object || !m_document.AddObject(std::move(object))) {
        ReportNoObject();
        return false;
    }
    inserted->GetItem()->UpdateExtent();
    m_document.UpdateAllViews(nullptr, kHintNone);
    return true;
}

void CDrawView::dragEnterEvent(QDragEnterEvent* event) {
    if (CanEmbed(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

// With Ctrl and Shift held nothing would be dropped.
void CDrawView::dragMoveEvent(QDragMoveEvent* event) {
    const Qt::KeyboardModifiers keys = event->modifiers();
    if ((keys & Qt::ControlModifier) && (keys & Qt::ShiftModifier)) {
        ShowDropFeedback(QRect());
        event->ignore();
        return;
    }
    ShowDropFeedback(QRect(event->position().toPoint(), kEmbeddedRect.size()));
    event->setDropAction((keys & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CDrawView::dragLeaveEvent(QDragLeaveEvent* event) {
    ShowDropFeedback(QRect());
    event->accept();
}

void CDrawView::ShowDropFeedback(const QRect& rect) {
    if (rect == m_dropFeedback)
        return;
    viewport()->update(m_dropFeedback);
    m_dropFeedback = rect;
    viewport()->update(m_dropFeedback);
}

void CDrawView::dropEvent(QDropEvent* event) {
    const QMimeData& data = *event->mimeData();
    const QStringList files = LocalFiles(data);
    ShowDropFeedback(QRect());
    event->acceptProposedAction();
    EndGesture();
    if (OnlySchematicFiles(files)) {
        if (IViewHost* host = ViewHostOf(this)) {
            std::vector<std::string> paths;
            for (const QString& file : files)
                paths.push_back(file.toStdString());
            host->OpenFiles(paths);
        }
        return;
    }
    InvalidateList(m_selection);
    ChangeSelection().RemoveAll();
    const QPoint at = event->position().toPoint();
    InsertEmbedded(data, ClientToDoc(CPoint(at.x(), at.y())));
}
