#include "netlist/tools/CustomTool.h"

#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "netlist/tools/ToolArguments.h"
#include "netlist/tools/ToolEntry.h"
#include "netlist/tools/ToolSetupUi.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/Paths.h"
#include "platform/ProgramLauncher.h"
#include "platform/UserPrompt.h"

namespace {

// Expanded texts are not cut: a long path is passed whole or not at all.
constexpr int kExpandedSize = 1 << 16;

const char* const kMissingCommand[kFixedTools] = {
    "You need to specifiy the location of your PCB Editor\nprogram and the type of report the "
    "program needs.",
    "You need to specifiy the location of your PLD Compiler\nprogram and the type of report the "
    "compiler needs."};

// The tool's texts with the path macros expanded for one document.
class ToolMacros {
public:
    ToolMacros(CSchematicApp& app, const CDrawDoc& document)
        : m_app(app), m_document{document.GetTitle(), document.GetPathName()} {}

    // A text that names a macro becomes a path of this system; one that names none stays as
    // the user wrote it.
    CString Text(const CString& text) {
        CString expanded = text;
        m_app.ExpandMacros(expanded, kExpandedSize, &m_document);
        return expanded == text ? expanded : FromStoredPath(expanded);
    }
    CString Path(const CString& text) {
        const CString expanded = Text(text);
        return expanded == text ? FromSettingsPath(expanded) : expanded;
    }
    std::vector<std::string> Arguments(const CString& line) {
        std::vector<std::string> args;
        for (const std::string& arg : SplitArguments(line.str()))
            args.push_back(Text(arg.c_str()).str());
        return args;
    }

private:
    CSchematicApp& m_app;
    MacroDocument m_document;
};

// Offers the set-up sheet for a fixed tool without a command; true when the user set it up.
bool SetUpFixedTool(int number) {
    if (AfxMessageBox(kMissingCommand[number - 1], MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return false;
    return Installed<IToolSetupUi>::Get().EditCustomTools(number - 1);
}

BOOL WriteReport(CDrawDoc& document, int reportType, const CString& path) {
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    if (reportType < 0 || reportType >= static_cast<int>(formats.size())) {
        AfxMessageBox("Could not find report format");
        return FALSE;
    }
    return document.BuildNetlist(path.c_str(), formats[reportType].get());
}

BOOL StartCommand(const CString& command, const std::vector<std::string>& args,
                  const CString& directory) {
    // A program starts with its arguments; any other file opens with its usual application.
    IProgramLauncher& launcher = GetProgramLauncher();
    std::vector<CString> arguments;
    for (const std::string& arg : args)
        arguments.emplace_back(arg.data(), static_cast<int>(arg.size()));
    if (!command.IsEmpty() &&
        (launcher.StartProgram(command, arguments, directory) || launcher.OpenDocument(command)))
        return TRUE;
    CString message("Could not execute command\n");
    message += command;
    AfxMessageBox(message);
    return FALSE;
}

}  // namespace

BOOL RunTool(int number, CDrawDoc& document, const char* section) {
    CSchematicApp* app = GetApp();
    if (!app || number < 1 || number > kMaxTools)
        return FALSE;
    const bool fixed = CString(section) == kToolsSection && number <= kFixedTools;
    CToolEntry tool = LoadToolEntry(app->Settings(), section, number);
    while (fixed && tool.command.IsEmpty()) {
        if (!SetUpFixedTool(number))
            return FALSE;
        tool = LoadToolEntry(app->Settings(), section, number);
    }
    ToolMacros macros(*app, document);
    if ((tool.flags & kToolGenerateReport) &&
        !WriteReport(document, tool.reportType, macros.Path(tool.reportFile)))
        return FALSE;
    if (!(tool.flags & kToolExecuteCommand))
        return TRUE;
    return StartCommand(macros.Path(tool.command), macros.Arguments(tool.args),
                        macros.Path(tool.directory));
}
