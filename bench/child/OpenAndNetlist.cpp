// The child program of the fresh-process benchmarks: opens a schematic file the way the
// editor does, writes its Protel netlist to a file and prints its peak resident size in KiB.
// The peak is the kernel's VmHWM, which counts this program alone: the peak getrusage gives a
// child also counts the memory of the process that started it.
//
// Usage: bench_open_and_netlist SHEET.sch NETLIST.net; exit status 0 when both succeeded.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "model/doc/DrawDoc.h"
#include "netlist/writers/ProtelFormat.h"

namespace {

std::string PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:"))
            return std::to_string(std::stol(line.substr(6)));
    }
    return "0";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SHEET.sch NETLIST.net\n", argv[0]);
        return 2;
    }
    CDrawDoc doc;
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    doc.SetPathName(argv[1], FALSE);
    CProtelFormat protel;
    if (!doc.BuildNetlist(argv[2], &protel))
        return 1;
    std::cout << PeakResidentKiB() << "\n";
    return 0;
}
