// The records that become symbols of their own: sheet symbols with their entries, power
// objects, ports, and the template with its special texts.

#include <cstring>

#include "interchange/protel/ProtelRecordReader.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr LONG kEntryLength = 150;
constexpr LONG kPowerPenWidth = 4;

int PinTypeOfIo(int type) {
    static const int kTypes[] = {3, 1, 0, 2};
    return type >= 0 && type < 4 ? kTypes[type] : -1;
}

CDrawPoly* ClosedOutline(const std::vector<CPoint>& points, COLORREF line, COLORREF fill) {
    auto* poly = new CDrawPoly;
    for (CPoint p : points)
        poly->AddPoint(p);
    poly->SetLineColor(line);
    poly->SetFillColor(fill);
    poly->SetFlags(kFlagFilled | kFlagOutlined, 0xFFFFFFFF);
    return poly;
}

// The outline of a port or sheet entry from (x, y) to the right, length long, 2 × half high.
std::vector<CPoint> ArrowOutline(int style, LONG x, LONG y, LONG length, LONG half, LONG tip) {
    switch (style) {
        case 0:
            return {{x, y - half}, {x, y + half}, {x + length, y + half}, {x + length, y - half}};
        case 1:
            return {{x + tip, y - half},
                    {x, y},
                    {x + tip, y + half},
                    {x + length, y + half},
                    {x + length, y - half}};
        case 2:
            return {{x, y - half},
                    {x, y + half},
                    {x + length - tip, y + half},
                    {x + length, y},
                    {x + length - tip, y - half}};
        case 3:
            return {{x + tip, y - half},          {x, y},          {x + tip, y + half},
                    {x + length - tip, y + half}, {x + length, y}, {x + length - tip, y - half}};
        default:
            return {};
    }
}

CPin* NamedPin(CPoint body, CPoint hot, const std::string& name, COLORREF colour) {
    auto* pin = new CPin;
    pin->SetEnds(body, hot);
    pin->SetLineColor(colour);
    pin->SetFlags(kPinShowName, 0xF0000);
    pin->SetAttr("_ID", name.c_str(), kSetAttrForce);
    pin->RecalcBounds();
    return pin;
}

CSymbol* BuildSymbol(const CObList& parts, DWORD kind) {
    auto* symbol = new CSymbol;
    symbol->BuildFromObjects(parts, FALSE);
    symbol->SetFlags(kind, kSymbolKindMask);
    if (kind != kSymbolNetConnector)
        symbol->SetAttr("_Pref", "X", kSetAttrForce);
    symbol->RecalcBounds(nullptr);
    return symbol;
}

CDrawRect* PowerLine(LONG x1, LONG y1, LONG x2, LONG y2, const LOGPEN& pen) {
    auto* line = new CDrawRect(CRect(CPoint(x1, y1), CPoint(x2, y2)));
    line->SetShape(kObjLine);
    line->SetPen(&pen);
    line->SetFlags(kFlagOutlined, 0xFFFFFFFF);
    return line;
}

// The graphic of a power object's style, beyond the body end at (x + 100, y).
void PowerGraphic(CObList& parts, int style, LONG x, LONG y, const LOGPEN& pen) {
    auto add = [&](CDrawObj* object) {
        object->SetPen(&pen);
        object->SetFlags(kFlagOutlined, 0xFFFFFFFF);
        parts.AddTail(object);
    };
    auto poly = [&](std::initializer_list<CPoint> points, DWORD flags) {
        auto* p = new CDrawPoly;
        for (CPoint point : points)
            p->AddPoint(point);
        add(p);
        p->SetFlags(flags, 0xFFFFFFFF);
    };
    switch (style) {
        case 0:
            add(new CEllipse(CRect(x + 100, y - 50, x + 200, y + 50)));
            break;
        case 1:
            poly({{x + 170, y}, {x + 100, y - 40}, {x + 100, y + 40}}, kFlagOutlined | kFlagOpen);
            break;
        case 2:
            add(PowerLine(x + 100, y + 100, x + 100, y - 100, pen));
            break;
        case 3:
            for (LONG cx : {x + 150, x + 250}) {
                auto* arc = new CEllipse(CRect(cx - 50, y - 50, cx + 50, y + 50));
                arc->SetArc(CPoint(cx - 50, y), CPoint(cx + 50, y));
                add(arc);
                arc->SetFlags(kFlagOutlined | kFlagOpen, 0xFFFFFFFF);
            }
            break;
        case 4:
            for (LONG i = 0; i < 4; ++i)
                add(PowerLine(x + 100 + 25 * i, y - 100 + 30 * i, x + 100 + 25 * i,
                              y + 100 - 30 * i, pen));
            break;
        case 5:
            poly({{x + 200, y}, {x + 100, y - 100}, {x + 100, y + 100}}, kFlagOutlined);
            break;
        case 6:
            add(PowerLine(x + 100, y - 100, x + 100, y + 100, pen));
            add(PowerLine(x + 100, y - 100, x + 200, y - 140, pen));
            add(PowerLine(x + 100, y, x + 200, y - 40, pen));
            add(PowerLine(x + 100, y + 100, x + 200, y + 60, pen));
            break;
        default:
            break;
    }
}

