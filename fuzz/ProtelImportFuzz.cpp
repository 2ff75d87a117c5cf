// libFuzzer targets: any bytes as a Protel binary schematic, DOS schematic (PROTEL_FUZZ_DOS) or
// binary library (PROTEL_FUZZ_LIBRARY, into a library image in memory). The import must succeed
// or fail with a message, never crash, hang or leak.
//
// With VOSK_FUZZ_SEED_DIR set, a small schematic of the format is written there first as a
// seed; the binary schematic's seeds also hold a file that once freed a part's device while the
// importer still named it.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "library/LibraryFile.h"
#include "model/doc/DrawDoc.h"

namespace {

ProtelFileBuilder Seed() {
    ProtelFileBuilder file;
#if defined(PROTEL_FUZZ_LIBRARY)
    file.LibraryStart({{"7400"}, {"RES", "R"}});
    file.ComponentHead({"7400"}, "QUAD NAND", "DIP14", "U?", 2);
    for (int part = 0; part < 2; ++part)
        file.PartStart()
            .Pin(0, 0, 2, "A", "1")
            .Pin(40, 0, 0, "Y", "3")
            .Rectangle(0, 10, 40, -10)
            .End()
            .End()
            .End();
    file.LibraryTail("7400");
    file.ComponentHead({"RES", "R"}, "RESISTOR", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1").Pin(100, 0, 0, "2", "2").Arc(50, 0, 10, 0, 90).End().End().End();
    file.LibraryTail("RES");
#elif defined(PROTEL_FUZZ_DOS)
    file.DosRecord(0x00, {}, {{1, 2}});
    file.DosRecord(0x10, {{1, 10}, {3, 20}, {5, 50}, {7, 20}}, {{9, 1}});
    file.DosRecord({0x30, 10, 0, 10, 0, 0, 0, 0, 3, 'A', 'B', 'C'}).DosRecord({'1'});
    file.DosRecord(0x60, {{1, 30}, {3, 40}});
    file.DosRecord({0x70, 2, 'R', '1', 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 100, 0});
    file.DosRecord({'A', 3, 'R', 'E', 'S'});
    file.DosRecord('B', {{3, 100}, {5, 130}, {7, 100}, {9, 70}}, {{11, 1}, {12, 1}});
    file.DosRecord({'C', 1, 0, 0, 0, 1, 'X'});
    file.DosRecord({1, 0, 1, 2});
    file.DosRecord({1, 0x60, 1, '1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    for (int i = 0; i < 3; ++i)
        file.DosRecord({0x7F, 0xFF, 0x80});
#else
    file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1")
        .Pin(100, 0, 0, "2", "2")
        .Rectangle(0, -20, 100, 20)
        .End()
        .End()
        .End();
    file.SheetHeader(0).Instance(0, 0, 0, 0, 0, 1, 0, "R1").Text(0x22, 0, 30, "R1");
    file.Wire({{120, 0}, {200, 0}}).Wire({{200, 0}, {200, 100}}).NetLabel(150, 0, "MID");
    file.Power(-20, 0, 1, "VCC").Port(300, 0, 40, "OUT").Arc(600, 600, 10, 0, 180);
    // A template inside a template, so that mutations reach records nested deeper still.
    file.Template("A4").Template("").Text(0x04, 100, 100, ".title").End().End().End();
#endif
    return file;
}

#if !defined(PROTEL_FUZZ_LIBRARY) && !defined(PROTEL_FUZZ_DOS)
// A part placed in a template inside a template, then a record of no known type: the outer
// template's records fail and are freed with the part.
ProtelFileBuilder FailedNestedPart() {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1").Rectangle(0, -20, 100, 20).End().End().End();
    file.SheetHeader(0).Template("A4").Template("").Instance(0, 0, 0, 0, 0, 1, 0, "R1").End();
    file.Byte(0x13).End().End();
    return file;
}
#endif

void WriteSeed(const std::filesystem::path& path, const ProtelFileBuilder& file) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.Bytes().data()),
               static_cast<std::streamsize>(file.Bytes().size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (const char* dir = std::getenv("VOSK_FUZZ_SEED_DIR")) {
        std::filesystem::create_directories(dir);
        WriteSeed(std::filesystem::path(dir) / "seed.sch", Seed());
#if !defined(PROTEL_FUZZ_LIBRARY) && !defined(PROTEL_FUZZ_DOS)
        WriteSeed(std::filesystem::path(dir) / "failed-nested-part.sch", FailedNestedPart());
#endif
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteSource source(std::vector<unsigned char>(data, data + size));
    std::ostringstream log;
    CDrawDoc doc;
#if defined(PROTEL_FUZZ_LIBRARY)
    CLibraryFile library;
    library.CreateImage("fuzz");
    ImportProtelLibrary(log, source, library);
#elif defined(PROTEL_FUZZ_DOS)
    ImportProtelDosSchematic(log, source, doc);
#else
    ImportProtelBinarySchematic(log, source, doc);
#endif
    return 0;
}
