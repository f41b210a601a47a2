#pragma once

#include "data/AdoDb.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The results of a test as its report pages show them, read from the stored value rows:
// every item of every report the test has values for, with its normal range, value and
// grade. Nothing is generated here; a test that was never analysed has no results.

struct ItemResult {
    int slot = 0;
    std::string report;    // ReportList.ReportName of the slot
    std::string_view item; // the catalogue's name
    std::string normalRange;
    std::string value;   // as the page prints it; empty for an empty value
    double number = 0.0; // the stored number of a graded item
    int gradeCode = 0;   // 1..10; 0 for the text-valued report and empty values
    std::string grade;   // the page's result word; empty without a grade
};

enum class ResultsStatus { Found, NoTest, NotAnalysed, Failed };

// The test's results in report and item order. Failed when a query failed (shown by the
// database layer).
ResultsStatus LoadTestResults(CAdoDb& db, std::int32_t measId, std::vector<ItemResult>& items);

// How many graded items fall in each class: normal, mild, moderate and severe.
struct GradeCounts {
    int normal = 0;
    int mild = 0;
    int moderate = 0;
    int severe = 0;
};
GradeCounts CountGrades(const std::vector<ItemResult>& items);

} // namespace hv
