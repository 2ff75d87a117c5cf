#include "netlist/spice/SpiceAnalysis.h"

#include <iomanip>
#include <locale>
#include <ostream>
#include <sstream>
#include <string>

#include "netlist/spice/SpiceFormat.h"
#include "netlist/spice/SpiceOutputVar.h"
#include "netlist/walker/DocNetlist.h"
#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSection = "Spice";
constexpr const char* kReferenceNode = "0";

CString ReadText(const SettingsStore& settings, const char* key, const char* fallback = "") {
    return settings.GetProfileString(kSection, key, fallback);
}

int ReadInt(const SettingsStore& settings, const char* key, int fallback) {
    return static_cast<int>(settings.GetProfileInt(kSection, key, fallback));
}

void WriteText(SettingsStore& settings, const char* key, const CString& value) {
    settings.WriteProfileString(kSection, key, value);
}

void WriteInt(SettingsStore& settings, const char* key, int value) {
    settings.WriteProfileInt(kSection, key, value);
}

CString Numbered(const char* stem, int number) {
    return CString(stem) + std::to_string(number).c_str();
}

// A sweep's keys are "<prefix>.nScale", "<prefix>.nPoints", "<prefix>.Start", "<prefix>.End".
CString Key(const char* prefix, const char* name) {
    return CString(prefix) + "." + name;
}

void LoadSweep(CSpiceSweep& sweep, const SettingsStore& settings, const char* prefix) {
    sweep.Scale = ReadInt(settings, Key(prefix, "nScale"), 0);
    sweep.Points = ReadInt(settings, Key(prefix, "nPoints"), 20);
    sweep.Start = ReadText(settings, Key(prefix, "Start"), "20");
    sweep.End = ReadText(settings, Key(prefix, "End"), "20k");
}

void SaveSweep(const CSpiceSweep& sweep, SettingsStore& settings, const char* prefix) {
    WriteInt(settings, Key(prefix, "nScale"), sweep.Scale);
    WriteInt(settings, Key(prefix, "nPoints"), sweep.Points);
    WriteText(settings, Key(prefix, "Start"), sweep.Start);
    WriteText(settings, Key(prefix, "End"), sweep.End);
}

// "lin ", "oct ", "dec " for scales 0 to 2, else nothing.
const char* ScaleWord(int scale) {
    constexpr const char* kWords[] = {"lin ", "oct ", "dec "};
    return scale >= 0 && scale < 3 ? kWords[scale] : "";
}

void WriteSweep(const CSpiceSweep& sweep, std::ostream& out) {
    out << sweep.Points << " " << sweep.Start << " " << sweep.End;
}

CString FormatDouble(double value, bool fixed) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    if (fixed)
        text << std::fixed << std::setprecision(6);
    text << value;
    return CString(text.str());
}

BOOL Fail(std::ostream& log, const char* message, const CString& text) {
    log << message << text << ".\n";
    return FALSE;
}

// The node of a net of the document: the writer's node for it, else its name. False when the
// document has no such net.
bool NetNode(CSpiceFormat& writer, CDocNetlist& walker, const CString& net, CString& node) {
    if (!walker.FindNetByName(net))
        return false;
    node = writer.MappedNode(net);
    return true;
}

// The element name of the simulation source of that identifier; false when there is none.
bool SourceName(CSpiceFormat& writer, CDocNetlist& walker, const CString& id, CString& name) {
    CSymbol* source = FindSymbolById(walker, kKindMaskSimulation, id);
    if (!source)
        return false;
    name = writer.LookupSpiceName(source);
    return true;
}

// The messages of one analysis about its output variables.
struct VariableMessages {
    const char* source;
    const char* net;
    const char* reference;
};

