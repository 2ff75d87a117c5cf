#include "shell/app/AppEventFilter.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <utility>

#include "gui/kit/DialogTitle.h"
#include "model/app/FunctionKeys.h"
#include "shell/app/SplashWnd.h"

CAppEventFilter::CAppEventFilter(const FunctionKeyTable& keys,
                                 std::function<void(UINT)> postCommand,
                                 std::function<void()> onInput, QObject* parent)
    : QObject(parent),
      m_keys(keys),
      m_postCommand(std::move(postCommand)),
      m_onInput(std::move(onInput)) {}

UINT CAppEventFilter::BoundCommand(const QKeyEvent& event) const {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (key < Qt::Key_F1 || key > Qt::Key_F12 || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return 0;
    return m_keys.CommandForKey(key - Qt::Key_F1 + 1, modifiers & Qt::ShiftModifier,
                                modifiers & Qt::ControlModifier);
}

bool CAppEventFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // While the splash shows, the key press that follows only closes it.
            if (CSplashWnd::Current()) {
                event->accept();
                return true;
            }
            return FilterFunctionKey(event);
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            if (m_onInput)
                m_onInput();
            if (CSplashWnd::PreTranslateAppMessage(event))
                return true;
            return event->type() == QEvent::KeyPress && FilterFunctionKey(event);
        case QEvent::Show:
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
                FitDialogToTitle(*dialog);
            break;
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            if (m_onInput)
                m_onInput();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

bool CAppEventFilter::FilterFunctionKey(QEvent* event) {
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    const UINT id = BoundCommand(*static_cast<QKeyEvent*>(event));
    if (id == 0)
        return false;
    // Taking the shortcut override keeps accelerators from firing; the key press then
    // arrives here and posts the command.
    event->accept();
    if (event->type() == QEvent::KeyPress && m_postCommand)
        m_postCommand(id);
    return true;
}
