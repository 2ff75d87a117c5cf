// The document's object operations: adding, copying in, removing and renumbering objects,
// making identifiers and device names unique, drawing order and the stacking of new texts.

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/cmd/AddCmd.h"
#include "model/cmd/GroupCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/RenumberCmd.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/IdsInUse.h"
#include "model/doc/ObjectListData.h"
#include "model/net/HiddenPinTies.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "platform/AppServices.h"
#include "platform/Archive.h"
#include "platform/CompoundStorage.h"
#include "platform/UserPrompt.h"

namespace {

// The copy of a text of no document (a library's or a palette's) or of another document comes
// into this one as a text that changes documents does: laid out for it, with its font and the
// metrics of this machine, so that its box fits the text as drawn from the start. The copies
// stand in the order of their sources.
void LayOutCopiedTexts(const CDrawDoc& document, const CObList& sources, const CObList& copies) {
    if (sources.GetCount() != copies.GetCount())
        return;
    POSITION from = sources.GetHeadPosition();
    for (POSITION pos = copies.GetHeadPosition(); pos && from;) {
        const auto* source = static_cast<const CDrawObj*>(sources.GetNext(from));
        auto* text = dynamic_cast<CTextBox*>(static_cast<CDrawObj*>(copies.GetNext(pos)));
        if (text && source->GetDocument() != &document)
            text->RecalcLayout();
    }
}

// New texts move down in steps of this many units.
constexpr LONG kTextStackStep = 200;
constexpr const char* kDefaultIdPrefix = "A";

CDrawObj* NextDrawObj(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

// What new texts must keep clear of: objects, and the lowest edge of all their bounding
// rectangles, below which nothing can meet them.
class Obstacles {
public:
    explicit Obstacles(const CObList& objects) {
        for (POSITION pos = objects.GetHeadPosition(); pos;)
            Add(NextDrawObj(objects, pos));
    }

    void Add(CDrawObj* object) {
        CRect box;
        object->GetBoundingRect(box);
        m_lowest = m_objects.empty() ? box.top : std::min(m_lowest, box.top);
        m_objects.push_back(object);
    }

    // box is normalised: its bottom member is its upper edge on the sheet.
    bool Meet(const CRect& box) const {
        if (m_objects.empty() || box.bottom < m_lowest)
            return false;
        return std::any_of(m_objects.begin(), m_objects.end(),
                           [&box](CDrawObj* object) { return object->Intersects(box); });
    }

private:
    std::vector<CDrawObj*> m_objects;
    LONG m_lowest = 0;
};

}  // namespace

// The identifiers in use, gathered at the first identifier asked for during one operation and
// kept up to date by MakeObjectId. Scopes nest by sharing the outermost.
struct CDrawDoc::IdScope {
    explicit IdScope(CDrawDoc& doc) : m_doc(doc), m_owner(doc.m_idScope == nullptr) {
        if (m_owner)
            doc.m_idScope = this;
    }
    ~IdScope() {
        if (m_owner)
            m_doc.m_idScope = nullptr;
    }
    IdScope(const IdScope&) = delete;
    IdScope& operator=(const IdScope&) = delete;

    IdsInUse& Ids() {
        if (!m_ids)
            m_ids.emplace(m_doc.m_objects);
        return *m_ids;
    }
    // Identifiers changed in ways MakeObjectId did not see; gather them again when needed.
    void Forget() {
        if (m_owner)
            m_ids.reset();
        else
            m_doc.m_idScope->Forget();
    }

