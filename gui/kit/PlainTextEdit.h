#pragma once
// The editable multi-line text field of every window: a plain-text edit that takes only text
// from the clipboard, a drop or the selection. Data without text (an empty clipboard, a
// picture) change nothing: they never reach the edit's own reading of clipboard data, which
// looks at the data's first format even when the data have none, as an X11 clipboard that no
// program owns gives them.

#include <QPlainTextEdit>

class CPlainTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CPlainTextEdit(QWidget* parent = nullptr);
    explicit CPlainTextEdit(const QString& text, QWidget* parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
