#include "platform/AppServices.h"

#include <atomic>

namespace {

class NoAppServices : public IAppServices {
public:
    void NotifyDocumentChanged(void*, int) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

std::atomic<IAppServices*> g_services{nullptr};

}  // namespace

IAppServices* SetAppServices(IAppServices* services) {
    return g_services.exchange(services);
}

IAppServices& GetAppServices() {
    static NoAppServices fallback;
    IAppServices* installed = g_services.load();
    return installed ? *installed : fallback;
}
