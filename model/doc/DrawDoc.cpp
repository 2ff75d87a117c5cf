#include "model/doc/DrawDoc.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <utility>

#include "model/app/SchematicApp.h"
#include "model/cmd/AttrEditCmd.h"
#include "model/doc/DocStatistics.h"
#include "model/doc/DocView.h"
#include "model/doc/SettingsRecords.h"
#include "model/doc/SummaryInfo.h"
#include "model/doc/SymbolDoc.h"
#include "model/net/Net.h"
#include "model/net/RailConnectors.h"
#include "model/net/WireRails.h"
#include "model/object/DrawObj.h"
#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "model/text/AttrText.h"
#include "platform/AppServices.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"
#include "platform/CompoundStorage.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"
#include "platform/MemFile.h"
#include "platform/SettingsStore.h"

IMPLEMENT_DYNCREATE(CDrawDoc, CObject)

namespace {

bool MeetsRect(const CDrawObj* object, const CRect& rect) {
    CRect bounds;
    object->GetBoundingRect(bounds);
    bounds.NormalizeRect();
    CRect area = rect;
    area.NormalizeRect();
    CRect common;
    return common.IntersectRect(bounds, area) != FALSE;
}

constexpr const char* kSection = "Document";

struct ComputedAttr {
    const char* name;
    int flags;
    int kind;
};
constexpr ComputedAttr kComputedAttrs[kComputedAttrCount] = {
    {"Title", 0, kAttrKindComputed},
    {"Date Created", kAttrFlagsReadOnly, kAttrKindComputedReadOnly},
    {"Drawn By", 0, kAttrKindComputed},
    {"Comments", 0, kAttrKindComputed},
    {"Last Saved", kAttrFlagsReadOnly, kAttrKindComputedReadOnly},
    {"File", kAttrFlagsReadOnly, kAttrKindComputedReadOnly}};
enum ComputedIndex { kTitle, kDateCreated, kDrawnBy, kComments, kLastSaved, kFile };

// Power rails and grounds every new schematic starts with.
constexpr const char* kRailAttrs[][2] = {{"Ground1", "GND"},  {"Ground1.Symbol", "Power Rail"},
                                         {"Ground2", "AGND"}, {"Ground2.Symbol", "Power Rail"},
                                         {"Power1", "+5v"},   {"Power1.Symbol", "Power Rail"},
                                         {"Power2", "+12v"},  {"Power2.Symbol", "Power Rail"},
                                         {"Power3", "+15v"},  {"Power3.Symbol", "Power Rail"},
                                         {"Power4", "-15v"},  {"Power4.Symbol", "Power Rail"}};

// Opening words of the "Contents" stream: the current layout and the older one still read.
constexpr WORD kContentsMagic = 0x2A51;
constexpr WORD kOldContentsMagic = 0x7564;
// Least stored size of an object: its tag.
constexpr DWORD kMinObjectBytes = 2;

// Printer blocks are a few hundred bytes with their driver's data; a longer one is damage.
constexpr DWORD kMaxPrinterBlock = 64 * 1024;

// Printer blocks: a DWORD length, then the bytes; an empty block keeps what the document has.
void WriteBlock(CArchive& ar, const std::vector<BYTE>& block) {
    ar << static_cast<DWORD>(block.size());
    if (!block.empty())
        ar.Write(block.data(), static_cast<UINT>(block.size()));
}

void ReadBlock(CArchive& ar, std::vector<BYTE>& block) {
    DWORD size = 0;
    ar >> size;
    if (size == 0)
        return;
    if (size > kMaxPrinterBlock)
        throw CArchiveException(CArchiveException::genericException);
    ar.CheckRemaining(size);
    block.resize(size);
    ar.ReadExact(block.data(), size);
}

// Stored attributes read from the settings; a larger count is damaged.
constexpr int kMaxStoredAttributes = 32767;
// Largest paper extent accepted from the settings (1000 inches).
constexpr LONG kMaxPaperExtent = 1000000;

template <class Record>
bool ReadRecord(const SettingsStore& store, const char* entry, UINT size, Record& record) {
    return settingsrecords::Read(store, kSection, entry, size, record);
}

template <class Record>
void WriteRecord(SettingsStore& store, const char* entry, const Record& record) {
    settingsrecords::Write(store, kSection, entry, record);
}

bool IsSanePaperSize(const SIZE& size) {
    return size.cx > 0 && size.cx <= kMaxPaperExtent && size.cy < 0 && size.cy >= -kMaxPaperExtent;
}

CString AttrEntry(int index, const char* suffix) {
    CString entry;
    entry.Format("Attr%d%s", index, suffix);
    return entry;
}

CDrawObj* AsDrawObj(CObject* object) {
    return static_cast<CDrawObj*>(object);
}

}  // namespace

