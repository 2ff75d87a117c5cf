#include "model/text/AttrText.h"

#include <memory>
#include <optional>

#include "model/cmd/RenumberCmd.h"
#include "model/device/Device.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/WireRails.h"
#include "model/object/ShapePaintScope.h"
#include "model/object/StdAttrNames.h"
#include "model/text/TextLayout.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Maps.h"
#include "platform/ObList.h"
#include "platform/UserPrompt.h"

IMPLEMENT_SERIAL(CAttrText, CTextBox, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr const char* kIdName = "_ID";
constexpr const char* kInvalidValue = "Error: Property value invalid - ";
constexpr const char* kWarning = "Warning : ";
constexpr const char* kDisplaceQuestion = "\n\nDo you want to displace exisiting ID?\n";
constexpr int kIdExists = 2;
constexpr int kInvalidIdentifier = 11;
// Attribute flag bit of a read-only attribute whose text opens the properties sheet.
constexpr int kEditInSheet = 0x2;
// Radius of the circle that links a text to its document.
constexpr int kDocumentLinkRadius = 25;
constexpr int kInvalidateMargin = 5;
// The end field of a text's link record: to its owner object (the partner), or to the
// document that holds the text, which is no drawing object and so is not named in the record.
constexpr int kLinkToObject = 0;
constexpr int kLinkToDocument = 1;

constexpr const char* kCheckErrors[] = {
    "must have an ID.",
    "ID already exists.",
    "must have a name.",
    "name already exists.",
    "no device set for this symbol.",
    "duplicate instance of same symbol.",
    "duplicate pin name.",
    "symbol or pin not found.",
    "symbol map not valid.",
    "invalid parameter.",
    "invalid identifier.",
    "pin number must be set.",
    "property cannot be modified.",
    "name already in use by a different and incompatible device.",
    "Value contains an invalid character.",
};
constexpr const char* kCheckWarnings[] = {
    "device properties are locked.\nDo you wish to force property change?",
    "properties are locked.\nDo you wish to force property change?",
};

bool Contains(const CObList& list, const CObject* object) {
    return list.Find(const_cast<CObject*>(object)) != nullptr;
}

void AddIfMissing(CObList* list, CObject* object) {
    if (list && !Contains(*list, object))
        list->AddTail(object);
}

void RemoveFrom(CObList* list, CObject* object) {
    if (!list)
        return;
    if (POSITION pos = list->Find(object))
        list->RemoveAt(pos);
}

std::string WithoutSoftBreaks(const CString& text) {
    std::string plain = text.str();
    RemoveSoftBreaks(plain);
    return plain;
}

// The first symbol of the document other than symbol whose identifier is id.
CDrawObj* FindOtherSymbol(CDrawDoc* document, const CDrawObj* symbol, const char* id) {
    for (POSITION pos = document ? document->GetObjects().GetHeadPosition() : nullptr; pos;) {
        auto* object = static_cast<CDrawObj*>(document->GetObjects().GetNext(pos));
        if (object != symbol && object->GetObjType() == kObjSymbol &&
            object->GetAttr(kIdName) == id)
            return object;
    }
    return nullptr;
}

// Why the part's device refuses an identifier, with the gates it has for the part.
CString PartIdRefusal(CDrawObj& symbol) {
    const CDevice* device = symbol.GetDevice();
    const std::vector<std::string> gates = device->GetGates(&symbol);
    CString reason = kCheckErrors[kInvalidIdentifier - 1];
    reason += "\nDevice " + device->GetStdAttr(kStdAttrName);
    if (gates.empty())
        return reason + " has no gates.";
    reason += gates.size() == 1 ? " has the gate " : " has the gates ";
    for (std::size_t i = 0; i < gates.size(); ++i)
        reason += CString(i ? ", " : "") + CString(gates[i]);
    return reason + ".";
}

}  // namespace

const char* AttrCheckText(int rc) {
    constexpr int errors = static_cast<int>(std::size(kCheckErrors));
    constexpr int warnings = static_cast<int>(std::size(kCheckWarnings));
    if (rc >= 1 && rc <= errors)
        return kCheckErrors[rc - 1];
    if (rc <= -1 && rc >= -warnings)
        return kCheckWarnings[-rc - 1];
    return "";
}

// ---------------------------------------------------------------------------------------------
// Construction and file record

CAttrText::CAttrText() = default;

CAttrText::CAttrText(const CRect& position) : CTextBox(position) {}

CAttrText::CAttrText(const CAttrText& source, CDrawDoc* document)
    : CTextBox(source, document), m_name(source.m_name) {}

