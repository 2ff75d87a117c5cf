#pragma once
// The start-up window: the product picture with the product name and version, shown centred
// above the other windows for 2.5 seconds or until the first key or mouse press anywhere in the
// application, which it swallows.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDisplayMilliseconds = 2500;

    // Set from the command line: starts that print or serve other programs show no splash.
    static void EnableSplashScreen(bool enable);
    // Shows the splash over parent (or centred on the screen while parent is hidden) when it
    // is enabled and not shown yet.
    static void ShowSplashScreen(QWidget* parent);
    // Called for every event of the application before it is delivered: a key or mouse press
    // while the splash shows closes it, and the result true says the event is used up.
    static bool PreTranslateAppMessage(const QEvent* event);
    // The splash on the screen, or null.
    static CSplashWnd* Current() { return s_splash; }

    ~CSplashWnd() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CSplashWnd(const QPixmap& picture, QWidget* parent);
    void HideSplashScreen();

    QPixmap m_picture;
    QTimer m_timer;

    static bool s_enabled;
    static CSplashWnd* s_splash;
};
