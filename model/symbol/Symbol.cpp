// The symbol's life, record, attributes and links; its geometry and painting are in
// SymbolGeometry.cpp.

#include "model/symbol/Symbol.h"

#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "model/cmd/AttrEditCmd.h"
#include "model/cmd/ChangeDeviceCmd.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/RailConnectors.h"
#include "model/object/AttrCheckCodes.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"
#include "platform/Prefetch.h"

IMPLEMENT_SERIAL(CSymbol, CDrawObj, VERSIONABLE_SCHEMA | 1)

namespace {

const char* IdName() {
    return GetStdAttrName(kStdAttrId);
}
const char* NameName() {
    return GetStdAttrName(kStdAttrName);
}

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

// The flag bits a symbol passes on to its children.
constexpr DWORD kSharedMarks =
    kFlagCollected | kFlagSnapExcluded | kFlagDrcError | kFlagHighlight | kFlagMark | 0x80000000;

bool HasLineBreakOrSeparator(const CString& value) {
    return value.Find('\n') >= 0 || value.Find('\x01') >= 0;
}

std::vector<CString> PinIds(const CObList& pins) {
    std::vector<CString> ids;
    for (POSITION pos = pins.GetHeadPosition(); pos;)
        ids.push_back(NextObject(pins, pos)->GetAttr(IdName()));
    return ids;
}

// Empties the list, then has each object it held remove itself (Remove) or be deleted.
std::vector<CDrawObj*> TakeAll(CObList& list) {
    std::vector<CDrawObj*> objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    list.RemoveAll();
    return objects;
}

void DeleteAll(CObList& list) {
    for (CDrawObj* object : TakeAll(list))
        delete object;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

CSymbol::CSymbol() {
    m_flags = kSymbolDefaultFlags;
}

CSymbol::CSymbol(CDrawDoc* document, const CObList& objects, BOOL clone) : CSymbol() {
    m_document = document;
    BuildFromObjects(objects, clone);
}

CSymbol::CSymbol(const CSymbol& source, CDrawDoc* document)
    : CDrawObj(source, document), m_device(source.m_device) {
    if (m_device)
        m_device->AddRef();
    SetMatrix(source.m_matrix);
    for (POSITION pos = source.m_graphics.GetHeadPosition(); pos;) {
        if (CDrawObj* copy = NextObject(source.m_graphics, pos)->Clone(m_document))
            m_graphics.AddTail(copy);
    }
    for (POSITION pos = source.m_pins.GetHeadPosition(); pos;) {
        auto* copy = static_cast<CPin*>(NextObject(source.m_pins, pos)->Clone(m_document));
        copy->SetOwner(this);
        m_pins.AddTail(copy);
    }
    m_attributes.CopyFrom(source.m_attributes);
}

CSymbol::~CSymbol() {
    if (m_device)
        m_device->Release();
    DeleteAll(m_pins);
    DeleteAll(m_graphics);
    m_attrTexts.RemoveAll();
}

void CSymbol::BuildFromObjects(const CObList& objects, BOOL clone) {
    bool first = true;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(objects, pos);
        CDrawObj* child = clone ? object->Clone(m_document) : object;
        if (!child)
            continue;
        if (auto* pin = DYNAMIC_DOWNCAST(CPin, child)) {
            pin->SetOwner(this);
            m_pins.AddTail(pin);
        } else {
            m_graphics.AddTail(child);
        }
        child->SetDocument(m_document);
        CRect box;
        child->GetBoundingRect(box);
        box.NormalizeRect();
        if (first)
            m_position = box;
        else
            UniteExtents(m_position, box);
        first = false;
    }
}

void CSymbol::ReleaseChildren() {
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        static_cast<CPin*>(m_pins.GetNext(pos))->SetOwner(nullptr);
    m_pins.RemoveAll();
    m_graphics.RemoveAll();
}

CDrawObj* CSymbol::Clone(CDrawDoc* document) {
    return new CSymbol(*this, document);
}

CDrawObj* CSymbol::Duplicate() {
    auto* symbol = new CSymbol();
    DuplicateInto(*symbol);
    return symbol;
}

void CSymbol::DuplicateInto(CSymbol& symbol) const {
    CObList graphics;
    for (POSITION pos = m_graphics.GetHeadPosition(); pos;) {
        if (CDrawObj* copy = NextObject(m_graphics, pos)->Duplicate())
            graphics.AddTail(copy);
    }
    symbol.m_document = m_document;
    symbol.BuildFromObjects(graphics, FALSE);
    for (POSITION pos = m_pins.GetHeadPosition(); pos;) {
        auto* copy = static_cast<CPin*>(NextObject(m_pins, pos)->Duplicate());
        copy->SetOwner(&symbol);
        symbol.m_pins.AddTail(copy);
    }
    symbol.m_position = m_position;
    symbol.m_flags = m_flags;
    symbol.m_style = m_style;
    symbol.SetMatrix(m_matrix);
    if (m_device)
        m_device->AddRef();
    symbol.m_device = m_device;
}

void CSymbol::CopyGeometryFrom(const CDrawObj* source) {
    CDrawObj::CopyGeometryFrom(source);
    if (const auto* symbol = DYNAMIC_DOWNCAST(CSymbol, source))
        SetMatrix(symbol->m_matrix);
}

void CSymbol::Remove() {
    for (CObList* children : {&m_pins, &m_graphics}) {
        for (CDrawObj* child : TakeAll(*children))
            child->Remove();
    }
    CDrawObj::Remove();
}

void CSymbol::CopyPlacementFrom(const CSymbol& source) {
    m_flags = source.m_flags & kFlagsKeptOnLoad & ~kFlagMark;
    SetMatrix(source.m_matrix);
}

void CSymbol::SetMatrix(const double* matrix) {
    for (int i = 0; i < kMatrixSize; ++i)
        m_matrix[i] = matrix[i];
}

// ---------------------------------------------------------------------------------------------
// Record

void CSymbol::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    SerializeOwnedObjectList(ar, m_pins, RUNTIME_CLASS(CPin));
    SerializeOwnedObjectList(ar, m_graphics, RUNTIME_CLASS(CDrawObj));
    SerializeStringMap(ar, m_attributes);
    SerializeObjectList(ar, m_attrTexts, RUNTIME_CLASS(CAttrText));
    if (ar.IsStoring()) {
        for (const double value : m_matrix)
            ar << value;
        ar.WriteObject(m_device);
        return;
    }
    for (double& value : m_matrix) {
        ar >> value;
        if (!std::isfinite(value))
            throw CArchiveException(CArchiveException::genericException);
    }
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        static_cast<CPin*>(m_pins.GetNext(pos))->SetOwner(this);
    m_device = static_cast<CDevice*>(ar.ReadObject(RUNTIME_CLASS(CDevice)));
    if (m_device)
        m_device->AddRef();
}