void CAttrText::Serialize(CArchive& ar) {
    CTextBox::Serialize(ar);
    if (ar.IsStoring()) {
        // A text of another document (there is none in practice) is stored unlinked.
        const bool ofDocument = m_owner && m_owner == ar.m_pDocument;
        ar << DWORD(ofDocument ? 1 : 0);
        if (!ofDocument)
            ar.WriteObject(GetOwnerObject());
        ar << m_name;
        return;
    }
    DWORD ofDocument = 0;
    ar >> ofDocument;
    if (ofDocument > 1)
        throw CArchiveException(CArchiveException::genericException);
    m_owner = nullptr;
    if (ofDocument) {
        CDrawDoc* document = dynamic_cast<CDrawDoc*>(ar.m_pDocument);
        m_owner = document;
        if (document)
            AddIfMissing(document->GetAttrTextList(), this);
    } else {
        m_owner = ar.ReadObject(RUNTIME_CLASS(CDrawObj));
    }
    ar >> m_name;
}

// ---------------------------------------------------------------------------------------------
// Owner

CDrawObj* CAttrText::GetOwnerObject() const {
    return dynamic_cast<CDrawObj*>(m_owner);
}

CDrawDoc* CAttrText::GetOwnerDocument() const {
    return dynamic_cast<CDrawDoc*>(m_owner);
}

void CAttrText::Bind(CObject* owner, const char* name) {
    m_owner = owner;
    m_name = name;
}

CObList* CAttrText::TextListOf(CObject* owner) {
    if (auto* object = dynamic_cast<CDrawObj*>(owner))
        return object->GetAttrTextList();
    if (auto* document = dynamic_cast<CDrawDoc*>(owner))
        return document->GetAttrTextList();
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Overrides of the object interface

CString CAttrText::GetTipText() const {
    return SizeTipText(CString("Attribute Text\nProperty : ") + m_name);
}

CDrawDoc* CAttrText::SetDocument(CDrawDoc* document) {
    if (document == m_document)
        return document;
    CTextBox::SetDocument(document);
    UpdateText(TRUE);
    return document;
}

void CAttrText::Draw(CDC* dc, const double* matrix) {
    CTextBox::Draw(dc, matrix);
    if ((m_textFlags & kTextStyleMask) == kAttrStyleTitleBlock)
        DrawLabel(dc);
}

void CAttrText::DrawLabel(CDC* dc) {
    LOGFONT log = m_document ? m_document->m_textFont : GetFont();
    const COLORREF colour = m_document ? m_document->m_border.m_textColour : GetPen().lopnColor;
    log.lfHeight = MulDiv(log.lfHeight, 100, 72);
    CFont font;
    if (!font.CreateFontIndirect(&log))
        return;
    const int saved = dc->SaveDC();
    dc->SelectObject(&font);
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colour);
    CRect box = m_position;
    box.NormalizeRect();
    dc->TextOut(box.left, box.bottom, m_name.str());
    dc->RestoreDC(saved);
}

bool CAttrText::TrackerMeets(const CRect& rect) const {
    const CRect area = NormalizedRect(rect);
    CRect bounds;
    GetBoundingRect(bounds);
    bounds = NormalizedRect(bounds);
    CRect common;
    if (common.IntersectRect(bounds, area))
        return true;
    const CDrawObj* owner = GetOwnerObject();
    if (!owner)
        return GetOwnerDocument() != nullptr;
    CRect ownerBounds;
    owner->GetBoundingRect(ownerBounds);
    bounds.UnionRect(bounds, NormalizedRect(ownerBounds));
    return common.IntersectRect(bounds, area) != FALSE;
}

void CAttrText::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (state == kTrackerNone)
        return;
    CRect box = m_position;
    box.NormalizeRect();
    CPoint anchor = box.TopLeft();
    LocalToDoc(&anchor, 1);
    MatrixTransformPoints(&anchor, 1, matrix);
    {
        ShapePaintScope paint(dc, state);
        if (GetOwnerDocument()) {
            CGdiObject* previous = dc->SelectStockObject(BLACK_PEN);
            dc->Ellipse(anchor.x - kDocumentLinkRadius, anchor.y - kDocumentLinkRadius,
                        anchor.x + kDocumentLinkRadius, anchor.y + kDocumentLinkRadius);
            dc->SelectObject(previous);
        } else if (CDrawObj* owner = GetOwnerObject()) {
            const CPoint end = owner->GetNearestPoint(anchor);
            dc->MoveTo(anchor);
            dc->LineTo(end);
        }
    }
    CTextBox::DrawTracker(dc, state, matrix);
}

void CAttrText::OnOpen(IDocView* view) {
    bool inSheet = false;
    if (CDrawObj* owner = GetOwnerObject())
        inSheet = owner->IsReadOnlyAttr(m_name) & kEditInSheet;
    else if (CDrawDoc* document = GetOwnerDocument())
        inSheet = CDrawDoc::FindComputedName(m_name) >= 0 &&
                  (document->GetAttributeFlags(m_name) & kEditInSheet);
    if (inSheet)
        OnEditProperties(view);
    else
        CTextBox::OnOpen(view);
}

