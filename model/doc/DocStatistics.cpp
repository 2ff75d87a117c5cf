#include "model/doc/DocStatistics.h"

#include <unordered_set>

#include "model/doc/SummaryInfo.h"
#include "model/object/DrawObj.h"
#include "platform/ObList.h"

namespace {

CString Count(int count) {
    CString text;
    text.Format("%d", count);
    return text;
}

}  // namespace

SummaryFields SummaryFields::From(const CSummaryInfo& summary) {
    return SummaryFields{summary.GetAuthor(),   summary.GetKeywords(), summary.GetSubject(),
                         summary.GetComments(), summary.GetTemplate(), summary.GetTitle(),
                         summary.GetAppName()};
}

void SummaryFields::ApplyTo(CSummaryInfo& summary) const {
    summary.SetAuthor(author);
    summary.SetKeywords(keywords);
    summary.SetSubject(subject);
    summary.SetComments(comments);
    summary.SetTemplate(templateName);
    summary.SetTitle(title);
}

bool SummaryFields::SameEditableFields(const SummaryFields& other) const {
    return author == other.author && keywords == other.keywords && subject == other.subject &&
           comments == other.comments && templateName == other.templateName && title == other.title;
}

// Nets are told apart by identity only; the set is never walked, so no order depends on it.
ObjectCounts ObjectCounts::Of(const CObList& objects) {
    ObjectCounts counts;
    std::unordered_set<const CNet*> nets;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        switch (object->GetObjType()) {
            case kObjWire:
                if (const CNet* net = object->GetNet())
                    nets.insert(net);
                break;
            case kObjSymbol:
                ++counts.symbols;
                counts.pins += object->GetConnectorCount();
                break;
            default:
                ++counts.otherObjects;
                break;
        }
    }
    counts.nets = static_cast<int>(nets.size());
    return counts;
}

StatisticsFields StatisticsFields::Of(const CSummaryInfo& summary, const ObjectCounts& counts) {
    return StatisticsFields{summary.GetLastAuthor(),   summary.GetRevision(),
                            summary.GetEditTimeText(), summary.GetPrintTime(),
                            summary.GetCreateTime(),   summary.GetLastSaveTime(),
                            Count(counts.nets),        Count(counts.otherObjects),
                            Count(counts.pins),        Count(counts.symbols)};
}
