#pragma once
// What the "Document Properties" sheet shows: the summary page's fields and the statistics
// page's texts and counts, taken from a document without any window.

#include "platform/CString.h"
#include "platform/Types.h"

class CDrawDoc;
class CObList;
class CSummaryInfo;

// The fields of the summary page; the application name is shown only.
struct SummaryFields {
    CString author;
    CString keywords;
    CString subject;
    CString comments;
    CString templateName;
    CString title;
    CString application;

    static SummaryFields From(const CSummaryInfo& summary);
    // Writes the editable fields back (not the application name).
    void ApplyTo(CSummaryInfo& summary) const;
    bool SameEditableFields(const SummaryFields& other) const;
};

// Counts over a document's objects: each wire counts its net once, each symbol counts once
// and adds its pins, every other object (buses included) is an other object.
struct ObjectCounts {
    int nets = 0;
    int otherObjects = 0;
    int pins = 0;
    int symbols = 0;

    static ObjectCounts Of(const CObList& objects);
};

// The texts of the statistics page, in the order of its controls.
struct StatisticsFields {
    CString lastSavedBy;
    CString revision;
    CString editingTime;  // "%lu min"
    CString lastPrinted;  // "" when never printed
    CString created;
    CString lastSaved;
    CString nets;  // the counts with "%d"
    CString otherObjects;
    CString pins;
    CString symbols;

    static StatisticsFields Of(const CSummaryInfo& summary, const ObjectCounts& counts);
};
