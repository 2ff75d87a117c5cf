#include "model/doc/ObjectListData.h"

#include <cstring>
#include <unordered_set>
#include <vector>

#include "model/doc/AttrTextListGuard.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/ole/DrawOleObj.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/CompoundFile.h"
#include "platform/DC.h"
#include "platform/GdiObjects.h"
#include "platform/MemFile.h"

namespace {

constexpr UINT kGrowBytes = 4096;
constexpr UINT kBufferSize = 4096;
// A list entry takes at least its tag.
constexpr DWORD kMinObjectBytes = 2;
// Pasted duplicates move 0.1 inch right and down.
constexpr LONG kDuplicateStep = 100;
// The picture's margin around the objects, in sheet units.
constexpr LONG kPictureMargin = 5;

// The document answers the given storage as its root while the scope lasts, so that embedded
// objects write and read their storages there.
class RootStorageScope {
public:
    RootStorageScope(CDrawDoc& doc, CompoundStorage& root)
        : m_doc(doc), m_previous(doc.SetRootStorage(&root)) {}
    ~RootStorageScope() { m_doc.SetRootStorage(m_previous); }
    RootStorageScope(const RootStorageScope&) = delete;
    RootStorageScope& operator=(const RootStorageScope&) = delete;

private:
    CDrawDoc& m_doc;
    CompoundStorage* m_previous;
};

// Remakes the recorded links when it goes out of scope, also when an exception passes.
class RestoreLinks {
public:
    explicit RestoreLinks(const CConnectionList& links) : m_links(links) {}
    ~RestoreLinks() { m_links.Restore(); }
    RestoreLinks(const RestoreLinks&) = delete;
    RestoreLinks& operator=(const RestoreLinks&) = delete;

private:
    const CConnectionList& m_links;
};

void ReadList(CArchive& ar, CObList& loaded) {
    for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CDrawObj));
        if (!object)
            continue;  // a damaged list's empty entry
        ar.ClaimObject(object);
        loaded.AddTail(object);
    }
    // Every drawing object read belongs to the list or to an object of it; one that would
    // belong to nothing is damage.
    if (ar.HasUnclaimed(RUNTIME_CLASS(CDrawObj)))
        throw CArchiveException(CArchiveException::badIndex);
}

bool HasEmbeddedObject(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (dynamic_cast<const CDrawOleObj*>(objects.GetNext(pos)))
            return true;
    }
    return false;
}

void AppendDword(std::vector<BYTE>& bytes, DWORD value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<BYTE>(value >> shift));
}

CRect BoundsOf(const CObject* object) {
    CRect box;
    static_cast<const CDrawObj*>(object)->GetBoundingRect(box);
    return NormalizedRect(box);
}

// Whether the first pasted object would lie exactly on an object of the document that was
// not pasted: one of the same type code and bounding rectangle.
bool LiesOnDocumentObject(const CObList& documentObjects, const CObList& pasted,
                          const std::unordered_set<const CObject*>& pastedSet) {
    const auto* first = static_cast<const CDrawObj*>(pasted.GetHead());
    const int type = first->GetObjType();
    const CRect bounds = BoundsOf(first);
    for (POSITION pos = documentObjects.GetHeadPosition(); pos;) {
        const auto* other = static_cast<const CDrawObj*>(documentObjects.GetNext(pos));
        if (other->GetObjType() == type && !pastedSet.contains(other) && BoundsOf(other) == bounds)
            return true;
    }
    return false;
}

}  // namespace

std::vector<BYTE> StoreObjectList(CDrawDoc& doc, const CObList& objects,
                                  CompoundStorage& embeddings) {
    RootStorageScope root(doc, embeddings);
    CMemFile file(kGrowBytes);
    CConnectionList links;
    links.CollectAndRelease(objects);
    RestoreLinks relink(links);
    CArchive ar(&file, CArchive::store, kBufferSize);
    ar.m_pDocument = &doc;
    ar.WriteCount(static_cast<DWORD>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
    return file.Detach();
}

void LoadObjectList(CDrawDoc& doc, const std::vector<BYTE>& bytes, CompoundStorage& embeddings,
                    CObList& out) {
    RootStorageScope root(doc, embeddings);
    AttrTextListGuard texts(&doc);
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load, kBufferSize);
    ar.m_pDocument = &doc;
    CObList loaded;
    try {
        ReadList(ar, loaded);
    } catch (...) {
        DeleteListedObjects(loaded);
        ar.DeleteUnclaimed(RUNTIME_CLASS(CDrawObj));
        texts.Restore();
        throw;
    }
    out.AddTail(&loaded);
}

