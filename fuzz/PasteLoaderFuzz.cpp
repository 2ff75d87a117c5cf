// libFuzzer target: any bytes as drawing objects pasted from the clipboard. The first byte
// chooses the format (odd: the one with embedded objects), the rest is the data. Pasting must
// end in objects that the document takes (after dropping those it does not allow) and copies
// again, or in an exception, never in a crash, a hang or a leak.
//
// With VOSK_FUZZ_SEED_DIR set, the sample sheet's objects are written there first as a seed.

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/doc/ObjectListData.h"
#include "model/support/SampleSheet.h"

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (const char* dir = std::getenv("VOSK_FUZZ_SEED_DIR")) {
        std::filesystem::create_directories(dir);
        CDrawDoc doc;
        samplesheet::Fill(doc);
        const ClipboardObjects data = CopyObjectsToClipboard(doc, doc.GetObjects());
        std::ofstream seed(std::filesystem::path(dir) / "sample.clip", std::ios::binary);
        seed.put(1);
        seed.write(reinterpret_cast<const char*>(data.data.data()),
                   static_cast<std::streamsize>(data.data.size()));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const char* format = (data[0] & 1) ? kSchematicOleFormat : kSchematicFormat;
    CDrawDoc doc;
    CObList pasted;
    try {
        PasteObjectsFromClipboard(doc, format, std::vector<BYTE>(data + 1, data + size), pasted);
    } catch (const std::exception&) {
        return 0;  // refused: what damaged data must give
    }
    DropRefusedObjects(doc, pasted);
    doc.AddObjects(&pasted);
    (void)CopyObjectsToClipboard(doc, doc.GetObjects());
    return 0;
}
