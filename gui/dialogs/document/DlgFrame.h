#pragma once
// The "Frame" page: which parts of the sheet border are drawn (the frame and its sides, the
// zone grid, the title block, the reference numbers), the colours, the zone spacing and the
// title block's size, with a preview of the border. It edits a copy, written back on OK.

#include <functional>
#include <optional>

#include "gui/kit/PropertySheet.h"
#include "model/doc/FrameForm.h"

class CMappedPreview;
class QCheckBox;
class QComboBox;
class QPushButton;

// Asks for a colour starting from the given one; none when cancelled.
using ColourAsker = std::function<std::optional<COLORREF>(COLORREF)>;

class CDlgFrame : public CPropertyPage {
    Q_OBJECT
public:
    // cm: the application shows metric units.
    // paper: the sheet's size (height negative), which gives the preview its shape.
    CDlgFrame(CSheetBorder& border, SIZE paper, bool cm, ColourAsker askColour,
              QWidget* parent = nullptr);

    const CSheetBorder& Copy() const { return m_copy; }
    QCheckBox* frameBox() const { return m_frame; }
    QCheckBox* sideBox(int side) const { return m_sides[side]; }
    QComboBox* itemList() const { return m_items; }
    QPushButton* itemButton() const { return m_itemButton; }

protected:
    void OnApply() override;

private:
    QWidget* CreateChecks();
    void OnCheck();
    void OnItemChosen();
    void OnItemButton();
    void EditSpacing();
    void EditTitleBlockSize();

    CSheetBorder& m_border;
    CSheetBorder m_copy;
    SIZE m_extent;
    bool m_cm;
    ColourAsker m_askColour;
    QCheckBox* m_frame = nullptr;
    QCheckBox* m_sides[4] = {};
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_titleBlock = nullptr;
    QCheckBox* m_numbers = nullptr;
    QComboBox* m_items = nullptr;
    QPushButton* m_itemButton = nullptr;
    CMappedPreview* m_preview = nullptr;
};
