#pragma once
// CHotTrackedButton: a flat button that raises its edge while the mouse is over it. Its look
// follows its style flags (see HotTrackedButtonState): with the edge flag it draws a raised
// edge when hot and a sunken one when pushed or checked, with the caption flag its text.
// Colour cells, palette buttons and the ruler's units button build on it.

#include <QToolButton>

#include "library/HotTrackedButtonState.h"

class CHotTrackedButton : public QToolButton {
    Q_OBJECT
public:
    explicit CHotTrackedButton(QWidget* parent = nullptr);

    DWORD Flags() const;
    void SetFlags(DWORD flags);
    // The flags and text, as palette files store them.
    HotTrackedButtonState State() const;
    void SetState(const HotTrackedButtonState& state);

    bool IsHot() const { return underMouse() && isEnabled(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click does not toggle the check; only SetFlags and setChecked change it.
    void nextCheckState() override {}
    // The face inside the edge; the base draws the caption.
    virtual void DrawFace(QPainter& painter, const QRect& face);

private:
    DWORD m_flags = HotTrackedButtonState::kDefaultFlags;
};
