#pragma once
// The item preview: a library item's drawings scaled into a grid of cells (one per gate of a
// device), its name, and on a second tab its description. Cells with several drawings of one
// gate step through them with two arrows. "Place" or a double click hands the shown drawings
// to whoever places them; the preview keeps its objects, so the receiver copies.

#include <QWidget>
#include <functional>

#include "library/PreviewGrid.h"
#include "platform/CString.h"

class CLibraryItemData;
class QPlainTextEdit;
class QPushButton;

class CPreviewWnd : public QWidget {
    Q_OBJECT
public:
    using PlaceHandler = std::function<void(const CObList& objects)>;

    explicit CPreviewWnd(UINT flags = 0, QWidget* parent = nullptr);
    ~CPreviewWnd() override;

    // Takes the item's objects, name and description.
    void ShowItem(CLibraryItemData& item);
    // One cell with the objects, taken out of the list; an empty list clears the preview.
    void SetObjects(CObList& objects, const CString& description, const CString& name);
    void SetPlaceHandler(PlaceHandler handler) { m_place = std::move(handler); }

    // 0 the drawings, 1 the description.
    int Mode() const { return m_mode; }
    const CString& Name() const { return m_name; }
    const CPreviewGrid& Grid() const { return m_grid; }
    // Sends the shown drawing of each cell, in row order, to the place handler.
    void Place();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Changed();
    void SetMode(int mode);
    PreviewLayout Layout() const;
    int CaptionHeight() const;
    // The two tabs as drawn, and as clicked (narrowed by half the strip's height).
    QRect TabRect(int tab) const;
    void PaintTabs(QPainter& painter) const;
    void PaintCells(QPainter& painter) const;
    void PaintCaption(QPainter& painter, const CRect& cell, const CPreviewGrid::Cell& data) const;

    UINT m_flags;
    CPreviewGrid m_grid;
    CString m_name;
    int m_mode = 0;
    QFont m_captionFont;
    QPlainTextEdit* m_description;
    QPushButton* m_placeButton;
    PlaceHandler m_place;
};
