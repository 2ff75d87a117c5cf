#pragma once
// The rule matrix of the "DRC Options" page: the level of every pair of types as a coloured
// cell of a triangle, the type names along its rows and, turned, below its columns, and a
// legend of the colours. A click on a cell moves it to the next level; a click on a label
// selects that type (elsewhere: none).

#include <QAbstractScrollArea>

#include "gui/drc/DrcMatrixLayout.h"

class CDrcRules;

class CDrcMatrixWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CDrcMatrixWnd(QWidget* parent = nullptr);

    void SetRules(CDrcRules* rules);
    int Selection() const { return m_selected; }
    void SetSelection(int type);
    const DrcMatrixLayout& Layout() const { return m_layout; }
    // Lays the grid out for the rule set's types again and repaints.
    void UpdateLayout();
    // A click at a point of the grid's scrolled coordinates.
    void ClickAt(QPoint point);
    // A type's label as drawn: its name, with an ellipsis when it is longer than the labels'
    // room, which grows with the font up to a limit.
    QString LabelText(int type) const;
    const QFont& LabelFont() const { return m_font; }
    // The colour of a level.
    static QColor LevelColour(int level);

signals:
    void selectionChanged(int type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QSize viewportSizeHint() const override;

private:
    void UpdateScrollBars();
    QString Name(int type) const;
    void DrawGrid(QPainter& painter);
    void DrawLabels(QPainter& painter);
    void DrawLegend(QPainter& painter);

    CDrcRules* m_rules = nullptr;
    int m_selected = -1;
    DrcMatrixLayout m_layout;
    QFont m_font;
};
