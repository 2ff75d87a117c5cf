#include "platform/AppServices.h"

namespace {

class NoAppServices : public IAppServices {
public:
    void NotifyDocumentChanged(void*, int) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

}  // namespace

template <>
IAppServices& Installed<IAppServices>::Fallback() {
    static NoAppServices services;
    return services;
}
