#include "model/app/CommandLineInfo.h"

#include <algorithm>
#include <cctype>

namespace {

enum class Option { None, Print, PrintTo, Dde, Embedding, Automation, Unregister, Unknown };

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Option OptionOf(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return Option::None;
    const std::string name = Lower(argument.substr(1));
    if (name == "p")
        return Option::Print;
    if (name == "pt")
        return Option::PrintTo;
    if (name == "dde")
        return Option::Dde;
    if (name == "embedding")
        return Option::Embedding;
    if (name == "automation")
        return Option::Automation;
    if (name == "unregister" || name == "unregserver")
        return Option::Unregister;
    // A path such as "/home/a.sch" is no option.
    return argument[0] == '-' ? Option::Unknown : Option::None;
}

void TakeOption(CommandLineInfo& info, Option option, const std::string& argument) {
    switch (option) {
        case Option::Print:
            info.shellCommand = CommandLineInfo::FilePrint;
            break;
        case Option::PrintTo:
            info.shellCommand = CommandLineInfo::FilePrintTo;
            break;
        case Option::Dde:
            info.shellCommand = CommandLineInfo::FileDDE;
            break;
        case Option::Embedding:
            info.runEmbedded = true;
            break;
        case Option::Automation:
            info.runAutomated = true;
            break;
        case Option::Unregister:
            info.shellCommand = CommandLineInfo::AppUnregister;
            break;
        case Option::Unknown:
            if (info.unknownOption.empty())
                info.unknownOption = argument;
            break;
        case Option::None:
            break;
    }
}

void TakeParameter(CommandLineInfo& info, const std::string& argument) {
    const bool printTo = info.shellCommand == CommandLineInfo::FilePrintTo;
    if (info.fileName.empty())
        info.fileName = argument;
    else if (printTo && info.printerName.empty())
        info.printerName = argument;
    else if (printTo && info.driverName.empty())
        info.driverName = argument;
    else if (printTo && info.portName.empty())
        info.portName = argument;
}

}  // namespace

CommandLineInfo ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineInfo info;
    for (const std::string& argument : arguments) {
        const Option option = OptionOf(argument);
        if (option == Option::None)
            TakeParameter(info, argument);
        else
            TakeOption(info, option, argument);
    }
    if (info.shellCommand == CommandLineInfo::FileNew && !info.fileName.empty())
        info.shellCommand = CommandLineInfo::FileOpen;
    info.showSplash = !info.runEmbedded && !info.runAutomated && !AsksToPrint(info);
    return info;
}

bool AsksToPrint(const CommandLineInfo& info) {
    return info.shellCommand == CommandLineInfo::FilePrint ||
           info.shellCommand == CommandLineInfo::FilePrintTo;
}

std::string UnsupportedRequest(const CommandLineInfo& info) {
    if (!info.unknownOption.empty())
        return "Unknown option \"" + info.unknownOption +
               "\". The options are /p file (print), /pt file printer driver port (print to), "
               "/dde, /Embedding, /Automation and /Unregister; a file name opens that file.";
    if (info.runEmbedded)
        return "Vosk Schematic cannot run embedded in another program (/Embedding).";
    if (info.runAutomated)
        return "Vosk Schematic cannot be started for automation (/Automation).";
    if (info.shellCommand == CommandLineInfo::FileDDE)
        return "Vosk Schematic takes no DDE commands (/dde).";
    if (info.shellCommand == CommandLineInfo::AppUnregister)
        return "Vosk Schematic keeps no registration to remove (/Unregister); its file types "
               "belong to the installed package.";
    return {};
}
