#pragma once
// What the program is asked to do by its command line: open a file, print one, or one of the
// requests of other programs (embedding, automation, DDE, unregistering), which this system
// does not serve. Options start with '/' or '-' and are recognised in any case; an argument
// starting with '/' that names no option is a file path.

#include <string>
#include <vector>

struct CommandLineInfo {
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister };

    ShellCommand shellCommand = FileNew;
    std::string fileName;
    // "/pt file printer driver port"
    std::string printerName;
    std::string driverName;
    std::string portName;
    bool runEmbedded = false;
    bool runAutomated = false;
    // Starts that print or serve other programs show no splash window.
    bool showSplash = true;
    // An option the program does not know, or empty.
    std::string unknownOption;
};

// Parses the arguments that follow the program name: "/p file", "/pt file printer driver
// port", "/dde", "/Embedding", "/Automation", "/Unregister" (or "/Unregserver") and a file
// name. Further plain arguments are ignored.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& arguments);

// Why the program cannot do what info asks (an unknown option, named with the options that
// exist, or a request of another program), or empty when it can.
std::string UnsupportedRequest(const CommandLineInfo& info);
// Whether info asks to print a file ("/p", "/pt").
bool AsksToPrint(const CommandLineInfo& info);
