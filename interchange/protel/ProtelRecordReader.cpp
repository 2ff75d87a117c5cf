#include "interchange/protel/ProtelRecordReader.h"

#include <algorithm>
#include <cmath>

#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/shapes/SpecSymbol.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"

namespace {

constexpr int kMaxPolyPoints = 1024;
constexpr int kMaxWirePoints = 32767;
constexpr int kFixedLineStyle = -50;
constexpr COLORREF kFixedLine = 0xFF0000;
constexpr COLORREF kFixedFill = 0xB0FFFF;
constexpr double kRadiansPerDegree = 0.01745329252;

template <class T>
T* Append(CObList& list, T* object) {
    list.AddTail(object);
    return object;
}

LOGBRUSH SolidBrush(COLORREF colour) {
    return LOGBRUSH{BS_SOLID, colour, 0};
}

void SetFillFlag(CDrawObj& object, bool fill) {
    object.SetFlags(kFlagFilled | kFlagOutlined, 0xFFFFFFFF);
    if (!fill)
        object.ClearFlags(kFlagFilled);
}

void FixedLook(CDrawObj& object, bool fill) {
    object.SetLineStyle(kFixedLineStyle);
    object.SetLineColor(kFixedLine);
    object.SetFillColor(kFixedFill);
    SetFillFlag(object, fill);
}

int PinTypeOfElectrical(int type) {
    static const int kTypes[] = {0, 2, 1, 5, 4, 9, 6, 7};
    return type >= 0 && type < 8 ? kTypes[type] : 3;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

CDrawRect* LineShape(CPoint from, CPoint to, const LOGPEN& pen) {
    auto* line = new CDrawRect(CRect(from, to));
    line->SetShape(kObjLine);
    line->SetPen(&pen);
    line->SetFlags(kFlagOutlined, 0xFFFFFFFF);
    return line;
}

CPoint ArcPoint(CPoint centre, int rx, int ry, double degrees) {
    const double a = degrees * kRadiansPerDegree;
    return {centre.x + static_cast<LONG>(std::lround(10.0 * rx * std::cos(a))),
            centre.y + static_cast<LONG>(std::lround(10.0 * ry * std::sin(a)))};
}

CEllipse* MakeArc(CPoint centre, int rx, int ry, double start, double end, const LOGPEN& pen) {
    CRect box(centre.x - 10 * rx, centre.y - 10 * ry, centre.x + 10 * rx, centre.y + 10 * ry);
    box.NormalizeRect();
    auto* arc = new CEllipse(box);
    arc->SetPen(&pen);
    arc->SetFlags(kFlagOutlined | kFlagOpen, 0xFFFFFFFF);
    arc->SetArc(ArcPoint(centre, rx, ry, start), ArcPoint(centre, rx, ry, end));
    return arc;
}

void Rotate(CDrawObj& object, CPoint centre, int orientation) {
    if (orientation >= 1 && orientation <= 3)
        object.Rotate(900 * orientation, centre.x, centre.y, nullptr);
}

}  // namespace

LOGPEN ProtelRecordReader::Pen(int widthCode, COLORREF colour) {
    static const LONG kWidths[] = {1, 4, 7, 10};
    const LONG width = kWidths[widthCode & 3];
    return LOGPEN{PS_SOLID, {width, width}, colour};
}

void ProtelRecordReader::PlaceText(CTextBox& text, CPoint anchor, int orientation) {
    const CRect& box = text.GetPosition();
    const LONG fontHeight = -text.GetFont().lfHeight;
    const LONG middle = (box.top + box.bottom) / 2 + (5 * fontHeight) / 8;
    text.OffsetBy(CSize(anchor.x - std::min(box.left, box.right), anchor.y - middle));
    Rotate(text, anchor, orientation);
}

// A wire whose points all fall on one spot joins nothing and is left out.
void ProtelRecordReader::DropIfPoint(CWire* wire) {
    if (wire->GetPointCount() >= 2)
        return;
    m_target.RemoveAt(m_target.Find(wire));
    delete wire;
}

bool ProtelRecordReader::Read(unsigned type) {
    m_recordStart = m_file.Tell() - 1;
    switch (type) {
        case 0x01:
            return ComponentInstance();
        case 0x02:
            return Pin();
        case 0x03:
            return SpecialSymbol();
        case 0x04:
            return Annotation();
        case 0x05:
            return Poly(kFlagBezier | kFlagOpen | kFlagOutlined, false);
        case 0x06:
            return Poly(kFlagOpen | kFlagOutlined, false);
        case 0x07:
            return Poly(0, true);
        case 0x08:
            return Ellipse();
        case 0x09:
            return Skip(29, false);
        case 0x0A:
            return RoundRect();
        case 0x0B:
            return Arc(true);
        case 0x0C:
            return Arc(false);
        case 0x0D:
            return Line();
        case 0x0E:
            return Rectangle();
        case 0x0F:
            return SheetSymbol();
        case 0x10:
            return SheetEntry();
        case 0x11:
            return PowerObject();
        case 0x12:
            return Port();
        case 0x17:
            return Skip(8, true);
        case 0x19:
            return NetLabel();
        case 0x1A:
            return WireOrBus(true);
        case 0x1B:
            return WireOrBus(false);
        case 0x1C:
            return TextFrame();
        case 0x1D:
            return Skip(10, false);
        case 0x1E:
            return Skip(16, true);
        case 0x20:
            return FreeText("subcct.name");
        case 0x21:
            return FreeText("subcct.file");
        case 0x22:
        case 0x23:
        case 0x24:
        case 0x26:
            return ComponentText(type);
        case 0x25:
            return TwoPointWire();
        case 0x27:
            return Template();
        default:
            m_im.LogUnknownRecord(type, m_recordStart);
            return false;
    }
}

bool ProtelRecordReader::Skip(size_t count, bool shortString) {
    m_file.Skip(count);
    if (shortString)
        m_file.ShortString();
    return Whole();
}

bool ProtelRecordReader::Pin() {
    const int bubble = m_file.Byte(), flagA = m_file.Byte(), electrical = m_file.Byte();
    const int flagB = m_file.Byte(), nameShown = m_file.Byte(), numberShown = m_file.Byte();
    m_file.Int16();
    const int x = m_file.Int16(), y = m_file.Int16();
    const int direction = m_file.Byte();
    m_file.Dword();
    std::string name = Trim(m_file.ShortString());
    const std::string number = Trim(m_file.ShortString());
    auto* pin = Append(m_target, new CPin);
    static const CSize kHot[] = {{200, 0}, {0, 200}, {-200, 0}, {0, -200}};
    if (direction > 3)
        return false;
    const CPoint body = m_im.Binary(x, y);
    pin->SetEnds(body, body + kHot[direction]);
    DWORD flags = 0;
    flags |= bubble ? kPinBubble : 0;
    flags |= flagA ? kPinExtraMark : 0;
    flags |= nameShown ? kPinShowName : 0;
    flags |= numberShown ? kPinShowNumber : 0;
    flags |= flagB ? kPinHidden : 0;
    pin->SetFlags(flags, 0x100 | 0xF0000);
    pin->SetPinType(PinTypeOfElectrical(electrical));
    if (name.empty())
        name = number;
    pin->SetAttr("_ID", name.c_str(), kSetAttrForce);
    pin->SetAttr("_No", number.c_str(), kSetAttrForce);
    pin->RecalcBounds();
    return Whole();
}

bool ProtelRecordReader::SpecialSymbol() {
    const int kind = m_file.Byte();
    const int x = m_file.Int16(), y = m_file.Int16(), size = m_file.Int16();
    const int orientation = m_file.Byte(), width = m_file.Byte();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    if (!Whole())
        return false;
    const CPoint at = m_im.Binary(x, y);
    auto* symbol = Append(m_target, new CSpecSymbol(kind));
    const LOGPEN pen = Pen(width, colour);
    symbol->SetPen(&pen);
    symbol->SetFlags(kFlagOutlined, 0xFFFFFFFF);
    symbol->PlaceAt(at.x, at.y, size);
    Rotate(*symbol, at, orientation);
    return true;
}

ProtelRecordReader::TextFields ProtelRecordReader::ReadTextFields() {
    TextFields fields;
    const int x = m_file.Int16(), y = m_file.Int16();
    fields.anchor = m_im.Binary(x, y);
    fields.orientation = m_file.Byte();
    fields.colour = m_file.Dword();
    fields.font = m_file.Int16();
    return fields;
}

CTextBox* ProtelRecordReader::MakeText(CTextBox* text, const TextFields& fields) {
    if (const LOGFONT* font = m_im.Font(fields.font))
        text->SetFont(font);
    text->SetText(fields.text.c_str(), FALSE);
    text->SetLineColor(fields.colour);
    PlaceText(*text, fields.anchor, fields.orientation);
    return text;
}

bool ProtelRecordReader::Annotation() {
    TextFields fields = ReadTextFields();
    m_file.Byte();
    fields.text = m_file.ShortString();
    if (!Whole())
        return false;
    if (!fields.text.empty())
        m_target.AddTail(MakeText(new CTextBox, fields));
    return true;
}

bool ProtelRecordReader::NetLabel() {
    TextFields fields = ReadTextFields();
    m_file.Byte();
    fields.text = m_file.ShortString();
    if (!Whole())
        return false;
    if (fields.text.empty())
        return true;
    auto* label = new CAttrText;
    label->Bind(nullptr, "NetID");
    label->SetShownText(fields.text.c_str());
    MakeText(label, fields);
    label->SetShownText(fields.text.c_str());
    m_target.AddTail(label);
    return true;
}

bool ProtelRecordReader::FreeText(const char* name) {
    TextFields fields = ReadTextFields();
    m_file.Skip(2);
    fields.text = m_file.ShortString();
    if (!Whole())
        return false;
    auto* text = new CAttrText;
    text->Bind(nullptr, name);
    MakeText(text, fields);
    text->SetShownText(fields.text.c_str());
    m_target.AddTail(text);
    return true;
}

bool ProtelRecordReader::Poly(DWORD flags, bool fixedLook) {
    LOGPEN pen{};
    bool fill = false;
    if (fixedLook) {
        m_file.Skip(9);
        fill = m_file.Byte();
        m_file.Byte();
    } else if (flags & kFlagBezier) {
        const int width = m_file.Byte();
        pen = Pen(width, m_file.Dword());
        m_file.Byte();
    } else {
        const int width = m_file.Byte();
        m_file.Byte();
        pen = Pen(width, m_file.Dword());
        m_file.Byte();
    }
    const int count = m_file.Int16();
    if (count < 0 || count > kMaxPolyPoints)
        return false;
    auto* poly = Append(m_target, new CDrawPoly);
    for (int i = 0; i < count; ++i) {
        const int x = m_file.Int16(), y = m_file.Int16();
        poly->AddPoint(m_im.Binary(x, y));
    }
    if (fixedLook) {
        FixedLook(*poly, fill);
    } else {
        poly->SetPen(&pen);
        poly->SetFlags(flags, 0xFFFFFFFF);
    }
    return Whole();
}

bool ProtelRecordReader::Ellipse() {
    const int x = m_file.Int16(), y = m_file.Int16(), rx = m_file.Int16(), ry = m_file.Int16();
    const int width = m_file.Byte();
    const COLORREF line = m_file.Dword(), fillColour = m_file.Dword();
    const bool fill = m_file.Byte();
    m_file.Byte();
    if (!Whole())
        return false;
    const CPoint c = m_im.Binary(x, y);
    CRect box(c.x - 10 * rx, c.y - 10 * ry, c.x + 10 * rx, c.y + 10 * ry);
    box.NormalizeRect();
    auto* ellipse = Append(m_target, new CEllipse(box));
    const LOGPEN pen = Pen(width, line);
    const LOGBRUSH brush = SolidBrush(fillColour);
    ellipse->SetPen(&pen);
    ellipse->SetBrush(&brush);
    SetFillFlag(*ellipse, fill);
    return true;
}

bool ProtelRecordReader::RoundRect() {
    const int x1 = m_file.Int16(), y1 = m_file.Int16(), x2 = m_file.Int16(), y2 = m_file.Int16();
    const int rx = m_file.Int16(), ry = m_file.Int16();
    const int width = m_file.Byte();
    const COLORREF line = m_file.Dword(), fillColour = m_file.Dword();
    m_file.Byte();
    const bool fill = m_file.Byte();
    if (!Whole())
        return false;
    CRect box(m_im.Binary(x1, y1), m_im.Binary(x2, y2));
    box.NormalizeRect();
    auto* rect = Append(m_target, new CDrawRect(box));
    rect->SetShape(kObjRoundRect);
    rect->SetRoundness(CPoint(10 * rx, 10 * ry));
    const LOGPEN pen = Pen(width, line);
    const LOGBRUSH brush = SolidBrush(fillColour);
    rect->SetPen(&pen);
    rect->SetBrush(&brush);
    SetFillFlag(*rect, fill);
    return true;
}

bool ProtelRecordReader::Arc(bool elliptical) {
    const int x = m_file.Int16(), y = m_file.Int16(), rx = m_file.Int16();
    const int ry = elliptical ? m_file.Int16() : rx;
    const int width = m_file.Byte();
    const double start = m_file.Real48(), end = m_file.Real48();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    if (!Whole() || !std::isfinite(start) || !std::isfinite(end))
        return false;
    m_target.AddTail(MakeArc(m_im.Binary(x, y), rx, ry, start, end, Pen(width, colour)));
    return true;
}

bool ProtelRecordReader::Line() {
    const int x1 = m_file.Int16(), y1 = m_file.Int16(), x2 = m_file.Int16(), y2 = m_file.Int16();
    const int width = m_file.Byte();
    m_file.Byte();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    if (!Whole())
        return false;
    m_target.AddTail(LineShape(m_im.Binary(x1, y1), m_im.Binary(x2, y2), Pen(width, colour)));
    return true;
}

bool ProtelRecordReader::Rectangle() {
    const int x1 = m_file.Int16(), y1 = m_file.Int16(), x2 = m_file.Int16(), y2 = m_file.Int16();
    m_file.Skip(10);
    const bool fill = m_file.Byte();
    if (!Whole())
        return false;
    CRect box(m_im.Binary(x1, y1), m_im.Binary(x2, y2));
    box.NormalizeRect();
    auto* rect = Append(m_target, new CDrawRect(box));
    rect->SetShape(kObjRect);
    FixedLook(*rect, fill);
    return true;
}

bool ProtelRecordReader::WireOrBus(bool bus) {
    const int width = m_file.Byte();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    const int count = m_file.Int16();
    if (count < 2 || count > kMaxWirePoints)
        return false;
    CWire* wire = bus ? new CBus : new CWire;
    m_target.AddTail(wire);
    for (int i = 0; i < count; ++i) {
        const int x = m_file.Int16(), y = m_file.Int16();
        wire->AddPoint(m_im.Binary(x, y));
    }
    if (bus) {
        static const LONG kBusWidths[] = {15, 20, 25, 30};
        wire->ClearFlags(0xF00);
        wire->SetLineColor(colour);
        wire->SetFillColor(colour);
        static_cast<CBus*>(wire)->SetWidth(kBusWidths[width & 3]);
    } else {
        wire->SetFlags(0x4000, 0x4000);
        const LOGPEN pen = Pen(width, colour);
        wire->SetPen(&pen);
    }
    wire->SetFlags(kFlagOpen | kFlagOutlined, 0xFF);
    DropIfPoint(wire);
    return Whole();
}

bool ProtelRecordReader::TwoPointWire() {
    const int x1 = m_file.Int16(), y1 = m_file.Int16(), x2 = m_file.Int16(), y2 = m_file.Int16();
    const int width = m_file.Byte();
    const COLORREF colour = m_file.Dword();
    m_file.Byte();
    if (!Whole())
        return false;
    auto* wire = Append(m_target, new CWire);
    wire->AddPoint(m_im.Binary(x1, y1));
    wire->AddPoint(m_im.Binary(x2, y2));
    const LOGPEN pen = Pen(width, colour);
    wire->SetPen(&pen);
    DropIfPoint(wire);
    return true;
}

bool ProtelRecordReader::TextFrame() {
    const int x1 = m_file.Int16(), y1 = m_file.Int16(), x2 = m_file.Int16(), y2 = m_file.Int16();
    m_file.Skip(5);
    const COLORREF fillColour = m_file.Dword(), line = m_file.Dword();
    const int font = m_file.Int16();
    const bool fill = m_file.Byte(), outline = m_file.Byte();
    const int alignment = m_file.Byte();
    m_file.Skip(3);
    int length = m_file.Int16();
    if (length < 0 || !Whole())
        return false;
    std::string text;
    while (length > 0) {
        const int piece = std::min(length, 200);
        std::string part(static_cast<size_t>(piece), '\0');
        if (!m_file.Read(part.data(), part.size()))
            return false;
        text += part;
        length -= piece;
    }
    m_file.Byte();
    if (!Whole())
        return false;
    auto* box = Append(m_target, new CTextBox(CRect(m_im.Binary(x1, y1), m_im.Binary(x2, y2))));
    static const WORD kAlign[] = {0x11, 0x10, 0x12};
    box->SetTextFlags(alignment >= 0 && alignment < 3 ? kAlign[alignment] : 0x10, 0x3F);
    box->SetFlags((fill ? DWORD{kFlagFilled} : 0) | (outline ? DWORD{kFlagOutlined} : 0),
                  0xFFFFFFFF);
    if (const LOGFONT* f = m_im.Font(font))
        box->SetFont(f);
    box->SetText(text.c_str(), FALSE);
    box->SetLineColor(line);
    box->SetFillColor(fillColour);
    return true;
}
