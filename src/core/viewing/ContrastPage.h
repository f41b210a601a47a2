#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace hv {

// The comparison page of one test: the moderately abnormal items of every report that
// applies to the person's sex, with their normal range, value and grade, as one table.
// Written to Contrast01.htm (first test) or Contrast02.htm (second test) in the working
// directory, as UTF-16LE text after the byte-order mark.

struct ContrastPage {
    // The written page; empty when the page could not be built or written.
    std::filesystem::path path;
    // The test's date and time as "YYYY-MM-DD hh:mm"; empty when it could not be read.
    std::string testTime;
};

// Builds and writes the page of a test for side 1 or 2. A test that was never analysed
// gives a page with the table head only. Database failures have been reported by the
// database layer; a page file that cannot be written is reported here.
ContrastPage BuildContrastPage(std::int32_t measId, int side);

// The file of a side's page in the working directory ("Contrast01.htm", "Contrast02.htm").
std::filesystem::path ContrastPageFile(int side);

// The grade cell of one item: the picture of grade 2 when the value lies below the lower
// limit of the normal range ("low - high"), of grade 6 otherwise; the coloured words of a
// moderate grade when pictures are off.
std::string ContrastGradeCell(bool pictures, std::string_view valueRange, double value);

// The lower limit in a normal range "low - high", read with a decimal point whatever the
// locale; 0 for a text without " - " or without a number before it.
double RangeLowerLimit(std::string_view valueRange);

} // namespace hv
