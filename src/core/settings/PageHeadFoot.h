#pragma once

#include "settings/SettingsRow.h"

#include <string>
#include <string_view>

namespace hv {

// The print header and footer texts. The alignment has no column of its own: it travels
// inside the stored text as "&b" markers at its ends (Left: text then marker; Center: a
// marker on each side; Right: marker then text). An empty text is stored empty.
enum class TextAlignment { None, Left, Center, Right };

struct AlignedText {
    TextAlignment alignment = TextAlignment::None;
    std::string text;

    bool operator==(const AlignedText&) const = default;
};

inline constexpr std::string_view kAlignmentMarker = "&b";

// The stored form of a typed text. Without an alignment the text is stored right-aligned.
std::string EncodeAlignedText(const AlignedText& value);

// Recovers the alignment from the markers at the two ends of a stored text (a marker
// inside the text is left alone). A text with no marker at either end has no alignment.
// A typed text that itself begins or ends with the marker cannot be told from the
// markers: it reopens with that marker taken as alignment.
AlignedText DecodeAlignedText(std::string_view stored);

struct PageTexts {
    AlignedText head; // SetValue.PageHead
    AlignedText foot; // SetValue.PageFoot
};

// The texts of the first settings row; empty and unaligned where the database cannot be
// opened (reported), there is no row, or a column is NULL.
PageTexts LoadPageTexts();

// Stores both texts encoded.
SaveResult SavePageTexts(const PageTexts& texts);

} // namespace hv
