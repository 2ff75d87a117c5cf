#pragma once
// CDrawDoc: the schematic document. It owns every drawing object of one sheet, the document's
// named attributes, the page and the default drawing styles, the sheet border, the print
// settings and printer choice, the summary information and the undo list.

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/doc/DocChangeLog.h"
#include "model/doc/DocNetlistBuild.h"
#include "model/doc/DocumentBase.h"
#include "model/doc/PrintSettings.h"
#include "model/doc/PrinterChoice.h"
#include "model/doc/SheetBorder.h"
#include "model/doc/SummaryInfo.h"
#include "model/undo/UndoList.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Maps.h"
#include "platform/ObList.h"
#include "platform/PointerSet.h"

class CAttrText;
class CCommand;
class CDC;
class CDevice;
class CDocNetlist;
class CDrawObj;
class CNet;
class CNetlistFormat;
class CSymbol;
class CSymbolDoc;
struct SummaryFields;
class IDocView;
class SettingsStore;

// A search over the document's objects by type mask and rectangle. Each search keeps its own
// position, so searches may nest and the list may change between steps.
class CObjectSearch {
public:
    CObjectSearch(const CObList& objects, DWORD typeMask, const CRect& rect);
    // The next object whose type bit is in the mask and that intersects the rectangle; null at
    // the end.
    CDrawObj* Next();

private:
    const CObList& m_objects;
    DWORD m_typeMask;
    CRect m_rect;
    POSITION m_pos;
};

// Flags of CDrawDoc::SetAttribute.
constexpr UINT kAttrUndoable = 0x2;     // record an undoable "property edit"
constexpr UINT kAttrSetModified = 0x4;  // mark the document modified

// Flags answered by CDrawDoc::GetAttributeFlags and kinds of GetAttributeFlagsAt.
constexpr int kAttrFlagsReadOnly = 13;
constexpr int kAttrKindStored = 0;
constexpr int kAttrKindComputed = 1;
constexpr int kAttrKindComputedReadOnly = 3;
constexpr int kComputedAttrCount = 6;

// Bits of CDrawDoc::HighlightNet's mode.
constexpr UINT kHighlightClear = 0x1;
constexpr UINT kHighlightSet = 0x2;
constexpr UINT kErrorMarkClear = 0x4;
constexpr UINT kErrorMarkSet = 0x8;
constexpr UINT kHighlightClearAllFirst = 0x10;
constexpr UINT kHighlightShow = 0x20;

class CDrawDoc : public CDocumentBase {
    DECLARE_DYNCREATE(CDrawDoc)
public:
    CDrawDoc();
    ~CDrawDoc() override;

    CDrawDoc* AsDrawDoc() override { return this; }

    // Objects allowed on this kind of sheet; a schematic refuses pins.
    virtual BOOL IsObjectAllowed(CObject* object);

    // Objects enter the document only through these, each call one undoable step.
    // AddObjects takes the drawing objects that the document allows out of the list and adds
    // them as one step; refused objects stay in the list and still belong to the caller. An
    // object taken out never returns to the caller: it is in the document, or it was deleted
    // when the step was taken back because some object could not get an identifier (FALSE).
    // FALSE also when an object was refused, although the others were added.
    virtual BOOL AddObjects(CObList* list);
    // Adds one object. The document takes it in every case: on FALSE (refused, or taken back
    // because it could not get an identifier) it has been deleted.
    virtual BOOL AddObject(std::unique_ptr<CDrawObj> object);
    // Adds copies of objects that belong elsewhere (the clipboard, a library, another
    // document); the objects themselves stay as they were. Links among them are copied
    // between the copies. On TRUE the list holds the copies, now in this document; on FALSE
    // it is empty and no copy is left.
    BOOL AddObjectCopies(CObList* list);
    // Copies of the sources made for this document, links among them kept; FALSE (copies
    // empty) when it failed. The copies are the caller's until added.
    BOOL CopyObjects(const CObList& sources, CObList& copies);
    // Takes the objects out as one undoable step.
    void RemoveObjects(CObList* list);
    // Moves the objects into a new symbol at the tail of the list, as one "group objects" step;
    // the symbol, or null for an empty list.
    CSymbol* GroupObjects(CObList* list);
    // The device to use in place of this one: an equal device of the same name that an object
    // of the document holds; else this one, renamed to a unique name when another device of
    // the document has its name.
    CDevice* FindSharedDevice(CDevice* device);
    // Gives the symbols of the list fresh identifiers, in list order, as one "renumber" step.
    void RenumberObjects(CObList* list);

