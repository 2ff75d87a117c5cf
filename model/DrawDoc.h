#pragma once
// CDrawDoc: the schematic document. It owns every drawing object of one sheet, the document's
// named attributes, the page and the default drawing styles, the sheet border, the print
// settings and printer choice, the summary information and the undo list.

#include <memory>

#include "model/DocumentBase.h"
#include "model/PrintSettings.h"
#include "model/PrinterChoice.h"
#include "model/SheetBorder.h"
#include "model/UndoList.h"
#include "netlist/DocNetlist.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

class CAttrText;
class CCommand;
class CDC;
class CDrawObj;
class CNet;
class CNetlistFormat;
class CSummaryInfo;
class IDocView;

// A search over the document's objects by type mask and rectangle. Each search keeps its own
// position, so searches may nest and the list may change between steps.
class CObjectSearch {
public:
    CObjectSearch(const CObList& objects, DWORD typeMask, const CRect& rect);
    CDrawObj* Next();

private:
    const CObList& m_objects;
    DWORD m_typeMask;
    CRect m_rect;
    POSITION m_pos;
};

class CDrawDoc : public CDocumentBase {
    DECLARE_DYNCREATE(CDrawDoc)
public:
    CDrawDoc();
    ~CDrawDoc() override;

    // Objects allowed on this kind of sheet; a schematic refuses pins.
    virtual BOOL IsObjectAllowed(CObject* object);
    virtual BOOL AddObjects(CObList* list);
    virtual BOOL AddObject(CDrawObj* object);

    // Attributes: six computed names first, then the stored map.
    virtual int GetAttributeFlags(const char* name);
    virtual BOOL SetAttribute(const char* name, const char* value, UINT flags);
    virtual CString GetAttribute(const char* name);
    virtual CObList* GetAttrTextList() { return &m_attrTexts; }
    virtual CMapStringToString* GetAttributeMap() { return &m_attributes; }
    virtual void PlaceNewAttrText(CAttrText* text);

    BOOL GetAttribute(const char* name, CString& value);
    static int FindComputedName(const char* name);
    int GetAttributeCount() const;
    void GetAttributeAt(int index, CString& name, CString& value);
    static int GetAttributeFlagsAt(int index);
    BOOL RemoveAttribute(const char* name);
    void UpdateAttrTexts(const char* name);
    CAttrText* FindAttrText(const char* name, POSITION& pos);
    CAttrText* GetDocAttrText(const char* name, BOOL create);

    // Life cycle
    void Serialize(CArchive& ar) override;
    void SetPathName(const char* path, BOOL addToMru = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    void OnCloseDocument() override;

    // Flags, highlighting and look-ups
    void ClearObjectFlags(DWORD mask);
    void ClearFlagsAndInvalidate(DWORD mask);
    void HighlightNet(CNet* net, UINT mode);
    void ShowObject(CDrawObj* object);
    CDrawObj* ObjectInRect(const CRect& rect);
    CDrawObj* FindOtherObjectInRect(const CRect& rect, CDrawObj* except);
    CObjectSearch SearchObjects(DWORD typeMask, const CRect& rect) const;
    CNet* FindNet(const char* name);

    // Drawing
    void Draw(CDC* dc, IDocView* view);
    void DrawSheetBorder(CDC* dc, BOOL screen);
    void GetTitleBlockRect(CRect& rect);

    // Page
    void SetMargins(const RECT& margins);
    void SetPaperSize(int cx, int cy);
    const SIZE& GetPaperSize() const { return m_paperSize; }
    const RECT& GetMargins() const { return m_margins; }

    // Undo
    CUndoList& GetUndoList() { return m_undoList; }
    BOOL CancelLastCommand();
    BOOL MergeCommand(CCommand* command);

    // Registry defaults (section "Document")
    void LoadDefaultSettings();
    void SaveDefaultSettings();

    BOOL ValidatePrinter();

    CSummaryInfo* GetSummaryInfo() const { return m_summaryInfo.get(); }
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

    // Document data, in declaration order.
    CDocNetlist m_netlist;
    CPrintSettings m_printSettings;
    CPrinterChoice m_printer;
    CUndoList m_undoList;
    CMapStringToString m_attributes{10};
    std::unique_ptr<CSummaryInfo> m_summaryInfo;
    CObList m_objects{10};
    CObList m_attrTexts{10};
    SIZE m_paperSize{11693, -8268};
    RECT m_margins{300, 300, 300, 300};
    LOGFONT m_textFont;
    LOGFONT m_pinFont;
    LOGPEN m_pen;
    LOGBRUSH m_brush;
    LOGPEN m_pinPen;
    LOGBRUSH m_pinBrush;
    LOGPEN m_wirePen;
    LOGBRUSH m_wireBrush;
    COLORREF m_paperColour = 0xFFFFFF;
    COLORREF m_pinNameColour = 128;
    COLORREF m_pinNumberColour = 32768;
    LONG m_nextNetNumber = 1;
    LONG m_firstPartNumber = 1;
    CSheetBorder m_border;
};
