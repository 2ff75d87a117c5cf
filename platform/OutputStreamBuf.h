#pragma once
// The output stream buffer: reports and logs are written with ordinary stream insertion and
// appear in an output window. Characters collect in a 512-byte put area; each flush turns
// line feeds into CR LF, lets a form feed clear the window, and appends the result to the
// window through an ITextSink.

#include <array>
#include <streambuf>
#include <string>
#include <string_view>

// The text control the stream writes into.
class ITextSink {
public:
    virtual ~ITextSink() = default;
    // Appends text at the end of the control and scrolls to it.
    virtual void AppendText(std::string_view text) = 0;
    // Empties the control.
    virtual void ClearText() = 0;
};

class COutputStreamBuf : public std::streambuf {
public:
    static constexpr std::size_t kPutAreaSize = 512;

    // sink must outlive the buffer.
    explicit COutputStreamBuf(ITextSink& sink);
    COutputStreamBuf(const COutputStreamBuf&) = delete;
    COutputStreamBuf& operator=(const COutputStreamBuf&) = delete;

    // Converts the first count pending characters (at most all of them) and hands them to the
    // sink; the put area is empty afterwards, whatever the characters were.
    void Flush(std::size_t count);

protected:
    int sync() override;
    int_type overflow(int_type ch) override;

private:
    void ResetPutArea();

    ITextSink& m_sink;
    std::array<char, kPutAreaSize> m_putArea{};
    std::string m_converted;
};
