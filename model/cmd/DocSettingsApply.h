#pragma once
// OK of the document settings: the settings and the attribute page's edits become one
// "document settings" step of the undo list, so that undo takes back the attribute values,
// the deleted attributes and the shown attribute texts together with the settings.

#include <utility>
#include <vector>

#include "model/cmd/DocSettingsCmd.h"
#include "platform/CString.h"

// What the attributes page changed.
struct DocAttributeEdits {
    std::vector<std::pair<CString, CString>> values;  // name, new value (new names included)
    std::vector<CString> removed;
    std::vector<CString> hiddenTexts;  // attributes whose texts leave the sheet
    std::vector<CString> shownTexts;   // attributes that get a text on the sheet
};

// FALSE, changing nothing, when the settings cannot be applied.
BOOL ApplyDocumentSettings(CDrawDoc& doc, const DocSettings& settings,
                           const DocAttributeEdits& edits);
