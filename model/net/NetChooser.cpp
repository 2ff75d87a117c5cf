#include "model/net/NetChooser.h"

namespace {

class FirstNetChooser : public INetChooser {
public:
    CNet* ChooseNet(const std::vector<CNet*>& nets) override {
        return nets.empty() ? nullptr : nets.front();
    }
};

INetChooser* g_chooser = nullptr;

}  // namespace

INetChooser* SetNetChooser(INetChooser* chooser) {
    INetChooser* previous = g_chooser;
    g_chooser = chooser;
    return previous;
}

INetChooser& GetNetChooser() {
    static FirstNetChooser fallback;
    return g_chooser ? *g_chooser : fallback;
}
