#include "gui/dialogs/objects/ObjectPreview.h"

#include <QPainter>

#include "gui/kit/QtDC.h"
#include "library/PreviewGrid.h"
#include "model/object/DrawObj.h"

namespace {

constexpr int kInset = 6;

}  // namespace

CObjectPreview::CObjectPreview(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setMinimumSize(100, 100);
}

CObjectPreview::~CObjectPreview() {
    SetObject(nullptr);
}

void CObjectPreview::SetObject(CDrawObj* object) {
    if (!m_objects.IsEmpty())
        delete m_objects.RemoveHead();
    if (object)
        m_objects.AddTail(object);
    update();
}

const CDrawObj* CObjectPreview::Object() const {
    return m_objects.IsEmpty() ? nullptr : static_cast<const CDrawObj*>(m_objects.GetHead());
}

void CObjectPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect area = contentsRect().adjusted(kInset, kInset, -kInset, -kInset);
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::white);
    if (m_objects.IsEmpty() || area.isEmpty())
        return;
    CQtDC dc(painter);
    MapObjectsOntoCell(dc, m_objects, CRect(area.left(), area.top(), area.right(), area.bottom()));
    static_cast<CDrawObj*>(m_objects.GetHead())->Draw(&dc, nullptr);
}