const LOGPEN CDrawDoc::kDefaultPen{PS_SOLID, {0, 0}, 0};
const LOGBRUSH CDrawDoc::kDefaultBrush{BS_SOLID, 0xC0C0C0, 0};
const LOGPEN CDrawDoc::kDefaultPinPen{PS_SOLID, {2, 0}, 0xFF0000};
const LOGBRUSH CDrawDoc::kDefaultPinBrush{BS_SOLID, 0xC0C0C0, 0};
const LOGPEN CDrawDoc::kDefaultWirePen{PS_SOLID, {0, 0}, 0};
const LOGBRUSH CDrawDoc::kDefaultWireBrush{BS_SOLID, 0xC0C0C0, 0};
const LOGFONT CDrawDoc::kDefaultPinFont{
    .lfHeight = 80, .lfWeight = FW_NORMAL, .lfPitchAndFamily = FF_SWISS, .lfFaceName = "Arial"};
const LOGFONT CDrawDoc::kDefaultTextFont{
    .lfHeight = -80, .lfOutPrecision = 7, .lfPitchAndFamily = FF_SWISS, .lfFaceName = "Arial"};

// ---------------------------------------------------------------------------------------------
// Object search

CObjectSearch::CObjectSearch(const CObList& objects, DWORD typeMask, const CRect& rect)
    : m_objects(objects), m_typeMask(typeMask), m_rect(rect), m_pos(objects.GetHeadPosition()) {}

