#pragma once
// The output window's text control: a plain-text edit with an output stream buffer, so that
// reports and logs can be written to it with stream insertion. While it has the focus it takes
// every key itself, before the window's shortcuts.

#include "gui/kit/PlainTextEdit.h"

#include "platform/OutputStreamBuf.h"
#include "shell/output/OutputTextSink.h"

class COutputEdit : public CPlainTextEdit {
    Q_OBJECT
public:
    explicit COutputEdit(QWidget* parent = nullptr);

    COutputStreamBuf* GetStreamBuf() { return &m_streamBuf; }

protected:
    bool event(QEvent* event) override;

private:
    COutputTextSink m_sink;
    COutputStreamBuf m_streamBuf;
};
