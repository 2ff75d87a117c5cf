#include "gui/dialogs/pickers/FillStyleDlg.h"

#include <QPainter>

#include "gui/kit/QtGdiStyles.h"

namespace {

constexpr int kSolid = -1;
constexpr int kStyles[] = {kSolid, 3, 4, 5, 2, 0, 1};

class FillStyleRow : public CStyleRowDelegate {
public:
    using CStyleRowDelegate::CStyleRowDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        DrawBackground(*painter, option);
        const int value = index.data(Qt::UserRole).toInt();
        const QRect r = option.rect.adjusted(3, 1, -3, -1);
        if (value == kSolid) {
            painter->drawText(r, Qt::AlignCenter, "Solid");
        } else {
            painter->setBrush(QBrush(painter->pen().color(), ToQtHatch(value)));
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

}  // namespace

CFillStyleDlg::CFillStyleDlg(QWidget* parent)
    : CStyleListDlg(kStyles, new FillStyleRow(nullptr), parent) {
    setObjectName("fillStyleDlg");
}

void CFillStyleDlg::Init(UINT command, int state, int hatch) {
    Select(command, state == kStateSolid ? kSolid : hatch, state != kStateMixed);
}

std::span<const int> CFillStyleDlg::Styles() {
    return kStyles;
}
