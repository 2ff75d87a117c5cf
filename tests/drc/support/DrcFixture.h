#pragma once
// Sheets and seams for the design-rule tests: the application's side of the check with a
// rule set and open schematics of the test's choosing, and a sheet with one finding of every
// kind.

#include <memory>
#include <vector>

#include "drc/DrcRules.h"
#include "drc/DrcServices.h"
#include "netlist/support/NetlistSheet.h"
#include "support/ScriptedPrompt.h"

class CWire;

namespace drctest {

// The rule set (the built-in one) and the open schematics; the first open one is active.
class FakeDrcServices : public IDrcServices {
public:
    FakeDrcServices();
    ~FakeDrcServices() override;
    FakeDrcServices(const FakeDrcServices&) = delete;
    FakeDrcServices& operator=(const FakeDrcServices&) = delete;

    CDrcRules& Rules() override { return rules; }
    CDrawDoc* ActiveSchematic() override { return open.empty() ? nullptr : open.front(); }
    std::vector<CDrawDoc*> OpenSchematics() override { return open; }
    void ShowDrcSetup() override { ++setupShown; }

    CDrcRules rules;
    std::vector<CDrawDoc*> open;
    int setupShown = 0;

private:
    IDrcServices* m_previous;
};

// Records the documents asked to show their marked objects.
class ShowingAppServices : public testsupport::RecordingAppServices {
public:
    void ShowDocumentObjects(void* document, unsigned long flagMask) override {
        shown.push_back(document);
        mask = flagMask;
    }
    std::vector<void*> shown;
    unsigned long mask = 0;
};

// A wire carrying the net of that name that ends on no pin.
CWire* LooseWire(nltest::Sheet& sheet, const char* net);
// Sets the stored type of the symbol's pin.
void SetPinType(CSymbol* symbol, const char* pin, int type);

// "amp.sch": two Output pins on net OUT (U1:Y, U2:Y) with an Input (U4:A), an unconnected
// Input (U1:A), a wire-only net N1, a one-pin net N2 (U3:B), the two pins of R1 on net S, and
// device 7400 of U4 whose shared Input pin VCC lies on no net.
struct EveryKindSheet {
    EveryKindSheet();
    nltest::Sheet sheet{"/sheets/amp.sch"};
    CSymbol* u1;
    CSymbol* u2;
    CSymbol* u3;
    CSymbol* u4;
    CSymbol* r1;
    CWire* n1;
};

// The report of EveryKindSheet with the built-in rules.
extern const char* const kEveryKindReport;

}  // namespace drctest
