#pragma once

// Turns the component definitions of a Protel library into devices and symbols of a library
// file: parts with the same drawings share one symbol, named symb0001, symb0002, ...

#include <ostream>
#include <string>
#include <vector>

#include "interchange/protel/ProtelComponent.h"

class CDevice;
class CLibraryFile;
class CObList;
class CSymbol;

class ProtelLibraryWriter {
public:
    ProtelLibraryWriter(std::ostream& log, CLibraryFile& library)
        : m_log(log), m_library(library) {}
    void Write(std::vector<std::unique_ptr<ProtelComponent>>& components);

    // The symbol of a drawing list (whose objects it takes), with the component's texts, moved
    // so that its lower left corner lies near (5000, -5000).
    static CSymbol* MakeSymbol(const std::string& name, CObList& drawing,
                               const ProtelComponent& component);

private:
    void FindEqualDrawings(std::vector<std::unique_ptr<ProtelComponent>>& components);
    void NameSymbols(std::vector<std::unique_ptr<ProtelComponent>>& components);
    void WriteComponent(ProtelComponent& component);
    void AddItem(CObject* object, const CString& name, const CString& description, int type);

    std::ostream& m_log;
    CLibraryFile& m_library;
};

// The root of a part's chain of equal parts.
ProtelPart& SharedPart(ProtelPart& part);
