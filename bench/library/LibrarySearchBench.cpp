// Search Libraries over a folder of 50 libraries of 200 items each: every library read, the
// items matched against two words.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "library/LibrarySearch.h"
#include "platform/DiskFile.h"
#include "platform/MemFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLibraries = 50;
constexpr int kItemsPerLibrary = 200;

// Made once for all benchmarks, removed at exit.
const fs::path& Folder() {
    static const struct Made {
        fs::path folder =
            fs::temp_directory_path() / ("vosk-search-bench-" + std::to_string(::getpid()));
        Made() {
            fs::create_directories(folder);
            for (int l = 0; l < kLibraries; ++l) {
                const std::string path = (folder / ("lib" + std::to_string(l) + ".rlb")).string();
                CLibraryFile library;
                library.Create(path.c_str());
                library.Open(path.c_str(), CDiskFile::modeReadWrite);
                for (int i = 0; i < kItemsPerLibrary; ++i) {
                    const std::string name = (i % 2 ? "RES" : "CAP") + std::to_string(l * 1000 + i);
                    CLibraryItem item(name.c_str(), "a part of the benchmark", i % 3);
                    CMemFile data(std::vector<BYTE>(64, 0));
                    library.AddItem(item, data);
                }
            }
        }
        ~Made() { fs::remove_all(folder); }
    } made;
    return made.folder;
}

void BM_SearchLibraries(benchmark::State& state) {
    const fs::path folder = Folder() / "";
    const CLibrarySearchFilter filter(SplitSearchWords("res1, cap2", false), false, true, true,
                                      true, false);
    for (auto _ : state) {
        CLibrarySearchWalk walk(filter, true);
        std::error_code error;
        walk.Start(folder, error);
        while (walk.DoStep() != CLibrarySearchWalk::kDone) {
        }
        state.counters["found"] = static_cast<double>(walk.Results().size());
    }
}
BENCHMARK(BM_SearchLibraries)->Unit(benchmark::kMillisecond);

}  // namespace
