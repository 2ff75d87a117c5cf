#include "model/net/NetChooser.h"

namespace {

class FirstNetChooser : public INetChooser {
public:
    CNet* ChooseNet(const std::vector<CNet*>& nets) override {
        return nets.empty() ? nullptr : nets.front();
    }
};

}  // namespace

template <>
INetChooser& Installed<INetChooser>::Fallback() {
    static FirstNetChooser chooser;
    return chooser;
}
