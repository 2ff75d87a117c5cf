#pragma once
// The editor that a view opens over a text object to edit its text in place. Return ends a
// single-line edit and breaks the line of a multi-line one; Escape cancels; losing the focus
// asks the view to take the text, which may refuse it and keep the editor open. The keys of
// the program's Undo and Redo act on the typing while the editor is open.

#include <functional>
#include "gui/kit/PlainTextEdit.h"

class CInPlaceTextEdit : public CPlainTextEdit {
    Q_OBJECT
public:
    CInPlaceTextEdit(bool multiLine, QWidget* parent);

    // Asked when the edit ends (Return or the focus leaving); true keeps the editor open.
    std::function<bool()> onFinish;
    // Asked when Escape cancels the edit.
    std::function<void()> onCancel;

    // The text with line ends "\r\n", as text objects keep it.
    QByteArray StoredText() const;
    void SetStoredText(const QByteArray& text);

    // Ends the edit as Return does; false when it goes on (the text was refused, or an end is
    // being asked already), the editor then keeping the focus. The focus going to the
    // question asked meanwhile is no second end, nor is what else the act that asked does.
    bool Finish();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_multiLine;
    bool m_ending = false;
    // The user chose to go on editing when the focus left; the act that took it is not over.
    bool m_goingOn = false;
};
