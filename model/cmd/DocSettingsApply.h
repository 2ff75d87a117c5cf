#pragma once
// OK of the document settings: the settings and the attribute page's edits become one
// "document settings" step of the undo list, so that undo takes back the attribute values,
// the deleted attributes and the shown attribute texts together with the settings.

#include "model/cmd/DocAttributeEdits.h"
#include "model/cmd/DocSettingsCmd.h"

// FALSE, changing nothing, when the settings cannot be applied.
BOOL ApplyDocumentSettings(CDrawDoc& doc, const DocSettings& settings,
                           const DocAttributeEdits& edits);