// Attribute names of the template's special texts; null for any other text.
const char* MapSpecialText(const CString& text) {
    static const char* const kMap[][2] = {{".title", "Title"},
                                          {".template", ".template"},
                                          {".revision", ".revision"},
                                          {".organization", "Company"},
                                          {".address1", ".address1"},
                                          {".address2", ".address2"},
                                          {".address3", ".address3"},
                                          {".address4", ".address4"},
                                          {".sheetnumber", ".sheetnumber"},
                                          {".sheettotal", ".sheettotal"},
                                          {".documentnumber", ".documentnumber"},
                                          {".doc_file_name", "File"},
                                          {".date", ".date"},
                                          {".time", ".time"}};
    for (const auto& entry : kMap)
        if (std::strcmp(text, entry[0]) == 0)
            return entry[1];
    return nullptr;
}

}  // namespace

bool ProtelRecordReader::SheetSymbol() {
    const int x = m_file.Int16(), y = m_file.Int16(), width = m_file.Int16(),
              height = m_file.Int16();
    m_file.Byte();
    const COLORREF line = m_file.Dword(), fillColour = m_file.Dword();
    m_file.Byte();
    const bool fill = m_file.Byte();
    if (!Whole())
        return false;
    const CPoint at = m_im.Binary(x, y);
    m_im.m_sheetSymbolRect = CRect(at.x, at.y, at.x + 10 * width, at.y - 10 * height);
    OwnedObjects nested;
    if (!m_im.ReadRecords(nested.List()))
        return false;
    OwnedObjects texts;
    CObList drawing;
    for (POSITION pos = nested.List().GetHeadPosition(); pos;) {
        CObject* object = nested.List().GetNext(pos);
        auto* text = dynamic_cast<CAttrText*>(object);
        if (text && (text->GetName() == "subcct.file" || text->GetName() == "subcct.name"))
            texts.List().AddTail(text);
        else
            drawing.AddTail(object);
    }
    nested.List().RemoveAll();
    nested.List().AddTail(&drawing);
    auto* frame = new CDrawRect(m_im.m_sheetSymbolRect);
    frame->SetShape(kObjRect);
    frame->SetLineColor(line);
    frame->SetFillColor(fillColour);
    frame->SetFlags(fill ? kFlagFilled | kFlagOutlined : kFlagOutlined, 0xFFFFFFFF);
    nested.List().AddHead(frame);
    CSymbol* symbol = BuildSymbol(nested.List(), kSymbolSubCircuit);
    nested.List().RemoveAll();
    m_target.AddTail(symbol);
    for (POSITION pos = texts.List().GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(texts.List().GetNext(pos));
        CString value;
        text->GetDisplayText(value);
        const char* name = text->GetName() == "subcct.file" ? "_Subcct" : "_Name";
        symbol->SetAttr(name, value, kSetAttrForce);
        text->Bind(symbol, name);
        symbol->GetAttrTextList()->AddTail(text);
        m_target.AddTail(text);
    }
    texts.List().RemoveAll();
    return true;
}

