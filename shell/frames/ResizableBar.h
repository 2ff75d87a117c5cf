#pragma once
// A docking bar of the main frame that keeps a sensible size: docked left or right it is 100
// to 500 pixels wide, docked at the top or bottom 50 to 500 pixels high; floating it keeps
// whatever size it has. Its close button hides it, like its View command.

#include <QDockWidget>

#include "platform/Types.h"

class QMainWindow;

class CResizableBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 100;
    static constexpr int kMaxWidth = 500;
    static constexpr int kMinHeight = 50;
    static constexpr int kMaxHeight = 500;

    // The bar's object name is "bar" followed by id.
    CResizableBar(const QString& caption, UINT id, QMainWindow* frame);

    // Clamp, keep and (when docked on a fitting side) apply the width or height.
    void SetDockedWidth(int width);
    void SetDockedHeight(int height);
    int StoredWidth() const { return m_width; }
    int StoredHeight() const { return m_height; }

private:
    void ApplyLimits();
    Qt::DockWidgetArea Area() const;

    QMainWindow* m_frame;
    int m_width = 200;
    int m_height = 120;
};