CDrawObj* CObjectSearch::Next() {
    while (m_pos) {
        CDrawObj* object = AsDrawObj(m_objects.GetNext(m_pos));
        int type = object->GetObjType();
        if (type >= 0 && type < 32 && (m_typeMask & ObjTypeMask(type)) &&
            object->Intersects(m_rect))
            return object;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Construction

CDrawDoc::CDrawDoc()
    : m_netlistWalker(Installed<IDocNetlistBuild>::Get().MakeWalker(*this)),
      m_netlist(*m_netlistWalker),
      m_undoList(this) {
    RebuildPinFonts();
}

CDrawDoc::~CDrawDoc() {
    DetachSymbolEditors();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        delete m_objects.GetNext(pos);
}

void CDrawDoc::AddSymbolEditor(CSymbolDoc* editor) {
    if (editor &&
        std::find(m_symbolEditors.begin(), m_symbolEditors.end(), editor) == m_symbolEditors.end())
        m_symbolEditors.push_back(editor);
}

void CDrawDoc::RemoveSymbolEditor(CSymbolDoc* editor) {
    std::erase(m_symbolEditors, editor);
}

void CDrawDoc::DetachSymbolEditors() {
    for (CSymbolDoc* editor : std::exchange(m_symbolEditors, {}))
        editor->OwnerClosed();
}

void CDrawDoc::RebuildPinFonts() {
    LOGFONT font = m_pinFont;
    font.lfEscapement = font.lfOrientation = 900;
    m_pinFontV.DeleteObject();
    m_pinFontV.CreateFontIndirect(&font);
    font.lfEscapement = font.lfOrientation = 0;
    m_pinFontH.DeleteObject();
    m_pinFontH.CreateFontIndirect(&font);
}

BOOL CDrawDoc::IsObjectAllowed(CObject* object) {
    if (!object)
        return FALSE;
    return !object->IsKindOf(RUNTIME_CLASS(CDrawObj)) || AsDrawObj(object)->GetObjType() != kObjPin;
}

// ---------------------------------------------------------------------------------------------
// Attributes

int CDrawDoc::FindComputedName(const char* name) {
    if (!name)
        return -1;
    for (int i = 0; i < kComputedAttrCount; ++i) {
        if (std::strcmp(kComputedAttrs[i].name, name) == 0)
            return i;
    }
    return -1;
}

int CDrawDoc::GetAttributeFlags(const char* name) {
    int index = FindComputedName(name);
    return index < 0 ? 0 : kComputedAttrs[index].flags;
}

int CDrawDoc::GetAttributeFlagsAt(int index) {
    return index >= 0 && index < kComputedAttrCount ? kComputedAttrs[index].kind : kAttrKindStored;
}

BOOL CDrawDoc::SetAttribute(const char* name, const char* value, UINT flags) {
    if (!name)
        return FALSE;
    if (!value)
        value = "";
    if (flags & kAttrUndoable) {
        CString old;
        BOOL existed = GetAttribute(name, old);
        // A missing attribute is made even with an empty value.
        if (existed && old == value)
            return TRUE;
        if (!RailNameClash(*this, {{name, value}}).IsEmpty() ||
            !SetAttribute(name, value, flags & ~kAttrUndoable))
            return FALSE;
        m_undoList.Add(new CAttrEditCmd(name, old, !existed));
        FollowRailRenames(*this, {{name, old}});
        return TRUE;
    }
    int index = FindComputedName(name);
    switch (index) {
        case kTitle:
            Summary().SetTitle(value);
            break;
        case kDrawnBy:
            Summary().SetAuthor(value);
            break;
        case kComments:
            Summary().SetComments(value);
            break;
        case kDateCreated:
        case kLastSaved:
        case kFile:
            return FALSE;
        default:
            break;
    }
    if (flags & kAttrSetModified)
        SetModifiedFlag();
    if (index < 0)
        m_attributes.SetAt(name, value);
    UpdateAttrTexts(name);
    return TRUE;
}

BOOL CDrawDoc::GetAttribute(const char* name, CString& value) {
    const CSummaryInfo* summary = m_summaryInfo.get();
    switch (FindComputedName(name)) {
        case kTitle:
            value = summary ? summary->GetTitle() : CString();
            return TRUE;
        case kDateCreated:
            value = summary ? summary->GetCreateTime() : CString();
            return TRUE;
        case kDrawnBy:
            value = summary ? summary->GetAuthor() : CString();
            return TRUE;
        case kComments:
            value = summary ? summary->GetComments() : CString();
            return TRUE;
        case kLastSaved:
            value = summary ? summary->GetLastSaveTime() : CString();
            return TRUE;
        case kFile:
            value = m_savingTo.IsEmpty() ? GetPathName() : m_savingTo;
            return TRUE;
        default:
            return name && m_attributes.Lookup(name, value);
    }
}

CString CDrawDoc::GetAttribute(const char* name) {
    CString value;
    GetAttribute(name, value);  // a missing attribute leaves it empty
    return value;
}

int CDrawDoc::GetAttributeCount() const {
    return m_attributes.GetCount() + kComputedAttrCount;
}

void CDrawDoc::GetAttributeAt(int index, CString& name, CString& value) {
    name.Empty();
    value.Empty();
    if (index < 0)
        return;
    if (index < kComputedAttrCount) {
        name = kComputedAttrs[index].name;
        GetAttribute(name, value);
        return;
    }
    POSITION pos = m_attributes.GetStartPosition();
    for (int i = kComputedAttrCount; pos; ++i) {
        m_attributes.GetNextAssoc(pos, name, value);
        if (i == index)
            return;
    }
    name.Empty();
    value.Empty();
}

BOOL CDrawDoc::RemoveAttribute(const char* name) {
    if (!name || FindComputedName(name) >= 0)
        return FALSE;
    const BOOL removed = m_attributes.RemoveKey(name);
    UpdateAttrTexts(nullptr);
    return removed;
}

void CDrawDoc::UpdateAttrTexts(const char* name) {
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(m_attrTexts.GetNext(pos));
        if (!name || text->GetName() == name)
            text->UpdateText(TRUE);
    }
}

CAttrText* CDrawDoc::FindAttrText(const char* name, POSITION& pos) {
    if (!pos)
        pos = m_attrTexts.GetHeadPosition();
    while (pos) {
        auto* text = static_cast<CAttrText*>(m_attrTexts.GetNext(pos));
        if (text->GetName() == name)
            return text;
    }
    return nullptr;
}

CAttrText* CDrawDoc::GetDocAttrText(const char* name, BOOL create) {
    POSITION pos = nullptr;
    if (CAttrText* text = FindAttrText(name, pos))
        return text;
    CString value;
    if (!create || !GetAttribute(name, value))
        return nullptr;
    auto* text = new CAttrText();
    m_attrTexts.AddTail(text);
    text->SetTextFlags(kAttrStyleTitleBlock | 0x4, 0xFF);
    text->Bind(this, name);
    text->SetDocument(this);
    text->SetBorders(50, 100, 50, 50);
    CSize nameSize;
    CSize valueSize;
    text->MeasureText(nameSize, name);
    text->MeasureText(valueSize, value);
    const LONG width = std::max(nameSize.cx, valueSize.cx) + 150;
    const LONG height = std::max(nameSize.cy, valueSize.cy) + 100;
    const LOGBRUSH white{BS_SOLID, RGB(255, 255, 255), 0};
    text->SetBrush(&white);
    text->SetFlags(kFlagFilled | kFlagOutlined, kFlagFilled | kFlagOutlined);
    text->MoveTo(CRect(1000, -1000, 1000 + width, -1000 - height), nullptr);
    text->SetShownText(value);
    return text;
}

void CDrawDoc::PlaceNewAttrText(CAttrText* text) {
    text->SetRotation(0);
    const CPoint centre = text->GetPosition().CenterPoint();
    text->OffsetBy(CSize(WrapSub(100, centre.x), WrapSub(-100, centre.y)));
    text->SetTextFlags(0, kTextAlignMask);
}

void CDrawDoc::ApplySummaryFields(const SummaryFields& fields) {
    if (fields.SameEditableFields(SummaryFields::From(Summary())))
        return;
    fields.ApplyTo(Summary());
    UpdateAttrTexts(nullptr);
    SetModifiedFlag();
}

CSummaryInfo& CDrawDoc::Summary() {
    if (!m_summaryInfo)
        m_summaryInfo = std::make_unique<CSummaryInfo>();
    return *m_summaryInfo;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

// A file opened while a netlist is built stays off the recent-file list. Texts that show
// "File" follow the new name.
void CDrawDoc::SetPathName(const char* path, BOOL addToMru) {
    const CSchematicApp* app = GetApp();
    CDocumentBase::SetPathName(path, app && app->BuildingNetlist ? FALSE : addToMru);
    UpdateAttrTexts(kComputedAttrs[kFile].name);
}

BOOL CDrawDoc::OnNewDocument() {
    if (!CDocumentBase::OnNewDocument())
        return FALSE;
    m_firstPartNumber = 1;
    const FileTime now = m_clock();
    m_summaryInfo = std::make_unique<CSummaryInfo>();
    m_summaryInfo->StartEditTime(now);
    m_summaryInfo->SetCreateTime(now);
    m_summaryInfo->SetPageCount(1);
    m_summaryInfo->SetAppName("Vosk Schematic");
    for (const auto& rail : kRailAttrs)
        m_attributes.SetAt(rail[0], rail[1]);
    GetAppServices().NotifyDocumentChanged(nullptr, kDocumentSetChanged);
    if (const CSchematicApp* app = GetApp())
        LoadDefaultSettings(app->Settings());
    return TRUE;
}

BOOL CDrawDoc::OnOpenDocument(const char* path) {
    m_summaryInfo = std::make_unique<CSummaryInfo>();
    m_summaryInfo->StartEditTime(m_clock());
    GetAppServices().NotifyDocumentChanged(nullptr, kDocumentSetChanged);
    BOOL opened = CDocumentBase::OnOpenDocument(path);
    ValidatePrinter();
    if (opened)
        ShowPaperInViews();  // the views were made before the file was read
    return opened;
}

// What is written is what the user sees finished: no wire half drawn, no drag half done, and
// the attribute texts showing the summary as it is saved (the time of this save) and the file
// written. Afterwards "File" is the document's name again, which a Save As then changes.
BOOL CDrawDoc::OnSaveDocument(const char* path) {
    for (IDocView* view : std::vector<IDocView*>(GetViews()))
        view->EndGesture();
    const FileTime now = m_clock();
    CSummaryInfo& summary = Summary();
    summary.SetLastSaveTime(now);
    summary.IncrementRevision();
    summary.SetLastAuthor(summary.GetAuthor());
    summary.AddEditTime(now);
    summary.StartEditTime(now);
    m_savingTo = path;
    UpdateAttrTexts(nullptr);
    GetAppServices().NotifyDocumentChanged(nullptr, kDocumentSetChanged);
    const BOOL saved = CDocumentBase::OnSaveDocument(path);
    m_savingTo.Empty();
    UpdateAttrTexts(kComputedAttrs[kFile].name);
    return saved;
}

void CDrawDoc::OnCloseDocument() {
    DetachSymbolEditors();
    CDocumentBase::OnCloseDocument();
    GetAppServices().NotifyDocumentChanged(nullptr, kDocumentSetChanged);
}

// ---------------------------------------------------------------------------------------------
// Archived contents

void CDrawDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        StoreContents(ar);
    else
        LoadContents(ar);
}

void CDrawDoc::StoreContents(CArchive& ar) {
    PurgeAllAttrTexts();
    ar << kContentsMagic;
    SerializeObjectsAndAttributes(ar);
    // A summary that cannot be written fails the save.
    if (CompoundStorage* root = GetRootStorage(); root && !Summary().WriteToStorage(root))
        throw CArchiveException(CArchiveException::genericException);
    SerializePageAndStyles(ar);
    ar << m_pinFont << m_pinNameColour << m_pinNumberColour << m_firstPartNumber;
    m_printSettings.Serialize(ar);
    WriteBlock(ar, m_printer.devMode);
    WriteBlock(ar, m_printer.devNames);
    StoreItemList(ar);
}

void CDrawDoc::LoadContents(CArchive& ar) {
    WORD magic = 0;
    ar >> magic;
    if (magic != kContentsMagic && magic != kOldContentsMagic)
        throw CArchiveException(CArchiveException::genericException);
    m_loadMark = 0;                           // each load takes a fresh one
    m_readUnnamedNet = !m_objects.IsEmpty();  // objects held before the load are not looked at
    SerializeObjectsAndAttributes(ar);
    // A missing or damaged summary leaves the fresh one the document has.
    Summary().ReadFromStorage(GetRootStorage());
    SerializePageAndStyles(ar);
    SanitizePage();
    if (magic == kOldContentsMagic) {
        if (m_readUnnamedNet)
            NameUnnamedNets();
        FollowRailsAfterLoad(*this);
        PurgeLoadedAttrTexts();
        return;
    }
    ar >> m_pinFont;
    m_pinFont.lfEscapement = m_pinFont.lfOrientation = 0;  // the kept font is the upright one
    RebuildPinFonts();
    ar >> m_pinNameColour >> m_pinNumberColour >> m_firstPartNumber;
    m_printSettings.Serialize(ar);
    ReadBlock(ar, m_printer.devMode);
    ReadBlock(ar, m_printer.devNames);
    if (m_readUnnamedNet)
        NameUnnamedNets();
    FollowRailsAfterLoad(*this);
    PurgeLoadedAttrTexts();
    LoadItemList(ar);
}

// The embedded objects' items, each already written by its drawing object: back references.
void CDrawDoc::StoreItemList(CArchive& ar) {
    std::vector<const CDrawItem*> items;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        const auto* ole = dynamic_cast<const CDrawOleObj*>(m_objects.GetNext(pos));
        if (ole && ole->GetItem())
            items.push_back(ole->GetItem());
    }
    ar << static_cast<DWORD>(items.size());
    for (const CDrawItem* item : items)
        ar.WriteObject(item);
}

