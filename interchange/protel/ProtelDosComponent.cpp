// The component record of a DOS schematic with its continuation records: names, placement,
// parts, pins and a body drawn as a rectangle or a bitmap.

#include "interchange/protel/ProtelDosReader.h"
#include "interchange/protel/ProtelRecordReader.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr size_t kMaxName = 10;
constexpr int kMaxBitmapCells = 65536;
constexpr BYTE kHideText = 0x40;
constexpr BYTE kTurnText = 0x80;

int Int16At(const ProtelDosReader::Record& record, size_t at) {
    return static_cast<std::int16_t>(record[at] | (record[at + 1] << 8));
}

bool TextAt(const ProtelDosReader::Record& record, size_t at, size_t limit, std::string& text) {
    const size_t length = record[at];
    if (length > limit || at + 1 + length > record.size())
        return false;
    text.assign(reinterpret_cast<const char*>(record.data()) + at + 1, length);
    const size_t first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
    return true;
}

using DosPart = ProtelDosReader::DosPartSize;

struct DosComponent {
    std::string designator, name, footprint;
    int placement = 0, part = 0, mode = 0, pinCount = 0;
    BYTE designatorFlags = 0, nameFlags = 0;
    CPoint anchor, designatorAnchor, nameAnchor;
    std::vector<DosPart> parts;
};

// The pin of a pin record in the symbol's own coordinates, or null for a bad record.
CPin* DosPin(const ProtelDosReader::Record& record, const DosPart& part, int mode) {
    static const int kTypes[] = {0, 1, 2, 9, 5, 7, 4};
    const int nibble = record[1] >> 4;
    const int side = record[14];
    std::string number, name;
    if (nibble > 6 || side > 3 || !TextAt(record, 2, 4, number) || !TextAt(record, 7, 6, name))
        return nullptr;
    const LONG p = 100 * record[15], w = 100 * part.width, h = 100 * part.height;
    const LONG length = mode == 0 ? 300 : 100;
    const CPoint body[] = {{0, -p}, {p, -h}, {w, -p}, {p, 0}};
    const CPoint hot[] = {{-length, -p}, {p, -h - length}, {w + length, -p}, {p, length}};
    auto* pin = new CPin;
    pin->SetEnds(body[side], hot[side]);
    pin->SetPinType(kTypes[nibble]);
    DWORD flags = part.bitmap ? 0 : kPinShowName | kPinShowNumber;
    flags |= (record[1] & 1) ? kPinBubble : 0;
    flags |= (record[1] & 2) ? kPinExtraMark : 0;
    flags |= (record[1] & 4) ? kPinHidden : 0;
    pin->SetFlags(flags, 0x100 | 0xF0000);
    pin->SetAttr("_ID", (name.empty() ? number : name).c_str(), kSetAttrForce);
    pin->SetAttr("_No", number.c_str(), kSetAttrForce);
    pin->RecalcBounds();
    return pin;
}

}  // namespace

