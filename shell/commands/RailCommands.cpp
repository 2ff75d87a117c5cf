#include "shell/commands/RailCommands.h"

#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/net/WireRails.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandMap.h"

namespace {

// The commands in the rails' order.
constexpr UINT kRailCommands[kRailCount] = {ID_CONNECT_GROUND1,    ID_CONNECT_GROUND2,
                                            ID_CONNECT_POWER1,     ID_CONNECT_POWER1 + 1,
                                            ID_CONNECT_POWER1 + 2, ID_CONNECT_POWER4};

constexpr const char* kNetConnectorSymbol = "Net Connector";

}  // namespace

void AddRailCommands(CommandMap& commands, CDrawDoc& document, const CObList& selection,
                     const std::function<void()>& finishOpenObject,
                     const std::function<std::optional<CString>()>& askNet) {
    for (int rail = 0; rail < kRailCount; ++rail) {
        commands.On(
            kRailCommands[rail],
            [&document, &selection, finishOpenObject, rail] {
                finishOpenObject();
                ConnectWireToRail(document, selection, rail);
            },
            [&document, &selection, rail](CmdUI& ui) {
                ui.Enable(WireToConnect(selection) != nullptr);
                ui.SetText(RailNetName(document, rail).str());
            });
    }
    commands.On(
        ID_CONNECT_OTHER_NET,
        [&selection, finishOpenObject, askNet] {
            finishOpenObject();
            if (!WireToConnect(selection))
                return;
            if (const std::optional<CString> net = askNet()) {
                if (CWire* wire = WireToConnect(selection))
                    wire->ConnectToPowerSymbol(kNetConnectorSymbol, *net);
            }
        },
        [&selection](CmdUI& ui) { ui.Enable(WireToConnect(selection) != nullptr); });
}
