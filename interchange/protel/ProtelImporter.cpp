#include "interchange/protel/ProtelImporter.h"

#include <string>
#include <unordered_set>

#include "interchange/protel/ProtelComponent.h"
#include "interchange/protel/ProtelDosReader.h"
#include "interchange/protel/ProtelJoin.h"
#include "interchange/protel/ProtelLibraryWriter.h"
#include "interchange/protel/ProtelRecordReader.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr int kMaxFonts = 100;
constexpr int kMaxFaceName = 32;
constexpr LONG kImportMargin = 850;
constexpr LONG kImportFrameSize = 200;
constexpr unsigned kEndOfList = 0xFF;
// Sheet symbols and templates hold record lists of their own, as may a part's drawing; no
// drawing nests them deeper than this.
constexpr int kMaxNesting = 32;

// Sheet sizes of the binary header's styles 0 to 17.
constexpr SIZE kSheetStyles[] = {
    {13200, 9300},  {17200, 12800}, {24000, 17400}, {33200, 24000}, {46300, 33200}, {11200, 9200},
    {16700, 11200}, {21700, 16700}, {33700, 21700}, {43700, 33700}, {12700, 10200}, {15700, 10200},
    {18700, 12700}, {11600, 9600},  {17100, 11600}, {22200, 17300}, {34300, 22300}, {44500, 34500}};

}  // namespace

OwnedObjects::~OwnedObjects() {
    POSITION pos = m_list.GetHeadPosition();
    while (pos)
        delete static_cast<CObject*>(m_list.GetNext(pos));
    m_list.RemoveAll();
}

bool ImportProtelBinarySchematic(std::ostream& log, ByteSource& file, CDrawDoc& document) {
    return ProtelImporter(log, file).ReadBinarySchematic(document);
}

bool ImportProtelDosSchematic(std::ostream& log, ByteSource& file, CDrawDoc& document) {
    return ProtelImporter(log, file).ReadDosSchematic(document);
}

bool ImportProtelLibrary(std::ostream& log, ByteSource& file, CLibraryFile& library) {
    return ProtelImporter(log, file).ReadBinaryLibrary(library);
}

ProtelImporter::ProtelImporter(std::ostream& log, ByteSource& file) : m_log(log), m_file(file) {}

// The importer holds one reference on each device it made, so that a symbol freed with a
// failed record list cannot take a device the importer still names; the symbols still held
// release theirs when their objects go.
ProtelImporter::~ProtelImporter() {
    for (auto& [name, device] : m_devices)
        device->Release();
}

void ProtelImporter::LogUnknownRecord(unsigned type, size_t position) {
    CString text;
    text.Format("Unknown record type %lx at file position %lx.\n", static_cast<unsigned long>(type),
                static_cast<unsigned long>(position));
    m_log << static_cast<const char*>(text);
}

// A header text of a damaged file may hold any bytes: those outside printable ASCII are
// written as "\xHH" and a backslash as "\\", so that the log shows what the file holds.
void ProtelImporter::LogHeaderText() {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : m_file.ShortString()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\')
            m_log << "\\\\";
        else if (byte >= 0x20 && byte < 0x7F)
            m_log << c;
        else
            m_log << "\\x" << kHex[byte >> 4] << kHex[byte & 0xF];
    }
    m_log << "\n";
}

const LOGFONT* ProtelImporter::Font(int number) const {
    if (number < 1 || static_cast<size_t>(number) > m_fonts.size())
        return nullptr;
    return &m_fonts[static_cast<size_t>(number - 1)];
}

bool ProtelImporter::ReadBinarySchematic(CDrawDoc& document) {
    m_document = &document;
    if (m_file.Size() == 0)
        return false;
    LogHeaderText();
    m_file.Skip(4);
    if (!ReadFontTable())
        return false;
    const int count = m_file.Int16();
    if (count < 0)
        return false;
    for (int i = 0; i < count; ++i)
        if (!ReadComponentDef(false) || m_file.AtEnd())
            return false;
    if (!ReadSheetHeader() || !ReadRecords(m_objects.List()))
        return false;
    FinishSchematic();
    return true;
}

bool ProtelImporter::ReadDosSchematic(CDrawDoc& document) {
    m_document = &document;
    if (!ProtelDosReader(*this).Run())
        return false;
    FinishSchematic();
    return true;
}

