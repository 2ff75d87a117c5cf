#include "platform/OutputStreamBuf.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Records what the stream buffer does to its text control; "<clear>" marks a clearing.
class RecordingSink : public ITextSink {
public:
    void AppendText(std::string_view text) override {
        calls.emplace_back(text);
        shown += text;
    }
    void ClearText() override {
        calls.emplace_back("<clear>");
        shown.clear();
    }
    std::vector<std::string> calls;
    std::string shown;
};

}  // namespace

TEST(OutputStreamBuf, ConvertsLineEndsClearsOnFormFeedAndFlushesInPieces) {
    RecordingSink sink;
    COutputStreamBuf buf(sink);
    std::ostream out(&buf);
    out << "a\nb";
    EXPECT_TRUE(sink.calls.empty()) << "nothing reaches the control before a flush";
    out << std::flush;
    out << "old\fy" << std::flush;
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"a\r\nb", "<clear>", "y"}));

    sink.calls.clear();
    out << std::string(600, 'z');
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].size(), 512u);
    out << std::flush;
    ASSERT_EQ(sink.calls.size(), 2u);
    EXPECT_EQ(sink.calls[1].size(), 88u);
}

TEST(OutputStreamBuf, TrailingFormFeedDoesNotStopLaterOutput) {
    RecordingSink sink;
    COutputStreamBuf buf(sink);
    std::ostream out(&buf);
    out << "report\f" << std::flush;  // clearing the window is the last thing written
    out << "x" << std::flush;
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"<clear>", "x"}))
        << "the flushed form feed must not be processed a second time";

    // The put area fills up with a form feed as its last character.
    out << std::string(511, 'a') << '\f' << "after\n" << std::flush;
    out << "more\n" << std::flush;
    EXPECT_TRUE(out.good());
    EXPECT_EQ(sink.shown, "after\r\nmore\r\n");
}
