#pragma once
// What the toolbar's drop-down popups ask of the window they serve (the active view): the
// undo and redo rows, the selection's colour, fill style and line width, and the choices the
// user makes. Each answer is a small record; its 32-bit word form is the layout the popups
// were first written against, kept so that callers can state values in it.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/Types.h"

// How a colour was chosen in the colour grid.
enum class ColourCode {
    kColour,     // a colour of the grid or of the colour dialog
    kAutomatic,  // "&Automatic": the document's default colour
    kNone,       // "N&o Fill" or "N&o Outline"
};

// The chosen colour's command word: the command id plus 0x10000 for Automatic or 0x20000
// for None.
DWORD ColourCommandWord(UINT command, ColourCode code);

// The selection's colour: bit 24 set when the objects have one colour, bit 25 when the
// automatic colour applies, the colour in the low 24 bits.
struct ColourState {
    COLORREF colour = 0;
    bool uniform = false;
    bool automatic = false;

    static ColourState FromWord(DWORD word);
    DWORD Word() const;
};

// The selection's fill: the brush style in the low byte (0 solid, 2 hatched, anything else
// no single style) and the hatch in the next byte.
struct FillStyleState {
    static constexpr int kSolid = 0;
    static constexpr int kMixed = 1;
    static constexpr int kHatched = 2;

    int state = kMixed;
    int hatch = 0;

    static FillStyleState FromWord(DWORD word);
    DWORD Word() const;
};

// The selection's line width as the width list names it: pixels (0 or more), minus
// hundredths of a point, or kMixed when the objects differ. In word form: the pixels in the
// low byte, the hundredths in the high word (above 1 when they count), 0xFF or 0xFFFF when
// the objects differ.
struct LineWidthState {
    static constexpr int kMixed = 50;

    int width = kMixed;

    static LineWidthState FromWord(DWORD word);
    DWORD Word() const;
};

class PopupTarget {
public:
    virtual ~PopupTarget() = default;

    // The rows of the undo (redo) list, newest (oldest) first; false when the target keeps
    // no history, and the list is not shown.
    virtual bool UndoListRows(bool undo, std::vector<CString>& rows) = 0;
    // Undoes (redoes) count commands.
    virtual void UndoCommands(bool undo, int count) = 0;

    // command is the line (ID_LINE_COLOUR) or fill colour (ID_FILL_COLOUR) command.
    virtual ColourState CurrentColour(UINT command) = 0;
    virtual FillStyleState CurrentFillStyle() = 0;
    virtual LineWidthState CurrentLineWidth() = 0;

    // Applies a choice to the selection as one undoable edit: a colour for command, or a
    // value of the width list (ID_LINE_WIDTH) or the fill style list (ID_FILL_STYLE, -1
    // solid, else a hatch).
    virtual void ApplyColour(UINT command, ColourCode code, COLORREF colour) = 0;
    virtual void ApplyStyle(UINT command, int value) = 0;
};

// A popup's target window, held weakly; the calls that report a choice are queued, so that
// they run after the popup has closed, and are dropped when the window is gone.
class PopupTargetRef {
public:
    PopupTargetRef() = default;
    explicit PopupTargetRef(QWidget* window);

    PopupTarget* get() const;
    explicit operator bool() const { return get() != nullptr; }
    // Runs call on the target once control is back in the event loop.
    template <typename Call>
    void Post(Call call) const {
        if (QWidget* window = m_window.data())
            QMetaObject::invokeMethod(
                window,
                [window = m_window, call] {
                    if (auto* target = dynamic_cast<PopupTarget*>(window.data()))
                        call(*target);
                },
                Qt::QueuedConnection);
    }

private:
    QPointer<QWidget> m_window;
};
