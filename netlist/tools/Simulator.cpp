#include "netlist/tools/Simulator.h"

#include "model/app/SchematicApp.h"
#include "netlist/tools/CustomTool.h"
#include "platform/UserPrompt.h"

namespace {

// Sets the running flag for its lifetime.
class RunningScope {
public:
    explicit RunningScope(CSchematicApp& app) : m_app(app) { m_app.SimulatorRunning = TRUE; }
    ~RunningScope() { m_app.SimulatorRunning = FALSE; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    CSchematicApp& m_app;
};

}  // namespace

BOOL RunSimulator(CDrawDoc& document) {
    CSchematicApp* app = GetApp();
    if (!app || app->SimulatorRunning)
        return FALSE;
    const RunningScope running(*app);
    return RunTool(app->SimulatorMode, document, kSimulatorSection);
}

void StopSimulator() {
    AfxMessageBox("Not implemented");
}
