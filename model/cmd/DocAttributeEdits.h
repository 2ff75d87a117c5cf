#pragma once
// The document's attributes on the attributes page of the document settings: every attribute
// with whether a text shows it on the sheet, and what the page changed, read back from its
// records.

#include <utility>
#include <vector>

#include "platform/CString.h"

class CAttrMerge;
class CDrawDoc;

// What the attributes page changed.
struct DocAttributeEdits {
    std::vector<std::pair<CString, CString>> values;  // name, new value (new names included)
    std::vector<CString> removed;
    std::vector<CString> hiddenTexts;  // attributes whose texts leave the sheet
    std::vector<CString> shownTexts;   // attributes that get a text on the sheet

    bool IsEmpty() const {
        return values.empty() && removed.empty() && hiddenTexts.empty() && shownTexts.empty();
    }

    // The changes the records of a page loaded by LoadDocAttributes hold after OK, against the
    // document as it is. An attribute deleted on the page also loses its texts.
    static DocAttributeEdits FromRecords(CDrawDoc& doc, const CAttrMerge& merge);
};

// Fills the page's records with the document's attributes, the computed ones first: their
// names cannot be changed nor the rows deleted, and the read-only ones' values are locked.
// An attribute counts as shown when a text of the sheet shows it.
void LoadDocAttributes(CDrawDoc& doc, CAttrMerge& merge);