bool ProtelRecordReader::SheetEntry() {
    int style = m_file.Byte();
    const int io = m_file.Byte(), side = m_file.Byte(), position = m_file.Int16();
    const COLORREF line = m_file.Dword(), fillColour = m_file.Dword();
    m_file.Skip(5);
    const std::string name = m_file.ShortString();
    if (!Whole())
        return false;
    const CRect& r = m_im.m_sheetSymbolRect;
    const LONG y = r.top - 100 * position;
    CPoint hot(r.left, y), body(r.left + kEntryLength, y);
    if (side == 1) {
        hot = CPoint(r.right, y);
        body = CPoint(r.right - kEntryLength, y);
        style = style == 1 ? 2 : style == 2 ? 1 : style;
    }
    auto* pin = NamedPin(body, hot, name, fillColour);
    if (PinTypeOfIo(io) >= 0)
        pin->SetPinType(PinTypeOfIo(io));
    m_target.AddTail(pin);
    const LONG x0 = std::min(hot.x, body.x);
    m_target.AddTail(
        ClosedOutline(ArrowOutline(style, x0, y, kEntryLength, 40, 40), line, fillColour));
    return true;
}

bool ProtelRecordReader::PowerObject() {
    const int style = m_file.Byte(), px = m_file.Int16(), py = m_file.Int16();
    const int orientation = m_file.Byte();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    const std::string net = m_file.ShortString();
    if (!Whole())
        return false;
    const CPoint at = m_im.Binary(px, py);
    OwnedObjects parts;
    auto* pin = new CPin;
    pin->SetEnds(CPoint(at.x + 100, at.y), at);
    pin->SetAttr("_ID", net.c_str(), kSetAttrForce);
    pin->SetPinType(7);
    pin->RecalcBounds();
    parts.List().AddTail(pin);
    const LOGPEN pen{PS_SOLID, {kPowerPenWidth, kPowerPenWidth}, colour};
    PowerGraphic(parts.List(), style, at.x, at.y, pen);
    CSymbol* symbol = BuildSymbol(parts.List(), kSymbolNetConnector);
    parts.List().RemoveAll();
    // A net connector's identifier is the name of its net; it keeps the pin's name.
    symbol->SetAttr("_ID", net.c_str(), kSetAttrForce);
    if (orientation >= 1 && orientation <= 3)
        symbol->Rotate(900 * orientation, at.x, at.y, nullptr);
    m_target.AddTail(symbol);
    return true;
}

bool ProtelRecordReader::Port() {
    const int style = m_file.Byte(), io = m_file.Byte();
    m_file.Byte();
    const int length = m_file.Int16(), px = m_file.Int16(), py = m_file.Int16();
    const COLORREF line = m_file.Dword(), fillColour = m_file.Dword();
    m_file.Skip(5);
    const std::string name = m_file.ShortString();
    if (!Whole())
        return false;
    const CPoint at = m_im.Binary(px, py);
    OwnedObjects parts;
    auto* pin = NamedPin(CPoint(at.x + 50, at.y), at, name, fillColour);
    if (PinTypeOfIo(io) >= 0)
        pin->SetPinType(PinTypeOfIo(io));
    parts.List().AddTail(pin);
    parts.List().AddTail(
        ClosedOutline(ArrowOutline(style, at.x, at.y, 10 * length, 50, 50), line, fillColour));
    CSymbol* symbol = BuildSymbol(parts.List(), kSymbolPort);
    parts.List().RemoveAll();
    m_target.AddTail(symbol);
    return true;
}

bool ProtelRecordReader::Template() {
    m_im.m_header.templateName = m_file.ShortString();
    if (!Whole() || !m_im.m_document)
        return false;
    OwnedObjects nested;
    m_im.m_template = true;
    const bool read = m_im.ReadRecords(nested.List());
    m_im.m_template = false;
    if (!read)
        return false;
    for (POSITION pos = nested.List().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(nested.List().GetNext(pos));
        auto* box = dynamic_cast<CTextBox*>(object);
        const char* name =
            box && !dynamic_cast<CAttrText*>(box) ? MapSpecialText(box->GetText()) : nullptr;
        if (!name) {
            m_target.AddTail(object);
            continue;
        }
        auto* text = new CAttrText(box->GetPosition());
        text->SetFlags(box->GetFlags(), 0xFFFFFFFF);
        if (box->GetOwnPen())
            text->SetPen(box->GetOwnPen());
        if (box->GetOwnBrush())
            text->SetBrush(box->GetOwnBrush());
        const LOGFONT font = box->GetFont();
        text->SetFont(&font);
        text->SetRotation(box->GetRotation());
        text->SetTextFlags(box->GetTextFlags(), 0xFFFF);
        const WORD* b = box->GetBorders();
        text->SetBorders(b[0], b[1], b[2], b[3]);
        text->Bind(m_im.m_document, name);
        delete box;
        m_target.AddTail(text);
    }
    nested.List().RemoveAll();
    return true;
}
