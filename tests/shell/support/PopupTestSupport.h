#pragma once
// Helpers for the drop-down popup tests: a scripted target window, acting inside a popup's
// loop, synthetic mouse events, and saving how a popup looks as a build artefact.

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "gui/kit/PopupTarget.h"
#include "gui/support/QtTestApp.h"
#include "shell/toolbar/PopupFrame.h"

// A fixture base that makes the application before any member widget.
struct WithQtApp {
    WithQtApp() { QtTestApp::ensure(); }
};

// A window that answers the popups' questions with set values and records their calls.
class FakePopupTarget : public QWidget, public PopupTarget {
public:
    std::vector<CString> rows;
    ColourState colour;
    FillStyleState fill;
    LineWidthState width;
    std::vector<std::string> calls;

    bool UndoListRows(bool undo, std::vector<CString>& out) override {
        calls.push_back(undo ? "rows undo" : "rows redo");
        out = rows;
        return true;
    }
    void UndoCommands(bool undo, int count) override {
        calls.push_back((undo ? "undo " : "redo ") + std::to_string(count));
    }
    ColourState CurrentColour(UINT) override { return colour; }
    FillStyleState CurrentFillStyle() override { return fill; }
    LineWidthState CurrentLineWidth() override { return width; }
    void ApplyColour(UINT command, ColourCode code, COLORREF c) override {
        calls.push_back("colour " + std::to_string(ColourCommandWord(command, code)) + " " +
                        std::to_string(c));
    }
    void ApplyStyle(UINT command, int value) override {
        calls.push_back("style " + std::to_string(command) + " " + std::to_string(value));
    }
};

// Runs popup's loop with inside acting once the popup shows; then lets the queued calls to
// the target run. The loop's result.
inline int TrackWith(CPopupFrame& popup, const std::function<void()>& inside) {
    QTimer::singleShot(0, &popup, inside);
    const int result = popup.TrackPopup();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return result;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& at,
                      Qt::MouseButtons buttons = Qt::LeftButton) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Saves how widget looks under the build tree's artefacts/popups folder.
inline void SaveArtefact(QWidget* widget, const QString& name) {
    const QString folder = QString(VOSK_BINARY_DIR) + "/artefacts/popups";
    QDir().mkpath(folder);
    widget->grab().save(folder + "/" + name + ".png");
}