    CDrawDoc& m_doc;
    bool m_owner;
    std::optional<IdsInUse> m_ids;
};

BOOL CDrawDoc::IsDrawObjAllowed(CObject* object) {
    return object && object->IsKindOf(RUNTIME_CLASS(CDrawObj)) && IsObjectAllowed(object);
}

// ---------------------------------------------------------------------------------------------
// Adding

BOOL CDrawDoc::AddObject(std::unique_ptr<CDrawObj> object) {
    if (!IsDrawObjAllowed(object.get()))
        return FALSE;
    CDrawObj* added = object.get();
    ShareDevice(added);
    added->SetDocument(this);
    std::optional<CHiddenPinTieKeeper> ties;
    if (added->GetObjType() == kObjSymbol)
        ties.emplace(*this);
    if (!m_undoList.Execute(new CAddCmd(object.release(), FALSE)))
        return FALSE;
    if (added->AssignId(m_firstPartNumber)) {
        if (ties)
            ties->KeepInStep(*this);
        return TRUE;
    }
    m_undoList.CancelLast();  // the command deletes the object
    return FALSE;
}

BOOL CDrawDoc::AddObjects(CObList* list) {
    if (!list)
        return FALSE;
    // The ties the objects bring hold among them only; those of the document stay on their parts.
    CHiddenPinTieKeeper incomingTies(*list);
    CHiddenPinTieKeeper ties(*this);
    std::optional<CHiddenPinTies> present;
    if (!incomingTies.IsEmpty())
        present.emplace(*this);
    std::vector<CDrawObj*> taken;
    taken.reserve(static_cast<std::size_t>(list->GetCount()));
    CObList refused;
    std::unordered_set<const CNet*> renamed;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CObject* object = list->GetNext(pos);
        if (!IsDrawObjAllowed(object)) {
            refused.AddTail(object);
            continue;
        }
        auto* drawObj = static_cast<CDrawObj*>(object);
        taken.push_back(drawObj);
        drawObj->SetDocument(this);
        if (const CNet* net = AdoptNet(drawObj))
            renamed.insert(net);
    }
    // A text that came in before its wire took the name the net had.
    for (CDrawObj* object : taken) {
        if (renamed.contains(object->GetNet()))
            object->RefreshAttrTexts(GetStdAttrName(kStdAttrId));
    }
    list->RemoveAll();
    list->AddTail(&refused);
    if (taken.empty() || !m_undoList.Execute(new CAddCmd(taken, FALSE)))
        return FALSE;
    IdScope scope(*this);
    NetNameScope names(*this);
    for (CDrawObj* object : taken) {
        ShareDevice(object);
        if (!object->AssignId(m_firstPartNumber)) {
            m_undoList.CancelLast();  // the command deletes the objects
            return FALSE;
        }
        // Symbols take their identifiers from MakeObjectId; other objects name themselves
        // (and their nets) directly.
        if (object->GetObjType() != kObjSymbol)
            scope.Forget();
    }
    if (present) {
        CObList added;
        for (CDrawObj* object : taken)
            added.AddTail(object);
        incomingTies.KeepIncoming(added, *present);
    }
    ties.KeepInStep(*this);
    return refused.IsEmpty();
}

BOOL CDrawDoc::AddObjectCopies(CObList* list) {
    if (!list)
        return FALSE;
    CObList sources;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CObject* object = list->GetNext(pos);
        if (IsDrawObjAllowed(object))
            sources.AddTail(object);
    }
    list->RemoveAll();
    CObList copies;
    if (sources.IsEmpty() || !CopyObjects(sources, copies))
        return FALSE;
    list->AddTail(&copies);
    if (AddObjects(&copies))
        return TRUE;
    // What AddObjects left in the list is still ours; the rest it added or deleted.
    DeleteListedObjects(copies);
    list->RemoveAll();
    return FALSE;
}

BOOL CDrawDoc::CopyObjects(const CObList& sources, CObList& copies) {
    if (sources.GetCount() == 1) {
        CDrawObj* copy = static_cast<CDrawObj*>(sources.GetHead())->Clone(this);
        if (!copy)
            return FALSE;
        copies.AddTail(copy);
        LayOutCopiedTexts(*this, sources, copies);
        return TRUE;
    }
    try {
        CopyThroughArchive(sources, copies);
        LayOutCopiedTexts(*this, sources, copies);
        return TRUE;
    } catch (const CException& e) {
        AfxMessageBox(CString(e.what()));
        return FALSE;
    }
}

// Writes the sources into memory and reads them back as new objects of this document. Links
// among the sources are copied as links among the copies; links to other objects are not.
void CDrawDoc::CopyThroughArchive(const CObList& sources, CObList& copies) {
    // Embedded objects keep their storages here on the way.
    CompoundStorage storages("Root Entry");
    LoadObjectList(*this, StoreObjectList(*this, sources, storages), storages, copies);
}

// The object's device is replaced by an equal one of the same name that the document holds;
// the object's reference moves to it.
void CDrawDoc::ShareDevice(CDrawObj* object) {
    CDevice* own = object->GetDevice();
    if (!own)
        return;
    CDevice* shared = FindSharedDevice(own);
    if (shared == own)
        return;
    shared->AddRef();
    object->SetDevice(shared);
    own->Release();
}

CDevice* CDrawDoc::FindSharedDevice(CDevice* device) {
    if (!device)
        return nullptr;
    const CString name = device->GetStdAttr(kStdAttrName);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDevice* other = NextDrawObj(m_objects, pos)->GetDevice();
        if (!other || other == device || other->GetStdAttr(kStdAttrName) != name)
            continue;
        if (other->IsEqual(*device))
            return other;
        CString unique;
        MakeUniqueDeviceName(unique, name);
        device->SetStdAttr(kStdAttrName, unique, TRUE);
        return device;
    }
    return device;
}

void CDrawDoc::NoteObjectsChanged(const std::vector<CDrawObj*>& objects) {
    m_changeLog.Note(objects);
    GetAppServices().NotifyDocumentChanged(this, kDocumentContentChanged);
}

// ---------------------------------------------------------------------------------------------
// Removing and renumbering

// The ties of the parts removed go with them.
void CDrawDoc::RemoveObjects(CObList* list) {
    if (!list || list->IsEmpty())
        return;
    CHiddenPinTieKeeper ties(*this);
    if (!m_undoList.Execute(new CRemoveCmd(*list)))
        return;
    ties.KeepInStep(*this);
    JoinNets();
}

