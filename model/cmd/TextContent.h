#pragma once
// ITextContent: what a text object lets the text-properties command exchange besides its
// shape. Text objects implement it next to their drawing-object base.

#include "platform/CString.h"
#include "platform/GdiTypes.h"

class ITextContent {
public:
    virtual ~ITextContent() = default;

    // The object's own font; null while it uses the document's.
    virtual const LOGFONT* GetOwnFont() const = 0;
    // Null drops the own font, so that the text uses the document's again.
    virtual void SetOwnFont(const LOGFONT* font) = 0;
    virtual CString GetContentText() const = 0;
    // Sets the text exactly as given, without recording a command or laying the object out: the
    // command has put back the rectangle that goes with it.
    virtual void SetContentText(const char* text) = 0;
};
