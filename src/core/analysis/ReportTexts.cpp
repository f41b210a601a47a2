#include "analysis/ReportTexts.h"

#include "analysis/ReportProse.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace hv {
namespace {

std::string Span(double low, double high) {
    return page::FormatFixed3(low) + "-" + page::FormatFixed3(high);
}

std::string Below(double limit) {
    return "<" + page::FormatFixed3(limit);
}
std::string Above(double limit) {
    return ">" + page::FormatFixed3(limit);
}

bool IsWhole(double v) {
    return std::floor(v) == v && std::fabs(v) < 1e15;
}

bool HasWholeLimits(const ItemRange& r) {
    return IsWhole(r.normalLow) && IsWhole(r.normalHigh);
}

// A limit as the testing-parameter list prints it: whole numbers without decimals when the
// item's range is whole, three decimals otherwise.
std::string ScopeLimit(const ItemRange& r, double limit) {
    if (HasWholeLimits(r))
        return std::to_string(static_cast<long long>(limit));
    return page::FormatFixed3(limit);
}

// Reports whose items are all of the reference kind show a testing-parameter list instead of
// range rows.
bool AllReference(const ReportItems& items) {
    return !items.ranges.empty() &&
           std::all_of(items.ranges.begin(), items.ranges.end(),
                       [](const ItemRange& r) { return IsKind(r, RangeKind::Reference); });
}

std::string RangeRowsText(const ReportItems& items, int slot) {
    std::string text(page::SectionBanner(0));
    for (std::size_t i = 0; i < items.names.size() && i < items.ranges.size(); ++i) {
        const int item = static_cast<int>(i) + 1;
        text += page::RangeRows(items.names[i], RangeCellsOf(items.ranges[i], slot, item));
    }
    text += page::kRangeRowsEnd;
    return text;
}

std::string NoteRow(int number, std::string_view lead, std::string_view note) {
    std::string row = std::to_string(number) + ". ";
    row += lead;
    row += note;
    return page::ParameterNoteRow(row);
}

std::string ReferenceListText(const ReportItems& items, int slot) {
    const auto notes = prose::ScopeNotes(slot);
    std::string text(page::SectionBanner(2));
    for (std::size_t i = 0; i < items.names.size() && i < items.ranges.size(); ++i) {
        const ItemRange& r = items.ranges[i];
        const int item = static_cast<int>(i) + 1;
        text += page::ParameterHeading(item, items.names[i], HealthScope(r));
        if (i >= notes.size())
            continue;
        const auto base = static_cast<std::size_t>(ReferenceLabelBase(slot, item));
        const std::string aboveLead =
            ">" + ScopeLimit(r, r.normalHigh) + " " + std::string(GradeLabels[base + 2]) + ": ";
        const std::string belowLead =
            "<" + ScopeLimit(r, r.normalLow) + " " + std::string(GradeLabels[base + 1]) + ": ";
        text += NoteRow(1, aboveLead, notes[i].above);
        text += NoteRow(2, belowLead, notes[i].below);
    }
    text += page::kParameterListEnd;
    return text;
}

std::string TextItemListText() {
    const auto notes = prose::TextItemNotes();
    std::string text(page::SectionBanner(2));
    for (std::size_t i = 0; i < TextReportItems.size(); ++i) {
        const TextItem& item = TextReportItems[i];
        text += page::ParameterHeading(static_cast<int>(i) + 1, item.name, item.normalRange);
        if (i >= notes.size())
            continue;
        text += NoteRow(1, {}, notes[i].usual);
        text += NoteRow(2, {}, notes[i].other);
    }
    text += page::kParameterListEnd;
    return text;
}

} // namespace

page::RangeCells RangeCellsOf(const ItemRange& r, int slot, int item) {
    const double a = r.normalLow;
    const double b = r.normalHigh;
    const double o1 = r.outer1;
    const double o2 = r.outer2;
    if (IsKind(r, RangeKind::Falling))
        return {Span(a, b), Span(o1, a), Span(o2, o1), Below(o2)};
    if (IsKind(r, RangeKind::TwoSided))
        return {Span(a, b), "-", Span(o1, a) + ", " + Span(b, o2), Below(o1) + ", " + Above(o2)};
    if (IsKind(r, RangeKind::Reference)) {
        // Within the range or outside it; outside is graded with the severe colour.
        const auto base = static_cast<std::size_t>(ReferenceLabelBase(slot, item));
        std::string outside = Below(a) + " " + std::string(GradeLabels[base + 1]) + ", " +
                              Above(b) + " " + std::string(GradeLabels[base + 2]);
        return {Span(a, b), "-", "-", outside};
    }
    return {Span(a, b), Span(b, o1), Span(o1, o2), Above(o2)};
}

std::string HealthScope(const ItemRange& r) {
    std::string scope = ScopeLimit(r, r.normalLow) + "~" + ScopeLimit(r, r.normalHigh);
    return HasWholeLimits(r) ? "(" + scope + ")" : scope;
}

std::string ReferenceText(int slot) {
    if (slot == kTextReportSlot)
        return TextItemListText();
    ReportItems items;
    if (!GetReportItems(slot, items))
        return {};
    return AllReference(items) ? ReferenceListText(items, slot) : RangeRowsText(items, slot);
}

std::string DescriptionText(int slot) {
    const auto paragraphs = prose::ItemDescriptions(slot);
    ReportItems items;
    if (paragraphs.empty() || !GetReportItems(slot, items))
        return {};
    std::string text(page::SectionBanner(1));
    for (std::size_t i = 0; i < items.names.size() && i < paragraphs.size(); ++i)
        text += page::DescriptionBox(items.names[i], {}, {}, paragraphs.subspan(i, 1));
    return text;
}

} // namespace hv
