#pragma once
// The colour grid of the line and fill colour drop-downs and of property pages: forty named
// colours in five rows of eight, "&Automatic" (the document's default colour), a None button
// ("N&o Fill" or "N&o Outline") and "&More Colours..." for any colour. The colour the
// objects have now is drawn selected.

#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "gui/kit/HotTrackedButton.h"
#include "gui/kit/PopupTarget.h"

struct ColourCellInfo {
    UINT id;
    COLORREF colour;
    const char* name;
};
// The cells in grid order, row by row.
std::span<const ColourCellInfo> ColourGridCells();
// The system colour dialog with the application's custom colours, which it changes; none
// when cancelled.
std::optional<COLORREF> AskColour(COLORREF initial);

// Bits of the picker's mode.
constexpr int kColourAskTarget = 32;        // the target tells the current colour
constexpr int kColourAutomaticChosen = 16;  // else: the automatic colour is the current one
constexpr int kColourNoneMask = 12;         // which None button: 0 "N&one" disabled,
constexpr int kColourNoFill = 4;            //   "N&o Fill",
constexpr int kColourNoOutline = 8;         //   "N&o Outline"

// A swatch on a flat hot-tracked button.
class CColourCell : public CHotTrackedButton {
    Q_OBJECT
public:
    CColourCell(COLORREF colour, QWidget* parent);
    COLORREF Colour() const { return m_colour; }

protected:
    void DrawFace(QPainter& painter, const QRect& face) override;

private:
    COLORREF m_colour;
};

class CColourPickerDlg : public QWidget {
    Q_OBJECT
public:
    // Asks for any colour, starting from initial; nothing when the user cancelled.
    using ColourDialog = std::function<std::optional<COLORREF>(COLORREF initial)>;

    explicit CColourPickerDlg(QWidget* parent);

    // target (may be null) receives the choice for command; colour and the mode bits say
    // what is selected when the target is not asked.
    void Init(QWidget* target, UINT command, COLORREF colour, int mode);
    // Replaces the system colour dialog of "&More Colours..." (tests script it).
    void SetColourDialog(ColourDialog dialog) { m_colourDialog = std::move(dialog); }

    const std::vector<CColourCell*>& cells() const { return m_cells; }
    CHotTrackedButton* automaticButton() const { return m_automatic; }
    CHotTrackedButton* noneButton() const { return m_none; }
    CHotTrackedButton* moreButton() const { return m_more; }

signals:
    void colourChosen(UINT command, ColourCode code, COLORREF colour);
    // A choice was made, or the colour dialog is about to open: a popup holding the grid
    // closes.
    void finished();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CHotTrackedButton* AddButton(const char* name);
    void ShowCurrent(const ColourState& state);
    void Choose(ColourCode code, COLORREF colour);
    void ChooseMoreColours();

    std::vector<CColourCell*> m_cells;
    CHotTrackedButton* m_automatic;
    CHotTrackedButton* m_none;
    CHotTrackedButton* m_more;
    PopupTargetRef m_target;
    UINT m_command = 0;
    COLORREF m_colour = 0;
    ColourDialog m_colourDialog;
};
