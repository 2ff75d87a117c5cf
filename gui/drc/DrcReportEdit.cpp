#include "gui/drc/DrcReportEdit.h"

#include <QMouseEvent>
#include <QTextBlock>

CDrcReportEdit::CDrcReportEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("drcReport");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    setPalette(colours);
}

void CDrcReportEdit::SetReport(const QString& text) {
    QString lines = text;
    lines.replace("\r\n", "\n");
    setPlainText(lines);
}

void CDrcReportEdit::SelectLine(int line) {
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CDrcReportEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    emit lineDoubleClicked(cursorForPosition(event->position().toPoint()).blockNumber());
}
