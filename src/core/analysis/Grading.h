#pragma once

#include "analysis/Catalogue.h"

#include <string>
#include <string_view>

namespace hv {

// Grade codes of a value against its item's bands:
//   1 severe low, 2 moderate low, 3 mild low, 4 normal, 5 mild high, 6 moderate high,
//   7 severe high, 8 within a reference range, 9 below it, 10 above it.
inline constexpr int kGradeNormal = 4;
inline constexpr int kGradeWithinReference = 8;

// Grades a value against its item's bands. Rising and two-sided items include normalLow and
// exclude normalHigh; falling items exclude normalLow and include normalHigh; a reference
// range includes both ends.
int GradeValue(const ItemRange& range, double value);

// An item's normal range as the pages show it: "normalLow - normalHigh", three decimals.
std::string NormalRangeText(const ItemRange& range);

// Index into GradeColors: |4 - code| for codes 1..7, green for 8, red for 9 and 10.
int GradeColorIndex(int code);

// Index into GradeLabels for a code of a report slot's 1-based item. Reference items use
// their own three words (see ReferenceLabelBase).
int GradeLabelIndex(int code, int slot, int item);

// The "Testing Result" cell: the grade picture when graph is set, otherwise the grade word
// in its colour.
std::string GradeMark(bool graph, int code, int slot, int item);

// The class of a grade in the abnormal-item summary: "A" severe, "B" moderate, "C" mild
// (below or above a reference range included), "D" normal, with the matching result word.
struct GradeClass {
    std::string_view type;
    std::string_view result;
};
GradeClass GradeToType(int code);

} // namespace hv
