#pragma once

#include <span>
#include <string_view>

// The plain-English prose of the explanatory texts, kept as data apart from the HTML that
// frames it (ReportTexts.cpp). Item names are not repeated here: they come from the
// catalogue, and every table below follows the catalogue's item order. The prose is plain
// text without HTML markup.
namespace hv::prose {

// One paragraph per item, in item order, for the reports that carry description boxes;
// empty for every other slot.
std::span<const std::string_view> ItemDescriptions(int slot);

// What a reading above or below an item's health scope means in general.
struct ScopeNote {
    std::string_view above;
    std::string_view below;
};

// One note per item, in item order, for the reports whose items are all of the reference
// kind and carry a testing-parameter list; empty for every other slot.
std::span<const ScopeNote> ScopeNotes(int slot);

// Two explanation rows for each item of the text-valued report, in item order: what the
// usual reading means, and what another reading would mean.
struct TextItemNote {
    std::string_view usual;
    std::string_view other;
};
std::span<const TextItemNote> TextItemNotes();

} // namespace hv::prose
