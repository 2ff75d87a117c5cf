#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/support/SampleSheet.h"
#include "platform/CompoundFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

// Counts the messages shown, answering each.
class CountingPrompt : public IUserPrompt {
public:
    CountingPrompt() : m_previous(SetUserPrompt(this)) {}
    ~CountingPrompt() override { SetUserPrompt(m_previous); }
    CountingPrompt(const CountingPrompt&) = delete;
    CountingPrompt& operator=(const CountingPrompt&) = delete;
    int MessageBox(const CString& /*text*/, const CString& /*caption*/, UINT /*type*/) override {
        ++shown;
        return IDOK;
    }
    int shown = 0;

private:
    IUserPrompt* m_previous;
};

// Opens the bytes as a file; a refusal must come with a message.
bool Opens(const Bytes& bytes, const std::string& path, CountingPrompt& prompt) {
    testsupport::WriteFileBytes(path, bytes);
    const int before = prompt.shown;
    CDrawDoc doc;
    const bool opened = doc.OnOpenDocument(path.c_str());
    EXPECT_EQ(prompt.shown - before, opened ? 0 : 1);
    return opened;
}

Bytes WithContents(const CompoundFile& file, const Bytes& contents) {
    CompoundFile changed = file;
    changed.Root().WriteStream("Contents", contents);
    return changed.Serialize();
}

TEST(CorruptFile, TruncationsAreRefusedWithAMessage) {
    testsupport::RecordingAppServices services;
    CountingPrompt prompt;
    testsupport::TempDir dir;
    const std::string path = (dir / "cut.sch").string();
    const Bytes whole = samplesheet::FileBytes();
    ASSERT_TRUE(Opens(whole, path, prompt));
    const CompoundFile file = CompoundFile::Parse(whole);
    const Bytes contents = testsupport::BytesOf(file.Root().FindStream("Contents")->Data());
    for (int i = 0; i < 64; ++i) {
        // A cut into the unused end of the last sector loses nothing, and the file opens.
        const Bytes cutFile(whole.begin(), whole.begin() + whole.size() * i / 64);
        if (Opens(cutFile, path, prompt)) {
            EXPECT_EQ(testsupport::BytesOf(
                          CompoundFile::Parse(cutFile).Root().FindStream("Contents")->Data()),
                      contents)
                << "file cut at " << i << "/64";
        }
        const Bytes cut(contents.begin(), contents.begin() + contents.size() * i / 64);
        EXPECT_FALSE(Opens(WithContents(file, cut), path, prompt)) << "stream cut at " << i;
    }
}

TEST(CorruptFile, FlippedBytesNeverCrash) {
    testsupport::RecordingAppServices services;
    CountingPrompt prompt;
    testsupport::TempDir dir;
    const std::string path = (dir / "flipped.sch").string();
    const Bytes whole = samplesheet::FileBytes();
    const CompoundFile file = CompoundFile::Parse(whole);
    const Bytes contents = testsupport::BytesOf(file.Root().FindStream("Contents")->Data());
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        const bool inStream = round % 2 == 0;
        Bytes bytes = inStream ? contents : whole;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            bytes[random() % bytes.size()] ^= static_cast<BYTE>(1 + random() % 255);
        Opens(inStream ? WithContents(file, bytes) : bytes, path, prompt);
    }
}

}  // namespace
