#include "analysis/Grading.h"

#include "analysis/PageFragments.h"

#include <cstdio>
#include <cstdlib>

namespace hv {
namespace {

int GradeRising(const ItemRange& r, double v) {
    if (r.normalLow <= v && v < r.normalHigh)
        return 4;
    if (r.normalHigh <= v && v < r.outer1)
        return 5;
    if (r.outer1 <= v && v < r.outer2)
        return 6;
    return 7;
}

int GradeFalling(const ItemRange& r, double v) {
    if (r.normalLow < v && v <= r.normalHigh)
        return 4;
    if (r.outer1 < v && v <= r.normalLow)
        return 3;
    if (r.outer2 < v && v <= r.outer1)
        return 2;
    return 1;
}

int GradeTwoSided(const ItemRange& r, double v) {
    if (r.normalLow <= v && v < r.normalHigh)
        return 4;
    if (r.outer1 <= v && v < r.normalLow)
        return 2;
    if (r.normalHigh <= v && v < r.outer2)
        return 6;
    if (v < r.outer1)
        return 1;
    return 7;
}

int GradeReference(const ItemRange& r, double v) {
    if (v < r.normalLow)
        return 9;
    if (v > r.normalHigh)
        return 10;
    return 8;
}

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

std::string NormalRangeText(const ItemRange& r) {
    return page::FormatFixed3(r.normalLow) + " - " + page::FormatFixed3(r.normalHigh);
}

int GradeValue(const ItemRange& range, double value) {
    if (IsKind(range, RangeKind::Rising))
        return GradeRising(range, value);
    if (IsKind(range, RangeKind::Falling))
        return GradeFalling(range, value);
    if (IsKind(range, RangeKind::TwoSided))
        return GradeTwoSided(range, value);
    return GradeReference(range, value);
}

int GradeColorIndex(int code) {
    if (code >= 1 && code <= 7)
        return std::abs(4 - code);
    if (code == 9 || code == 10)
        return 3;
    return 0;
}

int GradeLabelIndex(int code, int slot, int item) {
    if (code >= 1 && code <= 7)
        return std::abs(4 - code);
    if (code >= 8 && code <= 10)
        return ReferenceLabelBase(slot, item) + (code - 8);
    return 0;
}

std::string GradeMark(bool graph, int code, int slot, int item) {
    if (graph) {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "<image src=YC%02d.gif border=0>", code);
        return buffer;
    }
    std::string mark = "<font color=";
    mark += GradeColors[Index(GradeColorIndex(code))];
    mark += '>';
    mark += GradeLabels[Index(GradeLabelIndex(code, slot, item))];
    mark += "</font>";
    return mark;
}

GradeClass GradeToType(int code) {
    switch (code) {
    case 1:
    case 7:
        return {"A", GradeLabels[3]};
    case 2:
    case 6:
        return {"B", GradeLabels[2]};
    case 3:
    case 5:
    case 9:
    case 10:
        return {"C", GradeLabels[1]};
    default:
        return {"D", GradeLabels[0]};
    }
}

} // namespace hv