bool ProtelDosReader::Component(const Record& head) {
    DosComponent c;
    Record a, b, cr;
    if (!TextAt(head, 1, kMaxName, c.designator) || !ReadRecord(a) || a[0] != 'A' || a[13] ||
        a[15] || !TextAt(a, 1, kMaxName, c.name) || !ReadRecord(b) || b[0] != 'B' || b[2] ||
        !ReadRecord(cr) || cr[0] != 'C' || !TextAt(cr, 5, kMaxName, c.footprint))
        return false;
    c.anchor = m_im.Dos(Int16At(head, 12), Int16At(head, 14));
    c.placement = b[1];
    c.designatorAnchor = m_im.Dos(Int16At(b, 3), Int16At(b, 5));
    c.nameAnchor = m_im.Dos(Int16At(b, 7), Int16At(b, 9));
    c.part = b[11];
    const int count = b[12];
    c.mode = b[15];
    c.pinCount = cr[1];
    c.designatorFlags = cr[2];
    c.nameFlags = cr[3];
    if (c.part < 1 || c.part > count || c.mode > 2)
        return false;
    for (int i = 0; i < (count + 1) / 2; ++i) {
        Record parts;
        if (!ReadRecord(parts))
            return false;
        for (size_t half = 0; half < 2; ++half)
            c.parts.push_back({parts[4 * half] != 0, parts[4 * half + 2], parts[4 * half + 3]});
    }
    const DosPart& part = c.parts[static_cast<size_t>(c.part - 1)];
    OwnedObjects drawing;
    for (int i = 0; i < c.pinCount; ++i) {
        Record pinRecord;
        if (!ReadRecord(pinRecord))
            return false;
        if (pinRecord[0] != c.part)
            continue;
        CPin* pin = DosPin(pinRecord, part, c.mode);
        if (!pin)
            return false;
        drawing.List().AddTail(pin);
    }
    if (!part.bitmap) {
        auto* body = new CDrawRect(CRect(0, 0, 100 * part.width, -100 * part.height));
        body->SetShape(kObjRect);
        body->SetLineColor(0x80);
        body->SetFillColor(0xB0FFFF);
        body->SetFlags(kFlagFilled | kFlagOutlined, 0xFFFFFFFF);
        drawing.List().AddTail(body);
    } else if (!ReadBitmap(part, drawing.List())) {
        return false;
    }
    auto* symbol = new CSymbol;
    symbol->BuildFromObjects(drawing.List(), FALSE);
    drawing.List().RemoveAll();
    symbol->SetFlags(c.mode == 2 ? kSymbolNetConnector : kSymbolDevice, kSymbolKindMask);
    if (c.placement & 3)
        symbol->Rotate(900 * (c.placement & 3), 0, 0, nullptr);
    if (c.placement & 4)
        symbol->Mirror(0, 0, 0, 1000);
    symbol->OffsetBy(CSize(c.anchor.x, c.anchor.y));
    symbol->SetAttr("_ID", c.designator.c_str(), kSetAttrForce);
    symbol->SetAttr("_Name", c.name.c_str(), kSetAttrForce);
    symbol->SetAttr("_Footprint", c.footprint.c_str(), kSetAttrForce);
    if (c.mode != 2)
        GiveDevice(*symbol, c.name, c.footprint);
    m_im.m_objects.List().AddTail(symbol);
    if (c.mode != 2) {
        ShowText(*symbol, "_ID", c.designatorFlags, c.designatorAnchor);
        ShowText(*symbol, "_Name", c.nameFlags, c.nameAnchor);
    }
    symbol->RecalcBounds(nullptr);
    return true;
}

// A device of the symbol's own, so that its pins are known by their numbers: the component's
// name and footprint and the map of its pins.
void ProtelDosReader::GiveDevice(CSymbol& symbol, const std::string& name,
                                 const std::string& footprint) {
    std::string map = name + "\x01";
    for (POSITION pos = symbol.GetPins().GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(symbol.GetPins().GetNext(pos));
        map +=
            "\x01" + std::string(pin->GetAttr("_ID")) + "\x01" + std::string(pin->GetAttr("_No"));
    }
    auto* device = new CDevice(name.c_str());
    device->SetAttr("_Name", name.c_str(), TRUE);
    device->SetAttr("_Footprint", footprint.c_str(), TRUE);
    device->SetAttr("_Map", (map + "\n").c_str(), TRUE);
    device->AddRef();
    if (CDevice* old = symbol.SetDevice(device))
        old->Release();
}

bool ProtelDosReader::ReadBitmap(const DosPartSize& part, CObList& target) {
    const int w = 10 * part.width + 1, h = 10 * part.height + 1;
    if (w * h > kMaxBitmapCells)
        return false;
    const int rowBytes = w / 8 + 1;
    const int records = (h * rowBytes) / 16 + 1;
    std::vector<unsigned char> bytes;
    for (int i = 0; i < records; ++i) {
        Record record;
        if (!ReadRecord(record))
            return false;
        bytes.insert(bytes.end(), record.begin() + (i == 0 ? 1 : 0), record.end());
    }
    std::vector<unsigned char> cells(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column) {
            const size_t at = static_cast<size_t>(row) * static_cast<size_t>(rowBytes) +
                              static_cast<size_t>(column / 8);
            if (at < bytes.size() && (bytes[at] & (0x80 >> (column % 8))))
                cells[static_cast<size_t>(row) * static_cast<size_t>(w) +
                      static_cast<size_t>(column)] = 1;
        }
    AddBitmapRects(target, cells, w, h);
    return true;
}

void ProtelDosReader::ShowText(CSymbol& symbol, const char* name, BYTE flags, CPoint anchor) {
    if (flags & kHideText)
        return;
    auto* text = new CAttrText;
    text->Bind(&symbol, name);
    CString value;
    symbol.LookupAttr(name, value);
    text->SetShownText(value);
    ProtelRecordReader::PlaceText(*text, anchor, (flags & kTurnText) ? 1 : 0);
    symbol.GetAttrTextList()->AddTail(text);
    m_im.m_objects.List().AddTail(text);
}
