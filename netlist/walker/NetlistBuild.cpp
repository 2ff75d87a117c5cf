#include "netlist/walker/NetlistBuild.h"

#include <array>
#include <exception>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "model/app/SchematicApp.h"
#include "model/doc/DocNetlistBuild.h"
#include "model/doc/DrawDoc.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/ReportUi.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/AppServices.h"
#include "platform/DiskFile.h"
#include "platform/FileReplacement.h"
#include "platform/UserPrompt.h"

namespace {

// The log's last line of a build that wrote no netlist.
constexpr const char kBuildFailed[] = "\nError building netlist.\n";

// Swallows what a log without an output bar is given.
class DiscardBuffer : public std::streambuf {
protected:
    int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
};

// A writer's text, whose lines end in a line feed, passed on with the output's own line end.
// Attribute values keep the line breaks the user typed as CR LF (soft breaks as CR CR LF): the
// carriage returns in front of a line feed go with it, so that every line ends once.
class LineEndOutput : protected std::streambuf {
public:
    explicit LineEndOutput(const char* lineEnd) : m_lineEnd(lineEnd), m_stream(this) {
        setp(m_pending.data(), m_pending.data() + m_pending.size());
    }
    LineEndOutput(const LineEndOutput&) = delete;
    LineEndOutput& operator=(const LineEndOutput&) = delete;

    std::ostream& Stream() { return m_stream; }
    // Passes on the rest, with carriage returns that no line feed followed; false when the
    // output did not take it all.
    bool Finish() {
        if (!WritePending())
            return false;
        const std::string held(static_cast<size_t>(std::exchange(m_carriageReturns, 0)), '\r');
        return held.empty() || Write(held);
    }

protected:
    // Passes the converted text on; false when the output did not take it all.
    virtual bool Write(const std::string& text) = 0;

private:
    int_type overflow(int_type ch) override {
        if (!WritePending())
            return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return WritePending() ? 0 : -1; }
    bool WritePending() {
        m_lines.clear();
        for (const char* ch = pbase(); ch != pptr(); ++ch) {
            if (*ch == '\r') {
                ++m_carriageReturns;
                continue;
            }
            if (*ch == '\n') {
                m_lines += m_lineEnd;
                m_carriageReturns = 0;
                continue;
            }
            m_lines.append(static_cast<size_t>(std::exchange(m_carriageReturns, 0)), '\r');
            m_lines += *ch;
        }
        setp(m_pending.data(), m_pending.data() + m_pending.size());
        return m_lines.empty() || Write(m_lines);
    }

    const char* m_lineEnd;
    std::array<char, 64 * 1024> m_pending{};
    std::string m_lines;
    int m_carriageReturns = 0;  // held until what follows them is known
    std::ostream m_stream;
};

// The text of a netlist file, written with CR LF line ends into a new file as it comes and put
// in place of the old file by Commit; without it the new file is dropped and the old one stays.
// A failed write is reported by Commit, as if the text had been written at the end.
class NetlistFile : public LineEndOutput {
public:
    // Throws when the file cannot be made.
    explicit NetlistFile(const CString& path) : LineEndOutput("\r\n"), m_replacement(path) {}

    // Throws when the text could not be written or the file not put in place.
    void Commit() {
        Finish();
        if (m_failure)
            std::rethrow_exception(m_failure);
        m_replacement.Commit();
    }

private:
    bool Write(const std::string& text) override {
        if (m_failure)
            return true;
        try {
            m_replacement.File().Write(text.data(), static_cast<UINT>(text.size()));
        } catch (...) {
            m_failure = std::current_exception();
        }
        return true;
    }

    CFileReplacement m_replacement;
    std::exception_ptr m_failure;
};

// The text of an output window, with line feeds.
class WindowText : public LineEndOutput {
public:
    explicit WindowText(std::streambuf* window) : LineEndOutput("\n"), m_window(window) {}

private:
    bool Write(const std::string& text) override {
        return m_window->sputn(text.data(), static_cast<std::streamsize>(text.size())) ==
                   static_cast<std::streamsize>(text.size()) &&
               m_window->pubsync() == 0;
    }

