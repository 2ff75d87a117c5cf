#include "shell/output/OutputEdit.h"

#include <QEvent>

COutputEdit::COutputEdit(QWidget* parent)
    : CPlainTextEdit(parent), m_sink(*this), m_streamBuf(m_sink) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool COutputEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return CPlainTextEdit::event(event);
}