CDrawObj* CAttrText::Clone(CDrawDoc* document) {
    return new CAttrText(*this, document);
}

void CAttrText::Invalidate(IDocView* view) {
    if (!view || !view->IsSelected(this)) {
        CTextBox::Invalidate(view);
        return;
    }
    CPoint corners[4] = {m_position.TopLeft(), CPoint(m_position.right, m_position.top),
                         m_position.BottomRight(), CPoint(m_position.left, m_position.bottom)};
    LocalToDoc(corners, 4);
    CRect box;
    PointsBoundingRect(corners, 4, box);
    if (CDrawObj* owner = GetOwnerObject()) {
        const CPoint end = owner->GetNearestPoint(corners[0]);
        box.UnionRect(box, CRect(end.x, end.y, end.x + 1, end.y + 1));
    } else if (GetOwnerDocument()) {
        box.InflateRect(kDocumentLinkRadius, kDocumentLinkRadius);
    }
    const int width = GetPen().lopnWidth.x;
    box.InflateRect(width, width);
    CRect pixels(view->DocToClient(box.TopLeft()), view->DocToClient(box.BottomRight()));
    pixels.NormalizeRect();
    pixels.InflateRect(kInvalidateMargin, kInvalidateMargin);
    view->InvalidateClientRect(pixels);
}

void CAttrText::PurgeAttrTexts() {
    CTextBox::PurgeAttrTexts();
    if (CDrawDoc* document = GetOwnerDocument()) {
        AddIfMissing(document->GetAttrTextList(), this);
        return;
    }
    CDrawObj* owner = GetOwnerObject();
    if (!owner)
        return;
    CObList* texts = owner->GetAttrTextList();
    if ((m_document && !m_document->IsListed(owner)) || !texts) {
        m_owner = nullptr;
        return;
    }
    AddIfMissing(texts, this);
}

// ---------------------------------------------------------------------------------------------
// Links

void CAttrText::CollectConnections(CConnectionList* list) {
    const int place = LinkPlaceIn(TextListOf(m_owner), this);
    if (GetOwnerDocument()) {
        list->Add(CConnectionRecord{this, kLinkToDocument, nullptr, nullptr, place});
        return;
    }
    CDrawObj* object = GetOwnerObject();
    if (object && !(object->GetFlags() & kFlagMark))
        list->Add(CConnectionRecord{this, kLinkToObject, object, nullptr, place});
}

void CAttrText::Disconnect(const CConnectionRecord*) {
    RemoveFrom(TextListOf(m_owner), this);
    m_owner = nullptr;
}

void CAttrText::Connect(const CConnectionRecord* record) {
    if (record->end == kLinkToDocument)
        m_owner = m_document;
    else
        m_owner = record->partner;
    if (CObList* texts = TextListOf(m_owner))
        texts->AddTail(this);
}

void CAttrText::GetLinkPlaces(const CConnectionRecord& record, std::vector<CLinkPlace>& places) {
    if (CObList* texts = TextListOf(m_owner); texts && record.partnerPlace != kNoLinkPlace)
        places.push_back({texts, this, record.partnerPlace});
}

void CAttrText::TakeLinkOf(CAttrText* other) {
    if (!other || !other->m_owner)
        return;
    // The owner's list keeps its order: this text takes the other's place in it.
    if (CObList* texts = TextListOf(other->m_owner)) {
        if (POSITION at = texts->Find(other))
            texts->SetAt(at, this);
        else
            texts->AddTail(this);
    }
    m_owner = other->m_owner;
    other->m_owner = nullptr;
}

void CAttrText::TakeLinksFrom(CDrawObj* replaced) {
    TakeLinkOf(dynamic_cast<CAttrText*>(replaced));
}

void CAttrText::GiveLinksTo(CDrawObj* replacing) {
    if (auto* text = dynamic_cast<CAttrText*>(replacing))
        text->TakeLinkOf(this);
}

void CAttrText::MoveLinksTo(CDrawObj* other) {
    GiveLinksTo(other);
}

void CAttrText::CopyGeometryFrom(const CDrawObj*) {}

// ---------------------------------------------------------------------------------------------
// Value

void CAttrText::GetDisplayText(CString& out) {
    switch (m_textFlags & kTextStyleMask) {
        case kAttrStyleEquals:
            out = m_name + " = " + m_text;
            break;
        case kAttrStyleColon:
            out = m_name + " : " + m_text;
            break;
        default:
            out = m_text;
            break;
    }
}

void CAttrText::SetShownText(const char* text) {
    if (m_text != text)
        CTextBox::SetText(text, FALSE);
}

