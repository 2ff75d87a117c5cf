#pragma once
// How the netlist build opens the sheets of sub-circuits: without a window, for as long as the
// sheet is walked. The core reads the file itself unless the application installs an opener
// of its own; tests serve sheets made in memory.

#include <memory>

#include "platform/CString.h"
#include "platform/Installed.h"

class CDrawDoc;

class ISheetOpener {
public:
    virtual ~ISheetOpener() = default;
    // The schematic of the file at path, or null when it cannot be opened. Nothing is asked of
    // or shown to the user: the build reports to its log.
    virtual std::unique_ptr<CDrawDoc> OpenSheet(const CString& path) = 0;
};

// Without an installed opener the file is loaded.
template <>
ISheetOpener& Installed<ISheetOpener>::Fallback();

// Installs opener for the whole process (null uninstalls) and returns the one it replaces.
// The caller keeps ownership and uninstalls it before destroying it.
inline ISheetOpener* SetSheetOpener(ISheetOpener* opener) {
    return Installed<ISheetOpener>::Install(opener);
}
// The installed opener, else one that loads the file.
inline ISheetOpener& GetSheetOpener() {
    return Installed<ISheetOpener>::Get();
}