// ---------------------------------------------------------------------------------------------
// Flags and document

DWORD CSymbol::SetMark(BOOL mark) {
    for (CObList* children : {&m_graphics, &m_pins}) {
        for (POSITION pos = children->GetHeadPosition(); pos;)
            NextObject(*children, pos)->SetMark(mark);
    }
    return CDrawObj::SetMark(mark);
}

// The children share the run-time marks only: the symbol's kind and pin display bits mean
// other things to pins and graphics.
DWORD CSymbol::SetFlags(DWORD value, DWORD mask) {
    for (CObList* children : {&m_graphics, &m_pins}) {
        for (POSITION pos = children->GetHeadPosition(); pos;)
            NextObject(*children, pos)->SetFlags(value, mask & kSharedMarks);
    }
    return CDrawObj::SetFlags(value, mask);
}

// One repaint of the whole symbol when its own flags changed, else of each changed child.
void CSymbol::ClearFlags(DWORD mask) {
    const DWORD before = m_flags;
    m_flags &= ~mask;
    std::vector<CDrawObj*> changed;
    for (CObList* children : {&m_graphics, &m_pins}) {
        for (POSITION pos = children->GetHeadPosition(); pos;) {
            CDrawObj* child = NextObject(*children, pos);
            if (child->GetFlags() & mask & kSharedMarks) {
                child->SetFlags(0, mask & kSharedMarks);
                changed.push_back(child);
            }
        }
    }
    if (m_flags != before) {
        Invalidate(nullptr);
        return;
    }
    for (CDrawObj* child : changed)
        child->Invalidate(nullptr);
}

CDrawDoc* CSymbol::SetDocument(CDrawDoc* document) {
    for (CObList* children : {&m_graphics, &m_pins}) {
        for (POSITION pos = children->GetHeadPosition(); pos;)
            NextObject(*children, pos)->SetDocument(document);
    }
    return CDrawObj::SetDocument(document);
}

