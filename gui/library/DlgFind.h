#pragma once
// The modeless "Find" dialog: the text looked for, where to look and how to match. Its
// buttons send Find Next, Highlight All and Select All to the window that routes commands;
// the active view does the searching with the dialog's settings. Closing hides it and sends
// ID_FIND_CLOSED, so that what Find Next highlighted goes with it.

#include <QDialog>
#include <functional>

#include "library/ObjectFind.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRect;

class CDlgFind : public QDialog {
    Q_OBJECT
public:
    // sendCommand passes a command id on to the active view.
    CDlgFind(std::function<void(UINT id)> sendCommand, QWidget* parent = nullptr);

    // Edit > Find: Find Next starts from the first object again; the dialog shows with the
    // focus in the text and Find Next the default button, whichever button closed it.
    void ShowFind();
    // The settings as the controls show them.
    FindOptions Options() const;
    bool HasText() const;
    FindPosition& Position() { return m_position; }
    // Moves the shown dialog off area (global coordinates), where a found object lies.
    void MoveClearOf(const QRect& area);
    void reject() override;

    QLineEdit* textEdit() const { return m_text; }
    QCheckBox* box(const char* label) const;

private:
    QCheckBox* AddBox(const char* label, bool checked);
    void OnFindNext();
    void SendAndHide(UINT id);

    std::function<void(UINT)> m_sendCommand;
    QLineEdit* m_text;
    QPushButton* m_findNext;
    std::vector<QCheckBox*> m_boxes;
    FindPosition m_position;
};