// Every item listed must be one that a drawing object holds; any other would belong to
// nothing.
void CDrawDoc::LoadItemList(CArchive& ar) {
    DWORD count = 0;
    ar >> count;
    ar.CheckRemaining(std::uint64_t{count} * kMinObjectBytes);
    for (; count > 0; --count) {
        auto* item = static_cast<CDrawItem*>(ar.ReadObject(RUNTIME_CLASS(CDrawItem)));
        if (item && item->m_pDrawObj)
            continue;
        delete item;
        throw CArchiveException(CArchiveException::genericException);
    }
}

// A page read from a file may be impossible: such a paper size gives way to the default, and
// margins that leave no paper are cut back.
void CDrawDoc::SanitizePage() {
    if (!IsSanePaperSize(m_paperSize))
        m_paperSize = SIZE{11693, -8268};
    ClampMargins();
}

// Rows of both layouts: the objects from head to tail, then the stored attributes.
void CDrawDoc::SerializeObjectsAndAttributes(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_objects.GetCount()));
        for (POSITION pos = m_objects.GetHeadPosition(); pos;)
            ar.WriteObject(m_objects.GetNext(pos));
        SerializeStringMap(ar, m_attributes);
        return;
    }
    // Each object stands in the list once and in no other owning list; a missing or repeated
    // one is damage, and so is one that only a link refers to (a pin's wire, a symbol's text).
    try {
        for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
            CObject* object = ar.ReadObject(RUNTIME_CLASS(CDrawObj));
            if (!object)
                throw CArchiveException(CArchiveException::genericException);
            ar.ClaimObject(object);
            m_objects.AddTail(object);
            MarkLoaded(AsDrawObj(object));
            NoteUnnamedNet(AsDrawObj(object));
        }
        if (ar.HasUnclaimed(RUNTIME_CLASS(CDrawObj)))
            throw CArchiveException(CArchiveException::genericException);
    } catch (...) {
        ar.DeleteUnclaimed(RUNTIME_CLASS(CDrawObj));  // read inside a record that failed
        throw;
    }
    // Stored attributes named like computed ones are left out.
    SerializeStringMap(ar, m_attributes,
                       [](const CString& name) { return FindComputedName(name) < 0; });
}