// ---------------------------------------------------------------------------------------------
// Attributes

void CSymbol::AddAttrTextsTo(CObList* list) {
    if (!list)
        return;
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;) {
        CObject* text = m_attrTexts.GetNext(pos);
        if (!list->Find(text))
            list->AddTail(text);
    }
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        NextObject(m_pins, pos)->AddAttrTextsTo(list);
}

// "_DID" is the identifier without its gate suffix, also when the map gives it none.
BOOL CSymbol::LookupAttr(const char* name, CString& value) {
    if (!name)
        return FALSE;
    // The names asked most often, known by the table's own text, are plain attributes.
    if (name == IdName() || name == NameName() || name == GetStdAttrName(kStdAttrFootprint) ||
        name == GetStdAttrName(kStdAttrValue))
        return m_attributes.Lookup(name, value);
    const std::string_view attribute(name);
    if (attribute == GetStdAttrName(kStdAttrInst) || attribute == GetStdAttrName(kStdAttrDid)) {
        if (!m_device)
            return FALSE;
        CString id;
        CString symbolName;
        m_attributes.Lookup(IdName(), id);
        m_attributes.Lookup(NameName(), symbolName);
        if (attribute == GetStdAttrName(kStdAttrInst)) {
            value = m_device->GetInstance(id, symbolName);
            return TRUE;
        }
        value = id;
        return m_device->StripGateSuffix(value, symbolName) != kMapNotValid;
    }
    if (IsDeviceAttrName(name))
        return m_device ? m_device->Lookup(CString(DeviceAttrName(name)), value) : FALSE;
    return m_attributes.Lookup(name, value);
}

CPinMapLine* CSymbol::GetPartLine(CString& did) const {
    if (!m_device) {
        did.Empty();
        return nullptr;
    }
    const CString* id = m_attributes.PLookup(IdName());
    const CString* name = m_attributes.PLookup(NameName());
    return m_device->FindPartLine(id ? *id : CString(), name ? name->c_str() : "", did);
}

int CSymbol::CheckAttrValue(const char* name, CString& value) {
    if (!name)
        return 0;
    if (IsDeviceAttrName(name))
        return CheckDeviceAttr(CString(DeviceAttrName(name)), value);
    return CheckOwnAttr(name, value);
}

int CSymbol::CheckOwnAttr(const CString& name, CString& value) {
    if (name == NameName()) {
        if (HasLineBreakOrSeparator(value))
            return kInvalidCharacter;
        // A part's name picks its line of the device's map: a name the map lacks would leave
        // the part, and its identifier, outside the device.
        return m_device && !m_device->IsCompatibleWith(value, PinIds(m_pins)) ? kSymbolOrPinNotFound
                                                                              : kAttrOk;
    }
    if (name != IdName())
        return kAttrOk;
    if (value.IsEmpty())
        return GetKind() == kSymbolDevice || GetKind() == kSymbolSubCircuit ? kIdMissing : kAttrOk;
    if (m_device && !m_device->IsValidPartId(this, value, kPartIdMakeNew))
        return kInvalidIdentifier;
    // A net connector's identifier is the name of its net, which many connectors share.
    if (GetKind() == kSymbolNetConnector)
        return kAttrOk;
    return m_document && m_document->IsIdInUse(this, value) ? kIdExists : kAttrOk;
}

int CSymbol::CheckDeviceAttr(const CString& rest, CString& value) {
    if (!m_device)
        return kNoDevice;
    if (rest == NameName()) {
        if (CDevice* other = FindDocumentDevice(value))
            return other->IsCompatibleWith(this) ? kAttrOk : kIncompatibleDevice;
    }
    return m_device->CheckAttrValue(rest, value);
}

CDevice* CSymbol::FindDocumentDevice(const char* name) const {
    if (!m_document)
        return nullptr;
    const CObList& objects = m_document->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDevice* device = NextObject(objects, pos)->GetDevice();
        if (device && device != m_device && device->GetAttr(NameName()) == name)
            return device;
    }
    return nullptr;
}

