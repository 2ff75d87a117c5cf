#pragma once

// The Protel import of a file chosen by the user: the file opened, the reader of the chosen
// format run into a new schematic document or a library file, and every step reported into
// the log (the Output bar).

#include <functional>
#include <ostream>
#include <string>

class CDrawDoc;

enum class ProtelFileKind { BinarySchematic = 1, BinaryLibrary = 2, DosSchematic = 3 };

struct ProtelDocumentHooks {
    // A new, empty schematic document, or null when none could be made.
    std::function<CDrawDoc*()> create;
    // Closes a document the import could not fill.
    std::function<void(CDrawDoc&)> discard;
};

// Imports a binary or DOS schematic into a new document, titled after the file with "_vsch"
// and dated with the file's time; the document, or null when the import failed (the document
// made for it is then discarded).
CDrawDoc* ImportProtelSchematicFile(std::ostream& log, const std::string& path, ProtelFileKind kind,
                                    const ProtelDocumentHooks& hooks);

// Adds the components of a binary library to the library file at libraryPath, which is made
// when it does not exist; true on success.
bool ImportProtelLibraryFile(std::ostream& log, const std::string& path,
                             const std::string& libraryPath);

// The document's title for an imported file: its name without extension and "_vsch".
std::string ProtelDocumentTitle(const std::string& path);
