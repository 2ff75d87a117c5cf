#pragma once
// Object > Device...: a device chosen for the selection is given to every selected Physical
// Device symbol that it fits, each with a new identifier, as one "set device" step.

#include "platform/Types.h"

class CDevice;
class CDrawDoc;
class CObList;

// Takes over the chosen device's reference; the document's equal device is used in its place
// when there is one. FALSE, recording nothing, when the device fits none of the symbols.
BOOL AttachDevice(CDrawDoc& doc, const CObList& selection, CDevice* chosen);
