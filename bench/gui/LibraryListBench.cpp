// The library browser's list over a folder of 200 libraries of 50 items each: filling it with
// the folder's libraries, and with the records of one library.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/library/ShellListCtrl.h"
#include "library/LibraryFile.h"
#include "library/ShellItem.h"
#include "model/shapes/DrawRect.h"

namespace {

constexpr int kLibraries = 200;
constexpr int kItemsPerLibrary = 50;

// Another benchmark of the program may have made the application already.
void ListApp() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Made once for all benchmarks, removed at exit.
class BenchFolder {
public:
    BenchFolder() {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vosk-list-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        CLibraryFile library;
        library.CreateImage(kDefaultLibraryDescription);
        for (int i = 0; i < kItemsPerLibrary; ++i) {
            CDrawRect rect(CRect(0, 0, 300, -200));
            library.AddObjects(nullptr, &rect, ("R" + std::to_string(i)).c_str(), "a resistor");
        }
        const std::vector<BYTE> bytes = library.DetachImage();
        for (int i = 0; i < kLibraries; ++i) {
            std::ofstream(m_folder / ("lib" + std::to_string(i) + ".rlb"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<long>(bytes.size()));
        }
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string Folder() const { return m_folder.string(); }
    std::string Library() const { return (m_folder / "lib0.rlb").string(); }

private:
    std::filesystem::path m_folder;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

void BM_FillFolderOfLibraries(benchmark::State& state) {
    ListApp();
    CShellListCtrl list;
    for (auto _ : state) {
        list.Refill(Folder().Folder(), kShellFolder);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_FillFolderOfLibraries)->Unit(benchmark::kMillisecond);

void BM_FillLibraryItems(benchmark::State& state) {
    ListApp();
    CShellListCtrl list;
    for (auto _ : state) {
        list.Refill(Folder().Library(), kShellLibrary);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_FillLibraryItems)->Unit(benchmark::kMillisecond);

}  // namespace