// Puts the deck's names into an output variable: the element name of a current's source, the
// nodes of a voltage's nets. A voltage against the reference node names its node alone, the
// one form that every analysis of the simulator reads.
BOOL ResolveVariable(CSpiceOutputVar& var, const VariableMessages& messages, CSpiceFormat& writer,
                     CDocNetlist& walker, std::ostream& log) {
    if (!var.IsVoltage()) {
        const CString id = var.arg1;
        return SourceName(writer, walker, id, var.arg1) ? TRUE : Fail(log, messages.source, id);
    }
    const CString net = var.arg1;
    if (!NetNode(writer, walker, net, var.arg1))
        return Fail(log, messages.net, net);
    if (var.arg2.IsEmpty())
        return TRUE;
    const CString reference = var.arg2;
    if (!NetNode(writer, walker, reference, var.arg2))
        return Fail(log, messages.reference, reference);
    if (var.arg2 == kReferenceNode)
        var.arg2.Empty();
    return TRUE;
}

}  // namespace

CSpiceAnalysisList MakeSpiceAnalyses(DWORD mask, const SettingsStore& settings) {
    CSpiceAnalysisList list;
    auto add = [&](std::unique_ptr<CSpiceAnalysis> analysis) {
        if ((mask & analysis->GetBit()) == 0)
            return;
        analysis->Load(settings);
        list.push_back(std::move(analysis));
    };
    add(std::make_unique<CSpiceICAnalysis>());
    add(std::make_unique<CSpiceOPAnalysis>());
    add(std::make_unique<CSpiceTranAnalysis>());
    add(std::make_unique<CSpiceFourAnalysis>());
    add(std::make_unique<CSpiceDCAnalysis>());
    add(std::make_unique<CSpiceACAnalysis>());
    add(std::make_unique<CSpiceSensAnalysis>());
    add(std::make_unique<CSpiceNoiseAnalysis>());
    add(std::make_unique<CSpiceTFAnalysis>());
    add(std::make_unique<CSpicePZAnalysis>());
    add(std::make_unique<CSpiceDistAnalysis>());
    return list;
}

// Initial conditions

void CSpiceICAnalysis::Save(SettingsStore& settings) {
    int count = 0;
    for (const auto& entry : Values.InOrder()) {
        ++count;
        WriteText(settings, Numbered("IC.Net", count), entry.key);
        WriteText(settings, Numbered("IC.Value", count), entry.value);
    }
    WriteInt(settings, "IC.nCount", count);
}

void CSpiceICAnalysis::Load(const SettingsStore& settings) {
    Values.RemoveAll();
    const int count = ReadInt(settings, "IC.nCount", 0);
    for (int i = 1; i <= count; ++i) {
        const CString net = ReadText(settings, Numbered("IC.Net", i));
        const CString value = ReadText(settings, Numbered("IC.Value", i));
        if (!net.IsEmpty() && !value.IsEmpty())
            Values.SetAt(net, value);
    }
}

BOOL CSpiceICAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                    std::ostream& log) {
    if (Values.IsEmpty())
        return TRUE;
    out << ".ic";
    for (const auto& entry : Values.InOrder()) {
        CString node;
        if (!NetNode(writer, walker, entry.key, node)) {
            out << "\n";  // the conditions so far stay, on a line of their own
            return Fail(log, "Error : Initial Conditions - Net not found ", entry.key);
        }
        out << " V( " << node << " ) = " << entry.value;
    }
    out << "\n";
    return TRUE;
}

// Operating point

void CSpiceOPAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "OP", Text);
}

void CSpiceOPAnalysis::Load(const SettingsStore& settings) {
    Text = ReadText(settings, "OP");
}

BOOL CSpiceOPAnalysis::WriteCommand(CSpiceFormat& /*writer*/, CDocNetlist& /*walker*/,
                                    std::ostream& out, std::ostream& /*log*/) {
    out << ".op " << Text << "\n";
    return TRUE;
}

// Transient

