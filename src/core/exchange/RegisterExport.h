#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace hv {

// Files for spreadsheet programs written from the register (CsvWriter.h). Each is written
// to a work file beside the target and put in its place only once complete, so a failure
// leaves an existing target as it was.

struct ExportOutcome {
    bool written = false;
    long rows = 0;       // data rows written, the header not counted
    std::string message; // why nothing was written; the database layer has shown its own
};

// The persons of a group, one row each, with the columns the import reads (Name, Sex,
// Birthday, Height, ...), so the file can be read back.
ExportOutcome ExportPersons(int groupId, const std::filesystem::path& file);

// Every item of every report of a test: report, item, normal range, value and grade, as the
// pages show them.
ExportOutcome ExportResults(std::int32_t measId, const std::filesystem::path& file);

// Each person of a group with the date of the latest test and how many of its items are
// normal, mildly, moderately and severely abnormal.
ExportOutcome ExportSummary(int groupId, const std::filesystem::path& file);

} // namespace hv
