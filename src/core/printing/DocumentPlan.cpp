#include "printing/DocumentPlan.h"

#include "analysis/CReportWriter.h"
#include "data/OperatorTexts.h"
#include "viewing/ReportListing.h"

namespace hv {

std::optional<DocumentPlan> WholeTestPlan(std::int32_t measId) {
    const auto entries = LoadReportList(measId);
    if (!entries)
        return std::nullopt;
    DocumentPlan plan;
    plan.title = texts::FillText(texts::kWholeTestTitle, {std::to_string(measId)});
    plan.parts.push_back({std::string(texts::kCompositeTitle), PageFile(CompositePageName())});
    for (const ReportListEntry& entry : *entries)
        plan.parts.push_back(
            {entry.reportName, PageFile(ListEntryPageName(entry.reportNumber, entry.label))});
    return plan;
}

} // namespace hv