void CSpiceTranAnalysis::Save(SettingsStore& settings) {
    WriteInt(settings, "Tran.UIC", UIC);
    WriteText(settings, "Tran.Start", Start);
    WriteText(settings, "Tran.Step", Step);
    WriteText(settings, "Tran.Stop", Stop);
    WriteText(settings, "Tran.MaxStep", MaxStep);
}

void CSpiceTranAnalysis::Load(const SettingsStore& settings) {
    UIC = ReadInt(settings, "Tran.UIC", 0);
    Start = ReadText(settings, "Tran.Start");
    Step = ReadText(settings, "Tran.Step", "10ns");
    Stop = ReadText(settings, "Tran.Stop", "1us");
    MaxStep = ReadText(settings, "Tran.MaxStep");
}

BOOL CSpiceTranAnalysis::WriteCommand(CSpiceFormat& /*writer*/, CDocNetlist& /*walker*/,
                                      std::ostream& out, std::ostream& /*log*/) {
    out << ".tran " << Step << " " << Stop << " ";
    if (!Start.IsEmpty()) {
        out << Start << " ";
        if (!MaxStep.IsEmpty())
            out << MaxStep << " ";
    }
    if (UIC)
        out << "uic";
    out << "\n";
    return TRUE;
}

// Fourier

void CSpiceFourAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "Four.Fundamental", Fundamental);
    WriteText(settings, "Four.OutVar", OutVar);
}

void CSpiceFourAnalysis::Load(const SettingsStore& settings) {
    Fundamental = ReadText(settings, "Four.Fundamental", "1kHz");
    OutVar = ReadText(settings, "Four.OutVar", "V(1)");
}

BOOL CSpiceFourAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                      std::ostream& log) {
    constexpr int kMaxVariables = 8;
    CSpiceOutputVar vars[kMaxVariables];
    const int count = ParseOutputVariables(vars, kMaxVariables, OutVar, &log);
    if (count == 0)
        return Fail(log, "Error : Fourier Analysis - Invalid output variable ", OutVar);
    const VariableMessages messages{"Error : Fourier Analysis - Voltage source/ammeter not found ",
                                    "Error : Fourier Analysis - Net not found ",
                                    "Error : Fourier Analysis - Reference net not found "};
    for (int i = 0; i < count; ++i) {
        if (!ResolveVariable(vars[i], messages, writer, walker, log))
            return FALSE;
    }
    out << ".four " << Fundamental << " ";
    for (int i = 0; i < count; ++i)
        out << FormatOutputVariable(vars[i]) << " ";
    out << "\n";
    return TRUE;
}

// DC sweep

void CSpiceDCAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "DC.Source", Source);
    WriteText(settings, "DC.Start", Start);
    WriteText(settings, "DC.End", End);
    WriteText(settings, "DC.Step", Step);
    WriteText(settings, "DC.Source2", Source2);
    WriteText(settings, "DC.Start2", Start2);
    WriteText(settings, "DC.End2", End2);
    WriteText(settings, "DC.Step2", Step2);
}

void CSpiceDCAnalysis::Load(const SettingsStore& settings) {
    Source = ReadText(settings, "DC.Source", "V(1)");
    Start = ReadText(settings, "DC.Start", "0");
    End = ReadText(settings, "DC.End", "5");
    Step = ReadText(settings, "DC.Step", "0.1");
    Source2 = ReadText(settings, "DC.Source2");
    Start2 = ReadText(settings, "DC.Start2");
    End2 = ReadText(settings, "DC.End2");
    Step2 = ReadText(settings, "DC.Step2");
}

BOOL CSpiceDCAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                    std::ostream& log) {
    constexpr const char* kMessage = "Error : DC Analysis - Voltage source not found ";
    CString name;
    CString name2;
    if (!SourceName(writer, walker, Source, name))
        return Fail(log, kMessage, Source);
    if (!Source2.IsEmpty() && !SourceName(writer, walker, Source2, name2))
        return Fail(log, kMessage, Source2);
    out << ".dc " << name << " " << Start << " " << End << " " << Step << " ";
    if (!Source2.IsEmpty())
        out << name2 << " " << Start2 << " " << End2 << " " << Step2;
    out << "\n";
    return TRUE;
}

