// A device record's symbols: found by name in the libraries searched for the device, or made
// up as placeholders when no library holds them.

#include <stdexcept>
#include <vector>

#include "library/LibraryFile.h"
#include "library/LibraryFolders.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "platform/UserPrompt.h"

namespace {

// The placeholder's measures, in logical units.
constexpr int kPlaceholderWidth = 300;
constexpr int kPinPitch = 50;
constexpr int kPinLength = 100;
constexpr int kNoteHeight = 200;
constexpr COLORREF kPlaceholderMarkColour = 255;
constexpr WORD kNoteTextFlags = 0x31;  // centred, several lines, sized to the text
constexpr WORD kNoteTextMask = 0x3F;

void DeleteEach(CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        delete objects.GetNext(pos);
    objects.RemoveAll();
}

CDrawObj* FirstSymbol(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() == kObjSymbol)
            return object;
    }
    return nullptr;
}

// The symbol takes one reference on the device and lets go of the one it held.
void GiveDevice(CDrawObj* symbol, CDevice* device) {
    device->AddRef();
    if (CDevice* old = symbol->SetDevice(device))
        old->Release();
}

// "???" in the middle of the box.
CTextBox* MakeMark(const CRect& box) {
    auto* mark = new CTextBox(box);
    mark->SetTextFlags(kTextAlignCentre, kTextAlignMask);
    mark->SetText("???", FALSE);
    const CPoint want = box.CenterPoint();
    const CPoint have = mark->GetPosition().CenterPoint();
    mark->OffsetBy(CSize(want.x - have.x, want.y - have.y));
    mark->SetLineColor(kPlaceholderMarkColour);
    return mark;
}

CTextBox* MakeNote(int top, const CString& symbolName) {
    auto* note = new CTextBox(CRect(0, top, kPlaceholderWidth, top - kNoteHeight));
    CString text;
    text.Format("Symbol not found\r\n'%s'", symbolName.c_str());
    note->SetTextFlags(kNoteTextFlags, kNoteTextMask);
    note->SetContentText(text);
    return note;
}

// Pins of even pairs on the left side, of odd pairs on the right, two to a row.
void AddPins(CSymbol& symbol, const std::vector<CPinMapPair>& pairs) {
    for (size_t i = 0; i < pairs.size(); ++i) {
        const int y = -(static_cast<int>(i) / 2 + 1) * kPinPitch;
        const int body = i % 2 == 0 ? 0 : kPlaceholderWidth;
        const int hot = i % 2 == 0 ? -kPinLength : kPlaceholderWidth + kPinLength;
        auto* pin = new CPin(&symbol);
        pin->SetEnds(CPoint(body, y), CPoint(hot, y));
        symbol.GetPins().AddTail(pin);
        pin->SetAttr(GetStdAttrName(kStdAttrId), CString(pairs[i].name), 0);
    }
    symbol.RecalcBounds(nullptr);
}

}  // namespace

BOOL CLibraryFile::LoadDeviceSymbols(CDrawDoc* document, CDeviceSymbolList& entries,
                                     CDevice* device) {
    const CString path = device->GetStdAttr(kStdAttrPath);
    device->GetSymbolList(entries);
    if (entries.empty()) {
        AfxMessageBox("Device has no symbols to load", MB_ICONEXCLAMATION);
        return FALSE;
    }
    auto visit = [&](CLibraryFile& library) {
        return library.LoadSymbolsFromLibrary(document, entries, device) != FALSE;
    };
    if (CSchematicApp* app = GetApp()) {
        MacroDocument names;
        if (document)
            names = {document->GetTitle(), document->GetPathName()};
        SearchSymbolLibraries(*this, path, *app, document ? &names : nullptr, visit);
    } else {
        visit(*this);
    }
    BOOL allFound = TRUE;
    for (const auto& entry : entries) {
        if (entry->m_flags & CDeviceSymbol::kLoaded)
            continue;
        allFound = FALSE;
        if (!MakeMissingSymbol(document, device, *entry))
            return FALSE;
    }
    return allFound;
}

BOOL CLibraryFile::LoadSymbolsFromLibrary(CDrawDoc* document, CDeviceSymbolList& entries,
                                          CDevice* device) {
    BOOL missing = FALSE;
    for (const auto& entry : entries) {
        if (entry->m_flags & CDeviceSymbol::kLoaded)
            continue;
        CLibraryItem item;
        if (FindItem(item, entry->m_symbol) < 0 || item.m_type != kItemSymbol) {
            missing = TRUE;
            continue;
        }
        CObList objects;
        // A damaged symbol record is told and passed over like a truncated one.
        if (ReadItemObjectsOrReport(document, item, objects) != ItemObjectsRead::kRead) {
            missing = TRUE;
            continue;
        }
        CDrawObj* symbol = FirstSymbol(objects);
        if (!symbol || !device->IsCompatibleWith(symbol)) {
            DeleteEach(objects);
            missing = TRUE;
            continue;
        }
        GiveDevice(symbol, device);
        entry->m_objects.AddTail(&objects);
        entry->m_flags |= CDeviceSymbol::kLoaded;
    }
    return missing;
}

BOOL CLibraryFile::MakeMissingSymbol(CDrawDoc* document, CDevice* device, CDeviceSymbol& entry) {
    CPinMap map;
    if (!map.Parse(device->GetStdAttr(kStdAttrMap).str()))
        return FALSE;
    for (const CPinMapLine& line : map.Lines()) {
        if (line.symbol != entry.m_symbol.str() || line.gate != entry.m_gate.str())
            continue;
        const int rows = static_cast<int>(line.pairs.size()) + 3;
        const CRect box(0, 0, kPlaceholderWidth, -(rows * kPinPitch) / 2);
        CObList parts;
        parts.AddTail(new CDrawRect(box));
        parts.AddTail(MakeMark(box));
        auto* symbol = new CSymbol(document, parts, FALSE);
        symbol->SetFlags(kSymbolDevice, kSymbolKindMask);
        symbol->SetAttr(GetStdAttrName(kStdAttrName), entry.m_symbol, kSetAttrForce);
        symbol->SetAttr(GetStdAttrName(kStdAttrId), "A1", kSetAttrForce);
        entry.m_objects.AddTail(symbol);
        entry.m_flags |= CDeviceSymbol::kLoaded;
        entry.m_objects.AddTail(MakeNote(box.bottom, entry.m_symbol));
        AddPins(*symbol, line.pairs);
        GiveDevice(symbol, device);
        symbol->SetDocument(document);
    }
    return TRUE;
}