// Rows of both layouts: paper colour through the sheet border.
void CDrawDoc::SerializePageAndStyles(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_paperColour << m_textFont << m_pen << m_pinPen << m_wirePen << m_brush << m_pinBrush
           << m_wireBrush << m_paperSize << m_margins;
    } else {
        ar >> m_paperColour >> m_textFont >> m_pen >> m_pinPen >> m_wirePen >> m_brush >>
            m_pinBrush >> m_wireBrush >> m_paperSize >> m_margins;
    }
    m_border.Serialize(ar);
}

// Every object checks its links against the list. An address table answers, which never
// follows a pointer, as a link of an edited sheet may name an object already freed; it keeps
// the purge linear in the size of the sheet.
void CDrawDoc::PurgeAllAttrTexts() {
    m_listed = std::make_unique<PointerSet>(2 * m_objects.GetCount());  // symbols add their pins
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        const CDrawObj* object = AsDrawObj(m_objects.GetNext(pos));
        m_listed->Insert(object);
        if (const CObList* pins = object->GetPinList()) {
            for (POSITION at = pins->GetHeadPosition(); at;)
                m_listed->Insert(static_cast<const CDrawObj*>(pins->GetNext(at)));
        }
    }
    try {
        PurgeEachObject();
    } catch (...) {
        m_listed.reset();
        throw;
    }
    m_listed.reset();
}

