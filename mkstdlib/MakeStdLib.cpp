// Builds the standard library files and palettes from their text descriptions:
//   vosk_mkstdlib <output folder> <description>...

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "library/PartSource.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: vosk_mkstdlib <output folder> <description>...\n";
        return 2;
    }
    try {
        PartSources sources;
        for (int i = 2; i < argc; ++i) {
            std::ifstream in(argv[i]);
            if (!in)
                throw std::runtime_error(std::string("cannot read ") + argv[i]);
            ReadPartSource(in, argv[i], sources);
        }
        std::filesystem::create_directories(argv[1]);
        WritePartSources(sources, argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "vosk_mkstdlib: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
