#pragma once
// The drop-downs of the Undo and Redo buttons: a list of the commands that can be undone
// (redone), newest (oldest) first, in which the user selects how many to undo (redo) at
// once, and a caption that says so.

#include "gui/kit/PopupTarget.h"
#include "shell/toolbar/PopupFrame.h"

class CUndoListBox;
class QLabel;

class CUndoListDlg : public QWidget {
    Q_OBJECT
public:
    explicit CUndoListDlg(QWidget* parent);

    // Shows target's rows for undo (redo); false when the target has none to offer.
    bool Init(const PopupTargetRef& target, bool undo);
    CUndoListBox* list() const { return m_list; }
    QLabel* caption() const { return m_caption; }

signals:
    // The choice was made (and passed to the target when it undoes anything).
    void finished();

private:
    void ShowCount(int count);
    void Execute();

    CUndoListBox* m_list;
    QLabel* m_caption;
    PopupTargetRef m_target;
    bool m_undo = true;
};

class CUndoPopup : public CPopupFrame {
    Q_OBJECT
public:
    CUndoPopup(QWidget* parent, bool undo);

    // Fills the list from target; false when there is nothing to show.
    bool Init(QWidget* target);
    CUndoListDlg* dialog() const { return m_dialog; }

private:
    CUndoListDlg* m_dialog;
    bool m_undo;
};
