#include "gui/kit/PlainTextEdit.h"

#include <QMimeData>

CPlainTextEdit::CPlainTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

CPlainTextEdit::CPlainTextEdit(const QString& text, QWidget* parent)
    : QPlainTextEdit(text, parent) {}

bool CPlainTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText() && !source->text().isEmpty();
}

void CPlainTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!isReadOnly() && canInsertFromMimeData(source))
        insertPlainText(source->text());
}
