#pragma once
// Sheets for the netlist tests, made in code, with scripted sheet opening, log capture and
// report windows.

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/ReportUi.h"
#include "netlist/walker/SheetOpener.h"
#include "support/ScriptedPrompt.h"

class CSpiceSymbol;
class CWire;

namespace nltest {

// A device with one map line per gate of the symbol; pins as "A=1;B=2".
struct GateMap {
    const char* gate;
    const char* pins;
};
CDevice* MakeDevice(const char* name, const char* symbol, std::initializer_list<GateMap> gates,
                    const char* footprint = "");
// Two standard parts of the large sample sheets: a resistor (RES, AXIAL0.4) and a 7400 with
// four NAND gates whose power pins 14 and 7 are tied to VCC and GND.
CDevice* MakeResistor();
CDevice* MakeQuadNand();

class Sheet {
public:
    explicit Sheet(const char* path = "");

    // A symbol of the kind with pins of these identifiers.
    CSymbol* Add(const char* id, DWORD kind, std::initializer_list<const char*> pins,
                 CDevice* device = nullptr, const char* name = nullptr);
    CSymbol* Part(const char* id, std::initializer_list<const char*> pins, CDevice* device,
                  const char* name) {
        return Add(id, kSymbolDevice, pins, device, name);
    }
    CSymbol* Block(const char* id, const char* file, std::initializer_list<const char*> pins);
    // A simulation source symbol (CSpiceSymbol).
    CSpiceSymbol* Source(const char* id, std::initializer_list<const char*> pins);
    // A wire or bus from the pin carrying the net of that name; one net object per name.
    CWire* Wire(CSymbol* symbol, const char* pin, const char* net);
    CWire* Bus(CSymbol* symbol, const char* pin, const char* net);
    // Every pin of the symbol on a named net it shares with one other pin wired this way: the
    // nets N0, N0, N1, N1, ... counted across the sheet.
    void WireInPairs(CSymbol* symbol);

    std::unique_ptr<CDrawDoc> Release() { return std::move(m_owned); }

private:
    CSymbol* Place(CSymbol* symbol, const char* id, DWORD kind,
                   std::initializer_list<const char*> pins, CDevice* device, const char* name);
    CWire* Attach(CWire* wire, CSymbol* symbol, const char* pin, const char* net);

    std::unique_ptr<CDrawDoc> m_owned;
    std::map<std::string, CNet*> m_nets;
    int m_pairedPins = 0;

public:
    CDrawDoc& doc;
};

// Serves sheets made in memory by path, a new document per opening.
class ScriptedOpener : public ISheetOpener {
public:
    ScriptedOpener() : m_previous(SetSheetOpener(this)) {}
    ~ScriptedOpener() override { SetSheetOpener(m_previous); }
    void Serve(const std::string& path, std::function<void(Sheet&)> fill) {
        m_fills[path] = std::move(fill);
    }
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override;

    std::map<std::string, int> opened;

private:
    std::map<std::string, std::function<void(Sheet&)>> m_fills;
    ISheetOpener* m_previous;
};

// A schematic read from its file bytes and named path.
std::unique_ptr<CDrawDoc> LoadSheet(const std::vector<BYTE>& bytes, const char* path);

// Serves one sheet, whatever path is asked for, from its file bytes.
class BytesOpener : public ISheetOpener {
public:
    explicit BytesOpener(std::vector<BYTE> bytes)
        : m_bytes(std::move(bytes)), m_previous(SetSheetOpener(this)) {}
    ~BytesOpener() override { SetSheetOpener(m_previous); }
    BytesOpener(const BytesOpener&) = delete;
    BytesOpener& operator=(const BytesOpener&) = delete;
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override {
        return LoadSheet(m_bytes, path);
    }

private:
    std::vector<BYTE> m_bytes;
    ISheetOpener* m_previous;
};

// The application services with an output bar whose text is kept.
class LogCapture : public testsupport::RecordingAppServices {
public:
    std::streambuf* GetOutputStreamBuf() override { return &m_log; }
    std::string text() const { return m_log.str(); }

private:
    std::stringbuf m_log;
};

// Answers the Generate Report dialog (choice -1 cancels); output windows keep their text.
class ScriptedReportUi : public IReportUi {
public:
    ScriptedReportUi() : m_previous(SetReportUi(this)) {}
    ~ScriptedReportUi() override { SetReportUi(m_previous); }
    int ChooseReport(const CNetlistFormatList& formats, CDocNetlist& /*walker*/, CString& path,
                     BOOL& toScreen) override {
        proposed = path;
        shown = static_cast<int>(formats.size());
        toScreen = TRUE;
        return choice;
    }
    std::streambuf* NewOutputWindow() override { return windowFails ? nullptr : &window; }

    int choice = -1;
    bool windowFails = false;
    CString proposed;
    int shown = 0;
    std::stringbuf window;

private:
    IReportUi* m_previous;
};

}  // namespace nltest
