#pragma once
// The "Wire Properties" and "Bus Properties" sheets, without their windows: what the pages
// show, and how OK applies them to the wires or buses of the selection in one undoable step.
// The windows come through the installed IWireSheetRunner; tests script one.

#include <functional>
#include <vector>

#include "platform/CString.h"
#include "platform/Installed.h"
#include "platform/Types.h"

class CBus;
class CDrawDoc;
class CDrawObj;
class CObList;
class CWire;
class IDocView;

// Flags of the rows of the attributes page.
constexpr DWORD kAttrRowMixed = 0x2;     // the objects' values differ; the row's value is empty
constexpr DWORD kAttrRowKeep = 0x4;      // left alone
constexpr DWORD kAttrRowRemove = 0x100;  // deleted on the page
constexpr DWORD kAttrRowAdd = 0x200;     // added on the page: set where the object lacks it

// One attribute of the loaded objects, merged over them.
struct AttrRow {
    CString name;
    CString value;
    DWORD flags = 0;
    int count = 1;  // the objects that carry it
};

// What the style page writes into one object (its pen, brush and flags).
using StyleApplier = std::function<void(CDrawObj*)>;

// The bus "General" page: name, width and three options (0 off, 1 on, 2 mixed).
struct BusGeneral {
    CString name;     // common to the buses, else empty
    int width = -1;   // common to the buses, else -1
    int reverse = 0;  // reverse breakout flow direction (flag 0x10000)
    int startArrow = 0;
    int endArrow = 0;

    void Load(const std::vector<CBus*>& buses);
    // A name given sets "_ID"; a width and the options that are not mixed are written. The
    // bounds follow the outline only when a width or an arrow is given.
    void ApplyTo(CBus& bus) const;
};

struct WireSheet {
    CString title;              // "Wire Properties", with " (Multiple Selection)" for several
    std::vector<AttrRow> rows;  // every attribute of the wires' nets but "_ID"
    // The attribute page's refusals: asked for each named row, nonzero refuses it.
    std::function<int(const CString& name, const CString& value)> check;
};

struct BusSheet {
    CString title;  // "Bus Properties", with " (Multiple Selection)" for several
    BusGeneral general;
};

// The windows of the sheets. Each runs its sheet over the objects, lets the user edit the
// figures and answers OK (true) or Cancel; with OK, style holds what the style page writes.
class IWireSheetRunner {
public:
    virtual ~IWireSheetRunner() = default;
    virtual bool RunWireSheet(WireSheet& sheet, const std::vector<CWire*>& wires,
                              StyleApplier& style) = 0;
    virtual bool RunBusSheet(BusSheet& sheet, const std::vector<CBus*>& buses,
                             StyleApplier& style) = 0;
};

// Without an installed runner every sheet is cancelled.
template <>
IWireSheetRunner& Installed<IWireSheetRunner>::Fallback();

// Installs the runner for the whole process (null uninstalls) and returns the one replaced.
// The caller keeps ownership and uninstalls it before destroying it.
inline IWireSheetRunner* SetWireSheetRunner(IWireSheetRunner* runner) {
    return Installed<IWireSheetRunner>::Install(runner);
}
// The installed runner, else one that cancels.
inline IWireSheetRunner& GetWireSheetRunner() {
    return Installed<IWireSheetRunner>::Get();
}

// The sheets run from a view: the wires (buses) of its selection are edited; the selection is
// emptied while the sheet is open and comes back on Cancel.
void EditWireProperties(IDocView& view, CDrawDoc& doc);
void EditBusProperties(IDocView& view, CDrawDoc& doc);

// The attributes page's refusal: the net's name ("_ID") is given where the net is named on the
// sheet, which keeps it when nets join; the message says so.
int RefuseNetNameOnAttributePage(const CString& name, const CString& value);

// The rows of the attributes page for the wires' nets.
std::vector<AttrRow> LoadNetAttrRows(const std::vector<CWire*>& wires);
WireSheet MakeWireSheet(const std::vector<CWire*>& wires);
BusSheet MakeBusSheet(const std::vector<CBus*>& buses);

// OK of the wire sheet: "wire properties" puts copies of the wires in their places with the
// style applied, and each net whose attributes the rows change gets a "net properties" edit
// joined to it. Sheets that change no wire nor net add no step. FALSE, changing nothing, when
// the wires cannot be copied.
BOOL ApplyWireSheet(CDrawDoc& doc, const std::vector<CWire*>& wires, const WireSheet& sheet,
                    const StyleApplier& style);
// OK of the bus sheet: "bus properties" puts copies of the buses in their places with both
// pages applied; sheets that change no bus add no step.
BOOL ApplyBusSheet(CDrawDoc& doc, const std::vector<CBus*>& buses, const BusSheet& sheet,
                   const StyleApplier& style);
