#include "interchange/protel/ProtelDosReader.h"

#include <cstring>

#include "interchange/protel/ProtelRecordReader.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr COLORREF kLineColour = 0x800000;
constexpr COLORREF kBodyColour = 0x80;
constexpr COLORREF kCellColour = 0xFF0000;
constexpr LONG kWindowMargin = 4000;
constexpr size_t kMaxTextLength = 7 + 15;

int Int16At(const ProtelDosReader::Record& record, int at) {
    return static_cast<std::int16_t>(record[static_cast<size_t>(at)] |
                                     (record[static_cast<size_t>(at) + 1] << 8));
}

CTextBox* FramedText(CRect box, const std::string& text) {
    box.NormalizeRect();
    auto* frame = new CTextBox(box);
    frame->SetTextFlags(0x10, 0xFFFF);
    frame->SetFlags(kFlagOutlined, 0xFFFFFFFF);
    frame->SetText(text.c_str(), FALSE);
    return frame;
}

// Sheet sizes of the sheet record's byte 1, from 1; others take the first.
constexpr SIZE kDosSheets[] = {{13200, 9300},  {17200, 12800}, {24000, 17400}, {32000, 24000},
                               {32000, 32000}, {11200, 9200},  {16700, 11200}, {21700, 16700},
                               {32000, 21700}, {32000, 32000}};

struct TitleBox {
    int a, b, c, d;
    const char* text;
};
constexpr TitleBox kTitleBoxes[] = {{350, 100, 0, 70, "Title"},   {350, 70, 300, 40, "Size"},
                                    {300, 70, 100, 40, "Number"}, {100, 70, 0, 40, "Revision"},
                                    {350, 40, 150, 30, "Date"},   {150, 40, 0, 30, "Sheet   of"},
                                    {350, 30, 150, 20, "File"},   {150, 30, 0, 20, "Drawn By:"}};

}  // namespace

CPoint ProtelDosReader::Point(const Record& record, int at) const {
    return m_im.Dos(Int16At(record, at), Int16At(record, at + 2));
}

bool ProtelDosReader::ReadRecord(Record& record) {
    return m_file.Read(record.data(), record.size());
}

bool ProtelDosReader::Run() {
    Record record;
    for (;;) {
        m_position = m_file.Tell();
        if (!ReadRecord(record))
            return m_im.m_sheetRead;
        bool read;
        switch (record[0]) {
            case 0x00:
                read = Sheet(record);
                break;
            case 0x10:
                read = Line(record);
                break;
            case 0x20:
                read = true;
                break;
            case 0x30:
                read = Text(record);
                break;
            case 0x50:
                read = TextFrame(record);
                break;
            case 0x60:
                read = Junction(record);
                break;
            case 0x70:
                read = Component(record);
                break;
            default:
                m_im.LogUnknownRecord(record[0], m_position);
                return false;
        }
        if (!read)
            return false;
    }
}

bool ProtelDosReader::Sheet(const Record& record) {
    const int kind = record[1];
    const SIZE size = kind >= 1 && kind <= 10 ? kDosSheets[kind - 1] : kDosSheets[0];
    m_im.m_sheetWidth = size.cx;
    m_im.m_sheetHeight = size.cy;
    m_im.m_originX = 0;
    m_im.m_originY = kind == 1 ? -400 : 0;
    m_im.m_sheetRead = true;
    const LONG w = size.cx, h = size.cy;
    for (const TitleBox& box : kTitleBoxes) {
        const CRect rect(w - 1900 - 10 * box.a, 10 * box.b - (h - 1700), w - 1900 - 10 * box.c,
                         10 * box.d - (h - 1700));
        m_im.m_objects.List().AddTail(FramedText(rect, box.text));
    }
    return true;
}

