#pragma once
// Where libraries are looked for: the user's and the standard library folder, library
// patterns ("/lib/*.rlb") made from folder settings, and the order in which the libraries
// that may hold a device's symbols are searched.

#include <functional>
#include <vector>

#include "platform/CString.h"

class CLibraryFile;
class CSchematicApp;
struct MacroDocument;

// The user's library folder ("$(UserLibDir)") and the standard one ("$(StdLibDir)") as paths
// of this system; the standard one is left out when it is the same folder.
std::vector<CString> LibraryFolders(CSchematicApp& app);

// The library pattern of a folder or file setting: macros expanded for the document,
// converted to a path of this system (a Windows drive stands for the root), a relative one
// taken from the folder of relativeTo, and a folder given "*.rlb". Empty when the expansion
// does not fit into a path.
CString LibraryPattern(const CString& setting, const CString& relativeTo, CSchematicApp& app,
                       const MacroDocument* document);

// Called with each library opened for a search; answers whether something is still missing.
using LibraryVisitor = std::function<bool(CLibraryFile&)>;

// Opens the libraries the pattern matches (the name matched without regard to letter case),
// in name order, for reading, and hands each to visit until it answers that nothing is
// missing; a library that cannot be opened is passed over. A folder without libraries is
// silent; a pattern that can match no file tells the user so. Returns whether something is
// still missing.
bool VisitLibraries(const CString& pattern, const LibraryVisitor& visit);

// Searches the libraries for a device's symbols while visit answers that some are missing:
// the device's own library first when its "_Path" is empty or names that library, then the
// "_Path" pattern, then the user's and the standard library folders, each pattern once.
// Returns whether something is still missing.
bool SearchSymbolLibraries(CLibraryFile& own, const CString& devicePath, CSchematicApp& app,
                           const MacroDocument* document, const LibraryVisitor& visit);