// Right after a load every object a link names was read by the load and is owned, so the
// objects of the list and their pins, marked as they were read, answer by their mark.
void CDrawDoc::PurgeLoadedAttrTexts() {
    m_listedMark = m_loadMark;
    try {
        PurgeEachObject();
    } catch (...) {
        m_listedMark = 0;
        throw;
    }
    m_listedMark = 0;
}

// The object read for the list, and its pins, carry a mark of this load that no other load
// gives.
void CDrawDoc::MarkLoaded(CDrawObj* object) {
    static std::atomic<DWORD> lastMark{0};
    while (m_loadMark == 0)
        m_loadMark = ++lastMark;
    object->SetListedMark(m_loadMark);
    if (const CObList* pins = object->GetPinList()) {
        for (POSITION at = pins->GetHeadPosition(); at;)
            static_cast<CDrawObj*>(pins->GetNext(at))->SetListedMark(m_loadMark);
    }
}

// Noted while the object is at hand, so that a load whose nets all have names skips the walk
// that names them.
void CDrawDoc::NoteUnnamedNet(const CDrawObj* object) {
    if (const CNet* net = object->GetNet(); net && net->GetName().IsEmpty())
        m_readUnnamedNet = true;
}

// After a load the objects lie scattered over memory: the walk asks for each a few places
// before it is checked. Checks never take objects out of the list.
void CDrawDoc::PurgeEachObject() {
    constexpr int kFetchLead = 8;
    CListFetchAhead ahead(m_objects, kFetchLead);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        ahead.Step();
        AsDrawObj(m_objects.GetNext(pos))->PurgeAttrTexts();
    }
}

BOOL CDrawDoc::IsListed(const CDrawObj* object) const {
    if (m_listedMark)
        return object && object->GetListedMark() == m_listedMark;
    if (m_listed)
        return m_listed->Contains(object);
    return IsObjectInList(object, &m_objects);
}

// ---------------------------------------------------------------------------------------------
// Flags, highlighting and look-ups

void CDrawDoc::ClearObjectFlags(DWORD mask) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        AsDrawObj(m_objects.GetNext(pos))->SetFlags(0, mask);
}

void CDrawDoc::ClearFlagsAndInvalidate(DWORD mask) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        AsDrawObj(m_objects.GetNext(pos))->ClearFlags(mask);
}

void CDrawDoc::HighlightNet(CNet* net, UINT mode) {
    if (mode & kHighlightClearAllFirst)
        ClearFlagsAndInvalidate(kFlagHighlight | kFlagDrcError);
    DWORD set = 0;
    DWORD clear = 0;
    if (mode & kHighlightSet)
        set |= kFlagHighlight;
    if (mode & kHighlightClear)
        clear |= kFlagHighlight;
    if (mode & kErrorMarkSet)
        set |= kFlagDrcError;
    if (mode & kErrorMarkClear)
        clear |= kFlagDrcError;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = AsDrawObj(m_objects.GetNext(pos));
        if (object->GetNet() != net)
            continue;
        DWORD before = object->GetFlags();
        object->SetFlags(set, set | clear);
        if (object->GetFlags() != before)
            object->Invalidate(nullptr);
    }
    if (mode & kHighlightShow)
        GetAppServices().ShowDocumentObjects(this, set);
}