bool ProtelDosReader::Line(const Record& record) {
    const CPoint from = Point(record, 1), to = Point(record, 5);
    const LONG w = m_im.m_sheetWidth, h = m_im.m_sheetHeight;
    for (CPoint p : {from, to})
        if (p.x <= -kWindowMargin || p.x >= w + kWindowMargin || p.y <= -h - kWindowMargin ||
            p.y >= kWindowMargin) {
            CString text;
            text.Format("Line outside the sheet left out at file position %lx.\n",
                        static_cast<unsigned long>(m_position));
            m_im.m_log << static_cast<const char*>(text);
            return true;
        }
    const int kind = record[9];
    CObList& objects = m_im.m_objects.List();
    if (kind == 4) {
        auto* line = new CDrawRect(CRect(from, to));
        line->SetShape(kObjLine);
        const LOGPEN pen{PS_DASH, {0, 0}, kLineColour};
        line->SetPen(&pen);
        line->SetFlags(kFlagOutlined, 0xFFFFFFFF);
        objects.AddTail(line);
        return true;
    }
    if (kind < 1 || kind > 3)
        return false;
    CWire* wire = kind == 3 ? new CBus : new CWire;
    wire->AddPoint(from);
    wire->AddPoint(to);
    if (wire->GetPointCount() < 2) {
        delete wire;
        return true;
    }
    wire->SetLineColor(kLineColour);
    if (kind == 2)
        wire->SetLineStyle(-75);
    objects.AddTail(wire);
    return true;
}

bool ProtelDosReader::Text(const Record& record) {
    size_t length = record[8];
    std::string text(reinterpret_cast<const char*>(record.data()) + 9, std::min<size_t>(length, 7));
    Record more;
    if (!ReadRecord(more) || more[0] != '1')
        return false;
    if (length > kMaxTextLength) {
        CString note;
        note.Format("Text cut to %d characters at file position %lx.\n",
                    static_cast<int>(kMaxTextLength), static_cast<unsigned long>(m_position));
        m_im.m_log << static_cast<const char*>(note);
        length = kMaxTextLength;
    }
    if (length > 7)
        text.append(reinterpret_cast<const char*>(more.data()) + 1, length - 7);
    auto* box = new CTextBox;
    box->SetText(text.c_str(), FALSE);
    box->SetLineColor(kLineColour);
    ProtelRecordReader::PlaceText(*box, Point(record, 1), 0);
    m_im.m_objects.List().AddTail(box);
    return true;
}

bool ProtelDosReader::TextFrame(const Record& record) {
    std::string text;
    for (int i = 0; i < record[12]; ++i) {
        Record more;
        if (!ReadRecord(more))
            return false;
        text.append(reinterpret_cast<const char*>(more.data()), more.size());
    }
    text.resize(std::strlen(text.c_str()));
    CTextBox* frame = FramedText(CRect(Point(record, 1), Point(record, 5)), text);
    frame->SetLineColor(kLineColour);
    m_im.m_objects.List().AddTail(frame);
    return true;
}

bool ProtelDosReader::Junction(const Record& record) {
    const CPoint c = Point(record, 1);
    auto* dot = new CEllipse(CRect(c.x - 25, c.y - 25, c.x + 25, c.y + 25));
    dot->SetFlags(kFlagFilled | kFlagOutlined, 0xFFFFFFFF);
    dot->SetLineColor(kBodyColour);
    dot->SetFillColor(kBodyColour);
    m_im.m_objects.List().AddTail(dot);
    return true;
}

void ProtelDosReader::AddBitmapRects(CObList& target, std::vector<unsigned char>& cells, int w,
                                     int h) {
    auto cell = [&](int column, int row) -> unsigned char& {
        return cells[static_cast<size_t>(row) * static_cast<size_t>(w) +
                     static_cast<size_t>(column)];
    };
    for (int column = 0; column < w; ++column)
        for (int row = 0; row < h; ++row) {
            if (cell(column, row) != 1)
                continue;
            int last = column;
            while (last + 1 < w && cell(last + 1, row) == 1)
                ++last;
            auto rowSet = [&](int r) {
                for (int c = column; c <= last; ++c)
                    if (cell(c, r) != 1)
                        return false;
                return true;
            };
            int bottom = row;
            while (bottom + 1 < h && rowSet(bottom + 1))
                ++bottom;
            for (int r = row; r <= bottom; ++r)
                for (int c = column; c <= last; ++c)
                    cell(c, r) = 2;
            auto* rect = new CDrawRect(
                CRect(-5 + 10 * column, 5 - 10 * row, -5 + 10 * (last + 1), 5 - 10 * (bottom + 1)));
            rect->SetShape(kObjRect);
            rect->SetLineColor(kCellColour);
            rect->SetFillColor(kCellColour);
            rect->SetFlags(kFlagFilled | kFlagOutlined, 0xFFFFFFFF);
            target.AddTail(rect);
        }
}
