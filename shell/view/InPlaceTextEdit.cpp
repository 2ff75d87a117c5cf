#include "shell/view/InPlaceTextEdit.h"

#include <QKeyEvent>
#include <QTimer>

#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "shell/commands/AcceleratorKeys.h"

namespace {

// Whether the key is the one the command table gives command.
bool IsCommandKey(const QKeyEvent& event, UINT command) {
    const CommandInfo* info = FindCommandInfo(command);
    if (!info)
        return false;
    const QKeySequence key = AcceleratorOf(*info);
    return !key.isEmpty() &&
           key[0] == QKeyCombination(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
}

}  // namespace

CInPlaceTextEdit::CInPlaceTextEdit(bool multiLine, QWidget* parent)
    : CPlainTextEdit(parent), m_multiLine(multiLine) {
    setObjectName("inPlaceTextEdit");
    setFrameShape(QFrame::Box);
    setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
}

QByteArray CInPlaceTextEdit::StoredText() const {
    QByteArray text = toPlainText().toUtf8();
    text.replace("\n", "\r\n");
    return text;
}

void CInPlaceTextEdit::SetStoredText(const QByteArray& text) {
    QByteArray plain = text;
    plain.replace("\r\n", "\n");
    setPlainText(QString::fromUtf8(plain));
    selectAll();
    ensureCursorVisible();
}

// The window's Undo and Redo keys are the editor's while it has the focus, as its own undo key
// already is: what one of them took from the typing, the other gives back.
bool CInPlaceTextEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsCommandKey(*key, ID_EDIT_UNDO) || IsCommandKey(*key, ID_EDIT_REDO)) {
            event->accept();
            return true;
        }
    }
    return CPlainTextEdit::event(event);
}

void CInPlaceTextEdit::keyPressEvent(QKeyEvent* event) {
    m_goingOn = false;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_Escape) {
        m_ending = true;
        if (onCancel)
            onCancel();
        return;
    }
    if (enter && !m_multiLine) {
        Finish();
        return;
    }
    if (IsCommandKey(*event, ID_EDIT_UNDO)) {
        undo();
        return;
    }
    if (IsCommandKey(*event, ID_EDIT_REDO)) {
        redo();
        return;
    }
    CPlainTextEdit::keyPressEvent(event);
}

void CInPlaceTextEdit::focusOutEvent(QFocusEvent* event) {
    CPlainTextEdit::focusOutEvent(event);
    // Closing the editor takes its focus away too: that is no second end. A menu opened over
    // it, or the menu bar taking the keys, gives the focus back when left with nothing chosen;
    // a command chosen there ends the edit itself.
    const Qt::FocusReason reason = event->reason();
    if (m_ending || !isVisible() || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason)
        return;
    // The act that took the focus (a press on another window, which also makes that window the
    // active one) goes on to end the edit by other roads: once the user chose to go on editing,
    // they are answered alike without asking again, until the act is over.
    m_goingOn = false;
    if (!Finish()) {
        m_goingOn = true;
        QTimer::singleShot(0, this, [this] { m_goingOn = false; });
    }
}

bool CInPlaceTextEdit::Finish() {
    if (m_ending || m_goingOn)
        return false;
    m_ending = true;
    // A copy: the end closes the editor, which lets go of its handlers.
    const std::function<bool()> finish = onFinish;
    const bool keep = finish && finish();
    m_ending = false;
    if (keep)
        setFocus();
    return !keep;
}
