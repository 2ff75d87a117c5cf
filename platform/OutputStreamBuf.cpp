#include "platform/OutputStreamBuf.h"

#include <algorithm>

COutputStreamBuf::COutputStreamBuf(ITextSink& sink) : m_sink(sink) {
    m_converted.reserve(2 * kPutAreaSize);
    ResetPutArea();
}

void COutputStreamBuf::ResetPutArea() {
    setp(m_putArea.data(), m_putArea.data() + m_putArea.size());
}

void COutputStreamBuf::Flush(std::size_t count) {
    count = std::min(count, static_cast<std::size_t>(pptr() - pbase()));
    m_converted.clear();
    for (const char* p = pbase(); p != pbase() + count; ++p) {
        if (*p == '\n') {
            m_converted += "\r\n";
        } else if (*p == '\f') {
            m_sink.ClearText();
            m_converted.clear();
        } else {
            m_converted += *p;
        }
    }
    if (!m_converted.empty())
        m_sink.AppendText(m_converted);
    // A chunk that ends in a form feed converts to nothing; the put area must still be
    // emptied, or every later write would find it full and fail.
    ResetPutArea();
}

int COutputStreamBuf::sync() {
    if (pptr() > pbase())
        Flush(static_cast<std::size_t>(pptr() - pbase()));
    return 0;
}

COutputStreamBuf::int_type COutputStreamBuf::overflow(int_type ch) {
    if (pptr() > pbase())
        Flush(static_cast<std::size_t>(pptr() - pbase()));
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return 0;
}
