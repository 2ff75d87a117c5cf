#pragma once
// OK of the document settings: the settings and the attribute page's edits become one
// "document settings" step of the undo list, so that undo takes back the attribute values,
// the deleted attributes and the shown attribute texts together with the settings.

#include "model/cmd/DocAttributeEdits.h"
#include "model/cmd/DocSettingsCmd.h"

// Settings that are the document's and no attribute edits add no step. FALSE, changing
// nothing, when the settings cannot be applied or the edits would give two rails one name
// (RailNameClash).
BOOL ApplyDocumentSettings(CDrawDoc& doc, const DocSettings& settings,
                           const DocAttributeEdits& edits);
// OK of the print options: one "print options" step, none when the settings are the document's.
void ApplyPrintOptions(CDrawDoc& doc, const DocSettings& settings);