void DropRefusedObjects(CDrawDoc& doc, CObList& loaded) {
    CObList kept;
    CObList refused;
    for (POSITION pos = loaded.GetHeadPosition(); pos;) {
        CObject* object = loaded.GetNext(pos);
        (doc.IsObjectAllowed(object) ? kept : refused).AddTail(object);
    }
    if (refused.IsEmpty())
        return;
    // Links may have been stored one way only: each side breaks the ones it holds.
    for (const CObList* side : {&refused, &kept}) {
        CConnectionList links;
        links.CollectAndRelease(*side);
    }
    DeleteListedObjects(refused);
    loaded.RemoveAll();
    loaded.AddTail(&kept);
}

ClipboardObjects CopyObjectsToClipboard(CDrawDoc& doc, const CObList& selection) {
    CObList objects;
    objects.AddTail(&selection);
    doc.SortInDrawingOrder(&objects);
    CompoundFile embeddings;
    ClipboardObjects result;
    result.data = StoreObjectList(doc, objects, embeddings.Root());
    if (HasEmbeddedObject(objects)) {
        result.format = kSchematicOleFormat;
        const std::vector<BYTE> image = embeddings.Serialize();
        result.data.insert(result.data.end(), image.begin(), image.end());
        AppendDword(result.data, static_cast<DWORD>(image.size()));
    }
    return result;
}

void PasteObjectsFromClipboard(CDrawDoc& doc, const char* format, const std::vector<BYTE>& data,
                               CObList& out) {
    CompoundFile embeddings;
    if (std::strcmp(format, kSchematicOleFormat) != 0) {
        LoadObjectList(doc, data, embeddings.Root(), out);
        return;
    }
    // The list, then the storages' image and its length.
    if (data.size() < sizeof(DWORD))
        throw CArchiveException(CArchiveException::endOfFile);
    const size_t footer = data.size() - sizeof(DWORD);
    DWORD length = 0;
    for (int i = 3; i >= 0; --i)
        length = (length << 8) | data[footer + i];
    if (length > footer)
        throw CArchiveException(CArchiveException::endOfFile);
    const auto imageStart = data.begin() + static_cast<std::ptrdiff_t>(footer - length);
    embeddings = CompoundFile::Parse(
        std::vector<BYTE>(imageStart, data.begin() + static_cast<std::ptrdiff_t>(footer)));
    LoadObjectList(doc, std::vector<BYTE>(data.begin(), imageStart), embeddings.Root(), out);
}

CRect PictureFrame(const CObList& objects) {
    if (objects.IsEmpty())
        return CRect(0, 0, 0, 0);
    CRect bounds = BoundsOf(objects.GetHead());
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        bounds.UnionRect(bounds, BoundsOf(objects.GetNext(pos)));
    bounds.InflateRect(kPictureMargin, kPictureMargin);
    return CRect(MulDiv(bounds.left, 254, 100), -MulDiv(bounds.bottom, 254, 100),
                 MulDiv(bounds.right, 254, 100), -MulDiv(bounds.top, 254, 100));
}

void DrawObjectsPicture(CDrawDoc& doc, const CObList& objects, CDC* dc) {
    CObList ordered;
    ordered.AddTail(&objects);
    doc.SortInDrawingOrder(&ordered);
    LOGFONT scaled = doc.m_textFont;
    scaled.lfHeight = -MulDiv(doc.m_textFont.lfHeight, 100, 72);
    CFont font;
    font.CreateFontIndirect(&scaled);
    CFont* previous = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    for (POSITION pos = ordered.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(ordered.GetNext(pos))->Draw(dc, nullptr);
    if (previous)
        dc->SelectObject(previous);
    else
        dc->SelectStockObject(SYSTEM_FONT);
}

void OffsetPastedDuplicates(const CObList& documentObjects, const CObList& pasted) {
    if (pasted.IsEmpty())
        return;
    std::unordered_set<const CObject*> pastedSet;
    for (POSITION pos = pasted.GetHeadPosition(); pos;)
        pastedSet.insert(pasted.GetNext(pos));
    while (LiesOnDocumentObject(documentObjects, pasted, pastedSet)) {
        for (POSITION pos = pasted.GetHeadPosition(); pos;)
            static_cast<CDrawObj*>(pasted.GetNext(pos))
                ->OffsetBy(CSize(kDuplicateStep, -kDuplicateStep));
    }
}