    // Identifiers. MakeObjectId takes the wanted identifier and leaves the one to use: the
    // wanted one when the object accepts it, else the first free prefix + number counted from
    // m_firstPartNumber (prefix "_Pref", or "A"). The caller stores the result as the object's
    // "_ID".
    void MakeObjectId(CString& id, CDrawObj* object);
    // TRUE when another object of the same type code has this "_ID".
    BOOL IsIdInUse(CDrawObj* object, const char* id);
    // The name itself, or with a number "(2)", "(3)"... (counting on from a number that it
    // already ends with), that no device of the document has.
    void MakeUniqueDeviceName(CString& result, const char* name);

    // Keeps the listed objects that are in the document, once each, in drawing order.
    void SortInDrawingOrder(CObList* list);
    // Moves new texts (not yet in the document) down in steps of 200 units until each is clear
    // of the document's objects and of the texts placed before it.
    void StackNewTexts(CObList* texts);

    // Attributes: six computed names first ("Title", "Date Created", "Drawn By", "Comments",
    // "Last Saved", "File"), then the stored map. Names compare exactly.
    virtual int GetAttributeFlags(const char* name);
    virtual BOOL SetAttribute(const char* name, const char* value, UINT flags);
    virtual CString GetAttribute(const char* name);
    virtual CObList* GetAttrTextList() { return &m_attrTexts; }
    virtual CMapStringToString* GetAttributeMap() { return &m_attributes; }
    // Puts a new attribute text at (100, -100), unrotated and left aligned.
    virtual void PlaceNewAttrText(CAttrText* text);

    // FALSE when the map has no such key; computed names always answer TRUE.
    BOOL GetAttribute(const char* name, CString& value);
    // Index 0-5 of a computed name, else -1.
    static int FindComputedName(const char* name);
    int GetAttributeCount() const;
    void GetAttributeAt(int index, CString& name, CString& value);
    static int GetAttributeFlagsAt(int index);
    // FALSE for a computed name; refreshes the attribute texts either way.
    BOOL RemoveAttribute(const char* name);
    // Refreshes the attribute texts of m_attrTexts bound to name, or all of them (null).
    void UpdateAttrTexts(const char* name);
    // The next text of m_attrTexts bound to name after pos (from the head when pos is null);
    // pos is left after it. Null at the end.
    CAttrText* FindAttrText(const char* name, POSITION& pos);
    // The text bound to name; with create, one is made (title-block style, not yet in the
    // object list) when there is none and the document has that attribute. Else null.
    CAttrText* GetDocAttrText(const char* name, BOOL create);

