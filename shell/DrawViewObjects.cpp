// The schematic view's commands that make objects (an embedded object from a file, a fill
// shape from the selected outline pieces) and the one that ties a wire's net to hidden pins.

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <memory>
#include <optional>

#include "dialogs/DlgConnectWire.h"
#include "model/cmd/AddCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/ole/EmbeddedFile.h"
#include "model/shapes/FillShape.h"
#include "model/undo/MultiCmd.h"
#include "platform/AppServices.h"
#include "platform/UserPrompt.h"
#include "shell/DrawView.h"

namespace {

constexpr char kFailedToCreateObject[] =
    "Failed to create object.  Make sure the object is entered in the system registry.";
constexpr char kNoSingleShape[] = "Error - could not resolve objects into a single shape.";
constexpr int kHimetricPerMetre = 100000;
constexpr int kScreenDotsPerMetre = 3780;  // 96 dots per inch

DibImage PixelsOf(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    DibImage dib{image.width(), image.height(), {}};
    dib.pixels.reserve(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            dib.pixels.push_back(RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
    }
    return dib;
}

LONG Himetric(int pixels, int dotsPerMetre) {
    return MulDiv(pixels, kHimetricPerMetre, dotsPerMetre > 0 ? dotsPerMetre : kScreenDotsPerMetre);
}

// A picture file as a static picture, any other readable file as a package.
std::optional<CompoundStorage> StorageOfFile(const QString& path) {
    const QImage image(path);
    if (!image.isNull()) {
        const SIZE extent{Himetric(image.width(), image.dotsPerMeterX()),
                          Himetric(image.height(), image.dotsPerMeterY())};
        return PictureStorage(PixelsOf(image), extent);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return PackageStorage(path.toStdString(), std::vector<BYTE>(bytes.begin(), bytes.end()));
}

bool IsOutlinePiece(const CDrawObj* object) {
    switch (object->GetObjType()) {
        case kObjLine:
        case kObjBezier:
            return true;
        case kObjEllipse:
        case kObjPoly:
            return (object->GetFlags() & kFlagOpen) != 0;
        default:
            return false;
    }
}

}  // namespace

void CDrawView::OnInsertObject() {
    const QString path = QFileDialog::getOpenFileName(this, "Insert Object");
    if (!path.isEmpty())
        InsertObjectFromFile(path);
}

bool CDrawView::InsertObjectFromFile(const QString& path) {
    bool added = false;
    {
        WaitCursor wait;
        if (const std::optional<CompoundStorage> storage = StorageOfFile(path))
            added = AddEmbeddedObject(*storage);
    }
    if (!added)
        AfxMessageBox(kFailedToCreateObject, MB_OK | MB_ICONEXCLAMATION);
    return added;
}

// At the window's (40, 40) - (200, 100), or at the size of the object's own picture.
bool CDrawView::AddEmbeddedObject(const CompoundStorage& storage) {
    const CRect rect(ClientToDoc(CPoint(40, 40)), ClientToDoc(CPoint(200, 100)));
    auto object = std::make_unique<CDrawOleObj>(rect);
    object->SetDocument(&m_document);
    auto item = std::make_unique<CDrawItem>();
    item->SetStorage(storage);
    object->SetItem(std::move(item));
    object->GetItem()->UpdateExtent();
    return m_document.AddObject(std::move(object));
}

bool CDrawView::CanCreateFillShape() const {
    if (m_selection.GetCount() < 2)
        return false;
    for (POSITION pos = m_selection.GetHeadPosition(); pos;) {
        if (!IsOutlinePiece(static_cast<const CDrawObj*>(m_selection.GetNext(pos))))
            return false;
    }
    return true;
}

void CDrawView::CreateFillShape() {
    auto shape = std::make_unique<CFillShape>(CRect(100, -200, 400, -600));
    shape->SetDocument(&m_document);
    if (!shape->BuildFromOutline(m_selection)) {
        AfxMessageBox(kNoSingleShape, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The commands take the pieces out of every selection and select the shape.
    auto* step = new CMultiCmd("create fill shape");
    step->Append(new CRemoveCmd(m_selection));
    step->Append(new CAddCmd(shape.release(), FALSE));
    m_document.GetUndoList().Execute(step);
}

CWire* CDrawView::DominantWire() const {
    if (m_selection.IsEmpty())
        return nullptr;
    auto* object = static_cast<CDrawObj*>(m_selection.GetTail());
    return object->GetObjType() == kObjWire ? static_cast<CWire*>(object) : nullptr;
}

void CDrawView::ConnectImplicitly() {
    CWire* wire = DominantWire();
    if (!wire)
        return;
    CNet* net = wire->GetNet();
    CDlgConnectWire dialog(m_document, net, this);
    if (dialog.exec() == QDialog::Accepted && net)
        net->SetAttr(GetStdAttrName(kStdAttrImplicit), dialog.Chosen().c_str(), 0);
}
