#pragma once
// Sheets for the netlist tests, made in code: symbols of each kind with their pins, devices
// with pin maps, footprints and hidden pins, wires and buses that carry named nets from pins;
// scripted sheet opening, log capture and report windows.

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"
#include "netlist/ReportUi.h"
#include "netlist/SheetOpener.h"
#include "support/ScriptedPrompt.h"

class CDevice;
class CPin;
class CWire;

namespace nltest {

// A device whose symbol name is symbol, with one map line per gate: "A=1,B=2" style pin lists
// ("" for a symbol without gates).
struct GateMap {
    const char* gate;
    const char* pins;  // "pin=number" pairs, parted by ';'
};
CDevice* MakeDevice(const char* name, const char* symbol, std::initializer_list<GateMap> gates,
                    const char* footprint = "");

class Sheet {
public:
    explicit Sheet(const char* path = "");
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // A symbol of the kind with pins of these identifiers, in the document's list.
    CSymbol* Add(const char* id, DWORD kind, std::initializer_list<const char*> pins,
                 CDevice* device = nullptr, const char* name = nullptr);
    CSymbol* Part(const char* id, std::initializer_list<const char*> pins, CDevice* device,
                  const char* name) {
        return Add(id, kSymbolDevice, pins, device, name);
    }
    // A sub-circuit block whose sheet is file.
    CSymbol* Block(const char* id, const char* file, std::initializer_list<const char*> pins);
    // A wire from the pin (of the symbol, by identifier) carrying the net of that name; one
    // net object per name, shared by its wires.
    CWire* Wire(CSymbol* symbol, const char* pin, const char* net);
    CWire* Bus(CSymbol* symbol, const char* pin, const char* net);

    // Hands the document over; the sheet must not be used afterwards.
    std::unique_ptr<CDrawDoc> Release() { return std::move(m_owned); }

private:
    std::unique_ptr<CDrawDoc> m_owned;

public:
    CDrawDoc& doc;

private:
    CNet* NetNamed(const char* name);
    CWire* Attach(CWire* wire, CSymbol* symbol, const char* pin, const char* net);

    std::map<std::string, CNet*> m_nets;
};

// Serves sheets made in memory by path, a new document per opening, and counts the openings.
class ScriptedOpener : public ISheetOpener {
public:
    using Maker = std::function<void(Sheet&)>;
    ScriptedOpener() : m_previous(SetSheetOpener(this)) {}
    ~ScriptedOpener() override { SetSheetOpener(m_previous); }
    ScriptedOpener(const ScriptedOpener&) = delete;
    ScriptedOpener& operator=(const ScriptedOpener&) = delete;

    void Serve(const std::string& path, Maker maker) { m_makers[path] = std::move(maker); }
    std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) override;

    std::map<std::string, int> opened;

private:
    std::map<std::string, Maker> m_makers;
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

// Answers the Generate Report dialog with a format, a file and the screen choice; the output
// windows keep their text.
class ScriptedReportUi : public IReportUi {
public:
    ScriptedReportUi() : m_previous(SetReportUi(this)) {}
    ~ScriptedReportUi() override { SetReportUi(m_previous); }
    ScriptedReportUi(const ScriptedReportUi&) = delete;
    ScriptedReportUi& operator=(const ScriptedReportUi&) = delete;

    int ChooseReport(const CNetlistFormatList& formats, CDocNetlist& walker, CString& path,
                     BOOL& toScreen) override;
    std::streambuf* NewOutputWindow() override;

    int choice = -1;  // -1: cancel
    CString file;
    BOOL screen = FALSE;
    bool windowFails = false;
    CString proposed;      // the file the dialog was given
    int formatsShown = 0;  // the size of the list it was given
    std::stringbuf window;

private:
    IReportUi* m_previous;
};

// The bytes of a test data file of the netlist tests.
std::string DataFile(const std::string& name);

}  // namespace nltest
