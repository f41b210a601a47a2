#pragma once

#include "settings/PageHeadFoot.h"

#include <string>
#include <vector>

namespace hv {

// What is printed around the report on every page of a printed or PDF document: the
// station's header and footer texts in their alignments, "Page n of N", and the line saying
// that the values are generated. The report itself is laid out by the browser engine in the
// body, the part of the page inside the margins and the bands for these texts.
//
// Every length is in points (1/72 inch); rectangles are measured from the top left corner of
// the page.

struct PageMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool operator==(const PageMargins&) const = default;
};

struct TextBox {
    enum class Role { Head, Foot, PageNumber, Notice };
    enum class Align { Left, Center, Right };

    Role role = Role::Head;
    Align align = Align::Left;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double pointSize = 0;
    bool wrap = false; // breaks into lines within the box instead of being cut short
    std::string text;
};

// The page as the printer sets it up: its size in its orientation and its margins.
struct PaperLayout {
    double width = 0;
    double height = 0;
    PageMargins margins;
};

// The margins the decorations are drawn in: the printer's, but never narrower than a
// minimum that keeps them off the paper's edge.
PageMargins DecorationMargins(const PageMargins& printer);

// The margins the body is laid out with: the decoration margins plus the header band at the
// top and the footer band at the bottom.
PageMargins BodyMargins(const PageMargins& printer);

// The texts drawn on page `page` (counted from 1) of a document of `pages` pages. A text
// without an alignment marker is drawn at the left, where a browser puts the part of its
// header before the first marker; an empty header or footer text draws nothing.
std::vector<TextBox> PageDecoration(const PaperLayout& paper, const PageTexts& texts, int page,
                                    int pages);

} // namespace hv