void CAttrText::UpdateText(BOOL invalidate) {
    if (m_owner) {
        CDrawObj* object = GetOwnerObject();
        const CString value =
            object ? object->GetAttr(m_name) : GetOwnerDocument()->GetAttribute(m_name);
        if (value.str() != WithoutSoftBreaks(m_text)) {
            m_text = value;
            RecalcLayout();
        }
    }
    if (invalidate)
        Invalidate(nullptr);
}

std::optional<BOOL> CAttrText::AskAboutCheck(int rc, const CString& entered) {
    if (rc > 0) {
        const CString message = kInvalidValue + entered + "\n" + AttrCheckText(rc);
        return AfxMessageBox(message, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL;
    }
    const CString message = CString(kWarning) + AttrCheckText(rc);
    switch (AfxMessageBox(message, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            return std::nullopt;
        case IDNO:
            return FALSE;
        default:
            return TRUE;
    }
}

BOOL CAttrText::SetText(const char* text, BOOL undoable) {
    const CString entered = WithoutSoftBreaks(NormalizeLineEnds(text ? text : ""));
    if (entered.str() == WithoutSoftBreaks(m_text))
        return TRUE;
    CString value = entered;
    CDrawObj* object = GetOwnerObject();
    CDrawDoc* document = GetOwnerDocument();
    // A text that lost its owner holds its words alone, as any text does.
    if (!object && !document)
        return CTextBox::SetText(entered, undoable);
    const int rc = object     ? object->CheckAttrValue(m_name, value)
                   : document ? document->GetAttributeFlags(m_name)
                              : 0;
    if (rc == kIdExists && m_name == kIdName && object && object->GetObjType() == kObjSymbol) {
        const CString message =
            kInvalidValue + entered + AttrCheckText(kIdExists) + kDisplaceQuestion;
        if (AfxMessageBox(message, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return FALSE;
        return DisplaceId(object, entered, undoable);
    }
    if (rc != 0) {
        if (const std::optional<BOOL> done = AskAboutCheck(rc, entered))
            return *done;
    }
    // The device's check puts a made identifier in place of one it refuses; typed in place,
    // the refusal is told instead, and what was typed stays in the editor.
    if (rc == 0 && m_name == kIdName && object && object->GetDevice() && value != entered)
        return AfxMessageBox(kInvalidValue + entered + "\n" + PartIdRefusal(*object),
                             MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL;
    // A value the check brings back to the one shown (a name typed with spaces round it) leaves
    // the owner and the text as they are, the text's rectangle too.
    if (value.str() == WithoutSoftBreaks(m_text))
        return TRUE;
    // An owner may refuse the value still (a device name that names a device of the sheet
    // that does not fit the symbol): the text then keeps showing what the owner holds.
    if (object) {
        if (!object->SetAttr(m_name, value,
                             kSetAttrForce | kSetAttrUser | (undoable ? kSetAttrUndoable : 0))) {
            AfxMessageBox(kInvalidValue + entered, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
    } else if (document) {
        if (const CString clash = RailNameClash(*document, {{m_name, value}}); !clash.IsEmpty()) {
            AfxMessageBox(clash, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        document->SetAttribute(m_name, value, kAttrSetModified | (undoable ? kAttrUndoable : 0));
    }
    m_text = value;
    RecalcLayout();
    Invalidate(nullptr);
    return TRUE;
}

BOOL CAttrText::DisplaceId(CDrawObj* symbol, const char* id, BOOL undoable) {
    CDrawDoc* document = symbol->GetDocument();
    CDrawObj* other = FindOtherSymbol(document, symbol, id);
    if (!other)
        return *AskAboutCheck(kIdExists, id);
    std::unique_ptr<CRenumberCmd> command;
    std::optional<CHiddenPinTieKeeper> ties;
    if (undoable) {
        ties.emplace(*document);
        command = std::make_unique<CRenumberCmd>();
        command->Add(other->GetAttr(kIdName), other);
        command->Add(symbol->GetAttr(kIdName), symbol);
        command->KeepTextPlaces();
    }
    const CString previous = other->GetAttr(kIdName);
    other->SetAttr(kIdName, "", kSetAttrForce);
    CString value = id;
    if (const int rc = symbol->CheckAttrValue(kIdName, value)) {
        other->SetAttr(kIdName, previous, kSetAttrForce);
        if (const std::optional<BOOL> done = AskAboutCheck(rc, id))
            return *done;
        other->SetAttr(kIdName, "", kSetAttrForce);
    }
    symbol->SetAttr(kIdName, value, kSetAttrForce);
    symbol->RefreshAttrTexts(nullptr);
    other->AssignId(0);
    other->RefreshAttrTexts(nullptr);
    if (command) {
        document->GetUndoList().Add(command.release());
        ties->KeepInStep(*document);
    }
    return TRUE;
}
