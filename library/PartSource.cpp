#include "library/PartSource.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "library/LibraryFile.h"
#include "library/ObListRecord.h"
#include "library/PaletteFile.h"
#include "model/device/Device.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace {

using Words = std::vector<std::string>;

constexpr UINT kArchiveBufferSize = 4096;

const std::map<std::string, DWORD> kKinds = {
    {"graphical", kSymbolGraphical}, {"port", kSymbolPort},
    {"net", kSymbolNetConnector},    {"simulation", kSymbolSimulation},
    {"device", kSymbolDevice},       {"subcircuit", kSymbolSubCircuit}};

const std::map<std::string, int> kPinTypes = {
    {"input", 0},     {"output", 1},  {"io", 2},    {"undefined", 3}, {"passive", 4},
    {"collector", 5}, {"emitter", 6}, {"power", 7}, {"tristate", 8},  {"hiz", 9}};

// Quoted text with "\\n" for a line break.
std::string Unescaped(std::string text) {
    for (size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1))
        text.replace(at, 2, "\n");
    return text;
}

// The words of a line: blanks separate, "quoted text" is one word, '#' starts a comment.
Words SplitWords(const std::string& line) {
    Words words;
    for (size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                throw std::invalid_argument("unterminated quoted text");
            words.push_back(Unescaped(line.substr(i + 1, end - i - 1)));
            i = end + 1;
        } else {
            const size_t end = std::min(line.find_first_of(" \t\r\"#", i), line.size());
            words.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

int Number(const std::string& word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throw std::invalid_argument("not a number: " + word);
    return value;
}

template <class Value>
Value Lookup(const std::map<std::string, Value>& table, const std::string& word) {
    const auto found = table.find(word);
    if (found == table.end())
        throw std::invalid_argument("unknown word: " + word);
    return found->second;
}

void Expect(const Words& words, size_t least, bool exact = true) {
    if (words.size() < least || (exact && words.size() != least))
        throw std::invalid_argument("wrong number of words for " + words[0]);
}

CRect RectOf(const Words& w) {
    return CRect(Number(w[1]), Number(w[2]), Number(w[3]), Number(w[4]));
}

std::vector<BYTE> StoreObjects(const CObList& objects) {
    CMemFile bytes;
    CArchive ar(&bytes, CArchive::store, kArchiveBufferSize);
    ar.WriteCount(static_cast<DWORD>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
    return bytes.Detach();
}

// Copies of objects, links among them kept, appended to out.
void CopyObjects(const CObList& objects, CObList& out) {
    CMemFile bytes(StoreObjects(objects));
    CArchive ar(&bytes, CArchive::load, kArchiveBufferSize);
    for (DWORD count = ar.ReadCount(); count > 0; --count)
        out.AddTail(ar.ReadObject(nullptr));
}

// The symbol being described, with what it gathers until its end.
class SymbolBuilder {
public:
    SymbolBuilder(const Words& w) : m_item(std::make_unique<PartItem>()) {
        Expect(w, 4);
        m_item->name = w[1].c_str();
        m_item->description = w[2].c_str();
        m_kind = Lookup(kKinds, w[3]);
    }

    void Add(const Words& w) {
        const std::string& what = w[0];
        if (what == "attr") {
            Expect(w, 3);
            m_attributes.emplace_back(w[1], w[2]);
        } else if (what == "show") {
            Expect(w, 4);
            m_shown.push_back({w[1], CPoint(Number(w[2]), Number(w[3]))});
        } else if (what == "pin") {
            AddPin(w);
        } else if (what == "line" || what == "rect" || what == "ellipse") {
            Expect(w, 5);
            AddShape(what, RectOf(w));
        } else if (what == "poly" || what == "polygon" || what == "solid") {
            AddPoly(w, what);
        } else if (what == "device") {
            Expect(w, 2);
            m_device = w[1];
        } else if (what == "dattr") {
            Expect(w, 3);
            m_deviceAttributes.emplace_back(w[1], w[2]);
        } else if (what == "gate") {
            AddGate(w);
        } else {
            throw std::invalid_argument("unknown statement: " + what);
        }
    }

    std::unique_ptr<PartItem> Build() {
        auto* symbol = new CSymbol(nullptr, m_graphics, FALSE);
        m_graphics.RemoveAll();
        m_item->objects.AddTail(symbol);
        symbol->SetFlags(m_kind, kSymbolKindMask);
        symbol->GetAttrMap()->SetAt("_Name", m_item->name);
        // The part describes itself as its item does, in tips and bills of materials.
        symbol->GetAttrMap()->SetAt("_Desc", m_item->description);
        for (const auto& [name, value] : m_attributes)
            symbol->GetAttrMap()->SetAt(name.c_str(), value.c_str());
        for (CPin* pin : m_pins) {
            pin->SetOwner(symbol);
            symbol->GetPins().AddTail(pin);
        }
        m_pins.clear();
        AttachDevice(*symbol);
        symbol->RecalcBounds(nullptr);
        for (const Shown& shown : m_shown)
            ShowAttribute(*symbol, shown);
        return std::move(m_item);
    }

    ~SymbolBuilder() {
        DeleteListedObjects(m_graphics);
        for (CPin* pin : m_pins)
            delete pin;
    }
    SymbolBuilder(const SymbolBuilder&) = delete;
    SymbolBuilder& operator=(const SymbolBuilder&) = delete;

private:
    struct Shown {
        std::string name;
        CPoint at;
    };

    void AddPin(const Words& w) {
        Expect(w, 8, false);
        auto pin = std::make_unique<CPin>();
        pin->SetEnds(CPoint(Number(w[3]), Number(w[4])), CPoint(Number(w[5]), Number(w[6])));
        pin->SetPinType(Lookup(kPinTypes, w[7]));
        pin->GetAttrMap()->SetAt("_ID", w[1].c_str());
        if (w[2] != "-")
            pin->GetAttrMap()->SetAt("_No", w[2].c_str());
        for (size_t i = 8; i < w.size(); ++i) {
            if (w[i] == "bubble")
                pin->SetFlags(kPinBubble, kPinSymbolMask);
            else if (w[i] == "noname")
                pin->SetFlags(0, kPinShowName);
            else if (w[i] == "nonumber")
                pin->SetFlags(0, kPinShowNumber);
            else
                throw std::invalid_argument("unknown pin word: " + w[i]);
        }
        pin->RecalcBounds();
        m_pins.push_back(pin.release());
    }

    void AddShape(const std::string& what, const CRect& rect) {
        CDrawRect* shape = what == "ellipse" ? new CEllipse(rect) : new CDrawRect(rect);
        if (what == "line")
            shape->SetShape(kShapeLine);
        m_graphics.AddTail(shape);
    }

    // An open polyline, a closed polygon, or a closed one filled in the outline's colour.
    void AddPoly(const Words& w, const std::string& what) {
        if (w.size() < 5 || w.size() % 2 == 0)
            throw std::invalid_argument("a polyline needs pairs of coordinates");
        auto* poly = new CDrawPoly(CRect(0, 0, 0, 0));
        m_graphics.AddTail(poly);
        for (size_t i = 1; i + 1 < w.size(); i += 2)
            poly->AddPoint(CPoint(Number(w[i]), Number(w[i + 1])));
        const DWORD flags = what == "poly"    ? kFlagOpen | kFlagOutlined
                            : what == "solid" ? kFlagOutlined | kFlagFilled
                                              : kFlagOutlined;
        poly->SetFlags(flags, kFlagOpen | kFlagOutlined | kFlagFilled);
        if (what == "solid") {
            const LOGBRUSH black{BS_SOLID, 0, 0};
            poly->SetBrush(&black);
        }
        poly->RecalcBounds(nullptr);
    }

    void AddGate(const Words& w) {
        Expect(w, 3, false);
        std::string line = kPinMapFieldSep + (w[1] == "-" ? "" : w[1]);
        for (size_t i = 2; i < w.size(); ++i) {
            const size_t equals = w[i].find('=');
            if (equals == std::string::npos)
                throw std::invalid_argument("a gate pin needs name=number: " + w[i]);
            line += kPinMapFieldSep + w[i].substr(0, equals) + kPinMapFieldSep +
                    w[i].substr(equals + 1);
        }
        m_gates.push_back(line);
    }

    void AttachDevice(CSymbol& symbol) {
        if (m_device.empty())
            return;
        auto* device = new CDevice(m_device.c_str());
        device->AddRef();
        symbol.SetDevice(device);
        for (const auto& [name, value] : m_deviceAttributes)
            device->SetAttr(name.c_str(), value.c_str(), TRUE);
        // The map names the symbol by its "_Name", which an attribute may have set apart
        // from the item's name.
        std::string map;
        for (const std::string& gate : m_gates)
            map += (map.empty() ? "" : "\n") + symbol.GetAttr("_Name").str() + gate;
        if (!map.empty() && device->SetMap(map.c_str(), kMapCheck | kMapApply) != 0)
            throw std::invalid_argument("the gates of " + m_device + " do not form a pin map");
    }

    void ShowAttribute(CSymbol& symbol, const Shown& shown) {
        auto* text = new CAttrText(CRect(shown.at.x, shown.at.y, shown.at.x, shown.at.y));
        m_item->objects.AddTail(text);
        text->Bind(&symbol, shown.name.c_str());
        symbol.GetAttrTextList()->AddTail(text);
        CString value;
        symbol.LookupAttr(shown.name.c_str(), value);
        text->SetShownText(value);
        text->RecalcLayout();
    }

    std::unique_ptr<PartItem> m_item;
    DWORD m_kind = kSymbolGraphical;
    std::vector<std::pair<std::string, std::string>> m_attributes;
    std::vector<Shown> m_shown;
    std::vector<CPin*> m_pins;
    CObList m_graphics;
    std::string m_device;
    std::vector<std::pair<std::string, std::string>> m_deviceAttributes;
    std::vector<std::string> m_gates;  // map lines without the symbol name
};

class SourceReader {
public:
    explicit SourceReader(PartSources& sources) : m_sources(sources) {}

    void Line(const Words& w) {
        if (w.empty())
            return;
        if (m_symbol)
            return w[0] == "end" ? EndSymbol() : m_symbol->Add(w);
        if (m_palette)
            return w[0] == "end" ? void(m_palette = nullptr) : AddButton(w);
        if (w[0] == "library") {
            Expect(w, 3);
            m_sources.libraries.push_back({w[1], w[2].c_str(), {}});
        } else if (w[0] == "symbol") {
            if (m_sources.libraries.empty())
                throw std::invalid_argument("a symbol before any library");
            m_symbol = std::make_unique<SymbolBuilder>(w);
        } else if (w[0] == "palette") {
            Expect(w, 3);
            m_palette = &m_sources.palettes.emplace_back(PartPalette{w[1], w[2].c_str(), {}});
        } else {
            throw std::invalid_argument("unknown statement: " + w[0]);
        }
    }

    void Finish() {
        if (m_symbol || m_palette)
            throw std::invalid_argument("missing end");
    }

private:
    void EndSymbol() {
        m_sources.libraries.back().items.push_back(m_symbol->Build());
        m_symbol.reset();
    }

    void AddButton(const Words& w) {
        Expect(w, 2);
        if (w[0] != "button")
            throw std::invalid_argument("unknown statement in a palette: " + w[0]);
        if (m_palette->buttons.size() == kPaletteButtonCount)
            throw std::invalid_argument("a palette holds 30 buttons at most");
        m_palette->buttons.push_back(w[1]);
    }

    PartSources& m_sources;
    std::unique_ptr<SymbolBuilder> m_symbol;
    PartPalette* m_palette = nullptr;
};

void WriteLibrary(const PartLibrary& library, const std::filesystem::path& path) {
    std::filesystem::remove(path);
    CLibraryFile file;
    if (file.Create(path.c_str()) != kCreateDone || !file.SetDescription(library.description))
        throw std::runtime_error("cannot create " + path.string());
    for (const auto& item : library.items) {
        CMemFile data(StoreObjects(item->objects));
        CLibraryItem entry(item->name.c_str(), item->description.c_str(), kItemSymbol);
        if (!file.AddItem(entry, data))
            throw std::runtime_error("cannot add " + item->name.str() + " to " + path.string());
    }
    file.Close();
}

void WritePalette(const PartSources& sources, const PartPalette& palette,
                  const std::filesystem::path& path) {
    CPaletteFile contents;
    contents.caption = palette.caption;
    for (size_t i = 0; i < palette.buttons.size(); ++i) {
        const PartItem* item = sources.FindItem(palette.buttons[i]);
        if (!item)
            throw std::runtime_error(palette.file + " names a missing symbol " +
                                     palette.buttons[i]);
        CopyObjects(item->objects, contents.buttons[i].objects);
    }
    if (contents.Save(path.c_str()) != PaletteSave::kSaved)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

PartItem::~PartItem() {
    DeleteListedObjects(objects);
}

const PartItem* PartSources::FindItem(const std::string& name) const {
    for (const PartLibrary& library : libraries) {
        for (const auto& item : library.items) {
            if (item->name == name.c_str())
                return item.get();
        }
    }
    return nullptr;
}

void ReadPartSource(std::istream& in, const std::string& origin, PartSources& sources) {
    SourceReader reader(sources);
    std::string line;
    int number = 0;
    try {
        while (std::getline(in, line)) {
            ++number;
            reader.Line(SplitWords(line));
        }
        reader.Finish();
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error(origin + ":" + std::to_string(number) + ": " + error.what());
    }
}

void WritePartSources(const PartSources& sources, const std::string& folder) {
    for (const PartLibrary& library : sources.libraries)
        WriteLibrary(library, std::filesystem::path(folder) / library.file);
    for (const PartPalette& palette : sources.palettes)
        WritePalette(sources, palette, std::filesystem::path(folder) / palette.file);
}