bool ProtelImporter::ReadBinaryLibrary(CLibraryFile& library) {
    if (m_file.Size() == 0)
        return false;
    LogHeaderText();
    m_file.Skip(4);
    LogHeaderText();
    m_file.Skip(11);
    if (!ReadFontTable())
        return false;
    const int count = m_file.UInt16();
    for (int i = 0; i < count; ++i) {
        if (m_file.AtEnd())
            return false;
        m_file.Skip(4);
        for (int names = m_file.UInt16(); names > 0 && !m_file.AtEnd(); --names)
            m_file.ShortString();
    }
    m_file.Skip(26);
    for (int i = 0; i < count; ++i)
        if (!ReadComponentDef(true) || m_file.AtEnd())
            return false;
    ProtelLibraryWriter(m_log, library).Write(m_components);
    return true;
}

bool ProtelImporter::ReadFontTable() {
    const int count = m_file.Int16();
    if (count > kMaxFonts || m_file.AtEnd())
        return false;
    for (int i = 0; i < count; ++i) {
        LOGFONT& font = m_fonts.emplace_back();
        const int size = m_file.Int16(), rotation = m_file.Int16();
        font.lfUnderline = m_file.Byte() ? 1 : 0;
        font.lfItalic = m_file.Byte() ? 1 : 0;
        font.lfWeight = m_file.Byte() ? 700 : 400;
        font.lfStrikeOut = m_file.Byte() ? 1 : 0;
        const int length = m_file.Byte();
        if (length > kMaxFaceName - 1 || m_file.AtEnd())
            return false;
        m_file.Read(font.lfFaceName, static_cast<size_t>(length));
        font.lfHeight = -8 * size;
        font.lfEscapement = font.lfOrientation = rotation * 10;
        font.lfPitchAndFamily = 0x20;
        if (m_file.AtEnd())
            return false;
    }
    return true;
}

bool ProtelImporter::ReadSheetHeader() {
    m_header.organization = m_file.ShortString();
    for (std::string& line : m_header.address)
        line = m_file.ShortString();
    m_header.title = m_file.ShortString();
    m_header.documentNumber = m_file.ShortString();
    m_header.revision = m_file.ShortString();
    m_header.sheetNumber = m_file.Int16();
    m_header.sheetTotal = m_file.Int16();
    m_file.Skip(4);
    const int style = m_file.Byte();
    m_file.Skip(13);
    const int orientation = m_file.Byte();
    m_file.Skip(16);
    const int customWidth = m_file.Int16(), customHeight = m_file.Int16();
    const int custom = m_file.Byte();
    if (m_file.AtEnd())
        return false;
    SIZE size;
    if (custom)
        size = SIZE{10 * customWidth, 10 * customHeight};
    else if (style >= 0 && style < static_cast<int>(std::size(kSheetStyles)))
        size = kSheetStyles[style];
    else
        return false;
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    if (orientation)
        std::swap(size.cx, size.cy);
    m_sheetWidth = size.cx;
    m_sheetHeight = size.cy;
    m_originX = 0;
    m_originY = 1700 - m_sheetHeight;
    return true;
}

// A file nested deeper than any drawing is refused before it exhausts the stack.
bool ProtelImporter::ReadRecords(CObList& target) {
    if (m_nesting == kMaxNesting)
        return false;
    ++m_nesting;
    const bool read = ReadRecordList(target);
    --m_nesting;
    return read;
}

bool ProtelImporter::ReadRecordList(CObList& target) {
    ProtelRecordReader reader(*this, target);
    while (!m_file.AtEnd()) {
        const unsigned type = m_file.Byte();
        if (m_file.AtEnd() || type == kEndOfList)
            return true;
        if (!reader.Read(type))
            return false;
    }
    return true;
}

void ProtelImporter::FinishSchematic() {
    CDrawDoc& doc = *m_document;
    doc.SetPaperSize(m_sheetWidth, -m_sheetHeight);
    doc.SetMargins(RECT{kImportMargin, kImportMargin, kImportMargin, kImportMargin});
    doc.m_border.m_flags = (doc.m_border.m_flags | 0x8) & ~DWORD{0x10};
    doc.m_border.m_frameSize = kImportFrameSize;
    CObList& docTexts = *doc.GetAttrTextList();
    for (POSITION pos = m_objects.List().GetHeadPosition(); pos;) {
        auto* text = DYNAMIC_DOWNCAST(CAttrText, m_objects.List().GetNext(pos));
        if (text && text->GetOwner() == &doc && !docTexts.Find(text))
            docTexts.AddTail(text);
    }
    ProtelJoin(m_objects.List()).Run();
    ApplyNetLabels();
    ApplyNetConnectors();
    HandOver(doc);
    doc.SetTitle(m_header.title.c_str());
    const std::pair<const char*, std::string> attributes[] = {
        {".documentnumber", m_header.documentNumber},
        {"Title", m_header.title},
        {".template", m_header.templateName},
        {".revision", m_header.revision},
        {"Company", m_header.organization},
        {".address1", m_header.address[0]},
        {".address2", m_header.address[1]},
        {".address3", m_header.address[2]},
        {".address4", m_header.address[3]},
        {".sheetnumber", std::to_string(m_header.sheetNumber)},
        {".sheettotal", std::to_string(m_header.sheetTotal)}};
    for (const auto& [name, value] : attributes)
        doc.SetAttribute(name, value.c_str(), 0);
    doc.UpdateAttrTexts(nullptr);
}

