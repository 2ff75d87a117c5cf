#include "shell/view/ClipboardMime.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <QUrl>
#include <algorithm>

#include "gui/kit/QtDC.h"
#include "library/LibraryImage.h"
#include "model/doc/ObjectListData.h"
#include "platform/ObList.h"

namespace {

// Pictures have 100 pixels an inch: ten sheet units a pixel.
constexpr int kPictureDpi = 100;
constexpr int kUnitsPerPixel = 1000 / kPictureDpi;
constexpr double kMetresPerInch = 0.0254;
// Pictures larger than this on a side are drawn smaller.
constexpr int kMaxPicturePixels = 8192;

// The sheet rectangle the picture frame (0.01 mm, y down) stands for, y up.
struct PictureArea {
    CRect sheet;  // normalised
    QSize pixels;
    int dpi;
};

PictureArea AreaOf(const CRect& frame) {
    // The frame's y runs down from the sheet's top edge: -top is the upper sheet edge.
    const CRect sheet(MulDiv(frame.left, 100, 254), -MulDiv(frame.bottom, 100, 254),
                      MulDiv(frame.right, 100, 254), -MulDiv(frame.top, 100, 254));
    const int scale = std::max({kUnitsPerPixel, sheet.Width() / kMaxPicturePixels + 1,
                                sheet.Height() / kMaxPicturePixels + 1});
    return {
        sheet,
        QSize(std::max(1, int(sheet.Width() / scale)), std::max(1, int(sheet.Height() / scale))),
        1000 / scale};
}

void PaintPicture(CDrawDoc& doc, const CObList& objects, const PictureArea& area,
                  QPaintDevice& device) {
    QPainter painter(&device);
    CQtDC dc(painter);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(area.sheet.left, area.sheet.bottom);
    dc.SetWindowExt(area.sheet.Width(), area.sheet.Height());
    dc.SetViewportOrg(0, 0);
    dc.SetViewportExt(area.pixels.width(), -area.pixels.height());
    DrawObjectsPicture(doc, objects, &dc);
}

QByteArray Svg(CDrawDoc& doc, const CObList& objects, const PictureArea& area) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(area.pixels);
    svg.setViewBox(QRect(QPoint(0, 0), area.pixels));
    svg.setResolution(area.dpi);
    PaintPicture(doc, objects, area, svg);
    return buffer.data();
}

QByteArray Png(CDrawDoc& doc, const CObList& objects, const PictureArea& area) {
    QImage image(area.pixels, QImage::Format_ARGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(area.dpi / kMetresPerInch + 0.5));
    image.setDotsPerMeterY(int(area.dpi / kMetresPerInch + 0.5));
    PaintPicture(doc, objects, area, image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray ToByteArray(const std::vector<BYTE>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

}  // namespace

QMimeData* NewSelectionMimeData(CDrawDoc& doc, const CObList& selection) {
    if (selection.IsEmpty())
        return nullptr;
    const ClipboardObjects objects = CopyObjectsToClipboard(doc, selection);
    auto* data = new QMimeData;
    data->setData(WindowsMimeType(objects.format), ToByteArray(objects.data));
    const PictureArea area = AreaOf(PictureFrame(selection));
    data->setData("image/svg+xml", Svg(doc, selection, area));
    data->setData("image/png", Png(doc, selection, area));
    return data;
}

const char* ObjectFormatIn(const QMimeData& data) {
    for (const char* format : {kSchematicOleFormat, kSchematicFormat}) {
        if (data.hasFormat(WindowsMimeType(format)))
            return format;
    }
    return nullptr;
}

bool HasLibraryItems(const QMimeData& data) {
    return data.hasFormat(WindowsMimeType(kLibraryItemsFormat));
}

bool CanEmbed(const QMimeData& data) {
    return data.hasImage() || data.hasFormat("image/png") || data.hasUrls();
}

bool CanPaste(const QMimeData* data) {
    return data && (ObjectFormatIn(*data) || HasLibraryItems(*data) || CanEmbed(*data));
}

std::vector<BYTE> BytesOf(const QMimeData& data, const char* format) {
    const QByteArray bytes = data.data(WindowsMimeType(format));
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}
