#pragma once

#include "data/AdoDb.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace hv {

// The person block of one test (who was tested, when, and the body figures) and the
// pieces every report page starts and ends with.
class CReportWriter {
public:
    enum class LoadResult {
        Loaded,
        TestMissing,   // no MeasData row for the key
        PersonMissing, // the test's person is no longer in Examer
        DatabaseError, // the connection or the query failed (already shown)
    };

    // Fills the block from the test's MeasData row and its person. On any result other than
    // Loaded every field keeps its value.
    LoadResult LoadPerson(CAdoDb& db, std::int32_t measId);
    // The same on a connection of its own.
    LoadResult LoadPerson(std::int32_t measId);

    // The page head with its style sheet and person block. The title is wrapped as
    // "(title) Analysis Report Card" unless keepTitle is set.
    std::string HtmlPageHead(std::string_view title, bool keepTitle) const;
    // The page foot: the closing disclaimer, "</body>" and "</html>".
    static std::string HtmlPageFoot();

    std::int32_t examerId = 0;
    std::string name;
    bool female = false;
    int age = 0; // whole years at the test date
    std::int32_t measId = 0;
    std::string height;   // centimetres, as typed
    std::string weight;   // kilograms, as typed
    std::string result;   // the weight-class text
    std::string figure;   // "result(heightcm,weightkg)"
    std::string testTime; // "YYYY/MM/DD hh:mm"
};

// The page name of a report slot: "NN-" and the report name, NN being the report number.
std::string ReportPageName(int slot, std::string_view reportName);
// The composite page's name, "00-Compositive Report".
std::string CompositePageName();

// The folder the pages are written to, relative to the working directory.
inline constexpr std::string_view kReportsFolder = "Reports";

// The file of a page: Reports/<name>.htm. Characters that cannot stand in a file name on
// any platform (path separators, < > : " | ? *, control characters) become '_', so a name
// taken from the database can never reach outside the Reports folder.
std::filesystem::path PagePath(std::string_view pageName);

// Writes a page: deletes the old file (a failure is ignored) and, when text is not empty,
// writes the text as UTF-16LE after the byte-order mark FF FE. An empty text leaves no file.
// Returns false, with the reason in error, when the file could not be written.
bool WritePage(std::string_view pageName, std::string_view text, std::string* error = nullptr);

} // namespace hv
