// libFuzzer target: any bytes as a .sch file. Loading must end in a document or an exception,
// never a crash, a hang or a leak; a loaded document must store again.
//
// With VOSK_FUZZ_SEED_DIR set, the sample sheet is written there first as a seed.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/support/SampleSheet.h"
#include "platform/CompoundFile.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (const char* dir = std::getenv("VOSK_FUZZ_SEED_DIR")) {
        std::filesystem::create_directories(dir);
        const std::vector<BYTE> bytes = samplesheet::FileBytes();
        std::ofstream(std::filesystem::path(dir) / "sample.sch", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CompoundFile file = CompoundFile::Parse(std::vector<std::uint8_t>(data, data + size));
        CDrawDoc doc;
        doc.ReadDocument(file);
        CompoundFile again;
        doc.WriteDocument(again);
        (void)again.Serialize();
    } catch (const std::exception&) {
        // refused: what a damaged file must give
    }
    return 0;
}
