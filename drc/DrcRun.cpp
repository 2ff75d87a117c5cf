#include "drc/DrcRun.h"

#include <algorithm>
#include <unordered_map>

#include "drc/DrcRules.h"
#include "drc/DrcServices.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/RailTies.h"
#include "netlist/walker/SheetFiles.h"
#include "platform/AppServices.h"

namespace {

const char* GroupTitle(int kind) {
    switch (kind) {
        case kDrcPinConnection:
            return "Pin Connection Errors :";
        case kDrcUnconnectedPin:
            return "Unconnected Pins :";
        case kDrcEmptyNet:
        case kDrcOnePinNet:
            return "Empty Nets :";
        case kDrcShortedSymbol:
            return "Symbol Shorted :";
        case kDrcShortedRails:
            return "Rails Shorted :";
        case kDrcUnnamedTie:
            return "Hidden Pin Ties :";
        case kDrcRenamedRail:
            return "Rails Named Otherwise :";
        default:
            return "Unconnected Device Pin :";
    }
}

std::vector<CDrawObj*> ObjectsOf(CDrawDoc& document) {
    std::vector<CDrawObj*> objects;
    const CObList& list = document.GetObjects();
    objects.reserve(static_cast<size_t>(list.GetCount()));
    for (POSITION pos = list.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(list.GetNext(pos)));
    return objects;
}

void SetMark(CDrawObj& object, bool set) {
    object.SetFlags(set ? DWORD{kFlagDrcError} : DWORD{0}, kFlagDrcError);
    object.Invalidate(nullptr);
}

}  // namespace

// Where the objects of a document stand: every object, pin, net and device by address, with
// the place of the object (and pin) that first carries it. Only what is found here is used.
struct CDrcRun::Places {
    struct Place {
        CObject* object;
        int index;
        int pin;
    };

    explicit Places(const std::vector<CDrawObj*>& objects) {
        for (int i = 0; i < static_cast<int>(objects.size()); ++i) {
            CDrawObj* object = objects[static_cast<size_t>(i)];
            at.try_emplace(object, Place{object, i, -1});
            if (CNet* net = object->GetNet())
                at.try_emplace(net, Place{net, i, -1});
            if (CDevice* device = object->GetDevice())
                at.try_emplace(device, Place{device, i, -1});
            if (object->GetObjType() != kObjSymbol)
                continue;
            CObList& pins = static_cast<CSymbol*>(object)->GetPins();
            int p = 0;
            for (POSITION pos = pins.GetHeadPosition(); pos; ++p) {
                CObject* pin = pins.GetNext(pos);
                at.try_emplace(pin, Place{pin, i, p});
            }
        }
    }
    const Place* Find(const void* key) const {
        const auto it = at.find(key);
        return it == at.end() ? nullptr : &it->second;
    }
    template <class T>
    T* Get(const void* key) const {
        const Place* place = Find(key);
        return place ? static_cast<T*>(place->object) : nullptr;
    }
    bool Has(const DrcListedFinding& finding) const {
        return Find(finding.first) && (finding.kind != kDrcPinConnection || Find(finding.second));
    }
    // Findings stand by kind, then by the places of their objects.
    std::tuple<int, int, int, int, int> SortKey(const DrcListedFinding& finding) const {
        const Place* first = Find(finding.first);
        const Place* second = finding.kind == kDrcPinConnection ? Find(finding.second) : nullptr;
        return {finding.kind, first->index, first->pin, second ? second->index : finding.position,
                second ? second->pin : 0};
    }

    std::unordered_map<const void*, Place> at;
};

CDrcRun::CDrcRun() = default;

CDrcRun::~CDrcRun() = default;

// ---- the queue

void CDrcRun::QueueCheck(const DrcCheckRequest* request) {
    if (!request) {
        if (CDrawDoc* active = GetDrcServices().ActiveSchematic())
            Enqueue(active);
        return;
    }
    if (request->code == kDocumentSetChanged) {
        m_purge = true;
        return;
    }
    if (request->code != kDocumentContentChanged || !request->document)
        return;
    // The marks of the findings may no longer hold: they go, and come back with the next
    // check or when a finding is shown.
    if (request->document == m_findingsDocument) {
        if (CDrawDoc* document = OpenDocument(m_findingsDocument))
            document->ClearFlagsAndInvalidate(kFlagDrcError);
    }
    // A check that has seen part of the old contents starts again.
    if (m_running && m_queue.front().document == request->document)
        m_running = false;
    else if (m_runWhileWorking)
        Enqueue(request->document);
}

void CDrcRun::Enqueue(const void* document) {
    if (m_running && m_queue.front().document == document) {
        m_running = false;
        return;
    }
    const bool queued = std::any_of(m_queue.begin(), m_queue.end(),
                                    [document](const auto& r) { return r.document == document; });
    if (!queued)
        m_queue.push_back(DrcCheckRequest{kDocumentContentChanged, document});
}

