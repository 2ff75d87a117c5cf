#include "shell/app/SplashWnd.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "platform/AppIdentity.h"
#include "platform/Geometry.h"
#include "shell/app/AboutProduct.h"

// The pictures are compiled into the library; this makes sure they are linked and registered.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

QPixmap LoadPicture() {
    InitResources();
    QSvgRenderer renderer(QStringLiteral(":/splash.svg"));
    if (!renderer.isValid())
        return {};
    QPixmap picture(renderer.defaultSize());
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

// A font whose character cells are cellHeight pixels high.
QFont FontWithCellHeight(const QString& family, int cellHeight) {
    QFont font(family);
    font.setPixelSize(cellHeight);
    int height = QFontMetrics(font).height();
    if (height > 0 && height != cellHeight)
        font.setPixelSize(std::max(1, cellHeight * cellHeight / height));
    return font;
}

// Draws text with the bottom of its character cells at y, as text aligned to the bottom is.
void DrawTextAbove(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y - painter.fontMetrics().descent()), text);
}

}  // namespace

bool CSplashWnd::s_enabled = false;
CSplashWnd* CSplashWnd::s_splash = nullptr;

void CSplashWnd::EnableSplashScreen(bool enable) {
    s_enabled = enable;
}

void CSplashWnd::ShowSplashScreen(QWidget* parent) {
    if (!s_enabled || s_splash)
        return;
    QPixmap picture = LoadPicture();
    if (picture.isNull())
        return;
    s_splash = new CSplashWnd(picture, parent);
    QRect area = parent && parent->isVisible() ? parent->frameGeometry()
                                               : QGuiApplication::primaryScreen()->geometry();
    s_splash->move(area.center() - s_splash->rect().center());
    s_splash->show();
    s_splash->repaint();
    s_splash->m_timer.start(kDisplayMilliseconds);
}

bool CSplashWnd::PreTranslateAppMessage(const QEvent* event) {
    if (!s_splash)
        return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            s_splash->HideSplashScreen();
            return true;
        default:
            return false;
    }
}

// The main window is shown after its splash; a window manager would put it on top of the splash
// unless the splash asks to stay above it.
CSplashWnd::CSplashWnd(const QPixmap& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
}

CSplashWnd::~CSplashWnd() {
    if (s_splash == this)
        s_splash = nullptr;
}

void CSplashWnd::HideSplashScreen() {
    if (s_splash == this)
        s_splash = nullptr;
    m_timer.stop();
    QWidget* owner = parentWidget();
    close();
    if (owner)
        owner->update();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), m_picture.size()).adjusted(0, 0, -1, -1));

    painter.setFont(FontWithCellHeight(QStringLiteral("Verdana"), 40));
    DrawTextAbove(painter, 22, 57, kApplicationTitle);
    painter.setPen(QColor(0, 0, 255));
    DrawTextAbove(painter, 20, 55, kApplicationTitle);

    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPixelSize(MulDiv(8, logicalDpiY(), 72));
    versionFont.setWeight(QFont::Medium);
    painter.setFont(versionFont);
    painter.setPen(Qt::black);
    DrawTextAbove(painter, 25, 80, QStringLiteral("Version ") + kProductVersion);
}
