#pragma once
// CDropDownButton: a toolbar button that opens a drop-down popup under itself. Either the
// whole button opens it, or only an arrow part on its right while the rest runs the button's
// command. While its popup is open, moving the mouse onto another drop-down button of the
// same toolbar closes the popup and opens that button's instead.

#include <QPointer>
#include <QToolButton>
#include <functional>

#include "shell/toolbar/PopupFrame.h"

class CDropDownButton : public QToolButton {
    Q_OBJECT
public:
    // Readies the popup for showing; false when there is nothing to show.
    using PopupInit = std::function<bool()>;

    // The button runs action (and shows its icon, tips and state).
    CDropDownButton(QAction* action, QWidget* parent);

    // Whether the whole button opens the drop-down (else only the arrow part).
    void SetWholeButton(bool whole);
    bool IsWholeButton() const { return popupMode() == QToolButton::InstantPopup; }
    // The popup the button opens (it becomes the popup's parent) and how to ready it.
    void SetPopup(CPopupFrame* popup, PopupInit init);
    CPopupFrame* popup() const { return m_popup; }
    // The arrow part, in the button's coordinates (empty when the whole button opens).
    QRect ArrowRect() const;

    // Opens the drop-down: the popup under the button, run until it closes; without a
    // popup, dropDownRequested.
    void DropDown();

signals:
    void dropDownRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool SwitchToButtonAt(const QPoint& global);

    QPointer<CPopupFrame> m_popup;
    PopupInit m_init;
    bool m_open = false;
};