    std::streambuf* m_window;
};

// While a build runs: the busy cursor, and documents opened meanwhile stay off the recent
// files.
class BuildingScope {
public:
    BuildingScope() {
        if (CSchematicApp* app = GetApp())
            app->BuildingNetlist = TRUE;
    }
    ~BuildingScope() {
        if (CSchematicApp* app = GetApp())
            app->BuildingNetlist = FALSE;
    }
    BuildingScope(const BuildingScope&) = delete;
    BuildingScope& operator=(const BuildingScope&) = delete;

private:
    WaitCursor m_wait;
};

void ReportFileError(const char* format, const CString& path) {
    CString text;
    text.Format(format, path.c_str());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

// The writer's part of the build; whether the body was written.
bool RunWriter(CDrawDoc& doc, CNetlistFormat& writer, CNetNode& top, std::ostream& out,
               std::ostream& log, bool toFile) {
    CDocNetlist& walker = doc.m_netlist;
    const int result =
        writer.WriteHeader(walker, out, log) ? walker.Build(top, writer, out, log) : kBuildStopped;
    if (result == kBuildStopped) {
        log << "\nBuild stopped.\n";
        return false;
    }
    if (result != kBuildOk) {
        log << kBuildFailed;
        return false;
    }
    if (toFile)
        log << "\nBuilding Final Target..\n";
    if (!writer.WriteBody(walker, top, out, log)) {
        log << kBuildFailed;
        return false;
    }
    return true;
}

}  // namespace

BOOL BuildDocumentNetlist(CDrawDoc& doc, const char* path, CNetlistFormat* writer) {
    CNetNode top(doc.GetPathName());
    CNetlistFormatList formats;  // the dialog's writers, for the whole build
    CString file = path ? CString(path) : doc.GetPathName();
    BOOL toScreen = FALSE;
    IReportUi& ui = GetReportUi();
    if (!path || !writer) {
        FillReportFormatList(formats);
        const int chosen = ui.ChooseReport(formats, doc.m_netlist, file, toScreen);
        if (chosen < 0 || chosen >= static_cast<int>(formats.size()))
            return FALSE;
        writer = formats[static_cast<size_t>(chosen)].get();
    }

    // The log of a build begins once its report is chosen: a cancelled one writes nothing.
    IAppServices& services = GetAppServices();
    DiscardBuffer discard;
    std::streambuf* logBuffer = services.GetOutputStreamBuf();
    std::ostream log(logBuffer ? logBuffer : &discard);
    services.ShowOutputBar();
    log << "\fBuilding...\n" << std::flush;

    std::unique_ptr<NetlistFile> output;
    std::unique_ptr<WindowText> screen;
    if (toScreen) {
        std::streambuf* window = ui.NewOutputWindow();
        if (!window)
            return FALSE;
        screen = std::make_unique<WindowText>(window);
    } else {
        std::error_code error;
        if (std::filesystem::is_directory(file.str(), error)) {
            ReportFileError("There was an error opening file :\n%s\nIt is a folder, not a file.",
                            file);
            log << kBuildFailed << std::flush;
            return FALSE;
        }
        try {
            output = std::make_unique<NetlistFile>(file);
        } catch (const std::exception&) {
            ReportFileError("There was an error opening file :\n%s", file);
            log << kBuildFailed << std::flush;
            return FALSE;
        }
    }
    std::ostream& out = screen ? screen->Stream() : output->Stream();

    bool written = false;
    {
        const BuildingScope building;
        written = RunWriter(doc, *writer, top, out, log, output != nullptr);
        ReleaseCircuits(top);  // those of a build that ended before its body
    }
    out.flush();
    if (written && (!out || (screen && !screen->Finish()))) {  // a window that took not all
        log << kBuildFailed;
        written = false;
    }
    // A build that stopped or failed leaves the old file as it was.
    if (output && written) {
        try {
            output->Commit();
            log << file << "\n";
        } catch (const std::exception&) {
            ReportFileError("There was an error writing file :\n%s", file);
            log << kBuildFailed;
            written = false;
        }
    }
    if (written)
        log << "\nOK\n";
    log.flush();
    return written ? TRUE : FALSE;
}

namespace {

// The build as the documents reach it, installed when the program starts.
class DocNetlistBuild : public IDocNetlistBuild {
public:
    Walker MakeWalker(CDrawDoc& document) override {
        return Walker(new CDocNetlist(&document), [](CDocNetlist* walker) { delete walker; });
    }
    BOOL BuildNetlist(CDrawDoc& document, const char* path, CNetlistFormat* writer) override {
        return BuildDocumentNetlist(document, path, writer);
    }
};

DocNetlistBuild s_build;
const ScopedInstall<IDocNetlistBuild> s_installed(s_build);

}  // namespace
