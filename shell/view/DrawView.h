#pragma once
// The view of a schematic document: the paper in the document's paper colour on the
// workspace grey, with the sheet border and the document's objects, zoomed and scrolled (see
// ZoomScrollView); the rulers of its drawing window follow. Its commands zoom in and out at
// the cursor and to the factor of the zoom box.

#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "drawtools/ToolView.h"
#include "gui/kit/PopupTarget.h"
#include "model/doc/DocView.h"
#include "model/text/TextBox.h"
#include "platform/ObList.h"
#include "platform/PointerSet.h"
#include "shell/commands/CommandMap.h"
#include "shell/view/ViewSnapGrid.h"
#include "shell/view/ZoomScrollView.h"

class CDC;
class CDrawDoc;
class CDrawFrame;
class CDrawTool;
class CInPlaceTextEdit;
class CTransformCmd;
class MovePictures;
class CWire;
class CDrawOleObj;
class QComboBox;
class QMimeData;
class QPainter;

// Bits of the view flags ("Settings"/"ViewFlags").
constexpr DWORD kViewCrosshair = 0x100;  // full-screen crosshair cursor

class CDrawView : public ZoomScrollView,
                  public IToolView,
                  public ITextEditHost,
                  public PopupTarget,
                  public CommandTarget {
    Q_OBJECT
public:
    // The view joins document's views until it is destroyed.
    explicit CDrawView(CDrawDoc& document, QWidget* parent = nullptr);
    ~CDrawView() override;

    CDrawDoc& GetDocument() const { return m_document; }

    const CommandMap& Commands() const override { return m_commands; }
    // The zoom box's text: a leading number is a percentage.
    void ApplyZoomText(const QString& text);

    // The selection; its last object is the dominant one. Select without add empties it
    // first; selecting a selected object makes it the dominant one.
    void Select(CDrawObj* object, bool add = false) override;
    void Deselect(CDrawObj* object) override;
    bool IsSelected(const CDrawObj* object) const override;
    // Adds the objects meeting a window rectangle, in document order.
    void SelectWithinRect(const CRect& windowRect, bool add) override;
    CRect GetSelectionBounds() const override;
    void InvalObj(CDrawObj* object);
    // With the full-screen crosshair view flag, the crosshair lines move to the window point
    // (x, y); the point is kept in every case.
    void MoveCrosshair(int x, int y);
    // Zooms to the objects (and the symbols with pins) carrying a flag of mask: at most to
    // the larger of the current factor and 2.0, then centres them.
    void ZoomToMarkedObjects(DWORD mask);
    void SelectAll();
    // Every view drops the selected objects, which leave the document as one step.
    void DeleteSelection();

    // The clipboard: a copy of the selection, the same with the selection deleted, and the
    // clipboard's data pasted.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // Pastes drawing objects, library records, or else an embedded object made from the data.
    // Data that fail to load leave the document and the selection empty of them, and the
    // user is told.
    void PasteFrom(const QMimeData& data);
    // Takes loaded objects (the list is emptied): moved off the objects they would cover,
    // they join the document where they are as one step and become the selection; objects the
    // document refuses are deleted. Nothing added is told to the user.
    void PlacePastedObjects(CObList& objects);

    // Snapping of tool points (see SnapEngine) with the application's snap options.
    CDrawObj* SnapPoint(CPoint& point, DWORD mask, const CObList* exclude,
                        GridSnap grid = GridSnap::AsSet) override;
    void SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, bool invert) override;
    CSnapGrid& Grid() { return m_grid; }

    // Adds copies of objects from elsewhere (the clipboard, a library, a palette) as one step,
    // selected, and lets them follow the mouse until a click drops them (see CPlaceTool). The
    // objects stay the caller's. False when none was taken.
    bool PlaceObjects(const CObList& objects);
    // With the option to place on paste: the pasted selection follows the mouse.
    void CarryPastedObjects();

    // IToolView (DrawViewTools.cpp): what the drawing tools ask of the view.
    CDrawDoc& Document() override { return m_document; }
    bool CloneSelection() override;
    CRect ClientRect() const override;
    CPoint CursorPosition() const override;
    CSize GridSpacing() const override;
    bool SnapsToGrid() const override;
    void SetPrompt(UINT id) override;
    void SetCursor(ToolCursor cursor) override;
    // A gesture that begins or ends drops the pictures of a move (see MovePictures).
    void SetCapture(bool on) override;
    bool HasCapture() const override { return m_capture; }
    void ShowFocusRect(const CRect* windowRect) override;
    void SetAutoScroll(bool on) override;
    void ScrollLines(int dx, int dy) override;
    void ZoomToSheetRect(const CRect& sheet) override { ZoomToRect(sheet); }
    void ZoomAt(CPoint sheet, bool in) override;
    UINT TrackMenu(const ToolMenu& menu, CPoint screen) override;
    void RunCommand(UINT id) override;
    void InvalidateAll() override;
    // The text being edited in place is handed to its object (taken back when the object
    // refuses it), or left as it was when the gesture is cancelled.
    void EndInPlaceEdit(GestureEnd how) override;
    // The in-place text editor. BeginTextEdit opens it over text (as opening the object
    // does). Return in a single line, the editor losing the focus, or a command, hands the
    // text to the object as one undoable step (FinishInPlaceEdit, false when the object
    // refused it and the editor stays open); Escape (CancelTextEdit) leaves the object as it
    // was.
    void BeginTextEdit(CTextBox* text);
    bool FinishInPlaceEdit() override;
    void CancelTextEdit();
    CInPlaceTextEdit* TextEditor() const { return m_textEdit; }
    // "Insert New Object": the file chosen becomes an embedded object of the sheet (a picture
    // shows itself, any other file a labelled frame); false, after a message, when that fails.
    void OnInsertObject();
    bool InsertObjectFromFile(const QString& path);
    // "Connect Implicitly": when the dominant object is a wire, ties its net to the hidden pins
    // chosen in the "Connect Wire Implicitly To.." dialog.
    CWire* DominantWire() const;
    void ConnectImplicitly();

    // ITextEditHost
    void EditTextInPlace(CTextBox* text, const TextEditSetup& setup) override;
    // The "Text Properties" sheet.
    void EditTextProperties(CObList& texts) override;

    // IDocView. The units hint sets the rulers; other hints repaint the window.
    void OnUpdate(IDocView* sender, int hint, CObject* hintObject, CObList* hintList) override;
    void SetPageSize(const SIZE& size) override;
    CPoint DocToClient(const CPoint& point) const override;
    CPoint ClientToDoc(const CPoint& point) const override;
    void InvalidateClientRect(const CRect& rect) override;
    // The view selects nothing yet.
    const CObList& GetSelection() const override { return m_selection; }
    void ReplaceInSelection(const CObList& from, const CObList& to) override;
    bool ShowsTrackers() const override { return true; }
    CPoint NearestGridPoint(const CPoint& point) const override {
        return m_grid.SnapPoint(point.x, point.y);
    }
    // ZoomToMarkedObjects.
    void ShowFlaggedObjects(unsigned long flagMask) override;
    // Ends the drawing gesture open in this view, a text being edited in place too, and one
    // open in another view (see ToolManager::EndGesture).
    void EndGesture() override;
    // As View > Zoom > Objects.
    void ZoomToObjects() override;
    // The "Object Properties" sheet.
    void EditObjectProperties(CObList& objects, DWORD pageOptions) override;

    // PopupTarget. The lists show the document's history; the colour, fill style and width
    // are the selection's, and choices apply to the selection.
    bool UndoListRows(bool undo, std::vector<CString>& rows) override;
    void UndoCommands(bool undo, int count) override;
    ColourState CurrentColour(UINT command) override;
    FillStyleState CurrentFillStyle() override;
    LineWidthState CurrentLineWidth() override;
    void ApplyColour(UINT command, ColourCode code, COLORREF colour) override;
    void ApplyStyle(UINT command, int value) override;