CDrawDoc* CDrcRun::OpenDocument(const void* document) {
    for (CDrawDoc* open : GetDrcServices().OpenSchematics()) {
        if (open == document)
            return open;
    }
    return nullptr;
}

// Requests and findings of documents that closed go.
void CDrcRun::Purge() {
    m_purge = false;
    const void* running = m_running ? m_queue.front().document : nullptr;
    std::erase_if(m_queue, [](const auto& request) { return !OpenDocument(request.document); });
    if (running && (m_queue.empty() || m_queue.front().document != running))
        m_running = false;
    if (m_findingsDocument && !OpenDocument(m_findingsDocument)) {
        m_findings.clear();
        m_findingKeys.clear();
        m_findingsDocument = nullptr;
        SetReport(CString());
    }
}

// ---- the walk

bool CDrcRun::OnIdle() {
    if (m_purge)
        Purge();
    if (m_queue.empty()) {
        m_running = false;
        return false;
    }
    CheckStep();
    return true;
}

void CDrcRun::CheckStep() {
    CDrawDoc* document = OpenDocument(m_queue.front().document);
    if (!document) {
        m_queue.pop_front();
        if (m_running)
            SetReport(CString());
        m_running = false;
        return;
    }
    const std::vector<CDrawObj*> objects = ObjectsOf(*document);
    if (!m_running)
        StartRun(*document, objects);
    CDrcRules& rules = GetDrcServices().Rules();
    const DrcCheckContext context{*document, objects, m_nets, *m_ties};
    rules.SetSink(&m_sink);
    for (int n = 0; n < m_stepSize && m_next < static_cast<int>(objects.size()) &&
                    static_cast<int>(m_findings.size()) < kMaxFindings;
         ++n, ++m_next)
        CheckObject(*objects[static_cast<size_t>(m_next)], context);
    rules.SetSink(nullptr);
    if (m_next >= static_cast<int>(objects.size()) ||
        static_cast<int>(m_findings.size()) >= kMaxFindings)
        EndRun(*document, objects);
}

void CDrcRun::StartRun(CDrawDoc& document, const std::vector<CDrawObj*>& objects) {
    m_running = true;
    for (CDrawDoc* open : GetDrcServices().OpenSchematics())
        open->ClearFlagsAndInvalidate(kFlagDrcError);
    m_findings.clear();
    m_findingKeys.clear();
    m_findingsDocument = nullptr;
    SetReport(CString());
    SetReport("Checking..");
    for (CDrawObj* object : objects) {
        if (CDevice* device = object->GetDevice())
            device->SetFlags(0, kDeviceCheckMark);
    }
    m_next = 0;
    m_ties = std::make_unique<CHiddenPinTies>(document);
    m_nets = CDrcNetPins(*m_ties, objects);
    m_checkedNets.clear();
    FindRailShorts(document, objects);
}

// The shorts, and the rails sheets below name otherwise, that the netlist build would find, by
// the place of the top sheet's block through which each is reached.
void CDrcRun::FindRailShorts(CDrawDoc& document, const std::vector<CDrawObj*>& objects) {
    m_railShorts.clear();
    m_renamedRails.clear();
    CSheetFiles sheets;
    const CRailTies ties(document.m_netlist, sheets);
    const auto place = [&](size_t topBlock) {
        const CSymbol* block = ties.Top().blocks[topBlock].symbol;
        const auto at = std::find(objects.begin(), objects.end(), block);
        return at == objects.end() ? -1 : static_cast<int>(at - objects.begin());
    };
    for (const CRailShort& found : ties.Shorts()) {
        if (const int at = place(found.topBlock); at >= 0)
            m_railShorts[at].push_back(found.Describe());
    }
    for (const CRenamedRail& found : ties.Renamed()) {
        if (const int at = place(found.topBlock); at >= 0)
            m_renamedRails[at].push_back(found.Describe());
    }
}

void CDrcRun::CheckObject(CDrawObj& object, const DrcCheckContext& context) {
    CDrcRules& rules = GetDrcServices().Rules();
    if (CNet* net = object.GetNet()) {
        if (m_checkedNets.insert(net->GetName().str()).second) {
            rules.CheckNet(*net, context);
            rules.CheckHiddenPinTies(*net, context);
        }
        return;
    }
    if (object.GetObjType() != kObjSymbol)
        return;
    auto& symbol = static_cast<CSymbol&>(object);
    rules.CheckSymbol(symbol, context);
    if (const auto shorts = m_railShorts.find(m_next); shorts != m_railShorts.end())
        rules.CheckRailShorts(symbol, shorts->second);
    if (const auto renamed = m_renamedRails.find(m_next); renamed != m_renamedRails.end())
        rules.CheckRenamedRails(symbol, renamed->second);
    CDevice* device = symbol.GetDevice();
    if (device && !(device->GetFlags() & kDeviceCheckMark)) {
        device->SetFlags(kDeviceCheckMark, kDeviceCheckMark);
        rules.CheckDevice(*device, context);
    }
}