void CDrawDoc::ShowObject(CDrawObj* object) {
    ClearFlagsAndInvalidate(kFlagHighlight | kFlagDrcError);
    if (object)
        object->SetFlags(kFlagHighlight, kFlagHighlight);
    GetAppServices().ShowDocumentObjects(this, kFlagHighlight);
}

CDrawObj* CDrawDoc::ObjectInRect(const CRect& rect) {
    for (POSITION pos = m_objects.GetTailPosition(); pos;) {
        CDrawObj* object = AsDrawObj(m_objects.GetPrev(pos));
        if (object->Intersects(rect))
            return object;
    }
    return nullptr;
}

CDrawObj* CDrawDoc::FindOtherObjectInRect(const CRect& rect, CDrawObj* except) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = AsDrawObj(m_objects.GetNext(pos));
        if (object != except && object->Intersects(rect))
            return object;
    }
    return nullptr;
}

CObjectSearch CDrawDoc::SearchObjects(DWORD typeMask, const CRect& rect) const {
    return CObjectSearch(m_objects, typeMask, rect);
}

// ---------------------------------------------------------------------------------------------
// Drawing

namespace {

// Handle squares reach this many pixels beyond their object's bounds.
constexpr LONG kTrackerReach = 8;

// Only the trackers of objects near the visible part: a large selection mostly lies outside it.
void DrawTrackers(CDC* dc, const CObList& selection, const CRect* visible,
                  const CDrawDoc::DrawFilter& drawn) {
    CRect near;
    if (visible) {
        CSize reach(kTrackerReach, kTrackerReach);
        dc->DPtoLP(&reach);
        near = NormalizedRect(*visible);
        near.InflateRect(std::abs(reach.cx), std::abs(reach.cy));
    }
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* object = AsDrawObj(selection.GetNext(pos));
        if ((!drawn || drawn(object)) && (!visible || object->TrackerMeets(near)))
            object->DrawTracker(dc, pos ? kTrackerSelected : kTrackerDominant, nullptr);
    }
}

}  // namespace

void CDrawDoc::Draw(CDC* dc, IDocView* view, const CRect* visible, const DrawFilter& drawn) {
    m_textFont.lfWidth = 0;
    LOGFONT scaled = m_textFont;
    scaled.lfHeight = -MulDiv(m_textFont.lfHeight, 100, 72);
    CFont font;
    font.CreateFontIndirect(&scaled);
    dc->SetBkMode(TRANSPARENT);
    CFont* previous = dc->SelectObject(&font);

    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = AsDrawObj(m_objects.GetNext(pos));
        if ((!drawn || drawn(object)) && (!visible || MeetsRect(object, *visible)))
            object->Draw(dc, nullptr);
    }
    dc->SetBkMode(OPAQUE);

    if (view && view->ShowsTrackers() && !dc->IsPrinting())
        DrawTrackers(dc, view->GetSelection(), visible, drawn);
    // A context that had no font of ours started with the system font.
    if (previous)
        dc->SelectObject(previous);
    else
        dc->SelectStockObject(SYSTEM_FONT);
}

void CDrawDoc::DrawSheetBorder(CDC* dc, BOOL screen) {
    BOOL grid = screen ? (m_border.m_flags & CSheetBorder::kScreenGrid) != 0
                       : (m_printSettings.m_flags & CPrintSettings::kPrintGrid) != 0;
    m_border.Draw(dc, GetDrawingArea(), grid);
}

// ---------------------------------------------------------------------------------------------
// Page

CRect CDrawDoc::GetDrawingArea() const {
    CRect area(0, 0, WrapSub(WrapSub(m_paperSize.cx, m_margins.left), m_margins.right),
               WrapAdd(WrapAdd(m_paperSize.cy, m_margins.top), m_margins.bottom));
    area.NormalizeRect();
    return area;
}

void CDrawDoc::GetTitleBlockRect(CRect& rect) {
    rect = m_border.GetTitleBlockRect(GetDrawingArea());
}

void CDrawDoc::SetMargins(const RECT& margins) {
    m_margins = margins;
    ClampMargins();
}

