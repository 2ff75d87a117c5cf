#pragma once
// CTextPropCmd: the property edit of a text object ("text properties"): the shape exchange,
// then the exchange of the text's own font (or its absence) and of its text. The in-place
// editor records the same command under the name "text edit".

#include <optional>

#include "model/cmd/ShapeEditCmd.h"
#include "platform/CString.h"

class ITextContent;

class CTextPropCmd : public CShapeEditCmd {
public:
    // Keeps the object's present state. An object that is no text (no ITextContent) gets the
    // shape exchange only.
    explicit CTextPropCmd(CDrawObj* text, const char* name = "text properties");

    BOOL Do(CDrawDoc* doc) override;
    const char* GetName() const override { return m_name; }
    // Whether shape, font or text differ from the kept ones.
    BOOL HasChanged() override;

private:
    ITextContent* m_content;
    std::optional<LOGFONT> m_font;
    CString m_text;
    const char* m_name;
};
