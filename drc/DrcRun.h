#pragma once
// CDrcRun: the design rule check behind the DRC page. It keeps a queue of documents to check
// and walks the first one object by object in idle steps, collecting what the rule set's
// checks find; at the end it writes the report, marks the objects of every finding, and on
// request shows the objects of one finding in their document.
//
// Between steps it keeps no object's address that it would use: documents are looked up among
// the open schematics, the walk's place is a number, the pins of the nets are kept by place,
// and findings name their objects by keys that are looked up among the document's objects
// before they are used. A change to the document being checked restarts the check; a
// document that closes takes its requests and findings with it.

#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "drc/DrcFinding.h"
#include "drc/DrcNetPins.h"
#include "platform/CString.h"

class CDrawDoc;
class CDrawObj;
class CDrcRules;
class CHiddenPinTies;

// A document to check (code -1), or a change notice: code -1 with the document whose
// contents changed, 4 when documents were opened, saved or closed.
struct DrcCheckRequest {
    int code = -1;
    const void* document = nullptr;
};

// A finding as the report lists it.
struct DrcListedFinding {
    int kind = 0;
    int level = 0;
    // Keys of the objects (see DrcFinding); the second is the place of the pin's name for kind 7.
    const void* first = nullptr;
    const void* second = nullptr;
    int position = 0;
    CString text;
    int line = -1;  // of the report
};

class CDrcRun {
public:
    // Findings beyond which the check stops.
    static constexpr int kMaxFindings = 100;

    CDrcRun();
    ~CDrcRun();
    CDrcRun(const CDrcRun&) = delete;
    CDrcRun& operator=(const CDrcRun&) = delete;

    // Whether changes to a document queue a check of it.
    void SetRunWhileWorking(bool on) { m_runWhileWorking = on; }
    bool RunWhileWorking() const { return m_runWhileWorking; }
    // Objects checked per step (at least one).
    void SetStepSize(int objects) { m_stepSize = objects < 1 ? 1 : objects; }
    // Told of every new report text (lines end with CR LF).
    void SetReportObserver(std::function<void(const CString&)> observer) {
        m_observer = std::move(observer);
    }

    // Null: check the active schematic. A change notice: a change to the document being
    // checked restarts its check; other changes queue a check while run-while-working is on;
    // code 4 drops what belongs to documents that are no longer open.
    void QueueCheck(const DrcCheckRequest* request);
    // One step of the check; true while there is more to do.
    bool OnIdle();
    bool IsRunning() const { return m_running; }

    const CString& ReportText() const { return m_report; }
    const std::vector<DrcListedFinding>& Findings() const { return m_findings; }
    // The first finding shown on the line of the report, or null.
    const DrcListedFinding* FindingAtLine(int line) const;
    // Marks the finding's objects alone and has a view of their document show them; false
    // when the document is closed or the objects are gone.
    bool ShowFinding(const DrcListedFinding& finding);

private:
    class Sink : public CDrcError {
    public:
        explicit Sink(CDrcRun& run) : m_run(run) {}
        void Report(const DrcFinding& finding) override { m_run.AddFinding(finding); }
        bool Full() const override {
            return static_cast<int>(m_run.m_findings.size()) >= kMaxFindings;
        }

    private:
        CDrcRun& m_run;
    };
    struct Places;

    void Enqueue(const void* document);
    void Purge();
    void CheckStep();
    void StartRun(CDrawDoc& document, const std::vector<CDrawObj*>& objects);
    void FindRailShorts(CDrawDoc& document, const std::vector<CDrawObj*>& objects);
    // The object at m_next.
    void CheckObject(CDrawObj& object, const DrcCheckContext& context);
    void EndRun(CDrawDoc& document, const std::vector<CDrawObj*>& objects);
    void AddFinding(const DrcFinding& finding);
    void WriteReport(CDrawDoc& document, const Places& places);
    void MarkFinding(CDrawDoc& document, const DrcListedFinding& finding, const Places& places,
                     bool set);
    void SetReport(const CString& text);
    // The open schematic at that address, or null.
    static CDrawDoc* OpenDocument(const void* document);

    std::deque<DrcCheckRequest> m_queue;
    bool m_runWhileWorking = false;
    bool m_running = false;
    bool m_purge = false;
    int m_stepSize = 256;
    int m_next = 0;
    CDrcNetPins m_nets;
    // The ties read when the check began; it names its nets by name.
    std::unique_ptr<CHiddenPinTies> m_ties;
    std::unordered_set<std::string> m_checkedNets;
    std::unordered_map<int, std::vector<CString>> m_railShorts;    // by the place of the block
    std::unordered_map<int, std::vector<CString>> m_renamedRails;  // likewise
    std::vector<DrcListedFinding> m_findings;
    std::set<std::tuple<int, int, const void*, const void*, int>> m_findingKeys;
    const void* m_findingsDocument = nullptr;
    CString m_report;
    std::function<void(const CString&)> m_observer;
    Sink m_sink{*this};
};