void CDrcRun::EndRun(CDrawDoc& document, const std::vector<CDrawObj*>& objects) {
    m_queue.pop_front();
    m_running = false;
    m_ties.reset();
    m_findingsDocument = &document;
    WriteReport(document, Places(objects));
}

// The same finding twice (the same pair of objects in either order) is listed once.
void CDrcRun::AddFinding(const DrcFinding& finding) {
    const void* first = finding.first;
    const void* second = finding.second;
    if (finding.kind == kDrcPinConnection && std::less<const void*>()(second, first))
        std::swap(first, second);
    if (!m_findingKeys.emplace(finding.kind, finding.level, first, second, finding.position).second)
        return;
    m_findings.push_back(DrcListedFinding{finding.kind, finding.level, finding.first,
                                          finding.second, finding.position,
                                          CDrcError::Format(finding), -1});
}

// ---- the report

void CDrcRun::WriteReport(CDrawDoc& document, const Places& places) {
    std::erase_if(m_findings, [&places](const auto& finding) { return !places.Has(finding); });
    if (m_findings.empty()) {
        SetReport("No errors found.");
        return;
    }
    std::stable_sort(m_findings.begin(), m_findings.end(), [&places](const auto& a, const auto& b) {
        return places.SortKey(a) < places.SortKey(b);
    });
    std::string text;
    int line = 0;
    int kind = 0;
    int errors = 0;
    int warnings = 0;
    for (DrcListedFinding& finding : m_findings) {
        if (finding.kind != kind) {
            if (kind != 0) {
                text += "\r\n";
                ++line;
            }
            kind = finding.kind;
            text += std::string(GroupTitle(kind)) + "\r\n";
            ++line;
        }
        finding.line = line++;
        text += finding.text.str() + "\r\n";
        errors += finding.level == kDrcError ? 1 : 0;
        warnings += finding.level == kDrcWarning ? 1 : 0;
        MarkFinding(document, finding, places, finding.level > 0);
    }
    if (static_cast<int>(m_findings.size()) >= kMaxFindings)
        text += "\r\nError/Warnings count exceeds 100, stopping.\r\n";
    text += "\r\n" + document.GetTitle().str() + "\r\nErrors :  " + std::to_string(errors) +
            "\r\nWarnings :  " + std::to_string(warnings) + "\r\n";
    SetReport(CString(text));
}

void CDrcRun::MarkFinding(CDrawDoc& document, const DrcListedFinding& finding, const Places& places,
                          bool set) {
    switch (finding.kind) {
        case kDrcPinConnection:
            SetMark(*places.Get<CDrawObj>(finding.second), set);
            [[fallthrough]];
        case kDrcUnconnectedPin:
        case kDrcShortedSymbol:
        case kDrcShortedRails:
        case kDrcRenamedRail:
            SetMark(*places.Get<CDrawObj>(finding.first), set);
            break;
        case kDrcEmptyNet:
        case kDrcOnePinNet:
        case kDrcUnnamedTie:
            document.HighlightNet(places.Get<CNet>(finding.first),
                                  set ? kErrorMarkSet : kErrorMarkClear);
            break;
        case kDrcSharedPin:
            if (!set)
                break;
            for (POSITION pos = document.GetObjects().GetHeadPosition(); pos;) {
                auto* object = static_cast<CDrawObj*>(document.GetObjects().GetNext(pos));
                if (object->GetDevice() == places.Get<CDevice>(finding.first))
                    SetMark(*object, true);
            }
            break;
        default:
            break;
    }
}

const DrcListedFinding* CDrcRun::FindingAtLine(int line) const {
    for (const DrcListedFinding& finding : m_findings) {
        if (finding.line == line)
            return &finding;
    }
    return nullptr;
}

bool CDrcRun::ShowFinding(const DrcListedFinding& finding) {
    CDrawDoc* document = OpenDocument(m_findingsDocument);
    if (!document)
        return false;
    const Places places(ObjectsOf(*document));
    if (!places.Has(finding))
        return false;
    document->ClearFlagsAndInvalidate(kFlagDrcError);
    MarkFinding(*document, finding, places, true);
    GetAppServices().ShowDocumentObjects(document, kFlagDrcError);
    return true;
}

void CDrcRun::SetReport(const CString& text) {
    m_report = text;
    if (m_observer)
        m_observer(text);
}
