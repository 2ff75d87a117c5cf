#pragma once
// CDrawItem: the client item of an embedded object on a schematic (drawn and moved as a
// CDrawOleObj). This system has no object servers, so the item keeps the object's storage as
// an opaque tree, written back byte for byte, and shows its cached presentation: the picture
// when it is a bitmap, else a frame labelled with the object's type name.
//
// Record in "Contents" (schema 0, not versionable):
//   DWORD item number   the object's storage is the root's sub-storage "Embedding <number>",
//                       numbers counted from 1
//   WORD  draw aspect   1 content, 2 thumbnail, 4 icon, 8 document print
// Storing writes the sub-storage beside "Contents"; an item whose number another item of the
// same file already took gets the first free number. Loading copies the sub-storage in; an
// item whose storage is missing is damage.

#include <memory>

#include "model/ole/OlePresentation.h"
#include "platform/CompoundStorage.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

class CDC;
class CDrawOleObj;

class CDrawItem : public CObject {
    DECLARE_SERIAL(CDrawItem)
public:
    // Item states; only "loaded" occurs here, the others come from in-place activation.
    enum State { kEmpty = 0, kLoaded = 1, kOpen = 2, kActive = 3, kActiveUI = 4 };
    static constexpr WORD kAspectContent = 1;

    CDrawItem();
    // A deep copy of another item's object, not yet serving a drawing object.
    explicit CDrawItem(const CDrawItem& source);

    void Serialize(CArchive& ar) override;

    DWORD GetItemNumber() const { return m_number; }
    WORD GetDrawAspect() const { return m_aspect; }
    const CompoundStorage& GetStorage() const { return m_storage; }
    // Takes an object's storage (its streams and storages, not its name).
    void SetStorage(const CompoundStorage& storage);
    const OlePresentation& GetPresentation() const { return m_presentation; }

    State GetItemState() const { return m_state; }
    void SetItemState(State state) { m_state = state; }

    // Brings the drawing object's rectangle in step with the object's extent; FALSE when
    // nothing changed (or the object has no extent).
    BOOL UpdateExtent();
    // The presentation into the rectangle.
    void Draw(CDC* dc, const CRect& rect) const;

    CDrawOleObj* m_pDrawObj = nullptr;  // the drawing object served, not owned

private:
    void DrawPlaceholder(CDC* dc, const CRect& rect) const;

    DWORD m_number = 0;
    WORD m_aspect = kAspectContent;
    CompoundStorage m_storage{"Embedding"};
    OlePresentation m_presentation;
    State m_state = kLoaded;
};
