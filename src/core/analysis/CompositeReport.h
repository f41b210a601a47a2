#pragma once

#include "analysis/CReportWriter.h"
#include "analysis/Grading.h"
#include "analysis/ValueRows.h"
#include "data/AdoDb.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace hv {

// The abnormal-item summary of a test (table ReportValueAll) and the composite page built
// from it.

// One row of the summary.
struct AbnormalItem {
    std::string system; // the report's name
    std::string_view item;
    std::string range; // "normalLow - normalHigh"
    double value = 0.0;
    GradeClass grade;
};

// Reads the test's value row of a numeric slot.
using ValueRowReader = std::function<RowQuery(int slot, std::vector<DbValue>& values)>;

// The items of a test's numeric reports (except the reports 09 and 12) that are not graded
// normal, in slot and item order. complete is false when a report's row could not be read;
// the reports after it are not visited.
struct AbnormalItems {
    std::vector<AbnormalItem> items;
    bool complete = true;
};
AbnormalItems CollectAbnormalItems(const ValueRowReader& read,
                                   std::span<const std::string> reportNames);

// Replaces the test's summary rows by the items unless they already say the same. The
// replacement runs under a savepoint of the caller's transaction (or in a transaction of its
// own when there is none), so a failure (shown) keeps the earlier rows and returns false.
bool ReplaceSummary(CAdoDb& db, std::int32_t measId, const std::vector<AbnormalItem>& items);

// The rows of the composite table: the moderately abnormal items ("B") of every report the
// person's sex and the display settings allow (the five child reports for a person of 12
// or less) that has sub-health advice, grouped by report; the first row of a group carries
// the report name and the advice, both spanning the group.
std::string BuildAdviceRows(CAdoDb& db, std::int32_t measId, bool female, int age);

// The composite page text: the head titled "Comprehensive Report Card", the advice table
// head, the rows and the foot.
std::string CompositePageText(const CReportWriter& writer, const std::string& adviceRows);

} // namespace hv
