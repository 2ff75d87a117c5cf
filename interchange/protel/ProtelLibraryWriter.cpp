#include "interchange/protel/ProtelLibraryWriter.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "model/device/Device.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace {

constexpr LONG kLibraryCorner = 5000;
constexpr LONG kLibraryGrid = 100;

CString PinAttr(CPin* pin, const char* name) {
    CString value;
    pin->LookupAttr(name, value);
    return value;
}

// Pins first, by name; the other objects by type code.
void SortDrawing(CObList& list) {
    std::vector<CDrawObj*> objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    list.RemoveAll();
    std::stable_sort(objects.begin(), objects.end(), [](CDrawObj* a, CDrawObj* b) {
        const bool pinA = a->GetObjType() == kObjPin, pinB = b->GetObjType() == kObjPin;
        if (pinA != pinB)
            return pinA;
        if (pinA)
            return std::strcmp(PinAttr(static_cast<CPin*>(a), "_ID"),
                               PinAttr(static_cast<CPin*>(b), "_ID")) < 0;
        return a->GetObjType() < b->GetObjType();
    });
    for (CDrawObj* object : objects)
        list.AddTail(object);
}

// The archived bytes of the part's three drawings: equal bytes, equal drawings.
std::string DrawingBytes(ProtelPart& part) {
    CMemFile data;
    {
        CArchive ar(&data, CArchive::store);
        for (int mode = 0; mode < 3; ++mode) {
            const CObList& list = part.Mode(mode).List();
            ar.WriteCount(static_cast<DWORD>(list.GetCount()));
            for (POSITION pos = list.GetHeadPosition(); pos;)
                ar.WriteObject(list.GetNext(pos));
        }
        ar.Close();
    }
    const std::vector<BYTE> bytes = data.Detach();
    return std::string(bytes.begin(), bytes.end());
}

std::string Capitalised(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string PinMapLine(const std::string& symbol, size_t part, const CObList& list) {
    std::string line = symbol + "\x01" + static_cast<char>('a' + part);
    for (POSITION pos = list.GetHeadPosition(); pos;)
        if (auto* pin = dynamic_cast<CPin*>(static_cast<CObject*>(list.GetNext(pos)))) {
            std::string id(static_cast<const char*>(PinAttr(pin, "_ID")));
            id.erase(0, id.find_first_not_of(' '));
            id.erase(id.find_last_not_of(' ') + 1);
            line += "\x01" + id + "\x01" + static_cast<const char*>(PinAttr(pin, "_No"));
        }
    return line + "\n";
}

}  // namespace

ProtelPart& SharedPart(ProtelPart& part) {
    ProtelPart* root = &part;
    while (root->sameAs)
        root = root->sameAs;
    return *root;
}

void ProtelLibraryWriter::Write(std::vector<std::unique_ptr<ProtelComponent>>& components) {
    FindEqualDrawings(components);
    NameSymbols(components);
    for (auto& component : components)
        WriteComponent(*component);
}

void ProtelLibraryWriter::FindEqualDrawings(
    std::vector<std::unique_ptr<ProtelComponent>>& components) {
    std::map<std::string, ProtelPart*> first;
    for (auto& component : components)
        for (auto& part : component->parts) {
            for (int mode = 0; mode < 3; ++mode)
                SortDrawing(part->Mode(mode).List());
            auto [found, added] = first.emplace(DrawingBytes(*part), part.get());
            if (!added)
                part->sameAs = found->second;
        }
}

void ProtelLibraryWriter::NameSymbols(std::vector<std::unique_ptr<ProtelComponent>>& components) {
    int number = 1;
    for (auto& component : components)
        for (auto& part : component->parts) {
            ProtelPart& root = SharedPart(*part);
            if (root.symbolName.empty()) {
                CString name;
                name.Format("symb%04d", number++);
                root.symbolName = static_cast<const char*>(name);
            }
        }
}

