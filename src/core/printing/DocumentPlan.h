#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace hv {

// The pages a printed or PDF document is made of, in order, each with the title of its
// entry in the document's outline.
struct DocumentPart {
    std::string title;
    std::filesystem::path page; // an absolute page file; empty for an empty page
};

struct DocumentPlan {
    std::string title;
    std::vector<DocumentPart> parts;
};

// A whole test: the composite report followed by every report listed for the test, in list
// order. nullopt when the list could not be read (already reported).
std::optional<DocumentPlan> WholeTestPlan(std::int32_t measId);

} // namespace hv
