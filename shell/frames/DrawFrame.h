#pragma once
// The window of a schematic or symbol view: the view between a horizontal ruler on top
// (which also covers the corner) and a vertical ruler on the left. Whether new windows show
// their rulers is shared by all of them (DrawFrameSettings).

#include <QPointF>
#include <QSizeF>

#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"

class CRulerBar;

// Flags of UpdateRulers.
constexpr UINT kRulerHorizontal = 1;  // the horizontal scale changed
constexpr UINT kRulerVertical = 2;    // the vertical scale changed
constexpr UINT kRulerRepaintVertical = 4;
constexpr UINT kRulerAll = 8;  // the units changed: set both rulers

class CDrawFrame : public CChildFrame {
    Q_OBJECT
public:
    explicit CDrawFrame(UINT menuId = IDR_SCHEMATIC, QWidget* parent = nullptr);

    void setView(QWidget* view) override;
    CRulerBar* horizontalRuler() const { return m_horizontal; }
    CRulerBar* verticalRuler() const { return m_vertical; }

    bool RulersVisible() const { return m_rulersVisible; }
    // Shows both rulers when they are hidden, else hides them; new frames follow.
    void ToggleRulers();

    // Called by the view when it scrolls or zooms, its page changes or the units change.
    // origin is the sheet coordinate (thousandths of an inch from the sheet's top-left corner,
    // y growing downwards) at the view's top-left pixel; paper is the sheet's size.
    void UpdateRulers(const QPointF& origin, double unitsPerPixel, const QSizeF& paper, bool metric,
                      UINT flags);

    // Whether new frames show their rulers: the application's shared setting (shown when there
    // is no application).
    static bool RulersShownByDefault();

private:
    void SetHorizontalScale(const QPointF& origin, double unitsPerPixel, const QSizeF& paper);
    void SetVerticalScale(const QPointF& origin, double unitsPerPixel, const QSizeF& paper);

    QWidget* m_client;
    CRulerBar* m_horizontal;
    CRulerBar* m_vertical;
    bool m_rulersVisible;
    // The view's geometry of the last update, to set the rulers again when they reappear.
    QPointF m_origin;
    double m_unitsPerPixel = 0;
    QSizeF m_paper;
};
