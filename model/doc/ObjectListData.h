#pragma once
// Drawing objects as bytes, for the clipboard and for copies between documents: the archive of
// one object list (its count, then each object class-tagged as CArchive.h describes; an object
// referred to twice is written once and referred to after). Links from the listed objects to
// objects outside the list are broken while the list is written, so the loaded objects do not
// take them.

#include <vector>

#include "platform/Geometry.h"
#include "platform/Types.h"

class CDC;
class CDrawDoc;
class CObList;
class CompoundStorage;

// The clipboard formats of drawing objects. Both carry the object list; the second is used when
// an embedded object is among them, and its data end with the embedded objects' storages: a
// compound file image, then that image's length as a DWORD.
constexpr const char* kSchematicFormat = "Vosk Schematic Format";
constexpr const char* kSchematicOleFormat = "Vosk Schematic Format(OLE)";

// Writes the objects of doc in list order; embedded objects put their storages into
// embeddings.
std::vector<BYTE> StoreObjectList(CDrawDoc& doc, const CObList& objects,
                                  CompoundStorage& embeddings);
// Reads an object list for doc and appends the objects to out; they belong to the caller.
// Only drawing objects are accepted in the list. Damage ends the load with an exception
// (CArchiveException, CompoundFileError) after every object read has been deleted; out is
// then as it was.
void LoadObjectList(CDrawDoc& doc, const std::vector<BYTE>& bytes, CompoundStorage& embeddings,
                    CObList& out);

// Deletes the loaded objects that doc does not allow (pins on a schematic), first breaking
// their links with the others, which stay in the list.
void DropRefusedObjects(CDrawDoc& doc, CObList& loaded);

// The clipboard data of a selection of doc: the selected objects in drawing order, under the
// format the data are for.
struct ClipboardObjects {
    const char* format = kSchematicFormat;
    std::vector<BYTE> data;
};
ClipboardObjects CopyObjectsToClipboard(CDrawDoc& doc, const CObList& selection);
// The objects of clipboard data of format for doc, appended to out as LoadObjectList does.
void PasteObjectsFromClipboard(CDrawDoc& doc, const char* format, const std::vector<BYTE>& data,
                               CObList& out);

// The frame of a picture of the objects in 0.01 mm with y downwards: the union of their
// bounding rectangles grown by 5 units on every side. Empty for no objects.
CRect PictureFrame(const CObList& objects);

// Draws the listed objects of doc in drawing order in the document's text font: the picture
// of a copy.
void DrawObjectsPicture(CDrawDoc& doc, const CObList& objects, CDC* dc);

// Pasted objects that would lie exactly on objects of the document move by (100, -100), as often
// as needed, judged by the first pasted object: same type code and bounding rectangle as an
// object of the document that was not pasted.
void OffsetPastedDuplicates(const CObList& documentObjects, const CObList& pasted);
