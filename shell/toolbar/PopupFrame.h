#pragma once
// CPopupFrame: the small window a drop-down button opens under itself, holding one picker.
// TrackPopup shows it and keeps it open in a local event loop until the user picks, presses
// Enter or Esc, clicks elsewhere or switches to another application. A click outside ends the
// popup and is not passed on.

#include <QFrame>

class QEventLoop;

class CPopupFrame : public QFrame {
    Q_OBJECT
public:
    // How TrackPopup ended.
    enum Result {
        kCancelled = 0,  // Esc, or the application lost the focus
        kEnded = 1,      // Enter, a click outside, or the picker made its choice
        kEndRequested = 2,
    };

    explicit CPopupFrame(QWidget* parent);
    ~CPopupFrame() override;

    // Sets the picker shown in the frame (the frame owns it) and fits the frame round it.
    void SetContent(QWidget* content);
    QWidget* content() const { return m_content; }

    // Shows the popup with its top-left corner at the bottom-left corner of control.
    void MoveUnder(const QWidget* control);
    // Shows the popup and runs its loop; the popup is hidden when it returns.
    int TrackPopup();
    // Ends the running loop with result (nothing when none runs).
    void EndPopup(int result);

    // The popup whose loop runs, or null.
    static CPopupFrame* OpenPopup() { return s_open; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* m_content = nullptr;
    QEventLoop* m_loop = nullptr;
    int m_result = kCancelled;
    static CPopupFrame* s_open;
};
