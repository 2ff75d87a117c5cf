#pragma once
// The sheet of the soak of random edits: parts of several devices, some showing attribute
// texts, wired to each other and to a bus, with texts, a frame and a loose pin.

class CDrawDoc;

// Adds the sheet's objects to an empty document, recording no step.
void FillSoakSheet(CDrawDoc& doc);
