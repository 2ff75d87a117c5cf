#include "shell/frames/DrawFrame.h"

#include <QGridLayout>

#include "model/app/SchematicApp.h"
#include "shell/frames/RulerBar.h"

CDrawFrame::CDrawFrame(UINT menuId, QWidget* parent)
    : CChildFrame(menuId, parent),
      m_client(new QWidget(this)),
      m_horizontal(new CRulerBar(Qt::Horizontal, m_client)),
      m_vertical(new CRulerBar(Qt::Vertical, m_client)),
      m_rulersVisible(RulersShownByDefault()) {
    m_horizontal->setObjectName("horizontalRuler");
    m_vertical->setObjectName("verticalRuler");
    auto* grid = new QGridLayout(m_client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_horizontal, 0, 0, 1, 2);
    grid->addWidget(m_vertical, 1, 0);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    m_horizontal->setVisible(m_rulersVisible);
    m_vertical->setVisible(m_rulersVisible);
    setWidget(m_client);

    connect(m_horizontal, &CRulerBar::rulersButtonClicked, this, &CDrawFrame::ToggleRulers);
    connect(m_horizontal, &CRulerBar::unitsMenuRequested, this,
            [this](const QPoint& at) { emit popupMenuRequested(IDR_UNITS_POPUP, at, true); });
    auto checkRulers = [this](CmdUI& ui) { ui.SetCheck(m_rulersVisible); };
    commands().On(
        ID_VIEW_RULERS, [this] { ToggleRulers(); }, checkRulers);
    commands().On(ID_VIEW_RULERS_KEY, [this] { ToggleRulers(); });
}

void CDrawFrame::setView(QWidget* view) {
    auto* grid = static_cast<QGridLayout*>(m_client->layout());
    if (QWidget* old = this->view()) {
        grid->removeWidget(old);
        delete old;
    }
    grid->addWidget(view, 1, 1);
    SetViewWidget(view);
}

void CDrawFrame::ToggleRulers() {
    m_rulersVisible = !m_rulersVisible;
    if (CSchematicApp* app = GetApp())
        app->FrameSettings.rulers = m_rulersVisible ? TRUE : FALSE;
    m_horizontal->setVisible(m_rulersVisible);
    m_vertical->setVisible(m_rulersVisible);
    SetHorizontalScale(m_origin, m_unitsPerPixel, m_paper);
}

void CDrawFrame::UpdateRulers(const QPointF& origin, double unitsPerPixel, const QSizeF& paper,
                              bool metric, UINT flags) {
    m_origin = origin;
    m_unitsPerPixel = unitsPerPixel;
    m_paper = paper;
    if ((flags & kRulerAll) || metric != m_vertical->IsMetric()) {
        m_vertical->SetMetric(metric);
        m_horizontal->SetMetric(metric);
        SetVerticalScale(origin, unitsPerPixel, paper);
        SetHorizontalScale(origin, unitsPerPixel, paper);
        return;
    }
    if (flags & kRulerVertical)
        SetVerticalScale(origin, unitsPerPixel, paper);
    if (flags & kRulerHorizontal)
        SetHorizontalScale(origin, unitsPerPixel, paper);
    if (flags & kRulerRepaintVertical)
        m_vertical->update();
}

void CDrawFrame::SetHorizontalScale(const QPointF& origin, double unitsPerPixel,
                                    const QSizeF& paper) {
    // The horizontal ruler starts over the vertical one, left of the view.
    const int corner = m_rulersVisible ? CRulerBar::kThickness : 0;
    m_horizontal->SetScale(origin.x() - corner * unitsPerPixel, unitsPerPixel);
    m_horizontal->SetSheetLength(paper.width());
}

void CDrawFrame::SetVerticalScale(const QPointF& origin, double unitsPerPixel,
                                  const QSizeF& paper) {
    m_vertical->SetScale(origin.y(), unitsPerPixel);
    m_vertical->SetSheetLength(paper.height());
}

bool CDrawFrame::RulersShownByDefault() {
    const CSchematicApp* app = GetApp();
    return !app || app->FrameSettings.rulers;
}
