// Component definitions, the instances placed from them and their texts, and the devices
// they share.

#include <algorithm>
#include <cstring>
#include <string>

#include "interchange/protel/ProtelComponent.h"
#include "interchange/protel/ProtelRecordReader.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

constexpr int kMaxParts = 30;

std::string PinId(CPin* pin) {
    CString value;
    pin->LookupAttr("_ID", value);
    return std::string(value);
}

std::string PinNumber(CPin* pin) {
    CString value;
    pin->LookupAttr("_No", value);
    return std::string(value);
}

// Side of a pin from its direction: 0 left, 1 down, 2 right, 3 up, -1 slanted.
int PinSide(const CPin& pin) {
    const CPoint d(pin.GetHotEnd().x - pin.GetBodyEnd().x, pin.GetHotEnd().y - pin.GetBodyEnd().y);
    if (d.x == 0 && d.y > 0)
        return 3;
    if (d.x == 0 && d.y < 0)
        return 1;
    if (d.y == 0 && d.x < 0)
        return 0;
    if (d.y == 0 && d.x > 0)
        return 2;
    return -1;
}

long PinKey(const CPin& pin, int side) {
    return side == 1 || side == 3 ? pin.GetHotEnd().x : -pin.GetHotEnd().y;
}

bool PinBefore(CPin* a, CPin* b) {
    const int byName = std::strcmp(PinId(a).c_str(), PinId(b).c_str());
    if (byName != 0)
        return byName < 0;
    const int sideA = PinSide(*a), sideB = PinSide(*b);
    if (sideA != sideB)
        return sideA < sideB;
    return PinKey(*a, sideA) < PinKey(*b, sideB);
}

std::string PartLetter(size_t part) {
    return std::string(1, static_cast<char>('a' + part));
}

}  // namespace

const char* ProtelModeSuffix(int mode) {
    static const char* const kSuffixes[] = {"", "_dm", "_iee"};
    return kSuffixes[mode];
}

void RenameDuplicatePins(CObList& list) {
    std::vector<CPin*> pins;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        if (auto* pin = dynamic_cast<CPin*>(list.GetNext(pos)))
            pins.push_back(pin);
    std::stable_sort(pins.begin(), pins.end(), PinBefore);
    for (size_t first = 0; first < pins.size();) {
        const std::string name = PinId(pins[first]);
        size_t end = first + 1;
        while (end < pins.size() && PinId(pins[end]) == name)
            ++end;
        for (size_t i = first; end - first > 1 && i < end; ++i) {
            pins[i]->SetAttr("_ID", (name + std::to_string(i - first + 1)).c_str(), kSetAttrForce);
            pins[i]->RecalcBounds();
        }
        first = end;
    }
}

bool ProtelImporter::ReadComponentDef(bool library) {
    auto& component = *m_components.emplace_back(std::make_unique<ProtelComponent>());
    const int names = m_file.Int16();
    if (names < 0)
        return false;
    for (int i = 0; i < names && !m_file.AtEnd(); ++i)
        component.names.push_back(m_file.ShortString());
    if (const std::string note = m_file.ShortString(); !note.empty())
        m_log << note << "\n";
    component.description = m_file.ShortString();
    for (std::string& footprint : component.footprints)
        footprint = m_file.ShortString();
    for (std::string& field : component.textFields)
        field = m_file.ShortString();
    component.designatorPrefix = m_file.ShortString();
    if (!component.designatorPrefix.empty() && component.designatorPrefix.back() == '?')
        component.designatorPrefix.pop_back();
    component.libraryReference = m_file.ShortString();
    m_inDefinition = true;
    const bool partsRead = ReadParts(component);
    m_inDefinition = false;
    if (!partsRead)
        return false;
    if (library) {
        component.libraryText = m_file.ShortString();
        component.libraryName = m_file.ShortString();
        for (std::string& field : component.libraryFields)
            field = m_file.ShortString();
    }
    return !m_file.AtEnd();
}

bool ProtelImporter::ReadParts(ProtelComponent& component) {
    const int parts = m_file.Int16();
    if (parts < 0 || parts > kMaxParts || m_file.AtEnd())
        return false;
    for (int p = 0; p < parts; ++p) {
        auto& part = *component.parts.emplace_back(std::make_unique<ProtelPart>());
        m_file.Skip(4);
        for (int mode = 0; mode < 3; ++mode) {
            if (!ReadRecords(part.Mode(mode).List()))
                return false;
            RenameDuplicatePins(part.Mode(mode).List());
        }
    }
    return true;
}

