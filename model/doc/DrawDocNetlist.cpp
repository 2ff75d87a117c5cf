// The document's netlist and report build, and the fallback of its seam.

#include <stdexcept>

#include "model/doc/DocNetlistBuild.h"
#include "model/doc/DrawDoc.h"

namespace {

class MissingNetlistBuild : public IDocNetlistBuild {
public:
    Walker MakeWalker(CDrawDoc&) override { throw std::logic_error(kMissing); }
    BOOL BuildNetlist(CDrawDoc&, const char*, CNetlistFormat*) override {
        throw std::logic_error(kMissing);
    }

private:
    static constexpr const char* kMissing = "the netlist build is not installed";
};

}  // namespace

template <>
IDocNetlistBuild& Installed<IDocNetlistBuild>::Fallback() {
    static MissingNetlistBuild missing;
    return missing;
}

BOOL CDrawDoc::BuildNetlist(const char* path, CNetlistFormat* writer) {
    return Installed<IDocNetlistBuild>::Get().BuildNetlist(*this, path, writer);
}