// AC sweep

void CSpiceACAnalysis::Save(SettingsStore& settings) {
    SaveSweep(Sweep, settings, "AC");
}

void CSpiceACAnalysis::Load(const SettingsStore& settings) {
    LoadSweep(Sweep, settings, "AC");
}

BOOL CSpiceACAnalysis::WriteCommand(CSpiceFormat& /*writer*/, CDocNetlist& /*walker*/,
                                    std::ostream& out, std::ostream& /*log*/) {
    out << ".ac " << ScaleWord(Sweep.Scale);
    WriteSweep(Sweep, out);
    out << "\n";
    return TRUE;
}

// Sensitivity

void CSpiceSensAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "MC.Var", Var);
    WriteInt(settings, "MC.bAC", AC);
    SaveSweep(Sweep, settings, "MC");
}

void CSpiceSensAnalysis::Load(const SettingsStore& settings) {
    Var = ReadText(settings, "MC.Var", "V(1)");
    AC = ReadInt(settings, "MC.bAC", 0);
    LoadSweep(Sweep, settings, "MC");
}

BOOL CSpiceSensAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                      std::ostream& log) {
    CSpiceOutputVar var;
    if (ParseOutputVariables(&var, 1, Var, &log) == 0)
        return Fail(log, "Error : Sensistivity Analysis - Invalid output variable ", Var);
    const VariableMessages messages{
        "Error : Sensistivity Analysis - Voltage source/ammeter not found ",
        "Error : Sensistivity Analysis - Net not found ",
        "Error : Sensistivity Analysis - Reference net not found "};
    if (!ResolveVariable(var, messages, writer, walker, log))
        return FALSE;
    out << ".sens " << FormatOutputVariable(var);
    if (AC) {
        out << " ac " << ScaleWord(Sweep.Scale);
        WriteSweep(Sweep, out);
    }
    out << "\n";
    return TRUE;
}

// Noise

void CSpiceNoiseAnalysis::Save(SettingsStore& settings) {
    SaveSweep(Sweep, settings, "Noise");
    WriteInt(settings, "Noise.nPtsPerSum", PointsPerSummary);
    WriteText(settings, "Noise.Source", Source);
    WriteText(settings, "Noise.Out", Out);
    WriteText(settings, "Noise.Ref", Ref);
}

void CSpiceNoiseAnalysis::Load(const SettingsStore& settings) {
    LoadSweep(Sweep, settings, "Noise");
    PointsPerSummary = ReadInt(settings, "Noise.nPtsPerSum", -1);
    Source = ReadText(settings, "Noise.Source", "V(1)");
    Out = ReadText(settings, "Noise.Out", "Vout");
    Ref = ReadText(settings, "Noise.Ref", "GND");
}

BOOL CSpiceNoiseAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                       std::ostream& log) {
    constexpr const char* kNetMessage = "Error : Noise Analysis - Net not found ";
    CString outNode;
    CString refNode;
    CString source;
    if (!NetNode(writer, walker, Out, outNode))
        return Fail(log, kNetMessage, Out);
    if (!Ref.IsEmpty() && !NetNode(writer, walker, Ref, refNode))
        return Fail(log, kNetMessage, Ref);
    if (!SourceName(writer, walker, Source, source))
        return Fail(log, "Error : Noise Analysis - Voltage source / Ammeter not found ", Source);
    out << ".noise V( " << outNode;
    if (!Ref.IsEmpty() && refNode != kReferenceNode)
        out << ", " << refNode;
    out << " ) " << source;
    out << " " << ScaleWord(Sweep.Scale);
    WriteSweep(Sweep, out);
    out << "\n";
    return TRUE;
}

// Transfer function

void CSpiceTFAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "TF.Source", Source);
    WriteText(settings, "TF.OutVar", OutVar);
}

