#pragma once
// Helpers of the text object tests: records through an in-memory archive that knows the
// document, a device context with the painter's text font selected, and a view that keeps
// what it is asked.

#include <cstring>
#include <memory>
#include <vector>

#include "model/doc/DocView.h"
#include "model/text/TextBox.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "platform/ObList.h"
#include "platform/RecordingDC.h"
#include "support/TestSupport.h"
#include "tests/model/shapes/ShapeTestSupport.h"

namespace texttest {

using shapetest::Bytes;
using shapetest::Concat;
using shapetest::Le16;
using shapetest::Le32;
using testsupport::HexDump;

// The object written as the first object of an archive for document: class tag, then record.
inline Bytes StoreObject(const CObject* object, CDrawDoc* document = nullptr) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = document;
    ar.WriteObject(object);
    ar.Close();
    return file.Detach();
}

// The record alone: the bytes after the new-class tag.
inline Bytes StoreRecord(const CObject* object, CDrawDoc* document = nullptr) {
    const Bytes bytes = StoreObject(object, document);
    return Bytes(bytes.begin() + 6 + std::strlen(object->GetRuntimeClass()->m_lpszClassName),
                 bytes.end());
}

template <class T>
std::unique_ptr<T> LoadObject(const Bytes& bytes, CDrawDoc* document = nullptr) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = document;
    T* object = nullptr;
    ar >> object;
    return std::unique_ptr<T>(object);
}

// The rectangle record of (0, 0, 1000, -500) without flags, pen, brush or rotation.
inline const Bytes kRectangleRecord =
    Concat({Le32(0), Le32(0), Le32(1000), Le32(-500), Le32(0), Le16(0), Le16(0), Le16(4), Le32(160),
            Le32(160), Le32(0)});
// The text part of the text tool's new box: "Text", flags 0x20, no font, borders 5.
inline const Bytes kNewTextRecord = {0x04, 'T',  'e',  'x',  't',  0x20, 0x00, 0x00, 0x00,
                                     0x05, 0x00, 0x05, 0x00, 0x05, 0x00, 0x05, 0x00};

// A recording context with the font the document painter selects: the text font 100/72 up.
class PaintDC : public CRecordingDC {
public:
    explicit PaintDC(const Device& device = Device()) : CRecordingDC(device) {
        LOGFONT font = CTextBox::kDefaultFont;
        font.lfHeight = 111;
        m_font.CreateFontIndirect(&font);
        SelectObject(&m_font);
    }

private:
    CFont m_font;
};

// One sheet unit per pixel, window y downward.
class TextView : public IDocView, public ITextEditHost {
public:
    void OnUpdate(IDocView*, int, CObject*, CObList*) override {}
    void SetPageSize(const SIZE&) override {}
    CPoint DocToClient(const CPoint& p) const override { return CPoint(p.x, -p.y); }
    CPoint ClientToDoc(const CPoint& p) const override { return CPoint(p.x, -p.y); }
    void InvalidateClientRect(const CRect& rect) override { invalidated.push_back(rect); }
    const CObList& GetSelection() const override { return selection; }
    bool ShowsTrackers() const override { return true; }
    void ShowFlaggedObjects(unsigned long) override {}
    void EditObjectProperties(CObList&, DWORD) override {}
    void EditTextInPlace(CTextBox* text, const TextEditSetup& setup) override {
        edited = text;
        editSetup = setup;
    }
    void EditTextProperties(CObList& texts) override { propertiesCount = texts.GetCount(); }

    std::vector<CRect> invalidated;
    CObList selection;
    CTextBox* edited = nullptr;
    TextEditSetup editSetup;
    int propertiesCount = -1;
};

}  // namespace texttest
