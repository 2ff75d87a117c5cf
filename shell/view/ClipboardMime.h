#pragma once
// The clipboard's forms of drawing objects: the objects under their format names, spelt as
// Qt spells Windows clipboard formats, and pictures of them (SVG and PNG in place of a
// metafile); and what a view can make of data on the clipboard or dropped on it.

#include <vector>

#include "gui/kit/ClipboardFormat.h"
#include "platform/Types.h"

class CDrawDoc;
class CObList;
class QMimeData;

// The data of a copy of the selection of doc: the objects, and their picture framed as the
// clipboard frames it. Null for an empty selection.
QMimeData* NewSelectionMimeData(CDrawDoc& doc, const CObList& selection);

// The format of drawing objects the data hold (the one with embedded objects first), or null.
const char* ObjectFormatIn(const QMimeData& data);
bool HasLibraryItems(const QMimeData& data);
// Whether an embedded object can be made from the data: a picture, or files.
bool CanEmbed(const QMimeData& data);
// Whether a view can paste anything from the data (null: an empty clipboard).
bool CanPaste(const QMimeData* data);
std::vector<BYTE> BytesOf(const QMimeData& data, const char* format);
