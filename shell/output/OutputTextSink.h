#pragma once
// Appends the output stream's text to a plain-text edit. The stream's bytes are UTF-8; a
// character cut in two by the stream's chunks is joined again. CR LF shows as one line break.

#include <QStringDecoder>

#include "platform/OutputStreamBuf.h"

class QPlainTextEdit;

class COutputTextSink : public ITextSink {
public:
    explicit COutputTextSink(QPlainTextEdit& edit) : m_edit(edit) {}

    // Puts the caret at the end, inserts the text there (it cannot be undone, and earlier
    // typing can no longer be undone either) and scrolls to it.
    void AppendText(std::string_view text) override;
    void ClearText() override;

private:
    QPlainTextEdit& m_edit;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};
