#pragma once
// Macro words in command lines and folder settings: "$(StdLibDir)\Std.rlb" names a file in the
// standard library folder. Expansion works on paths in stored form (with '\'); convert the
// result with FromStoredPath before using it as a path of this system.

#include "platform/CString.h"
#include "platform/Types.h"

class SettingsStore;

// The usual size of a path buffer; results that do not fit into it are cut.
constexpr int kMaxPath = 260;

// What the document macros $(FileName), $(FileExt) and $(FileDir) are taken from.
struct MacroDocument {
    CString title;     // "amp.sch"
    CString pathName;  // "C:\work\amp.sch" or "/work/amp.sch"
};

// Removes the leading blanks of text and replaces each of these macros (case-sensitive) by its
// value: $(FileName), $(FileExt), $(FileDir) (left as they are without a document),
// $(CurDir), $(StdLibDir), $(UserLibDir), $(SpiceDir) ("Directories"/"stdlib", "userlib" and
// "spice"; an empty or missing one is set to its default folder under the program's folder,
// for "stdlib" the installed "../share/vosk/Libraries" when the program has none beside it,
// and written back) and $(UserDir1..3) ("Directories"/"user1".."user3" as stored). The macros
// are expanded in that order, each everywhere before the next, so a value may name a macro that
// comes after its own ("spice" = "$(UserDir1)\Spice"); a value that names its own macro keeps
// that word as it stands. The result is cut to bufferSize - 1 bytes; returns TRUE when it was
// not cut.
// The default standard library folder of a program in programDirectory, in stored form: the
// "Libraries" folder beside it, or where an installation puts it ("../share/vosk/Libraries")
// when only that one exists.
CString DefaultStandardFolder(const CString& programDirectory);

BOOL ExpandPathMacros(CString& text, int bufferSize, SettingsStore& settings,
                      const MacroDocument* document);

// A folder or file setting such as "$(UserLibDir)" with its macros expanded (no document) and
// converted to a path of this system, as the file dialogs start in it; empty when the
// expansion does not fit into a path.
CString ExpandedPath(const CString& setting, SettingsStore& settings);
