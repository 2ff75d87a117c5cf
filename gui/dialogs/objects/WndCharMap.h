#pragma once
// The character grid of the Character Map page: characters 32 to 255 of one face in 10
// columns, with a vertical scroll bar. A click or an arrow key selects (clicked), a double
// click, Enter or Space chooses (activated). Characters of the Symbol face are shown as the
// Unicode characters that face draws for their codes.

#include <QWidget>

#include "gui/dialogs/objects/CharMapGrid.h"
#include "platform/GdiTypes.h"

class QScrollBar;

class CWndCharMap : public QWidget {
    Q_OBJECT
public:
    explicit CWndCharMap(QWidget* parent = nullptr);

    const CCharMapGrid& Grid() const { return m_grid; }
    // Shows face from the top.
    void SetFace(const LOGFONT& face);
    // -1 for none.
    void Select(int character);
    int Selection() const { return m_grid.Selection(); }
    void ScrollIntoView(int character);

    QSize sizeHint() const override;

signals:
    void clicked();
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect GridArea() const;
    QRect CellRect(int character) const;
    QString Glyph(int character) const;
    void PaintCell(QPainter& painter, int character) const;
    void PaintFrame(QPainter& painter) const;
    void SyncScrollBar();

    CCharMapGrid m_grid;
    LOGFONT m_face{};
    QScrollBar* m_scrollBar;
};
