#pragma once
// The analyses of a Spice deck, one class per Spice analysis. Each reads its settings from
// section "Spice" of the settings store, writes them back, and writes its control line at the
// end of the deck. The settings value "Spice"/"Analyses" holds one bit per analysis (GetBit);
// MakeSpiceAnalyses makes the chosen ones in deck order.

#include <iosfwd>
#include <memory>
#include <vector>

#include "platform/CString.h"
#include "platform/FrameworkOrderMap.h"
#include "platform/Types.h"

class CDocNetlist;
class CSpiceFormat;
class SettingsStore;

class CSpiceAnalysis {
public:
    virtual ~CSpiceAnalysis() = default;
    virtual void Save(SettingsStore& settings) = 0;
    virtual void Load(const SettingsStore& settings) = 0;
    virtual DWORD GetBit() const = 0;
    // The control line; FALSE after an error, told in log (the line may be left unfinished).
    virtual BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                              std::ostream& log) = 0;
};

using CSpiceAnalysisList = std::vector<std::unique_ptr<CSpiceAnalysis>>;

// One analysis object, loaded from settings, for each bit of mask, in deck order.
CSpiceAnalysisList MakeSpiceAnalyses(DWORD mask, const SettingsStore& settings);

// Scale of a frequency sweep: 0 linear, 1 octave, 2 decade; other values write no word.
struct CSpiceSweep {
    int Scale = 0;
    int Points = 20;
    CString Start = "20";
    CString End = "20k";
};

class CSpiceICAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x201; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    FrameworkOrderMap<CString> Values;  // net name to initial voltage
};

class CSpiceOPAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x1; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString Text;
};

class CSpiceTranAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x2; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    int UIC = 0;
    CString Start;
    CString Step = "10ns";
    CString Stop = "1us";
    CString MaxStep;
};

class CSpiceFourAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x4; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString Fundamental = "1kHz";
    CString OutVar = "V(1)";
};

class CSpiceDCAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x8; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString Source = "V(1)";
    CString Start = "0";
    CString End = "5";
    CString Step = "0.1";
    CString Source2, Start2, End2, Step2;
};

class CSpiceACAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x10; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CSpiceSweep Sweep;
};

class CSpiceSensAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x20; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString Var = "V(1)";
    int AC = 0;
    CSpiceSweep Sweep;
};

class CSpiceNoiseAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x40; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CSpiceSweep Sweep;
    int PointsPerSummary = -1;  // kept, not written to the deck
    CString Source = "V(1)";
    CString Out = "Vout";
    CString Ref = "GND";
};

class CSpiceTFAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x80; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString Source;
    CString OutVar;
};

class CSpicePZAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x100; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CString In1, Out1, In2, Out2;
    int Poles = 1;
    int Zeros = 1;
    int Mode = 1;  // voltage transfer; 0 current
};

class CSpiceDistAnalysis : public CSpiceAnalysis {
public:
    void Save(SettingsStore& settings) override;
    void Load(const SettingsStore& settings) override;
    DWORD GetBit() const override { return 0x200; }
    BOOL WriteCommand(CSpiceFormat& writer, CDocNetlist& walker, std::ostream& out,
                      std::ostream& log) override;

    CSpiceSweep Sweep;
    double Ratio = -1.0;  // written only when not negative
};