void CSpiceTFAnalysis::Load(const SettingsStore& settings) {
    Source = ReadText(settings, "TF.Source");
    OutVar = ReadText(settings, "TF.OutVar");
}

BOOL CSpiceTFAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                    std::ostream& log) {
    CSpiceOutputVar var;
    if (ParseOutputVariables(&var, 1, OutVar, &log) == 0)
        return Fail(log, "Error : Transfer Function - Invalid output variable ", OutVar);
    CString source;
    if (!SourceName(writer, walker, Source, source))
        return Fail(log, "Error : Transfer Function - Voltage source not found ", Source);
    const VariableMessages messages{"Error : Transfer Function - Voltage source/ammeter not found ",
                                    "Error : Transfer Function - Net not found ",
                                    "Error : Transfer Function - Reference net not found "};
    if (!ResolveVariable(var, messages, writer, walker, log))
        return FALSE;
    out << ".tf " << FormatOutputVariable(var) << " " << source << "\n";
    return TRUE;
}

// Pole-zero

void CSpicePZAnalysis::Save(SettingsStore& settings) {
    WriteText(settings, "PZ.csIn1", In1);
    WriteText(settings, "PZ.csOut1", Out1);
    WriteText(settings, "PZ.csIn2", In2);
    WriteText(settings, "PZ.csOut2", Out2);
    WriteInt(settings, "PZ.bPoles", Poles);
    WriteInt(settings, "PZ.bZeros", Zeros);
    WriteInt(settings, "PZ.nMode", Mode);
}

void CSpicePZAnalysis::Load(const SettingsStore& settings) {
    In1 = ReadText(settings, "PZ.csIn1");
    Out1 = ReadText(settings, "PZ.csOut1");
    In2 = ReadText(settings, "PZ.csIn2");
    Out2 = ReadText(settings, "PZ.csOut2");
    Poles = ReadInt(settings, "PZ.bPoles", 1);
    Zeros = ReadInt(settings, "PZ.bZeros", 1);
    Mode = ReadInt(settings, "PZ.nMode", 1);
}

BOOL CSpicePZAnalysis::WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                                    std::ostream& log) {
    const CString* nets[] = {&In1, &In2, &Out1, &Out2};
    CString nodes[4];
    for (int i = 0; i < 4; ++i) {
        const bool optional = i == 1 || i == 3;
        if (optional && nets[i]->IsEmpty())
            nodes[i] = kReferenceNode;
        else if (!NetNode(writer, walker, *nets[i], nodes[i]))
            return Fail(log, "Error : Pole/Zero Analysis - Net not found ", *nets[i]);
    }
    out << ".pz " << nodes[0] << " " << nodes[1] << " " << nodes[2] << " " << nodes[3]
        << (Mode ? " vol " : " cur ")
        << (Poles == 0 ? "zer\n"
            : Zeros    ? "pz\n"
                       : "pol\n");
    return TRUE;
}

// Distortion

void CSpiceDistAnalysis::Save(SettingsStore& settings) {
    SaveSweep(Sweep, settings, "Dist");
    WriteText(settings, "Dist.Ratio", FormatDouble(Ratio, true));
}

void CSpiceDistAnalysis::Load(const SettingsStore& settings) {
    LoadSweep(Sweep, settings, "Dist");
    double ratio = 0;
    Ratio = ParseDouble(ReadText(settings, "Dist.Ratio"), ratio) ? ratio : -1.0;
}

BOOL CSpiceDistAnalysis::WriteCommand(CSpiceFormat& /*writer*/, CDocNetlist& /*walker*/,
                                      std::ostream& out, std::ostream& /*log*/) {
    out << ".disto ";
    out << " " << ScaleWord(Sweep.Scale);
    WriteSweep(Sweep, out);
    if (Ratio >= 0)
        out << " " << FormatDouble(Ratio, false);
    out << "\n";
    return TRUE;
}
