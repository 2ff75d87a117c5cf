// The element lines of the Spice writer: one symbol's "Spice." attributes made into a line,
// the models and sub-circuits it needs, and the references in its templates.

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>
#include <string>

#include "model/device/Device.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "model/symbol/Symbol.h"
#include "netlist/spice/SpiceFormat.h"
#include "netlist/walker/DocNetlist.h"

namespace {

constexpr int kMaxNameLength = 7;

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// 1 to 7 letters or digits.
bool IsShortName(const CString& text) {
    return !text.IsEmpty() && text.GetLength() <= kMaxNameLength &&
           std::all_of(text.str().begin(), text.str().end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Blanks, parentheses and other characters a Spice name cannot hold become '_'.
CString SpiceSafeName(const CString& name) {
    std::string safe = name.str();
    for (char& c : safe) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            c = '_';
    }
    return CString(safe);
}

BOOL HasAttr(CSymbol& symbol, const char* name) {
    CString value;
    if (symbol.LookupAttr(name, value))
        return TRUE;
    CDevice* device = symbol.GetDevice();
    return device && device->Lookup(name, value);
}

// Replaces value with the attribute when the symbol has it.
void Override(CSymbol& symbol, const CString& name, CString& value) {
    CString found;
    if (!name.IsEmpty() && symbol.LookupAttr(name, found))
        value = found;
}

void Override(const CDevice* device, const CString& name, CString& value) {
    CString found;
    if (device && !name.IsEmpty() && device->Lookup(name, found))
        value = found;
}

const char* PinNetName(const CPin& pin) {
    const CDrawObj* wire = pin.GetWire();
    const CNet* net = wire ? wire->GetNet() : nullptr;
    return net ? net->GetName().c_str() : nullptr;
}

// Splits "name.rest" at the first dot that is not its first character.
void SplitReference(const CString& text, CString& name, CString& rest) {
    const int dot = text.GetLength() > 1 ? text.Find('.', 1) : -1;
    name = dot < 0 ? text : text.Left(dot);
    rest = dot < 0 ? CString() : text.Mid(dot + 1);
}

// How the log names a part: by its identifier, else by its device's or symbol's name and its
// place on the sheet, as the status bar gives it.
CString PartName(CSymbol& symbol) {
    CString name = symbol.GetAttr("_ID");
    if (!name.IsEmpty())
        return name;
    const CDevice* device = symbol.GetDevice();
    name = device ? device->GetAttr("_Name") : CString();
    if (name.IsEmpty())
        name = symbol.GetAttr("_Name");
    if (name.IsEmpty())
        name = "a symbol";
    CPoint corner = symbol.GetPosition().TopLeft();
    symbol.LocalToDoc(&corner, 1);
    return name + " at (" + std::to_string(corner.x).c_str() + "," +
           std::to_string(corner.y).c_str() + ")";
}

bool StartsWith(const CString& text, const char* prefix) {
    return text.str().starts_with(prefix);
}

// The waveform of a simulation source symbol in the form Spice reads, with the
// word it begins with; empty when its values are all empty.
CString SourceWaveform(const CSpiceSymbol& source, CString& word) {
    constexpr const char* kWords[] = {"DC", "PULSE", "SIN", "EXP", "PWL", "SFFM"};
    const DWORD kind = source.GetSourceKind();
    if (kind >= std::size(kWords))
        return CString();
    word = kWords[kind];
    const std::vector<CString>& values = source.GetSet(static_cast<CSpiceSymbol::Set>(kind));
    std::size_t used = values.size();
    while (used > 0 && values[used - 1].IsEmpty())
        --used;
    if (used == 0)
        return CString();
    if (kind == CSpiceSymbol::kDc)
        return word + " " + values[0];
    CString text = word + "(";
    for (std::size_t i = 0; i < used; ++i)
        text += (i ? " " : "") + (values[i].IsEmpty() ? CString("0") : values[i]);
    return text + ")";
}

bool ContainsWordNoCase(const std::string& line, const CString& word) {
    std::string upper = line;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    for (std::size_t at = upper.find(word.str()); at != std::string::npos;
         at = upper.find(word.str(), at + 1)) {
        const std::size_t end = at + word.str().size();
        const bool starts = at == 0 || IsSpace(upper[at - 1]);
        const bool ends = end == upper.size() || IsSpace(upper[end]) || upper[end] == '(';
        if (starts && ends)
            return true;
    }
    return false;
}

}  // namespace

// Attributes

CString CSpiceFormat::ReadSpiceAttr(CSymbol& symbol, const char* rest) const {
    const CString plain = CString("Spice.") + rest;
    const CString variant = m_subFormat.IsEmpty() ? CString() : "Spice." + m_subFormat + "." + rest;
    CString value;
    Override(symbol, plain, value);
    Override(symbol, variant, value);
    Override(symbol.GetDevice(), plain, value);
    Override(symbol.GetDevice(), variant, value);
    return value;
}

CString CSpiceFormat::ReadSubcktAttr(CSymbol& symbol, const char* rest) const {
    const CString plain = CString("Spice.") + rest;
    const CString variant = m_subFormat.IsEmpty() ? CString() : "Spice." + m_subFormat + "." + rest;
    CString value;
    Override(symbol, plain, value);
    Override(symbol.GetDevice(), plain, value);
    Override(symbol, variant, value);
    Override(symbol.GetDevice(), variant, value);
    return value;
}

CString CSpiceFormat::GetDevicePrefix(CSymbol& symbol) const {
    if (symbol.GetKind() == kSymbolSubCircuit)
        return "X";
    const CString plain = "Spice.Device";
    const CString variant = m_subFormat.IsEmpty() ? CString() : "Spice." + m_subFormat + ".Device";
    CString text;
    Override(symbol, plain, text);
    Override(symbol, variant, text);
    CString fromDevice;
    Override(symbol.GetDevice(), plain, fromDevice);
    Override(symbol.GetDevice(), variant, fromDevice);
    if (!fromDevice.IsEmpty())
        text = fromDevice;
    const int comma = text.Find(',');
    return comma < 0 ? text : text.Left(comma);
}

CString CSpiceFormat::MakeSpiceName(CSymbol& symbol) const {
    const CString prefix = GetDevicePrefix(symbol);
    if (prefix.IsEmpty())
        return CString();
    CString id = symbol.GetAttr("_ID");
    if (IsSpace(prefix.str().back()))
        return IsShortName(id) || id.IsEmpty() ? id : CString("1");
    if (id.Left(prefix.GetLength()).CompareNoCase(prefix) != 0)
        id = prefix + id;
    return IsShortName(id) ? id : prefix + "1";
}

// Element lines

BOOL CSpiceFormat::WriteDevice(CSymbol& symbol, CDocNetlist& walker, CNetNode& /*node*/,
                               std::ostream& out, std::ostream& log) {
    if (symbol.GetKind() == kSymbolSubCircuit) {
        WriteBlockInstance(symbol, out);
        return TRUE;
    }
    const CString id = symbol.GetAttr("_ID");
    const CString device = ReadSpiceAttr(symbol, "Device");
    const CString model = ReadSpiceAttr(symbol, "Model");
    const CString params = ReadSpiceAttr(symbol, "Params");
    const CString include = ReadSpiceAttr(symbol, "Include");
    const CString command = ReadSpiceAttr(symbol, "Command");
    if (!command.IsEmpty()) {
        ExpandTemplate(symbol, walker, command, m_commands, log);
        m_commands << "\n";
    }
    if (device.IsEmpty()) {
        if (HasAttr(symbol, "Spice.Exclude"))
            return TRUE;
        log << "Spice.Device attribute not set for " << PartName(symbol) << ".\n";
        return FALSE;
    }
    std::ostringstream line;
    if (!WritePinNodes(symbol, device, line, log)) {
        out << line.str();
        return FALSE;
    }
    CString templ = device;
    templ.TrimLeft();
    const int comma = templ.Find(',');
    // A sub-circuit call ends with its nodes and the sub-circuit's name: a simulator reads a
    // word between them as a node.
    const bool subcktCall = (comma < 0 ? templ : templ.Left(comma)).CompareNoCase("X") == 0;
    if (!model.IsEmpty()) {
        CDevice* shared = symbol.GetDevice();
        CString name = SpiceSafeName(shared ? shared->GetAttr("_Name") : "Model" + id);
        AddModel(name, model);
        if (!subcktCall)
            line << " " << name;
    } else if (!subcktCall) {
        line << " " << symbol.GetAttr("_Value");
    }
    if (!include.IsEmpty())
        AddInclude(include);
    if (subcktCall && !WriteSubcktCall(symbol, walker, include, line, log)) {
        out << line.str();
        return FALSE;
    }
    if (!params.IsEmpty()) {
        line << " ";
        ExpandTemplate(symbol, walker, params, line, log);
    }
    std::string text = line.str();
    AppendSourceWaveform(symbol, text);
    out << text << "\n";
    return out.good() ? TRUE : FALSE;
}

// " <node>" for each pin the template names after its prefix.
BOOL CSpiceFormat::WritePinNodes(CSymbol& symbol, const CString& fields, std::ostream& out,
                                 std::ostream& log) {
    std::istringstream list(fields.str());
    std::string field;
    bool prefix = true;
    bool anyPin = false;
    while (std::getline(list, field, ',')) {
        if (std::exchange(prefix, false))
            continue;
        CString pinId(field);
        pinId.Trim();
        if (pinId.IsEmpty())
            continue;
        CPin* pin = symbol.FindPin(pinId);
        // A hidden pin without a wire lies on the net its part's hidden pins give it.
        CString hidden;
        if ((!pin || !pin->GetWire()) && m_hiddenPins &&
            m_hiddenPins->NetOf(symbol, pinId, hidden) && !hidden.IsEmpty()) {
            out << " " << GetNodeName(hidden);
            anyPin = true;
            continue;
        }
        if (!pin) {
            log << "Error : 'Spice.Device' attribute of " << PartName(symbol)
                << ", pin not found - '" << pinId << "'.\n";
            return FALSE;
        }
        out << " " << GetNodeName(PinNetName(*pin));
        anyPin = true;
    }
    if (!anyPin) {
        log << "No pins specified for " << PartName(symbol) << " in Spice.Device attribute.\n";
        return FALSE;
    }
    return TRUE;
}

// " <sub-circuit>" of an "X" element, its definition registered unless a file is included.
BOOL CSpiceFormat::WriteSubcktCall(CSymbol& symbol, CDocNetlist& walker, const CString& include,
                                   std::ostream& out, std::ostream& log) {
    CString name = ReadSubcktAttr(symbol, "Subckt");
    const CString definition = ReadSubcktAttr(symbol, "SubcktDef");
    const CString id = symbol.GetAttr("_ID");
    if (name.IsEmpty()) {
        if (definition.IsEmpty() && include.IsEmpty()) {
            log << "Error - no subcircuit specified for " << PartName(symbol) << "\n";
            return FALSE;
        }
        CDevice* device = symbol.GetDevice();
        name = SpiceSafeName(device ? device->GetAttr("_Name") : "Subckt" + id);
    }
    CString text;
    if (!definition.IsEmpty())
        text = ".subckt " + name + " " + ExpandTemplateToText(symbol, walker, definition, log) +
               "\n.ends";
    if (include.IsEmpty())
        AddSubcircuit(name, text);
    out << " " << name;
    return TRUE;
}

void CSpiceFormat::WriteBlockInstance(CSymbol& symbol, std::ostream& out) {
    POSITION pos = symbol.GetPins().GetHeadPosition();
    while (pos)
        out << " " << GetNodeName(PinNetName(*static_cast<CPin*>(symbol.GetPins().GetNext(pos))));
    CString path;
    symbol.GetSubcircuitPath(path);
    const CSpiceSubcktSheet* sheet = FindSubcktSheet(path);
    out << " " << (sheet ? sheet->name : CString()) << "\n";
}

// A simulation source's waveform, unless its line already names one of that kind.
void CSpiceFormat::AppendSourceWaveform(CSymbol& symbol, std::string& line) const {
    const auto* source = dynamic_cast<const CSpiceSymbol*>(&symbol);
    if (!source)
        return;
    CString word;
    const CString waveform = SourceWaveform(*source, word);
    if (waveform.IsEmpty() || ContainsWordNoCase(line, word))
        return;
    if (source->GetSourceKind() == CSpiceSymbol::kDc && !symbol.GetAttr("_Value").IsEmpty())
        return;
    line += " " + waveform.str();
}

void CSpiceFormat::AddModel(CString& name, const CString& text) {
    CString used = name;
    for (int n = 2;; ++n) {
        const CString* known = m_models.Find(used);
        if (!known) {
            m_models.SetAt(used, text);
            break;
        }
        if (known->CompareNoCase(text) == 0)
            break;
        used = name + "_" + std::to_string(n).c_str();
    }
    name = used;
}

void CSpiceFormat::AddSubcircuit(CString& name, CString text) {
    if (text.IsEmpty())
        text = "$(SpiceDir)//" + name + ".ckt";
    CString used = name;
    for (int n = 2;; ++n) {
        const CString* known = m_subcktDefs.Find(used);
        if (!known) {
            m_subcktDefs.SetAt(used, text);
            break;
        }
        if (known->CompareNoCase(text) == 0)
            break;
        used = name + "_" + std::to_string(n).c_str();
    }
    m_sheetSubckts.insert(used.str());
    name = used;
}

void CSpiceFormat::AddInclude(const CString& path) {
    for (const CString& known : m_includes) {
        if (known.CompareNoCase(path) == 0)
            return;
    }
    m_includes.push_back(path);
}

// Templates

BOOL CSpiceFormat::ExpandTemplate(CSymbol& symbol, CDocNetlist& walker, const CString& text,
                                  std::ostream& out, std::ostream& log) {
    const std::string& chars = text.str();
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] != '"') {
            out << chars[i];
            continue;
        }
        const std::size_t close = chars.find('"', i + 1);
        const std::size_t end = close == std::string::npos ? chars.size() : close;
        const CString ref(chars.substr(i + 1, end - i - 1));
        if (ref.IsEmpty() && close != std::string::npos)
            out << '"';
        else
            WriteSymbolRef(symbol, walker, ref, out, log);
        i = end;
    }
    return out.good() ? TRUE : FALSE;
}

