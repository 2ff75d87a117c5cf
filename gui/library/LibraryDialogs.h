#pragma once
// The dialogs of the view's library commands: choosing a library file, and naming the record
// made from the selection.

#include <QString>
#include <optional>

#include "library/LibraryCommands.h"

class CLibraryFile;
class QWidget;

// Asks for a library file in the user's library folder ("Select Library"); for an existing
// file to open, or (save) for a new name. A name that does not exist yet is created after the
// user agreed. Empty when cancelled.
QString ChooseLibraryFile(QWidget* parent, bool save);

// The "Library Item Properties" dialog for a new record of library holding objects: the
// name, description and type they propose, as the user confirms or changes them. None when
// cancelled.
std::optional<LibraryItemChoice> AskLibraryItem(QWidget* parent, CLibraryFile& library,
                                                const CObList& objects);
