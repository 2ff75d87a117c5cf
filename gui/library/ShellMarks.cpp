#include "gui/library/ShellMarks.h"

#include <QPainter>
#include <QPixmap>

#include "library/ShellItem.h"

namespace {

constexpr int kMarkSize = 16;

// The letter on each kind's mark.
char MarkLetter(UINT kind) {
    switch (kind) {
        case kShellLibrary:
            return 'L';
        case kShellLibraryItem:
            return 'S';
        case kShellLibraryItem + 1:
            return 'C';
        case kShellLibraryItem + 2:
            return 'D';
        default:
            return 'M';
    }
}

QIcon PaintMark(UINT kind) {
    QPixmap pixmap(kMarkSize, kMarkSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor colour = LibraryKindColour(kind);
    painter.setPen(colour.darker());
    painter.setBrush(colour.lighter(170));
    painter.drawRoundedRect(QRectF(1.5, 1.5, kMarkSize - 3, kMarkSize - 3), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour.darker(150));
    painter.drawText(QRect(0, 0, kMarkSize, kMarkSize), Qt::AlignCenter,
                     QString(QChar(MarkLetter(kind))));
    return QIcon(pixmap);
}

}  // namespace

QColor LibraryKindColour(UINT kind) {
    switch (kind) {
        case kShellLibrary:
        case kShellLibraryItem + 3:
            return QColor(150, 75, 150);
        case kShellLibraryItem:
            return QColor(189, 26, 99);
        case kShellLibraryItem + 1:
            return QColor(0, 222, 0);
        case kShellLibraryItem + 2:
            return QColor(77, 103, 147);
        default:
            return QColor();
    }
}

QIcon LibraryKindMark(UINT kind) {
    if (kind != kShellLibrary && !IsLibraryItemKind(kind))
        return QIcon();
    return PaintMark(kind);
}
