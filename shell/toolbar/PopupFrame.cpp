#include "shell/toolbar/PopupFrame.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <utility>

CPopupFrame* CPopupFrame::s_open = nullptr;

CPopupFrame::CPopupFrame(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    // The click that ends the popup is not passed on to the window under it.
    setAttribute(Qt::WA_NoMouseReplay);
    setMouseTracking(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    EndPopup(kCancelled);
            });
}

CPopupFrame::~CPopupFrame() {
    EndPopup(kCancelled);
}

void CPopupFrame::SetContent(QWidget* content) {
    delete m_content;
    m_content = content;
    layout()->addWidget(content);
    adjustSize();
}

void CPopupFrame::MoveUnder(const QWidget* control) {
    move(control->mapToGlobal(QPoint(0, control->height())));
}

int CPopupFrame::TrackPopup() {
    if (m_loop)
        return kCancelled;
    QEventLoop loop;
    m_loop = &loop;
    m_result = kCancelled;
    s_open = this;
    show();
    activateWindow();
    if (m_content)
        m_content->setFocus();
    loop.exec();
    m_loop = nullptr;
    hide();
    return m_result;
}

void CPopupFrame::EndPopup(int result) {
    if (!m_loop)
        return;
    // The first end counts: hiding the popup afterwards does not cancel a choice.
    m_result = result;
    std::exchange(m_loop, nullptr)->quit();
    if (s_open == this)
        s_open = nullptr;
}

void CPopupFrame::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            EndPopup(kCancelled);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EndPopup(kEnded);
            break;
        default:
            QFrame::keyPressEvent(event);
    }
}

void CPopupFrame::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint()))
        EndPopup(kEnded);
    else
        QFrame::mousePressEvent(event);
}

void CPopupFrame::hideEvent(QHideEvent* event) {
    // Closed from elsewhere (the window system, another popup): the loop ends too.
    EndPopup(kCancelled);
    QFrame::hideEvent(event);
}
