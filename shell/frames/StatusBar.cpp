#include "shell/frames/StatusBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>

#include "resources/CommandIds.h"

namespace {

constexpr char kCoordinates[] = "X: 00.000  Y: 00.000";
constexpr char kIdleMessage[] = "Ready";

}  // namespace

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("statusBar");
    setSizeGripEnabled(true);
    AddPane(ID_INDICATOR_CURSOR, kCoordinates, ":/icons/status-cursor.svg", "Status Bar Text");
    AddPane(ID_INDICATOR_POSITION, kCoordinates, ":/icons/status-position.svg",
            "Displays the position of the selected object(s).");
    AddPane(ID_INDICATOR_SIZE, kCoordinates, ":/icons/status-size.svg",
            "Displays the width and height of the selected object(s).");
    AddPane(ID_INDICATOR_UNITS, "inch ", nullptr,
            "Click here to change the units from inches to cm or cm to inches.");
    Pane(ID_INDICATOR_UNITS)->installEventFilter(this);
    // With no prompt to show, the message pane says so.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            showMessage(kIdleMessage);
    });
    showMessage(kIdleMessage);
}

void CStatusBar::AddPane(UINT id, const char* text, const char* icon, const char* tooltip) {
    auto* pane = new QWidget(this);
    pane->setObjectName(QString("pane%1").arg(id));
    pane->setToolTip(tooltip);
    auto* layout = new QHBoxLayout(pane);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    if (icon) {
        auto* image = new QLabel(pane);
        image->setPixmap(QIcon(icon).pixmap(16, 16));
        layout->addWidget(image);
    }
    auto* label = new QLabel(text, pane);
    // The first text sizes the pane, so that later texts do not make it jump.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 4);
    layout->addWidget(label);
    addPermanentWidget(pane);
    m_panes.emplace(id, PaneWidgets{pane, label});
}

void CStatusBar::SetPaneText(UINT id, const QString& text) {
    if (auto it = m_panes.find(id); it != m_panes.end())
        it->second.text->setText(text);
}

QString CStatusBar::PaneText(UINT id) const {
    auto it = m_panes.find(id);
    return it == m_panes.end() ? QString() : it->second.text->text();
}

QWidget* CStatusBar::Pane(UINT id) const {
    auto it = m_panes.find(id);
    return it == m_panes.end() ? nullptr : it->second.pane;
}

bool CStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Pane(ID_INDICATOR_UNITS) && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit unitsPaneClicked();
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
}