CSymbol* CDrawDoc::GroupObjects(CObList* list) {
    if (!list || list->IsEmpty())
        return nullptr;
    auto* symbol = new CSymbol();
    symbol->SetDocument(this);
    return m_undoList.Execute(new CGroupCmd(symbol, *list)) ? symbol : nullptr;
}

void CDrawDoc::RenumberObjects(CObList* list) {
    if (!list)
        return;
    const char* idName = GetStdAttrName(kStdAttrId);
    std::vector<CDrawObj*> symbols;
    std::unordered_set<const CDrawObj*> seen;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        CDrawObj* object = NextDrawObj(*list, pos);
        if (object->GetObjType() == kObjSymbol && seen.insert(object).second)
            symbols.push_back(object);
    }
    if (symbols.empty())
        return;
    CHiddenPinTieKeeper ties(*this);
    auto command = std::make_unique<CRenumberCmd>();
    std::vector<CString> before;
    for (CDrawObj* symbol : symbols) {
        before.push_back(symbol->GetAttr(idName));
        command->Add(before.back(), symbol);
    }
    command->KeepTextPlaces();
    for (CDrawObj* symbol : symbols)
        symbol->SetAttr(idName, "", kSetAttrForce);
    IdScope scope(*this);
    bool renumbered = false;
    for (size_t i = 0; i < symbols.size(); ++i) {
        symbols[i]->AssignId(m_firstPartNumber);
        renumbered = renumbered || symbols[i]->GetAttr(idName) != before[i];
    }
    // Parts already numbered keep their texts as they are, and no step is recorded.
    if (!renumbered) {
        command->Do(this);
        return;
    }
    for (CDrawObj* symbol : symbols)
        symbol->RefreshAttrTexts(nullptr);
    m_undoList.Add(command.release());
    ties.KeepInStep(*this);
}

// ---------------------------------------------------------------------------------------------
// Identifiers and device names

void CDrawDoc::MakeObjectId(CString& id, CDrawObj* object) {
    if (!object)
        return;
    const char* idName = GetStdAttrName(kStdAttrId);
    if (id.IsEmpty() || object->CheckAttrValue(idName, id) != 0) {
        if (const CDevice* device = object->GetDevice()) {
            device->MakePartId(id, m_firstPartNumber, object);
        } else {
            CString prefix = object->GetAttr(GetStdAttrName(kStdAttrPref));
            if (prefix.IsEmpty())
                prefix = kDefaultIdPrefix;
            id = m_idScope ? m_idScope->Ids().FirstFree(prefix, m_firstPartNumber)
                           : IdsInUse(m_objects).FirstFree(prefix, m_firstPartNumber);
        }
    }
    if (m_idScope)
        m_idScope->Ids().Replace(object->GetAttr(idName), id);
}

BOOL CDrawDoc::IsIdInUse(CDrawObj* object, const char* id) {
    if (!object || !id)
        return FALSE;
    const char* idName = GetStdAttrName(kStdAttrId);
    const int type = object->GetObjType();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* other = NextDrawObj(m_objects, pos);
        if (other != object && other->GetObjType() == type && other->GetAttr(idName) == id)
            return TRUE;
    }
    return FALSE;
}

void CDrawDoc::MakeUniqueDeviceName(CString& result, const char* name) {
    std::unordered_set<std::string> used;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextDrawObj(m_objects, pos);
        if (const CDevice* device = object->GetDevice())
            used.insert(device->GetStdAttr(kStdAttrName).str());
    }
    // A name that ends in "(number)" counts on from that number; other text in the brackets
    // counts as 0, so the bare name comes first.
    CString base(name);
    long long number = 0;
    const int open = base.ReverseFind('(');
    if (open >= 0 && base[base.GetLength() - 1] == ')') {
        number = StringToInt(base.Mid(open + 1));
        base = base.Left(open);
    }
    // Each candidate differs from the ones before, so one is free after at most used.size().
    for (;; ++number) {
        if (number == 0) {
            result = base;
            number = 1;
        } else {
            result.Format("%s(%lld)", base.c_str(), number);
        }
        if (!used.contains(result.str()))
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// Order and placement

void CDrawDoc::SortInDrawingOrder(CObList* list) {
    if (!list)
        return;
    std::unordered_set<const CObject*> wanted;
    for (POSITION pos = list->GetHeadPosition(); pos;)
        wanted.insert(list->GetNext(pos));
    list->RemoveAll();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CObject* object = m_objects.GetNext(pos);
        if (wanted.contains(object))
            list->AddTail(object);
    }
}

void CDrawDoc::StackNewTexts(CObList* texts) {
    if (!texts)
        return;
    Obstacles obstacles(m_objects);
    for (POSITION pos = texts->GetHeadPosition(); pos;) {
        CDrawObj* text = NextDrawObj(*texts, pos);
        CRect start;
        text->GetBoundingRect(start);
        CRect box = start;
        while (obstacles.Meet(box))
            box.OffsetRect(0, -kTextStackStep);
        if (box.top != start.top)
            text->OffsetBy(CSize(0, box.top - start.top));
        obstacles.Add(text);
    }
}
