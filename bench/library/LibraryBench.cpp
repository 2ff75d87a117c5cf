// A library of 5,000 items, each a rectangle and a text: listing every record, finding names
// spread over the library, and loading 100 items as drawing objects.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "library/LibraryFile.h"
#include "library/LibraryItemData.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "platform/ObList.h"

namespace {

constexpr int kItems = 5000;
constexpr int kLoaded = 100;
constexpr int kSearched = 100;

std::string ItemName(int i) {
    return "ITEM" + std::to_string(i);
}

// Made once for all benchmarks, removed at exit.
class BenchLibrary {
public:
    BenchLibrary() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vosk-library-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        m_path = (m_folder / "bench.rlb").string();
        // Built in memory, where appending is quick, then written out.
        CLibraryFile library;
        library.CreateImage(kDefaultLibraryDescription);
        for (int i = 0; i < kItems; ++i) {
            CDrawRect rect(CRect(0, 0, 300, -200));
            CTextBox text(CRect(10, -10, 290, -60));
            CObList objects;
            objects.AddTail(&rect);
            objects.AddTail(&text);
            library.AddObjects(&objects, nullptr, ItemName(i).c_str(), "a benchmark item");
        }
        const std::vector<BYTE> bytes = library.DetachImage();
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    ~BenchLibrary() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    BenchLibrary(const BenchLibrary&) = delete;
    BenchLibrary& operator=(const BenchLibrary&) = delete;
    const char* Path() const { return m_path.c_str(); }

private:
    std::filesystem::path m_folder;
    std::string m_path;
};

const BenchLibrary& Library() {
    static const BenchLibrary library;
    return library;
}

void ListItems(benchmark::State& state) {
    Library();
    for (auto _ : state) {
        CLibraryFile library;
        library.Open(Library().Path());
        CLibraryItem item;
        int count = 0;
        while (library.ReadItemHeader(item, TRUE))
            ++count;
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(ListItems)->Unit(benchmark::kMillisecond);

void FindItems(benchmark::State& state) {
    CLibraryFile library;
    library.Open(Library().Path());
    for (auto _ : state) {
        for (int i = 0; i < kSearched; ++i) {
            CLibraryItem item;
            benchmark::DoNotOptimize(
                library.FindItem(item, ItemName(i * (kItems / kSearched)).c_str()));
        }
    }
}
BENCHMARK(FindItems)->Unit(benchmark::kMillisecond);

void LoadItems(benchmark::State& state) {
    CLibraryFile library;
    library.Open(Library().Path());
    CDrawDoc document;
    for (auto _ : state) {
        for (int i = 0; i < kLoaded; ++i) {
            CLibraryItemData item;
            library.ReadItem(&document, i * (kItems / kLoaded), item);
        }
    }
}
BENCHMARK(LoadItems)->Unit(benchmark::kMillisecond);

}  // namespace