CDevice* ProtelImporter::ComponentDevice(ProtelComponent& component) {
    const std::string& key = component.names.front();
    if (auto found = m_devices.find(key); found != m_devices.end())
        return found->second;
    auto* device = new CDevice(key.c_str());
    device->AddRef();
    m_devices[key] = device;
    device->SetAttr("_Name", key.c_str(), TRUE);
    device->SetAttr("_Pref", component.designatorPrefix.c_str(), TRUE);
    device->SetAttr("_Desc", component.description.c_str(), TRUE);
    device->SetAttr("_Footprint", component.footprints[0].c_str(), TRUE);
    std::string map;
    const bool lettered = component.parts.size() > 1;
    for (size_t p = 0; p < component.parts.size(); ++p) {
        for (int mode = 0; mode < 3; ++mode) {
            const CObList& list = component.parts[p]->Mode(mode).List();
            if (list.IsEmpty())
                continue;
            const std::string letter = lettered ? PartLetter(p) : "";
            map += key + ProtelModeSuffix(mode) + letter + "\x01" + letter;
            for (POSITION pos = list.GetHeadPosition(); pos;)
                if (auto* pin = dynamic_cast<CPin*>(list.GetNext(pos)))
                    map += "\x01" + PinId(pin) + "\x01" + PinNumber(pin);
            map += "\n";
        }
    }
    device->SetAttr("_Map", map.c_str(), TRUE);
    return device;
}

bool ProtelRecordReader::ComponentInstance() {
    const int x = m_file.Int16(), y = m_file.Int16();
    const int mode = m_file.Byte(), mirror = m_file.Byte(), orientation = m_file.Byte();
    m_file.Byte();
    const int part = m_file.Int16(), index = m_file.Int16();
    m_file.Skip(2);
    const std::string designator = m_file.ShortString();
    m_file.ShortString();
    // Instances are placed on the sheet only: one in a part's drawing would be owned, and
    // freed, by its definition while later designators still name it.
    if (!Whole() || !m_im.m_document || m_im.m_inDefinition)
        return false;
    if (index < 0 || static_cast<size_t>(index) >= m_im.m_components.size())
        return false;
    ProtelComponent* component = m_im.m_components[static_cast<size_t>(index)].get();
    if (!component || component->names.empty()) {
        m_im.m_log << "Component definition: " << designator << " not found.\n";
        return false;
    }
    if (part < 1 || static_cast<size_t>(part) > component->parts.size()) {
        m_im.m_log << "Component part: " << part - 1 << " not found.\n";
        return false;
    }
    if (mode > 2) {
        m_im.m_log << "Component mode: " << mode << " unknown.\n";
        return false;
    }
    std::string name = component->names.front() + ProtelModeSuffix(mode);
    if (component->parts.size() > 1)
        name += PartLetter(static_cast<size_t>(part - 1));
    const CObList& drawing = component->parts[static_cast<size_t>(part - 1)]->Mode(mode).List();
    if (drawing.IsEmpty())
        return false;
    auto* symbol = new CSymbol(m_im.m_document, drawing, TRUE);
    m_target.AddTail(symbol);
    m_im.m_currentSymbol = symbol;
    symbol->SetFlags(kSymbolDevice, kSymbolDevice);
    if (mirror)
        symbol->Mirror(0, 0, 0, 1000);
    if (orientation >= 1 && orientation <= 3)
        symbol->Rotate(900 * orientation, 0, 0, nullptr);
    const CPoint at = m_im.Binary(x, y);
    symbol->OffsetBy(CSize(at.x, at.y));
    symbol->SetAttr("_ID", designator.empty() ? "A1" : designator.c_str(), kSetAttrForce);
    symbol->SetAttr("_Name", name.c_str(), kSetAttrForce);
    CDevice* device = m_im.ComponentDevice(*component);
    device->AddRef();
    if (CDevice* old = symbol->SetDevice(device))
        old->Release();
    m_im.m_fieldCounter = 0;
    return true;
}

void ProtelRecordReader::MakeSymbolText(const char* name, const TextFields& fields) {
    CSymbol* symbol = m_im.m_currentSymbol;
    auto* text = new CAttrText;
    text->Bind(symbol, name);
    CString value;
    symbol->LookupAttr(name, value);
    TextFields shown = fields;
    shown.text = std::string(value);
    MakeText(text, shown);
    text->SetShownText(value);
    if (!symbol->GetAttrTextList()->Find(text))
        symbol->GetAttrTextList()->AddTail(text);
    m_target.AddTail(text);
}

bool ProtelRecordReader::ComponentText(unsigned type) {
    TextFields fields = ReadTextFields();
    m_file.Skip(2);
    fields.text = m_file.ShortString();
    if (!Whole() || !m_im.m_currentSymbol || !m_im.m_document)
        return false;
    CSymbol* symbol = m_im.m_currentSymbol;
    if (type == 0x22 || type == 0x23) {
        if (fields.text.empty())
            return true;
        const char* name = type == 0x22 ? "_ID" : "_Value";
        symbol->SetAttr(name, fields.text.c_str(), kSetAttrForce);
        MakeSymbolText(name, fields);
        return true;
    }
    ++m_im.m_fieldCounter;
    if (fields.text.empty() || fields.text == "*")
        return true;
    const std::string name = "Field" + std::to_string(m_im.m_fieldCounter);
    symbol->SetAttr(name.c_str(), fields.text.c_str(), kSetAttrForce);
    const CPoint a = fields.anchor;
    if (a.x >= 0 && a.x <= m_im.m_sheetWidth && a.y >= -m_im.m_sheetHeight && a.y <= 0)
        MakeSymbolText(name.c_str(), fields);
    return true;
}