    // Life cycle. Serialize stores or loads the archived document of the file's "Contents"
    // stream; an unknown opening word ends the load with an archive exception.
    void Serialize(CArchive& ar) override;
    void SetPathName(const char* path, BOOL addToMru = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    void OnCloseDocument() override;

    // Nets. FindNet: the net of the first object whose net is named so (exactly), or null.
    CNet* FindNet(const char* name) const;
    // Joins the nets of every wire group, in list order; FALSE when the user cancelled a
    // choice of nets, which ends the joining.
    BOOL JoinNets();
    // Gives every unnamed net an automatic name ("n0001", ...) free in the document.
    void NameUnnamedNets();
    // Whether a net other than except that an object of the document holds has the name. While
    // a NetNameScope lasts the names are gathered once, when first needed, and names given since
    // are added, so that adding many wires stays fast; a name that left meanwhile may still
    // count as taken.
    BOOL IsNetNameInUse(const CString& name, const CNet* except);
    // The object stands in the object list, or is a pin of a symbol there. While all texts
    // and links are purged, an index or a mark made once answers in place of a search.
    BOOL IsListed(const CDrawObj* object) const;
    void NoteNetName(const CString& name);
    class NetNameScope {
    public:
        explicit NetNameScope(CDrawDoc& doc);
        ~NetNameScope();
        NetNameScope(const NetNameScope&) = delete;
        NetNameScope& operator=(const NetNameScope&) = delete;

    private:
        CDrawDoc& m_doc;
        bool m_owner;
    };

    // Flags, highlighting and look-ups
    void ClearObjectFlags(DWORD mask);
    void ClearFlagsAndInvalidate(DWORD mask);
    void HighlightNet(CNet* net, UINT mode);
    void ShowObject(CDrawObj* object);
    CDrawObj* ObjectInRect(const CRect& rect);
    CDrawObj* FindOtherObjectInRect(const CRect& rect, CDrawObj* except);
    CObjectSearch SearchObjects(DWORD typeMask, const CRect& rect) const;

    // Drawing: the objects from head to tail in the document's text font, then (on screen)
    // the trackers of the view's selection; the frame with its fills and zone grid.
    // With visible (sheet units), only objects whose bounds meet it are drawn; with drawn, only
    // the objects it takes, and the trackers of those.
    using DrawFilter = std::function<bool(const CDrawObj*)>;
    void Draw(CDC* dc, IDocView* view, const CRect* visible = nullptr,
              const DrawFilter& drawn = {});
    void DrawSheetBorder(CDC* dc, BOOL screen);
    void GetTitleBlockRect(CRect& rect);
    // The paper less its margins, normalised: the origin is its top-left corner and it lies
    // below (at negative y).
    CRect GetDrawingArea() const;

    // Page
    void SetMargins(const RECT& margins);
    void SetPaperSize(int cx, int cy);
    const SIZE& GetPaperSize() const { return m_paperSize; }
    const RECT& GetMargins() const { return m_margins; }

    // The symbol editors whose symbols go back into this document. Each adds itself when it
    // takes a symbol and removes itself when it goes; when this document closes first, each is
    // told and edits on its own from then on.
    void AddSymbolEditor(CSymbolDoc* editor);
    void RemoveSymbolEditor(CSymbolDoc* editor);

    // Undo
    CUndoList& GetUndoList() { return m_undoList; }
    // What the recorded edits (done, undone and redone) changed.
    CDocChangeLog& GetChangeLog() { return m_changeLog; }
    const CDocChangeLog& GetChangeLog() const { return m_changeLog; }
    BOOL CancelLastCommand();
    BOOL MergeCommand(CCommand* command);
    // Notes in the change log, and tells the application, that the objects changed outside a
    // recorded edit (as a tool's drawing does before the edit is complete).
    void NoteObjectsChanged(const std::vector<CDrawObj*>& objects);

    // Defaults for new documents, section "Document" of the application's settings.
    void LoadDefaultSettings(const SettingsStore& store);
    void SaveDefaultSettings(SettingsStore& store) const;

    // Drops a chosen printer that can no longer print; FALSE when there is none (left).
    BOOL ValidatePrinter();

    // Builds a netlist or report of the sheet and its sub-circuit sheets. Without both a file
    // and a writer, the user chooses them (and the screen instead of a file); TRUE when the
    // whole output was written.
    BOOL BuildNetlist(const char* path, CNetlistFormat* writer);

    CSummaryInfo* GetSummaryInfo() const { return m_summaryInfo.get(); }
    // The clock of the times the document stamps in its summary information: when it was made
    // and last saved, and how long it was edited. The system's clock unless another is set.
    using Clock = std::function<FileTime()>;
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // OK on the summary page: the fields go to the summary information, the attribute texts
    // (which may show "Title", "Drawn By" or "Comments") follow, and the document is modified.
    void ApplySummaryFields(const SummaryFields& fields);
    CObList& GetObjects() { return m_objects; }
    const CObList& GetObjects() const { return m_objects; }

    // Shared defaults used by objects that have no document.
    static const LOGPEN kDefaultPen;
    static const LOGBRUSH kDefaultBrush;
    static const LOGPEN kDefaultPinPen;
    static const LOGBRUSH kDefaultPinBrush;
    static const LOGPEN kDefaultWirePen;
    static const LOGBRUSH kDefaultWireBrush;
    static const LOGFONT kDefaultPinFont;
    static const LOGFONT kDefaultTextFont;

    // Document data, in declaration order. The connectivity walker belongs to the netlist
    // build, which makes and releases it: the document holds it through a pointer, and
    // m_netlist names it.
    IDocNetlistBuild::Walker m_netlistWalker;
    CDocNetlist& m_netlist;
    CPrintSettings m_printSettings;
    CPrinterChoice m_printer;
    CUndoList m_undoList;
    CMapStringToString m_attributes{10};
    std::unique_ptr<CSummaryInfo> m_summaryInfo;
    CObList m_objects{10};
    CObList m_attrTexts{10};
    SIZE m_paperSize{11693, -8268};
    RECT m_margins{300, 300, 300, 300};
    LOGFONT m_textFont = kDefaultTextFont;
    LOGFONT m_pinFont = kDefaultPinFont;
    LOGPEN m_pen = kDefaultPen;
    LOGBRUSH m_brush = kDefaultBrush;
    LOGPEN m_pinPen = kDefaultPinPen;
    LOGBRUSH m_pinBrush = kDefaultPinBrush;
    LOGPEN m_wirePen = kDefaultWirePen;
    LOGBRUSH m_wireBrush = kDefaultWireBrush;
    COLORREF m_paperColour = 0xFFFFFF;
    COLORREF m_pinNameColour = 128;
    COLORREF m_pinNumberColour = 32768;
    LONG m_nextNetNumber = 1;
    LONG m_firstPartNumber = 1;
    CSheetBorder m_border;
    CFont m_pinFontH;  // m_pinFont upright
    CFont m_pinFontV;  // m_pinFont turned by 90 degrees

    // Remakes the two pin fonts from m_pinFont; call it whenever m_pinFont changes.
    void RebuildPinFonts();

private:
    // Identifiers in use, shared by the id assignments of one operation.
    struct IdScope;

    void StoreContents(CArchive& ar);
    void LoadContents(CArchive& ar);
    void SerializeObjectsAndAttributes(CArchive& ar);
    void SerializePageAndStyles(CArchive& ar);
    void PurgeAllAttrTexts();
    void PurgeLoadedAttrTexts();
    void MarkLoaded(CDrawObj* object);
    void NoteUnnamedNet(const CDrawObj* object);
    void PurgeEachObject();
    // The names of the nets the objects hold, gathered on the first call in a NetNameScope;
    // null outside one.
    std::unordered_set<std::string>* GatheredNetNames();
    void SanitizePage();
    void StoreItemList(CArchive& ar);
    void LoadItemList(CArchive& ar);
    void ClampMargins();
    void ShowPaperInViews();
    // The document's summary information, made when there is none yet.
    CSummaryInfo& Summary();
    BOOL IsDrawObjAllowed(CObject* object);
    // An incoming object's net gives way to the document's net of the same user-given name; an
    // automatic name that the document already uses is replaced by a free one. The net renamed
    // so, or null.
    CNet* AdoptNet(CDrawObj* object);
    void ShareDevice(CDrawObj* object);
    void CopyThroughArchive(const CObList& sources, CObList& copies);
    void DetachSymbolEditors();

    IdScope* m_idScope = nullptr;
    bool m_inNetNameScope = false;
    std::unique_ptr<std::unordered_set<std::string>> m_netNames;  // gathered in a NetNameScope
    std::unique_ptr<PointerSet> m_listed;                         // while all are purged
    DWORD m_loadMark = 0;           // of the objects the load read into the list
    DWORD m_listedMark = 0;         // the load's mark while all are purged after it
    bool m_readUnnamedNet = false;  // the load read an object whose net has no name yet
    std::vector<CSymbolDoc*> m_symbolEditors;
    CDocChangeLog m_changeLog;
    Clock m_clock = FileTimeNow;
    CString m_savingTo;  // the file a save writes, which "File" shows while it runs
};