CString CSpiceFormat::ExpandTemplateToText(CSymbol& symbol, CDocNetlist& walker,
                                           const CString& text, std::ostream& log) {
    std::ostringstream out;
    ExpandTemplate(symbol, walker, text, out, log);
    return CString(out.str());
}

BOOL CSpiceFormat::WriteSymbolRef(CSymbol& symbol, CDocNetlist& walker, const CString& ref,
                                  std::ostream& out, std::ostream& log) {
    if (ref.IsEmpty() || ref == "_ID") {
        out << LookupSpiceName(&symbol);
        return TRUE;
    }
    if (StartsWith(ref, "."))
        return WriteDocRef(walker, ref.Mid(1), out, log);
    if (StartsWith(ref, "_Pin.")) {
        CString pinName;
        CString pinRef;
        SplitReference(ref.Mid(5), pinName, pinRef);
        if (CPin* pin = symbol.FindPin(pinName))
            return WritePinRef(*pin, walker, pinRef, out, log);
        log << "Warning - Spice.Command attribute " << ref << " : Pin not found " << pinName
            << " in symbol " << PartName(symbol) << "\n";
        return TRUE;
    }
    CString value;
    symbol.LookupAttr(ref, value);
    out << value;
    return TRUE;
}

BOOL CSpiceFormat::WritePinRef(CPin& pin, CDocNetlist& /*walker*/, const CString& ref,
                               std::ostream& out, std::ostream& log) {
    if (ref.IsEmpty()) {
        out << pin.GetAttr("_ID");
        return TRUE;
    }
    if (StartsWith(ref, "_Net")) {
        const char* net = PinNetName(pin);
        if (!net)
            log << "Warning - Pin not connected " << pin.GetAttr("_ID") << "\n";
        out << GetNodeName(net);
        return TRUE;
    }
    CString value;
    if (pin.LookupAttr(ref, value)) {
        out << value;
        return TRUE;
    }
    log << "Warning - Pin attribute " << ref << " not set.\n";
    return TRUE;
}

