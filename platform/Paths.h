#pragma once
// Paths. Documents and settings store Windows-style paths ("C:\Lib\std.rlb"); this system uses
// '/'. Stored paths become paths of this system here and nowhere else.

#include "platform/CString.h"

// A stored path as a path of this system. Backslashes become '/' and runs of separators one
// '/'. A drive letter stands for the root folder: "C:\Lib\a.rlb" and "C:Lib\a.rlb" become
// "/Lib/a.rlb", "C:" and "C:\" become "/". A network name "\\server\share\a" becomes
// "/server/share/a", where such a share is expected to be mounted. Relative paths stay
// relative; a path already in this system's form is returned unchanged.
CString FromStoredPath(const CString& stored);

// A path read from this program's own settings. The program writes its paths there as they
// are, so they come back unchanged (a backslash in a file name stays); only a value written on
// Windows, with a drive letter or starting with two backslashes, goes through FromStoredPath.
CString FromSettingsPath(const CString& stored);

// A path of this system in stored form: '/' becomes '\' ("/Lib/a.rlb" gives "\Lib\a.rlb"),
// which FromStoredPath turns back into the same path.
CString ToStoredPath(const CString& path);

// dir and name joined by exactly one separator: separators at the end of dir and at the start
// of name are dropped. The separator is the one dir already uses (its last), else '\' after a
// drive ("C:"), else the first one name uses, else '/'. An empty dir gives name, an empty name
// gives dir. Separators are not converted; convert with FromStoredPath before opening files.
CString JoinPath(const CString& dir, const CString& name);

// Pieces of a path written with either separator; "C:\a\b.sch" gives "C:\a\", "b" and ".sch".
// The folder keeps its drive and its final separator ("C:" alone when there is no folder, empty
// for a bare name). The extension starts at the last dot of the name ("a.tar.gz" gives "a.tar"
// and ".gz"; ".profile" gives "" and ".profile"); the names "." and ".." have no extension.
CString FileDirectory(const CString& path);
CString FileTitle(const CString& path);
CString FileExtension(const CString& path);

// The full path of the running program, empty when the system does not tell.
CString ProgramPath();
// The folder that holds the program, without a final separator ("/" for the root).
CString ProgramDirectory();
