#pragma once
// The windows of the Spice writer: its options sheet and the choice of the reference net.
// The application installs them; without them the options sheet is cancelled at once and no
// reference net can be chosen, which stops a deck that needs one.

#include "platform/CString.h"
#include "platform/Installed.h"
#include "platform/Types.h"

class CDocNetlist;

class ISpiceUi {
public:
    virtual ~ISpiceUi() = default;
    // The "Spice Netlist Options" sheet over the document of walker (may be null); TRUE after
    // OK, when the pages have stored their settings.
    virtual BOOL EditOptions(CDocNetlist* /*walker*/) { return FALSE; }
    // "Spice Reference Net Required": TRUE with net set after OK, FALSE after Cancel.
    virtual BOOL ChooseReferenceNet(CDocNetlist& /*walker*/, CString& /*net*/) { return FALSE; }
};
