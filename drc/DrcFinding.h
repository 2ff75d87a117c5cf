#pragma once
// What the design rule check finds, and the sink the checks hand it to.

#include "platform/CString.h"

class CNet;
class CObject;
class CPin;

// Kinds of finding.
constexpr int kDrcPinConnection = 1;   // two pins whose types may not meet
constexpr int kDrcUnconnectedPin = 2;  // a pin with nothing connected
constexpr int kDrcEmptyNet = 3;        // a net without pins
constexpr int kDrcOnePinNet = 4;       // a net with one pin
constexpr int kDrcShortedSymbol = 5;   // a symbol whose pins all lie on one net
constexpr int kDrcSharedPin = 7;       // a device's shared pin on no net
constexpr int kDrcShortedRails = 8;    // a block's port that shorts two rails
constexpr int kDrcUnnamedTie = 9;      // a net tied to a hidden pin of no part
constexpr int kDrcRenamedRail = 10;    // a sheet below a block that names a rail otherwise

// One finding as a check reports it; the objects are those of the document being checked.
struct DrcFinding {
    int kind = 0;
    int level = 0;
    // Kinds 1, 2: a CPin; 3, 4, 9: a CNet; 5: a CSymbol; 7: a CDevice; 8, 10: the sub-circuit
    // CSymbol of the document through which the short or the sheet is reached.
    CObject* first = nullptr;
    // Kind 1: the other CPin.
    CObject* second = nullptr;
    // Kind 7: where the pin's name stands in the device's "_Implicit" text, and the name.
    // Kinds 8, 10: the finding's number among those of its kind of the symbol; kind 9: the
    // tie's number among those that name no part.
    int position = 0;
    CString pinName;
    // Kind 8: the port, its instance and the two rails; kind 9: the tie; kind 10: the sheet, the
    // rail and its two names; each as the netlist build tells them.
    CString detail;
};

// Receives the findings of the checks.
class CDrcError {
public:
    virtual ~CDrcError() = default;
    virtual void Report(const DrcFinding& finding) { (void)finding; }
    // Whether the sink takes no more findings: a check then stops looking for them.
    virtual bool Full() const { return false; }

    // The finding's line of the report: the level's prefix and the kind's text.
    static CString Format(const DrcFinding& finding);
    // The net's "_ID", or "(no identifier)".
    static CString GetNetText(const CNet& net);
    // "<symbol>:<pin> <type text>", or "<pin> <type text>" for a pin without a symbol.
    static CString GetPinText(CPin& pin);
};