// Device attributes are set through the device with the same check and the same undo as the
// symbol's own ones: an undoable edit records the old value of the "_Device." name.
int CSymbol::SetAttr(const char* name, const char* value, UINT flags) {
    if (!name || !value)
        return FALSE;
    const bool deviceName = IsDeviceAttrName(name);
    if (deviceName && CString(DeviceAttrName(name)) == NameName()) {
        if (CDevice* other = FindDocumentDevice(value))
            return other->IsCompatibleWith(this) && ChangeDevice(other);
    }
    if ((flags & kSetAttrUndoable) && m_document && name == CString(IdName())) {
        // The part's ties follow its new identifier in the same step, and a rail connector
        // given a name of the user's leaves its rail.
        CHiddenPinTieKeeper ties(*m_document);
        const int result = SetAttrRecorded(*this, name, value, flags);
        ties.KeepInStep(*m_document);
        if (result)
            KeepUserName(*this, true);
        return result;
    }
    if (flags & kSetAttrUndoable)
        return SetAttrRecorded(*this, name, value, flags);
    if (deviceName)
        return SetDeviceAttr(CString(DeviceAttrName(name)), value, flags);
    CString text(value);
    if (!(flags & kSetAttrForce) && CheckAttrValue(name, text) != kAttrOk)
        return FALSE;
    CString present;
    if (m_attributes.Lookup(name, present) && present == text)
        return TRUE;
    m_attributes.SetAt(name, text);
    RefreshAttrTexts(name);
    if (CString(name) == IdName() && GetKind() == kSymbolNetConnector && !m_pins.IsEmpty())
        static_cast<CPin*>(m_pins.GetHead())->SetNetConnectorName(text);
    // The symbol draws what its attributes choose (the pin numbers of the gate its identifier
    // names): it is repainted whole.
    Invalidate(nullptr);
    return TRUE;
}

int CSymbol::SetDeviceAttr(const CString& rest, const char* value, UINT flags) {
    if (!m_device || !m_device->SetAttr(rest, value, (flags & kSetAttrForce) != 0))
        return FALSE;
    if (m_document) {
        const CObList& objects = m_document->GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            CDrawObj* object = NextObject(objects, pos);
            if (object != this && object->GetDevice() == m_device) {
                object->RefreshAttrTexts(nullptr);
                object->Invalidate(nullptr);
            }
        }
    }
    RefreshAttrTexts(nullptr);
    Invalidate(nullptr);
    return TRUE;
}

void CSymbol::RemoveAttr(const char* name) {
    if (name && IsDeviceAttrName(name)) {
        if (m_device)
            m_device->RemoveAttr(CString(DeviceAttrName(name)));
        return;
    }
    CDrawObj::RemoveAttr(name);
}

// The "change device" step takes its reference on the old device before this symbol lets go
// of it, so the old device lives on in the step.
BOOL CSymbol::ChangeDevice(CDevice* device) {
    if (!device)
        return FALSE;
    // The part's ties follow the identifier the new device gives it, in the same step.
    std::optional<CHiddenPinTieKeeper> ties;
    if (m_document)
        ties.emplace(*m_document);
    device->AddRef();
    CDevice* old = SetDevice(device);
    const CString oldId = GetAttr(IdName());
    CString id = oldId;
    device->IsValidPartId(this, id, kPartIdMakeNew);
    m_attributes.SetAt(IdName(), id);
    if (m_document) {
        m_document->GetUndoList().Add(new CChangeDeviceCmd(this, old, oldId));
        ties->KeepInStep(*m_document);
    }
    RefreshAttrTexts(nullptr);
    if (old)
        old->Release();
    return TRUE;
}

CDevice* CSymbol::SetDevice(CDevice* device) {
    CDevice* old = m_device;
    m_device = device;
    return old;
}

BOOL CSymbol::IsIdAttrAt(int index) {
    CString name;
    CString value;
    GetAttrAt(index, name, value);
    return name == NameName() || name == IdName();
}

BOOL CSymbol::IsReadOnlyAttr(const char* name) {
    if (!name)
        return FALSE;
    if (IsDeviceAttrName(name))
        return m_device ? CDevice::GetAttributeFlags(CString(DeviceAttrName(name))) : 0;
    const CString attribute(name);
    return attribute == IdName() || attribute == NameName();
}

void CSymbol::RefreshAttrTexts(const char* name) {
    CDrawObj::RefreshAttrTexts(name);
    if (!name)
        RefreshPinTexts(nullptr);
}

void CSymbol::RefreshPinTexts(const char* name) {
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        NextObject(m_pins, pos)->RefreshAttrTexts(name);
}

