#pragma once
// CSymbButton: one button of a symbol palette. It shows the drawing objects it holds, scaled
// to fit, and hands them on when clicked. Its state and objects are the palette's record of
// the button; the button keeps only the image drawn from them.

#include <QPixmap>

#include "gui/kit/HotTrackedButton.h"

class CDC;
class CObList;
class CRect;
struct PaletteButtonData;

// Notification codes a palette button sends its palette.
constexpr int kPaletteCodePlace = 0;
constexpr int kPaletteCodeNewFile = 50;
constexpr int kPaletteCodeLoadFile = 51;
constexpr int kPaletteCodeCustomize = 52;
constexpr int kPaletteCodeChanged = 53;

// Style flags of palette buttons besides the edge flag.
constexpr DWORD kSymbButtonPressed = 0x01;
constexpr DWORD kSymbButtonNoImage = 0x04;

class CSymbButton : public CHotTrackedButton {
    Q_OBJECT
public:
    CSymbButton(int index, QWidget* parent);

    int Index() const { return m_index; }
    // The palette's record of this button; its state is shown at once.
    void SetData(PaletteButtonData* data);
    PaletteButtonData* Data() const { return m_data; }
    // Draws the objects again into the cached image.
    void RebuildImage();
    const QPixmap& Image() const { return m_image; }

    // Draws the objects into rect, their common bounds scaled alike in both directions to fit
    // and centred, in the preview font.
    static void RenderObjects(CDC& dc, const CRect& rect, const CObList& objects);

    // Whether the clipboard holds drawing objects in the schematic format.
    static bool CanPaste();
    // The button takes the clipboard's objects in place of its own and tells the palette it
    // changed; objects it cannot read are reported and change nothing.
    void OnPaste();

signals:
    // Posted for a click (kPaletteCodePlace) and for the commands of the button's menu.
    void notify(int index, int code);

protected:
    void DrawFace(QPainter& painter, const QRect& face) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Post(int code);

    int m_index;
    PaletteButtonData* m_data = nullptr;
    QPixmap m_image;
};