// Margins that leave no paper between them become a third of the paper each.
void CDrawDoc::ClampMargins() {
    LONG width = m_paperSize.cx;
    if (std::int64_t{width} < std::int64_t{m_margins.left} + m_margins.right)
        m_margins.left = m_margins.right = width / 3;
    LONG height = WrapSub(0, m_paperSize.cy);
    if (std::int64_t{height} < std::int64_t{m_margins.top} + m_margins.bottom)
        m_margins.top = m_margins.bottom = height / 3;
}

void CDrawDoc::SetPaperSize(int cx, int cy) {
    if (cx == m_paperSize.cx && cy == m_paperSize.cy)
        return;
    m_paperSize = SIZE{cx, cy};
    ClampMargins();
    ShowPaperInViews();
}

void CDrawDoc::ShowPaperInViews() {
    for (IDocView* view : GetViews())
        view->SetPageSize(m_paperSize);
}

// ---------------------------------------------------------------------------------------------
// Undo

BOOL CDrawDoc::CancelLastCommand() {
    return m_undoList.CancelLast();
}

BOOL CDrawDoc::MergeCommand(CCommand* command) {
    return m_undoList.Merge(command);
}

// ---------------------------------------------------------------------------------------------
// Settings

void CDrawDoc::LoadDefaultSettings(const SettingsStore& store) {
    ReadRecord(store, "Font", kStoredLogFontSize, m_textFont);
    ReadRecord(store, "Pen", kStoredLogPenSize, m_pen);
    ReadRecord(store, "Brush", kStoredLogBrushSize, m_brush);
    ReadRecord(store, "PinPen", kStoredLogPenSize, m_pinPen);
    ReadRecord(store, "PinBrush", kStoredLogBrushSize, m_pinBrush);
    ReadRecord(store, "WirePen", kStoredLogPenSize, m_wirePen);
    ReadRecord(store, "WireBrush", kStoredLogBrushSize, m_wireBrush);
    SIZE paper;
    if (ReadRecord(store, "PaperSize", 8, paper) && IsSanePaperSize(paper))
        m_paperSize = paper;
    RECT margins;
    if (ReadRecord(store, "Margins", 16, margins))
        m_margins = margins;
    ClampMargins();
    m_paperColour = store.GetProfileInt(kSection, "PaperColour", 0xFFFFFF);
    m_border.ReadDefaults(store);
    int count = static_cast<int>(store.GetProfileInt(kSection, "nAttributes", 0));
    if (count < 0)
        count = 0;
    if (count > kMaxStoredAttributes)
        count = kMaxStoredAttributes;
    for (int i = 1; i <= count; ++i) {
        CString name = store.GetProfileString(kSection, AttrEntry(i, ".Name"), "");
        CString value = store.GetProfileString(kSection, AttrEntry(i, ".Value"), "");
        if (!name.IsEmpty() && FindComputedName(name) < 0)
            m_attributes.SetAt(name, value);
    }
    m_printSettings.LoadDefaults(store);
}

void CDrawDoc::SaveDefaultSettings(SettingsStore& store) const {
    WriteRecord(store, "Font", m_textFont);
    WriteRecord(store, "Pen", m_pen);
    WriteRecord(store, "Brush", m_brush);
    WriteRecord(store, "PinPen", m_pinPen);
    WriteRecord(store, "PinBrush", m_pinBrush);
    WriteRecord(store, "WirePen", m_wirePen);
    WriteRecord(store, "WireBrush", m_wireBrush);
    WriteRecord(store, "PaperSize", m_paperSize);
    WriteRecord(store, "Margins", m_margins);
    store.WriteProfileInt(kSection, "PaperColour", static_cast<int>(m_paperColour));
    m_border.WriteDefaults(store);
    int count = 0;
    CString name;
    CString value;
    for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
        m_attributes.GetNextAssoc(pos, name, value);
        ++count;
        store.WriteProfileString(kSection, AttrEntry(count, ".Name"), name);
        store.WriteProfileString(kSection, AttrEntry(count, ".Value"), value);
    }
    store.WriteProfileInt(kSection, "nAttributes", count);
    m_printSettings.SaveDefaults(store);
}

// ---------------------------------------------------------------------------------------------
// Printer

BOOL CDrawDoc::ValidatePrinter() {
    if (m_printer.IsEmpty())
        return FALSE;
    if (GetAppServices().IsPrinterUsable(m_printer.devNames, m_printer.devMode))
        return TRUE;
    m_printer.Clear();
    return FALSE;
}