protected:
    // For the views built on this one: the command map to add to (an entry replaces the one
    // for the same command), and the grid of symbol sheets: 0.02 inch in navy unless the
    // settings' "SymbGrid" says otherwise, saved there by the grid's settings sheet.
    CommandMap& ExtendCommands() { return m_commands; }
    void UseSymbolGrid();

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void OnZoomChanged() override;
    void OnScrolled(int dx, int dy) override;
    RECT GetPageMargins() const override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Files and pictures dropped: schematic files open, anything else becomes an embedded
    // object where it is dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Which objects a paint draws (see CDrawDoc::Draw).
    using DrawFilter = std::function<bool(const CDrawObj*)>;

    void AddCommands();
    // The Library menu and the Object > Connect Wire To commands.
    void AddLibraryCommands();
    void AddSelectionToChosenLibrary();
    void AddSelectionToSelectedLibrary();
    void ListLibraryItems();
    void NewLibraryFile();
    void AddClipboardCommands();
    void AddEditCommands();
    void AddOrderAndTransformCommands();
    void AddTextFormatCommands();
    // Aligning and sizing, the grid, zoom and undo items (DrawViewArrange.cpp).
    void AddArrangeCommands();
    void AddGridCommands();
    void SetGridSpacing(float inches);
    void EditGridOptions();
    void AddZoomCommands();
    std::optional<CRect> VisibleObjectsBounds() const;
    void ToggleCrosshair();
    void AddUndoCommands();
    // Undoes (redoes) count steps after the open gesture ended; a gesture that took its own
    // step back counts as one step undone, a text edited in place and handed over as a step
    // of its own is that step.
    void UndoSteps(bool undo, int count);
    // Every command of the view ends the open gesture before it runs, but those that only
    // change how the sheet is seen and those that end it their own way.
    void EndGestureBeforeCommands();
    // The attribute-text toggles and the highlights (DrawViewToggles.cpp).
    void AddToggleCommands();
    // The keys the view takes before the tool (DrawViewKeys.cpp): the arrows steer the
    // cursor, Enter clicks where it is. True when the key was taken.
    bool TakeViewKey(QKeyEvent* event);
    // Find, Find Next, Highlight All and Select All with the main frame's Find dialog
    // (DrawViewFind.cpp).
    void AddFindCommands();
    void FindNext();
    void FindAll(bool select);
    void HighlightOnly(const CObList& objects);
    QRect GlobalRect(const CRect& sheet) const;
    void SteerCursor();
    // A left button press (or release) at the cursor, from the keyboard.
    void ClickAtCursor(bool press, const QKeyEvent* event);
    void ShowPropertiesFromKey();
    // An embedded object made from the data with its top-left corner at the sheet point; the
    // user is told when none can be made.
    bool InsertEmbedded(const QMimeData& data, CPoint topLeft);
    std::unique_ptr<CDrawOleObj> EmbeddedFrom(const QMimeData& data, const CRect& rect) const;
    // Moves the dotted frame that shows where a drop would go (an empty rectangle hides it).
    void ShowDropFeedback(const QRect& rect);
    void ChooseColour(bool fill);
    // Rotates (by angle) or mirrors the selection about its centre.
    void Transform(int kind, int angle = 0);
    void OnRotate();
    void GroupSelection();
    // Print through the print dialog, or show the print preview.
    void OnFilePrint();
    void OnFilePrintPreview();
    void ReportUnprintable();
    // The cursor, selection position and selection size panes of the status bar.
    void AddPaneCommands();
    // The sheet point under the cursor, or at the window centre when the cursor is outside.
    POINT CursorSheetPoint() const;
    void UpdateRulers(UINT flags);
    CDrawFrame* Frame() const;
    QComboBox* ZoomBox() const;
    // The paper in sheet units: the drawing area's origin lies inside its margins.
    CRect PaperRect() const;
    // The workspace, the paper with its grid and border, and the objects drawn takes with their
    // trackers, within exposed.
    void PaintSheet(QPainter& painter, const QRect& exposed, const DrawFilter& drawn);
    // The objects drawn takes with their trackers, within area (window pixels); the sheet
    // border first with border.
    void DrawObjects(QPainter& painter, const QRect& area, const DrawFilter& drawn, bool border);
    // The focus rectangle, the crosshair and the drop frame over the sheet.
    void PaintOverlays(QPainter& painter) const;
    // The move of the selection the select tool is dragging in this window, or null.
    const CTransformCmd* SelectionMove() const;
    // While a move is dragged, paints exposed from the move's pictures (see MovePictures),
    // taking them first when there are none that serve; false when no move is dragged here.
    bool PaintMoving(QPainter& painter, const QRect& exposed);
    void TakeMovePictures(const CTransformCmd& move);
    // The moving picture's shift in window pixels for the move as it stands.
    QPoint MoveShift(const CTransformCmd& move) const;
    // Anything but a step of the move drops the pictures and repaints the whole window.
    void DropMovePictures();
    void PaintPaper(QPainter& painter, const CRect& paper) const;
    void PaintGrid(QPainter& painter, const CRect& paper, const QRect& exposed) const;
    DWORD SnapOptions() const;
    // The selection to change: every change goes through here, which drops the table of its
    // members.
    CObList& ChangeSelection();
    // Each object of list repaints itself.
    void InvalidateList(const CObList& list);
    void ReplaceSelection(const CObList* list);
    void AddToSelection(const CObList* list);
    void DropFromSelection(const CObList* list);
    void ShowTip(const QPoint& at, const QPoint& global);
    // Takes the tip away, and the one waiting to show.
    void HideTip();
    void InvalidateCrosshair();
    void PaintCrosshair(QPainter& painter) const;
    void EndGrab();
    bool Metric() const;
    // The drawing tools' commands and the events they get (DrawViewTools.cpp).
    void AddToolCommands();
    void ChooseShapeCommand(UINT id, int shape);
    void OnCancelCommand();
    // Cancels the current tool's gesture and makes the select tool current.
    void EndTool();
    void OnEndCommand();
    // The current tool, when the program has tools.
    CDrawTool* CurrentTool() const;
    // An event that may begin or go on with a gesture here: a gesture open in another view
    // ends first, and the tools take this view's events. False when a text edited in place
    // there goes on (its object refused it, and the user chose to go on editing it): the event
    // is then spent.
    bool EngageTools();
    // Whether the tools take this view's events (see ToolManager::IsEngaged).
    bool ToolsEngaged() const;
    void PaintFocusRect(QPainter& painter) const;
    // The editor's place in window pixels, inside the window, and its font at this zoom.
    QRect TextEditorRect(const CRect& sheetRect) const;
    // Hands the editor's text to the object; false when the object refused it.
    bool TakeEditedText();
    void CloseTextEditor();

    CDrawDoc& m_document;
    CObList m_selection;
    // The members of m_selection, made when first asked after a change (see IsSelected).
    mutable std::optional<PointerSet> m_selected;
    CommandMap m_commands;
    CSnapGrid m_grid;
    bool m_symbolGrid = false;
    QPoint m_cursor;  // the last mouse position in the window
    DWORD m_viewFlags = kViewCrosshair;
    QPoint m_crosshair{-1, -1};
    bool m_grabbing = false;
    QPoint m_grabPoint;
    bool m_capture = false;            // a tool holds the mouse
    std::optional<QRect> m_focusRect;  // a tool's rubber band, window pixels
    QTimer m_autoScroll;
    bool m_closing = false;
    QTimer* m_tipTimer;                      // the tip shows once the mouse has rested this long
    const CDrawObj* m_tipObject = nullptr;   // the object of the document whose tip is shown
    CInPlaceTextEdit* m_textEdit = nullptr;  // while a text is edited in place
    CTextBox* m_editedText = nullptr;
    CString m_storedText;       // the edited object's text as it was
    QTimer m_steering;          // moves the cursor while arrow keys are held
    unsigned m_arrowsHeld = 0;  // bits of the arrow keys held down
    bool m_steerFast = false;   // Shift was down at the last key event
    QRect m_dropFeedback;       // where a drop would put its object, in window pixels; empty: none
    int m_dirtyRects = 0;       // rectangles marked for repainting since the last paint; -1: all
    std::unique_ptr<MovePictures> m_movePictures;  // while a move is dragged here
};
