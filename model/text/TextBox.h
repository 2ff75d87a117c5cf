#pragma once
// CTextBox: the free text of a sheet. A rectangle-family shape that carries a string, an
// optional own font, layout flags and four borders, and draws the string inside its
// rectangle, turned with the object's rotation and the placement matrix of an enclosing
// symbol. With auto size the rectangle follows the measured text; multi-line texts are
// word-wrapped to the box, the wrap keeping its breaks in the stored text as "\r\r\n".
//
// Record after the rectangle record: text (archive string), text flags (WORD), has-font
// (WORD), the 60-byte LOGFONT when has-font is not 0, then the borders left, right, top and
// bottom (WORDs).

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/cmd/TextContent.h"
#include "model/shapes/DrawRect.h"
#include "platform/CString.h"

class CObList;
class CTextBox;

// Text flags.
constexpr WORD kTextAlignMask = 0x3;  // 0 left, 1 centre, 2 right, 3 left alone by the layout
constexpr WORD kTextAlignLeft = 0;
constexpr WORD kTextAlignCentre = 1;
constexpr WORD kTextAlignRight = 2;
constexpr WORD kTextAlignKeep = 3;
constexpr WORD kTextMultiLine = 0x10;
constexpr WORD kTextAutoSize = 0x20;
constexpr WORD kTextStyleMask = 0xC0;  // display style of attribute texts

constexpr WORD kDefaultTextBorder = 5;
constexpr WORD kDefaultTextFlags = kTextAutoSize;

// Everything a view needs to open its editor over a text object. Rectangles are in sheet
// units, normalised; the view converts them to window pixels, widens the control rectangle
// by 2 pixels and scales the font's height by its viewport/window extent ratio.
struct TextEditSetup {
    CRect editRect;     // where the text goes
    CRect controlRect;  // the editor window
    LOGFONT font;       // height MulDiv(height, 100, 72) in sheet units, width 0
    bool multiLine = false;
    bool autoSize = false;
    CString text;        // the stored text, without soft breaks
    CString storedText;  // the text as it was stored, to put back when the edit is cancelled
};

// What a view offers text objects beyond IDocView; the schematic view implements both, and
// text objects reach it by casting the view they are given.
class ITextEditHost {
public:
    virtual ~ITextEditHost() = default;
    // Opens the editor over text. When the edit ends the view hands the text to SetText with
    // undo; an attribute text may refuse it (FALSE) and the editor stays open.
    virtual void EditTextInPlace(CTextBox* text, const TextEditSetup& setup) = 0;
    // Runs the "Text Properties" sheet over the texts (taken from this view's selection).
    virtual void EditTextProperties(CObList& texts) = 0;
};

class CTextBox : public CDrawRect, public ITextContent {
    DECLARE_SERIAL(CTextBox)
public:
    // Empty text, no own font, text flags 0x20, borders 5, flags 0 (no outline, no fill).
    CTextBox();
    // The text tool's new box: the same with the text "Text".
    explicit CTextBox(const CRect& position);
    CTextBox(const CTextBox& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    CString GetTipText() const override;
    CDrawDoc* SetDocument(CDrawDoc* document) override;
    // The anchor of link lines: the first corner as stored, on the sheet.
    CPoint GetNearestPoint(CPoint point) override;
    int GetObjType() const override;
    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    // Moves and re-wraps.
    void MoveTo(const CRect& position, IDocView* view) override;
    BOOL Intersects(const CRect& rect) override;
    // Opens the view's in-place editor.
    void OnOpen(IDocView* view) override;
    // The "Text Properties" sheet over the view's selected texts.
    void OnEditProperties(IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    // The rectangle's entities, then one MTEXT per drawn line.
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    // Sets the text (line ends made "\r\n") and lays it out; with undoable, records a
    // "text edit" command in the document's undo list. TRUE when the edit is finished.
    virtual BOOL SetText(const char* text, BOOL undoable);
    // The own font, else the document's text font, else the program's default text font.
    virtual LOGFONT GetFont() const;
    // Gives the object its own font (null: back to the default) and lays it out.
    virtual void SetFont(const LOGFONT* font);
    // With auto size, fits the rectangle to the text: the visual top edge stays, the
    // horizontal extent follows the alignment.
    virtual void RecalcLayout();
    // The text as drawn; an empty text leaves out alone, a text that begins with "=" goes
    // through ResolveText.
    virtual void GetDisplayText(CString& out);
    // The hook for computed texts; gives text back unchanged.
    virtual CString ResolveText(const char* text);
    // Puts the soft breaks for the current width into the stored text (multi-line), or takes
    // them out (single line).
    virtual void RewrapText();

    // flags = (flags & ~mask) | (value & mask); returns mask.
    WORD SetTextFlags(WORD value, WORD mask);
    void SetBorders(int left, int top, int right, int bottom);
    // The normalised rectangle less the borders (the top border at the larger y).
    void GetTextRect(CRect& rect) const;
    // The size of text in this object's font and line mode, as the layout measures it.
    void MeasureText(CSize& out, const char* text) const;

    // Removes the soft breaks from the stored text and describes the editor to open.
    TextEditSetup BeginInPlaceEdit();

    const CString& GetText() const { return m_text; }
    WORD GetTextFlags() const { return m_textFlags; }
    // Borders in storage order: left, right, top, bottom.
    const WORD* GetBorders() const { return m_borders; }

    // The program's default text font, for objects without document.
    static constexpr LOGFONT kDefaultFont{
        .lfHeight = -80, .lfWeight = FW_NORMAL, .lfPitchAndFamily = 0x20, .lfFaceName = "Arial"};

    // The text-properties command's access. The setters store exactly what they are given and
    // lay nothing out: the command restores the rectangle that went with the font and text.
    const LOGFONT* GetOwnFont() const override { return m_font ? &*m_font : nullptr; }
    void SetOwnFont(const LOGFONT* font) override;
    CString GetContentText() const override { return m_text; }
    void SetContentText(const char* text) override;

protected:
    // The rotation combined with the placement matrix (null when there is neither), and the
    // direction of the text under it: the angle of the lower edge, +1800 when mirrored.
    struct TextFrame {
        bool hasMatrix = false;
        double matrix[6] = {1, 0, 0, 0, 1, 0};
        int angle = 0;
        bool mirrored = false;
        const double* Matrix() const { return hasMatrix ? matrix : nullptr; }
    };
    // lineHeight is the height of the text's font in sheet units.
    TextFrame GetTextFrame(const double* placement, LONG lineHeight) const;
    // Paints the lines of the display text inside the borders with the context's font.
    void DrawLines(CDC* dc, const TextFrame& frame);

    CString m_text;
    WORD m_textFlags = kDefaultTextFlags;
    std::optional<LOGFONT> m_font;
    WORD m_borders[4] = {kDefaultTextBorder, kDefaultTextBorder, kDefaultTextBorder,
                         kDefaultTextBorder};

private:
    enum Border { kLeft, kRight, kTop, kBottom };
    // Draws the text (font, mark fill, colour, lines) with the object's pen and brush selected.
    void PaintText(CDC* dc, const double* matrix);
    // The number of lines drawn in a rectangle height lines step units apart.
    int DrawnLineCount(std::string_view text, std::int64_t height, LONG step) const;
};
