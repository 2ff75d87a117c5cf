#pragma once
// The schematic view's "&DXF File" command under "&File", "&Export": asks for the file with a
// save dialog that proposes the document's name, writes the drawing there and reports a file
// that cannot be written.

#include <functional>
#include <string>

class CDrawDoc;
class QWidget;

// Returns the chosen path, or an empty text when the user cancels.
using DxfFileChooser = std::function<std::string(QWidget* parent, const std::string& proposed)>;

// The save dialog: DXF files, the extension "dxf" added when none is typed, a question
// before an existing file is replaced, and a write-protected file refused.
std::string AskForDxfFile(QWidget* parent, const std::string& proposed);

// Runs the command; true when a file was written.
bool ExportDxfWithDialog(CDrawDoc& document, QWidget* parent,
                         const DxfFileChooser& choose = AskForDxfFile);
