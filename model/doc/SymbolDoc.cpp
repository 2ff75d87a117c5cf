#include "model/doc/SymbolDoc.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/cmd/AddCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/TransformCmd.h"
#include "model/device/Device.h"
#include "model/doc/DocView.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/ole/DrawOleObj.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"
#include "model/undo/MultiCmd.h"
#include "platform/AppServices.h"
#include "platform/Maps.h"

IMPLEMENT_DYNCREATE(CSymbolDoc, CDrawDoc)

namespace {

constexpr SIZE kSymbolPaper{20000, -15000};
constexpr DWORD kSymbolBorderFlags = 0xA0;
// A loaded symbol is moved onto the sheet by whole inches, so that every grid that divides an
// inch keeps its points on the grid.
constexpr LONG kShiftStep = 1000;

LONG RoundToStep(LONG value) {
    const LONG half = kShiftStep / 2;
    return (value >= 0 ? (value + half) / kShiftStep : -((half - value) / kShiftStep)) * kShiftStep;
}

// What the output window calls an object that a symbol sheet does not hold.
const char* RefusedKindName(const CObject* object) {
    if (object->IsKindOf(RUNTIME_CLASS(CBus)))
        return "bus";
    if (object->IsKindOf(RUNTIME_CLASS(CWire)))
        return "wire";
    if (object->IsKindOf(RUNTIME_CLASS(CAttrText)))
        return "attribute text";
    if (object->IsKindOf(RUNTIME_CLASS(CSymbol)))
        return "symbol";
    return "embedded object";
}

double SquaredLength(CSize size) {
    return double(size.cx) * size.cx + double(size.cy) * size.cy;
}

void TellLeftOut(const std::map<std::string, int>& counts) {
    std::streambuf* buffer = GetAppServices().GetOutputStreamBuf();
    if (!buffer || counts.empty())
        return;
    std::ostream out(buffer);
    out << "Edit Symbol: left out what a symbol sheet cannot hold:";
    const char* separator = " ";
    for (const auto& [kind, count] : counts) {
        out << separator << count << ' ' << kind << (count > 1 ? "s" : "");
        separator = ", ";
    }
    out << ".\n" << std::flush;
    GetAppServices().ShowOutputBar();
}

}  // namespace

CSymbolDoc::CSymbolDoc() = default;

CSymbolDoc::~CSymbolDoc() {
    if (m_pOwnerDoc)
        m_pOwnerDoc->RemoveSymbolEditor(this);
}

BOOL CSymbolDoc::IsObjectAllowed(CObject* object) {
    if (!object)
        return FALSE;
    return !object->IsKindOf(RUNTIME_CLASS(CWire)) && !object->IsKindOf(RUNTIME_CLASS(CAttrText)) &&
           !object->IsKindOf(RUNTIME_CLASS(CSymbol)) &&
           !object->IsKindOf(RUNTIME_CLASS(CDrawOleObj));
}

BOOL CSymbolDoc::OnNewDocument() {
    if (!CDrawDoc::OnNewDocument())
        return FALSE;
    SetMargins(RECT{0, 0, 0, 0});
    m_border.m_flags = kSymbolBorderFlags;
    SetPaperSize(kSymbolPaper.cx, kSymbolPaper.cy);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Loading and building

void CSymbolDoc::LoadSymbol(CDrawDoc* owner, CSymbol* symbol) {
    if (m_pOwnerDoc)
        m_pOwnerDoc->RemoveSymbolEditor(this);
    m_pOwnerDoc = owner;
    if (owner)
        owner->AddSymbolEditor(this);
    m_sourceSerial = symbol && owner ? symbol->GetSerial() : 0;
    if (symbol) {
        std::map<std::string, int> leftOut;
        AppendCopies(symbol->GetPins(), leftOut);
        AppendCopies(symbol->GetGraphics(), leftOut);
        TellLeftOut(leftOut);
        CentreOnSheet();
    }
    for (IDocView* view : GetViews())
        view->ZoomToObjects();
}

void CSymbolDoc::AppendCopies(const CObList& objects, std::map<std::string, int>& leftOut) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (!IsObjectAllowed(object)) {
            ++leftOut[RefusedKindName(object)];
            continue;
        }
        if (CDrawObj* copy = object->Clone(this))
            m_objects.AddTail(copy);
    }
}

// The symbol's own coordinates lie about the origin, mostly off the sheet: its copies move to
// the middle of the sheet, and the symbol built from them moves back.
void CSymbolDoc::CentreOnSheet() {
    CRect bounds;
    bool first = true;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CRect box;
        static_cast<CDrawObj*>(m_objects.GetNext(pos))->GetBoundingRect(box);
        box.NormalizeRect();
        if (first)
            bounds = box;
        else
            bounds.UnionRect(bounds, box);
        first = false;
    }
    if (first)
        return;
    const SIZE paper = GetPaperSize();
    m_shift = CSize(RoundToStep(paper.cx / 2 - bounds.CenterPoint().x),
                    RoundToStep(paper.cy / 2 - bounds.CenterPoint().y));
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(m_objects.GetNext(pos))->OffsetBy(m_shift);
}

CSymbol* CSymbolDoc::BuildSymbol() {
    CSymbol* symbol = m_bSpiceSymbol ? new CSpiceSymbol() : new CSymbol();
    symbol->SetDocument(m_pOwnerDoc);
    CObList copies;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* copy = static_cast<CDrawObj*>(m_objects.GetNext(pos))->Clone(m_pOwnerDoc);
        if (!copy)
            continue;
        copy->OffsetBy(CSize(-m_shift.cx, -m_shift.cy));
        copies.AddTail(copy);
    }
    symbol->BuildFromObjects(copies, FALSE);
    symbol->RecalcBounds(nullptr);
    return symbol;
}

