#pragma once

// A component definition of a Protel binary file: its names and texts and its parts, each part
// drawn three ways (normal, De-Morgan, IEEE).

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "interchange/protel/ProtelImporter.h"

struct ProtelPart {
    OwnedObjects normal;
    OwnedObjects deMorgan;
    OwnedObjects ieee;
    // An earlier part with the same drawings (library import), or null.
    ProtelPart* sameAs = nullptr;
    std::string symbolName;

    OwnedObjects& Mode(int mode) { return mode == 0 ? normal : mode == 1 ? deMorgan : ieee; }
};

struct ProtelComponent {
    std::vector<std::unique_ptr<ProtelPart>> parts;
    std::vector<std::string> names;
    std::string description;
    std::array<std::string, 4> footprints;
    std::array<std::string, 8> textFields;
    std::string libraryReference;
    std::string designatorPrefix;
    std::string libraryText;
    std::string libraryName;
    std::array<std::string, 16> libraryFields;
};

// The suffix of a mode's symbol name: "", "_dm" or the IEEE suffix.
const char* ProtelModeSuffix(int mode);

// Pins of the list with equal "_ID" become name1, name2, ... in side and position order.
void RenameDuplicatePins(CObList& list);