// The new document takes the objects it allows as they are, in one go: the import is no edit
// to take back, and its identifiers and devices are made unique here. Wires without a net then
// get their nets as after any addition.
void ProtelImporter::HandOver(CDrawDoc& doc) {
    CObList& objects = m_objects.List();
    std::unordered_set<std::string> ids;
    std::vector<CSymbol*> renumber;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        POSITION here = pos;
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (!doc.IsObjectAllowed(object))
            continue;
        objects.RemoveAt(here);
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        auto* symbol = DYNAMIC_DOWNCAST(CSymbol, object);
        if (symbol && symbol->GetKind() == kSymbolDevice &&
            !ids.insert(std::string(symbol->GetAttr("_ID"))).second)
            renumber.push_back(symbol);
    }
    for (CSymbol* symbol : renumber) {
        symbol->SetAttr("_ID", "", kSetAttrForce);
        symbol->AssignId(1);
    }
    CDrawDoc::NetNameScope names(doc);
    doc.JoinNets();
}

void ProtelImporter::ApplyNetLabels() {
    CObList& objects = m_objects.List();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* label = DYNAMIC_DOWNCAST(CAttrText, objects.GetNext(pos));
        if (!label || label->GetOwner() || label->GetName() != "NetID")
            continue;
        // A band along the label from a little below its anchor to a little above; the anchor
        // is found back from the placement rule, whatever height the text box came out.
        const CRect& box = label->GetPosition();
        const LONG anchor = (box.top + box.bottom) / 2 + (5 * -label->GetFont().lfHeight) / 8;
        CPoint corners[2] = {CPoint(box.left, anchor - 5), CPoint(box.right, anchor + 25)};
        label->LocalToDoc(corners, 2);
        CRect search(corners[0], corners[1]);
        search.NormalizeRect();
        CWire* found = nullptr;
        for (POSITION at = objects.GetHeadPosition(); at && !found;) {
            auto* object = static_cast<CDrawObj*>(objects.GetNext(at));
            const int type = object->GetObjType();
            if ((type == kObjWire || type == kObjBus) && object->Intersects(search))
                found = static_cast<CWire*>(object);
        }
        if (found)
            AttachNetLabel(*label, *found);
    }
}

// Puts the wire (with every wire joined to it) or the bus on the net of that name; a wire
// already on another net keeps it. False then.
bool ProtelImporter::NameNet(CWire& wire, const CString& name) {
    if (CNet* held = wire.GetNet())
        return held->GetName() == name;
    CNet*& net = m_nets[std::string(name)];
    if (!net)
        net = new CNet(name);
    if (wire.GetObjType() == kObjBus) {
        net->AddRef();
        wire.SetNet(net);
    } else {
        wire.SetGroupNet(net, 0);
    }
    return true;
}

// The wires on a net connector's pin are on the net the connector names.
void ProtelImporter::ApplyNetConnectors() {
    for (POSITION pos = m_objects.List().GetHeadPosition(); pos;) {
        auto* symbol = DYNAMIC_DOWNCAST(CSymbol, m_objects.List().GetNext(pos));
        if (!symbol || symbol->GetKind() != kSymbolNetConnector || symbol->GetPins().IsEmpty())
            continue;
        auto* pin = static_cast<CPin*>(symbol->GetPins().GetHead());
        if (auto* wire = DYNAMIC_DOWNCAST(CWire, pin->GetWire()))
            NameNet(*wire, pin->GetAttr("_ID"));
    }
}

void ProtelImporter::AttachNetLabel(CAttrText& label, CWire& wire) {
    CString name;
    label.GetDisplayText(name);
    if (!NameNet(wire, name))
        m_log << "Warning : net label " << static_cast<const char*>(name)
              << " ignored, wire already on net "
              << static_cast<const char*>(wire.GetNet()->GetName()) << "\n";
    label.Bind(&wire, "_ID");
    if (!wire.GetAttrTextList()->Find(&label))
        wire.GetAttrTextList()->AddTail(&label);
}
