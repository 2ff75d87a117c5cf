// libFuzzer target: any bytes as a palette (.sbc) file. Loading must end in a palette or an
// exception, never a crash, a hang or a leak; a loaded palette must store again, and what it
// stores must load.
//
// With VOSK_FUZZ_SEED_DIR set, the standard palettes are made there first as seeds, from the
// descriptions the build makes them from.

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

#include "library/PaletteFile.h"
#include "library/PartSource.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace {

// The standard palettes into folder: the whole standard library is made in a folder of its
// own, and its palettes copied.
void WriteStandardPalettes(const std::filesystem::path& folder) {
    PartSources sources;
    for (const auto& entry :
         std::filesystem::directory_iterator(VOSK_SOURCE_DIR "/resources/stdlib")) {
        std::ifstream in(entry.path());
        ReadPartSource(in, entry.path().string(), sources);
    }
    const std::filesystem::path made = folder / "stdlib";
    std::filesystem::create_directories(made);
    WritePartSources(sources, made.string());
    for (const auto& entry : std::filesystem::directory_iterator(made)) {
        if (entry.path().extension() == ".sbc")
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
    }
    std::filesystem::remove_all(made);
}

std::vector<BYTE> Loaded(CPaletteFile& palette, std::vector<BYTE> bytes) {
    CMemFile file(std::move(bytes));
    CArchive ar(&file, CArchive::load);
    palette.Serialize(ar);
    return palette.Store();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (const char* dir = std::getenv("VOSK_FUZZ_SEED_DIR")) {
        std::filesystem::create_directories(dir);
        WriteStandardPalettes(dir);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CPaletteFile palette;
    std::vector<BYTE> stored;
    try {
        stored = Loaded(palette, std::vector<BYTE>(data, data + size));
    } catch (const std::exception&) {
        return 0;  // refused: what a damaged file must give
    }
    CPaletteFile again;
    if (Loaded(again, stored) != stored)
        std::abort();
    return 0;
}
