#pragma once
// CSheetFiles: the sheets of sub-circuits that one netlist build or design rule check reads.
// Each file is opened once, through the installed sheet opener, and stays open until the build
// or check ends, however many blocks name it and wherever they lie in the hierarchy.

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/CString.h"

class CDrawDoc;

class CSheetFiles {
public:
    CSheetFiles() = default;
    ~CSheetFiles();
    CSheetFiles(const CSheetFiles&) = delete;
    CSheetFiles& operator=(const CSheetFiles&) = delete;

    // The sheet of the file at path, opened on the first ask; null when it cannot be opened,
    // also on every later ask.
    CDrawDoc* Open(const CString& path);

private:
    std::unordered_map<std::string, std::unique_ptr<CDrawDoc>> m_sheets;  // by path
};
