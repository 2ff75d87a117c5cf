// What the user does with a placed symbol: its context menu, opening it (a sub-circuit's file)
// and editing its properties.

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/doc/DocumentWindows.h"
#include "model/doc/DrawDoc.h"
#include "model/object/MenuBuilder.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "platform/Paths.h"
#include "platform/ProgramLauncher.h"
#include "platform/UserPrompt.h"

namespace {

// The view's commands of these names.
constexpr UINT kObjectProperties = 32785;
constexpr UINT kDeviceProperties = 33016;
constexpr UINT kEditSymbol = 33005;
constexpr UINT kOpenSubcircuit = 33004;
constexpr UINT kShowIdentifier = 32955;
constexpr UINT kShowValue = 33053;
constexpr UINT kShowPinNames = 32954;
constexpr UINT kShowPinNumbers = 32953;
constexpr UINT kShowDeviceName = 32971;

CString Lower(CString text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (c >= 'A' && c <= 'Z')
            text.SetAt(i, char(c - 'A' + 'a'));
    }
    return text;
}

// Words separated by blanks; double quotes hold blanks in a word.
std::vector<CString> SplitArguments(const CString& text) {
    std::vector<CString> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (const char c : text.str()) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.emplace_back(word.c_str());
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.emplace_back(word.c_str());
    return words;
}

bool IsProgram(const CString& path, const CString& extension) {
    if (extension == ".exe")
        return true;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path.str(), error);
    const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !error && fs::is_regular_file(status) &&
           (status.permissions() & exec) != fs::perms::none;
}

// Programs the user agreed to start from a schematic, in this run: schematic and program.
std::set<std::pair<std::string, std::string>>& AgreedPrograms() {
    static std::set<std::pair<std::string, std::string>> agreed;
    return agreed;
}

bool AgreesToStart(const CDrawDoc* document, const CString& program) {
    const CString from = !document                           ? CString()
                         : document->GetPathName().IsEmpty() ? document->GetTitle()
                                                             : document->GetPathName();
    const std::pair key(from.str(), program.str());
    if (!from.IsEmpty() && AgreedPrograms().contains(key))
        return true;
    CString question;
    question.Format("The schematic %s starts the program\n%s\nDo you want to run it?", from.c_str(),
                    program.c_str());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    if (!from.IsEmpty())
        AgreedPrograms().insert(key);
    return true;
}

}  // namespace

void CSymbol::AddContextMenu(IMenuBuilder* menu) {
    const DWORD kind = GetKind();
    if (m_device)
        menu->InsertAfter(kObjectProperties, kDeviceProperties, "De&vice Properties..");
    menu->AddSeparator();
    menu->AddItem(kEditSymbol, "&Edit Symbol");
    if (kind == kSymbolSubCircuit)
        menu->AddItem(kOpenSubcircuit, "Open Sub-circuit");
    if (kind != kSymbolGraphical && kind != kSymbolPort && kind != kSymbolNetConnector) {
        CString value;
        if (LookupAttr(GetStdAttrName(kStdAttrId), value) && !value.IsEmpty())
            menu->AddItem(kShowIdentifier, "Show Identifier");
        if (kind != kSymbolSubCircuit && LookupAttr(GetStdAttrName(kStdAttrValue), value))
            menu->AddItem(kShowValue, "Show Value");
    }
    menu->AddItem(kShowPinNames, "Show Pin Names");
    if (kind == kSymbolDevice && m_device) {
        menu->AddItem(kShowPinNumbers, "Show Pin Numbers");
        menu->AddItem(kShowDeviceName, "Show Device Name");
    }
}

void CSymbol::OnOpen(IDocView* view) {
    if (GetKind() == kSymbolSubCircuit)
        OpenSubcircuit();
    else
        OnEditProperties(view);
}

void CSymbol::OnEditProperties(IDocView* view) {
    if (view && m_document)
        EditSymbolProperties(*view, *m_document);
}

BOOL CSymbol::OpenSubcircuit() {
    CString path;
    if (!GetSubcircuitPath(path))
        return FALSE;
    const CString verb = Lower(GetAttr(GetStdAttrName(kStdAttrCommand)));
    const CString extension = Lower(FileExtension(path));
    std::error_code error;
    bool opened = false;
    if (!path.IsEmpty() && std::filesystem::exists(path.str(), error)) {
        if (extension == ".sch") {
            opened = GetDocumentWindows().OpenSchematic(path) != nullptr;
        } else if (IsProgram(path, extension)) {
            if (!AgreesToStart(m_document, path))
                return FALSE;
            CString directory = GetAttr(GetStdAttrName(kStdAttrDirectory));
            if (!directory.IsEmpty()) {
                directory = FromStoredPath(directory);
                if (directory[0] != '/' && m_document && !m_document->GetPathName().IsEmpty())
                    directory = JoinPath(FileDirectory(m_document->GetPathName()), directory);
            }
            opened = GetProgramLauncher().StartProgram(
                path, SplitArguments(GetAttr(GetStdAttrName(kStdAttrParameters))), directory);
        } else if (verb.IsEmpty() || verb == "open") {
            opened = GetProgramLauncher().OpenDocument(path);
        }
    }
    if (opened)
        return TRUE;
    CString message;
    message.Format("Error opening file -\n%s", path.c_str());
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}
