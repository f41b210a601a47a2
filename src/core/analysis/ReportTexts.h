#pragma once

#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"

#include <string>

namespace hv {

// The reference standard of a report, appended to its page on request:
// - reports of graded items: the reference legend and one pair of rows per item with its
//   normal, mild, moderate and severe ranges;
// - reports made of reference items, and the text-valued report: a list of the testing
//   parameters with their health scopes and what a reading above or below means.
// Empty for the body-composition report and for slots outside 0..39.
std::string ReferenceText(int slot);

// The parameter description of a report: one box per item saying what the term means.
// Empty for the reports that have none.
std::string DescriptionText(int slot);

// The range cells of one item, as its grading reads them: rising and falling items show
// four bands; the two-sided item has no mild band; a reference item is within its range or
// outside it (shown as severe, with its own words below and above). item is 1-based.
page::RangeCells RangeCellsOf(const ItemRange& range, int slot, int item);

// The health scope of a reference item: "(126~159)" when both limits are whole numbers,
// otherwise "0.232~0.686".
std::string HealthScope(const ItemRange& range);

} // namespace hv