void CSymbol::PurgeAttrTexts() {
    // The pins are asked for all at once, not one after the other as they are checked.
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        FetchLine(m_pins.GetNext(pos));
    CDrawObj::PurgeAttrTexts();
    for (CObList* children : {&m_pins, &m_graphics}) {
        for (POSITION pos = children->GetHeadPosition(); pos;)
            NextObject(*children, pos)->PurgeAttrTexts();
    }
}

// Graphical symbols, ports and net connectors may stay without identifier; a connector that
// stands for one of the sheet's rails bears the rail's name on this sheet, also when it comes
// from a sheet that names the rail otherwise.
int CSymbol::AssignId(int) {
    CString id = GetAttr(IdName());
    if (!RailOf(*this).IsEmpty()) {
        FollowRail(*this, RailRecord::kNet);
        return TRUE;
    }
    if (id.IsEmpty() && GetKind() <= kSymbolNetConnector)
        return TRUE;
    if (!m_document)
        return TRUE;
    m_document->MakeObjectId(id, this);
    SetAttr(IdName(), id, kSetAttrForce);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Links

void CSymbol::CollectConnections(CConnectionList* list) {
    if (!list)
        return;
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        NextObject(m_pins, pos)->CollectConnections(list);
    int place = 0;
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos; ++place) {
        CDrawObj* text = NextObject(m_attrTexts, pos);
        if (!(text->GetFlags() & kFlagMark))
            list->Add({text, 0, this, nullptr, place});
    }
}

// The pins take wires; every pin counts as a connector.
void CSymbol::GetConnectInfo(int, void* info) {
    auto* record = static_cast<ConnectInfo*>(info);
    if (!record)
        return;
    record->acceptedTypes = ObjTypeMask(kObjWire);
    record->freeEnds = m_pins.GetCount();
}

int CSymbol::GetConnectorCount() {
    return m_pins.GetCount();
}

int CSymbol::ConnectWith(CDrawObj* other, void* info) {
    return other ? other->ConnectWith(this, info) : 0;
}

int CSymbol::CollectConnected(CObList* list) {
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        NextObject(m_pins, pos)->CollectConnected(list);
    return 0;
}

void CSymbol::NotifyAttached(IFollowMap* map) {
    for (POSITION pos = m_pins.GetHeadPosition(); pos;)
        NextObject(m_pins, pos)->NotifyAttached(map);
}

void CSymbol::MoveTextsTo(CSymbol& other, bool attributes) {
    if (attributes) {
        other.m_attributes.RemoveAll();
        CString name;
        CString value;
        for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
            m_attributes.GetNextAssoc(pos, name, value);
            other.m_attributes.SetAt(name, value);
        }
        m_attributes.RemoveAll();
    }
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(m_attrTexts.GetNext(pos));
        text->Bind(&other, text->GetName());
        other.m_attrTexts.AddTail(text);
    }
    m_attrTexts.RemoveAll();
}

void CSymbol::GiveLinksTo(CDrawObj* replacing) {
    auto* other = DYNAMIC_DOWNCAST(CSymbol, replacing);
    if (!other)
        return;
    POSITION mine = m_pins.GetHeadPosition();
    POSITION theirs = other->m_pins.GetHeadPosition();
    while (mine && theirs)
        NextObject(m_pins, mine)->GiveLinksTo(NextObject(other->m_pins, theirs));
    MoveTextsTo(*other, true);
}

void CSymbol::TakeLinksFrom(CDrawObj* replaced) {
    auto* other = DYNAMIC_DOWNCAST(CSymbol, replaced);
    if (!other)
        return;
    POSITION mine = m_pins.GetTailPosition();
    POSITION theirs = other->m_pins.GetTailPosition();
    while (mine && theirs) {
        CDrawObj* pin = static_cast<CDrawObj*>(m_pins.GetPrev(mine));
        pin->TakeLinksFrom(static_cast<CDrawObj*>(other->m_pins.GetPrev(theirs)));
    }
    other->MoveTextsTo(*this, true);
}

void CSymbol::MoveLinksTo(CDrawObj* other) {
    auto* symbol = DYNAMIC_DOWNCAST(CSymbol, other);
    if (!symbol)
        return;
    POSITION mine = m_pins.GetHeadPosition();
    POSITION theirs = symbol->m_pins.GetHeadPosition();
    while (mine && theirs)
        NextObject(m_pins, mine)->MoveLinksTo(NextObject(symbol->m_pins, theirs));
    MoveTextsTo(*symbol, false);
}
