#pragma once
// The view of a schematic document: the paper in the document's paper colour on the
// workspace grey, with the sheet border and the document's objects, at a fixed zoom (an inch
// of the sheet is an inch of the screen). The window scrolls when it is smaller than the
// paper and centres the paper when it is larger; the rulers of its drawing window follow.

#include <QAbstractScrollArea>

#include "model/doc/DocView.h"
#include "platform/DCMapping.h"
#include "platform/ObList.h"
#include "shell/PopupTarget.h"

class CDC;
class CDrawDoc;
class CDrawFrame;

class CDrawView : public QAbstractScrollArea, public IDocView, public PopupTarget {
    Q_OBJECT
public:
    // The view joins document's views until it is destroyed.
    explicit CDrawView(CDrawDoc& document, QWidget* parent = nullptr);
    ~CDrawView() override;

    CDrawDoc& GetDocument() const { return m_document; }

    // Sheet coordinates (thousandths of an inch, y up) to window pixels.
    DCMapping Mapping() const;
    void OnPrepareDC(CDC& dc) const;

    // IDocView. The units hint sets the rulers; other hints repaint the window.
    void OnUpdate(IDocView* sender, int hint, CObject* hintObject, CObList* hintList) override;
    void SetPageSize(const SIZE& size) override;
    CPoint DocToClient(const CPoint& point) const override;
    CPoint ClientToDoc(const CPoint& point) const override;
    void InvalidateClientRect(const CRect& rect) override;
    // The view selects nothing yet.
    const CObList& GetSelection() const override { return m_selection; }
    bool ShowsTrackers() const override { return true; }
    // At a fixed zoom there is nothing to bring into sight, and no objects to edit.
    void ShowFlaggedObjects(unsigned long /*flagMask*/) override {}
    void EditObjectProperties(CObList& /*objects*/, DWORD /*pageOptions*/) override {}

    // PopupTarget. The lists show the document's history. Nothing is selected yet: the
    // colour reads as one black, fill style and width as differing, and choices change
    // nothing.
    bool UndoListRows(bool undo, std::vector<CString>& rows) override;
    void UndoCommands(bool undo, int count) override;
    ColourState CurrentColour(UINT command) override;
    FillStyleState CurrentFillStyle() override;
    LineWidthState CurrentLineWidth() override;
    void ApplyColour(UINT /*command*/, ColourCode /*code*/, COLORREF /*colour*/) override {}
    void ApplyStyle(UINT /*command*/, int /*value*/) override {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The paper with a border of 100 sheet units, in sheet units and in pixels.
    SIZE LogicalSize() const;
    QSize DeviceSize() const;
    void UpdateScrollBars();
    void UpdateRulers(UINT flags);
    CDrawFrame* Frame() const;

    CDrawDoc& m_document;
    CObList m_selection;
};
