#include "shell/output/OutputTextSink.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

void COutputTextSink::AppendText(std::string_view text) {
    QString decoded = m_decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    decoded.remove(QLatin1Char('\r'));
    if (decoded.isEmpty())
        return;
    QTextDocument* document = m_edit.document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    document->setUndoRedoEnabled(false);
    cursor.insertText(decoded);
    document->setUndoRedoEnabled(true);
    m_edit.setTextCursor(cursor);
    m_edit.ensureCursorVisible();
}

void COutputTextSink::ClearText() {
    m_decoder.resetState();
    m_edit.clear();
}
