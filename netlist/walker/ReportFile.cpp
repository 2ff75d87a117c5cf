#include "netlist/walker/ReportFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

CString ReportFileName(const CString& docPath, const char* extension) {
    const std::string stem = fs::path(docPath.c_str()).stem().string();
    return CString((stem.empty() ? std::string("untitled") : stem).c_str()) + "." + extension;
}

CString ResolveReportPath(const CString& name, const CString& docPath) {
    const fs::path file(name.c_str());
    if (name.IsEmpty() || file.is_absolute())
        return name;
    fs::path folder = fs::path(docPath.c_str()).parent_path();
    if (docPath.IsEmpty() || folder.empty()) {
        std::error_code error;
        folder = fs::current_path(error);
        if (error)
            return name;
    }
    return CString((folder / file).string().c_str());
}

CString ReportFileFilter(const CNetlistFormatList& formats) {
    CString filter;
    for (const auto& format : formats) {
        CString entry;
        entry.Format("%s Files (*.%s)|*.%s|", format->GetName(), format->GetExtension(),
                     format->GetExtension());
        filter += entry;
    }
    return filter + "All Files (*.*)|*.*||";
}