void ProtelLibraryWriter::WriteComponent(ProtelComponent& component) {
    const std::string description = Capitalised(component.description);
    const std::string name = component.libraryName.empty() && !component.names.empty()
                                 ? component.names.front()
                                 : component.libraryName;
    auto* device = new CDevice(name.c_str());
    device->SetAttr("_Name", name.c_str(), TRUE);
    device->SetAttr("_Pref", component.designatorPrefix.c_str(), TRUE);
    device->SetAttr("_Desc", description.c_str(), TRUE);
    device->SetAttr("_Footprint", component.footprints[0].c_str(), TRUE);
    std::string map;
    std::vector<CSymbol*> symbols;
    component.description = description;
    for (size_t p = 0; p < component.parts.size(); ++p) {
        ProtelPart& part = *component.parts[p];
        const std::string& root = SharedPart(part).symbolName;
        for (int mode = 0; mode < 3; ++mode) {
            CObList& list = part.Mode(mode).List();
            if (list.IsEmpty())
                continue;
            const std::string symbolName = root + (mode == 1 ? "_dm" : mode == 2 ? "_ieee" : "");
            map += PinMapLine(symbolName, p, list);
            if (!part.sameAs)
                symbols.push_back(MakeSymbol(symbolName, list, component));
        }
    }
    device->SetAttr("_Map", map.c_str(), TRUE);
    for (CSymbol* symbol : symbols) {
        AddItem(symbol, symbol->GetAttr("_Name"), symbol->GetAttr("_Desc"), kItemSymbol);
        delete symbol;
    }
    AddItem(device, device->GetAttr("_Name"), device->GetAttr("_Desc"), kItemDevice);
    for (size_t i = 1; i < component.names.size(); ++i) {
        device->SetAttr("_Name", component.names[i].c_str(), TRUE);
        AddItem(device, device->GetAttr("_Name"), device->GetAttr("_Desc"), kItemDevice);
    }
    delete device;
}

void ProtelLibraryWriter::AddItem(CObject* object, const CString& name, const CString& description,
                                  int type) {
    CObList list;
    list.AddTail(object);
    CLibraryItem item(name, description, type);
    if (!m_library.AddObjectList(list, item, FALSE))
        m_log << "Warning - library item " << static_cast<const char*>(name)
              << " already exists, not added.\n";
}

CSymbol* ProtelLibraryWriter::MakeSymbol(const std::string& name, CObList& drawing,
                                         const ProtelComponent& component) {
    auto* symbol = new CSymbol;
    symbol->SetAttr("_ID", "", kSetAttrForce);
    symbol->SetAttr("_Name", name.c_str(), kSetAttrForce);
    symbol->SetAttr("_Desc", component.description.c_str(), kSetAttrForce);
    symbol->SetAttr("_Footprint", component.footprints[0].c_str(), kSetAttrForce);
    for (size_t i = 1; i < component.footprints.size(); ++i)
        if (!component.footprints[i].empty())
            symbol->SetAttr(("_Footprint" + std::to_string(i + 1)).c_str(),
                            component.footprints[i].c_str(), kSetAttrForce);
    if (!component.designatorPrefix.empty())
        symbol->SetAttr("_Pref", component.designatorPrefix.c_str(), kSetAttrForce);
    for (size_t i = 0; i < component.textFields.size(); ++i)
        if (!component.textFields[i].empty())
            symbol->SetAttr(("Text Field " + std::to_string(i + 1)).c_str(),
                            component.textFields[i].c_str(), kSetAttrForce);
    symbol->BuildFromObjects(drawing, FALSE);
    drawing.RemoveAll();
    symbol->SetFlags(kSymbolDevice, kSymbolDevice);
    symbol->RecalcBounds(nullptr);
    RenameDuplicatePins(symbol->GetPins());
    CRect box;
    symbol->GetBoundingRect(box);
    const LONG left = std::min(box.left, box.right), bottom = std::min(box.top, box.bottom);
    symbol->OffsetBy(CSize((kLibraryCorner - left) / kLibraryGrid * kLibraryGrid,
                           (-kLibraryCorner - bottom) / kLibraryGrid * kLibraryGrid));
    symbol->RecalcBounds(nullptr);
    return symbol;
}
