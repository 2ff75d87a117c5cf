#include "shell/app/AboutLink.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "shell/app/WebPage.h"

namespace {

constexpr int kTextIndent = 4;

}  // namespace

CAboutLink::CAboutLink(const QString& text, const QString& url, QWidget* parent)
    : QWidget(parent), m_text(text), m_url(url) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_hoverTimer.setInterval(kHoverCheckMilliseconds);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CAboutLink::CheckHover);
}

QColor CAboutLink::TextColour() const {
    return m_hot ? QColor(0, 0, 192) : QColor(Qt::black);
}

QSize CAboutLink::sizeHint() const {
    return {kTextIndent + fontMetrics().horizontalAdvance(m_text), fontMetrics().height() + 2};
}

void CAboutLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(TextColour());
    painter.drawText(rect().adjusted(kTextIndent, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

void CAboutLink::mouseMoveEvent(QMouseEvent* event) {
    if (!m_hot) {
        m_hot = true;
        m_hoverTimer.start();
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void CAboutLink::CheckHover() {
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    m_hot = false;
    m_hoverTimer.stop();
    update();
}

void CAboutLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OpenWebPage(m_url);
    QWidget::mouseReleaseEvent(event);
}