BOOL CSpiceFormat::WriteNetRef(CNet& net, CDocNetlist& /*walker*/, const CString& ref,
                               std::ostream& out, std::ostream& log) {
    if (ref.IsEmpty() || ref == "_ID") {
        out << GetNodeName(net.GetName());
        return TRUE;
    }
    CString value;
    if (net.LookupAttr(ref, value)) {
        out << value;
        return TRUE;
    }
    log << "Warning - Net attribute " << ref << " not set.\n";
    return TRUE;
}

BOOL CSpiceFormat::WriteDocRef(CDocNetlist& walker, const CString& ref, std::ostream& out,
                               std::ostream& log) {
    CString name;
    CString rest;
    if (StartsWith(ref, "_Net.")) {
        SplitReference(ref.Mid(5), name, rest);
        CNet* net = walker.FindNetByName(name);
        if (!net) {
            log << "Error - net not found " << name;
            return FALSE;
        }
        return WriteNetRef(*net, walker, rest, out, log);
    }
    if (StartsWith(ref, "_Symbol.")) {
        SplitReference(ref.Mid(8), name, rest);
        CSymbol* symbol = FindSymbolById(walker, 0xFFFFFFFF, name);
        if (!symbol) {
            log << "Error - symbol not found " << name;
            return FALSE;
        }
        return WriteSymbolRef(*symbol, walker, rest, out, log);
    }
    const CString value = walker.GetDocAttribute(ref);
    if (value.IsEmpty()) {
        log << "Error - Document attribute " << ref << " not set.\n";
        return FALSE;
    }
    out << value;
    return TRUE;
}