CPin* CSymbolDoc::FindPinById(const char* id) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* pin = dynamic_cast<CPin*>(m_objects.GetNext(pos));
        if (pin && pin->GetAttr("_ID") == id)
            return pin;
    }
    return nullptr;
}

CString CSymbolDoc::MakePinName() {
    return ::MakePinName(m_objects);
}

CSymbol* CSymbolDoc::FindSourceSymbol() const {
    if (!m_pOwnerDoc || m_sourceSerial == 0)
        return nullptr;
    const CObList& objects = m_pOwnerDoc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* symbol = dynamic_cast<CSymbol*>(objects.GetNext(pos));
        if (symbol && symbol->HasSerial(m_sourceSerial))
            return symbol;
    }
    return nullptr;
}

void CSymbolDoc::OwnerClosed() {
    m_pOwnerDoc = nullptr;
    m_sourceSerial = 0;
}

// ---------------------------------------------------------------------------------------------
// Writing back

BOOL CSymbolDoc::SaveModified(const std::function<BOOL()>& askToSave) {
    UpdateAllViews(nullptr, kHintDeselect);
    if (!m_pOwnerDoc)
        return askToSave ? askToSave() : TRUE;
    if (!IsModified())
        return TRUE;
    CSymbol* symbol = BuildSymbol();
    CSymbol* source = FindSourceSymbol();
    CSymbol* placed = source ? ReplaceSymbol(source, symbol) : CreateComponent(symbol);
    // Written back: later edits go to the symbol that now stands in the owner.
    m_sourceSerial = placed->GetSerial();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CSymbol* CSymbolDoc::CreateComponent(CSymbol* symbol) {
    PlaceOnOwnerGrid(*symbol);
    if (auto* source = dynamic_cast<CSpiceSymbol*>(symbol))
        source->MakeDeckElement();
    auto* step = new CMultiCmd("create component");
    auto* add = new CAddCmd(symbol, FALSE);
    add->Do(m_pOwnerDoc);
    step->Append(add);
    m_pOwnerDoc->GetUndoList().Add(step);
    return symbol;
}

// As a part taken from a library is placed: moved by the least step that puts one of its
// connection points on the grid of the owner's first view.
void CSymbolDoc::PlaceOnOwnerGrid(CSymbol& symbol) const {
    const std::vector<IDocView*>& views = m_pOwnerDoc->GetViews();
    if (views.empty())
        return;
    std::optional<CSize> best;
    for (int i = 1; i <= symbol.GetConnectionCount(); ++i) {
        const CPoint point = symbol.GetConnectionPoint(i);
        const CSize step = views.front()->NearestGridPoint(point) - point;
        if (!best || SquaredLength(step) < SquaredLength(*best))
            best = step;
    }
    if (best)
        symbol.OffsetBy(*best);
}

void CSymbolDoc::TransferPinLinks(CConnectionList& list, CSymbol* oldSymbol, CSymbol* newSymbol) {
    const CObList& pins = oldSymbol->GetPins();
    for (POSITION pos = pins.GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(pins.GetNext(pos));
        const CString id = pin->GetAttr("_ID");
        CPin* partner = id.IsEmpty() ? nullptr : newSymbol->FindPin(id);
        if (partner)
            list.Replace(pin, partner);
        else
            list.Remove(pin);
    }
}

// The new symbol takes the source's place, placement, attributes, device and links; the wires
// of pins that kept their "_ID" follow the new pins.
CSymbol* CSymbolDoc::ReplaceSymbol(CSymbol* source, CSymbol* symbol) {
    CDrawDoc& owner = *m_pOwnerDoc;
    symbol->CopyPlacementFrom(*source);
    CMapStringToString& attributes = *symbol->GetAttrMap();
    attributes.RemoveAll();
    CString name;
    CString value;
    for (POSITION pos = source->GetAttrMap()->GetStartPosition(); pos;) {
        source->GetAttrMap()->GetNextAssoc(pos, name, value);
        attributes.SetAt(name, value);
    }
    // A source keeps its kind and waveform values.
    auto* spiceSource = dynamic_cast<CSpiceSymbol*>(source);
    if (auto* spice = dynamic_cast<CSpiceSymbol*>(symbol); spice && spiceSource)
        spice->SetSourceState(spiceSource->GetSourceState());
    if (CDevice* device = source->GetDevice()) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    CConnectionList links;
    CObList sources;
    sources.AddTail(source);
    links.Collect(sources);
    TransferPinLinks(links, source, symbol);
    links.Replace(source, symbol);

    auto* step = new CMultiCmd("symbol edit");
    CObList& objects = owner.GetObjects();
    CObject* follower = nullptr;
    if (POSITION at = objects.Find(source)) {
        objects.GetNext(at);
        follower = at ? objects.GetAt(at) : nullptr;
    }
    auto* remove = new CRemoveCmd(source);
    remove->Do(&owner);
    step->Append(remove);
    links.Restore();
    POSITION before = follower ? objects.Find(follower) : nullptr;
    if (before)
        objects.InsertBefore(before, symbol);
    else
        objects.AddTail(symbol);
    symbol->Invalidate(nullptr);
    step->Append(new CAddCmd(symbol, TRUE));

    CObList moved;
    moved.AddTail(symbol);
    auto* move = new CTransformCmd(&owner, moved, kTransformMove);
    move->Begin();
    move->SetMove(0, 0);
    move->Apply();
    // Wires that followed a pin in a straight line keep no elbow of the re-routing.
    move->TidyWires();
    auto* placed = static_cast<CSymbol*>(move->SubstituteObject(symbol));
    step->Append(move);
    owner.GetUndoList().Add(step);
    return placed;
}
