#include "analysis/ReportTexts.h"

#include "analysis/Catalogue.h"
#include "analysis/PageFragments.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace hv {
namespace {

// Walks through a page text piece by piece: Expect consumes an exact piece, Until returns
// everything up to a piece and consumes both. A failed step leaves the reader failed.
class Reader {
public:
    explicit Reader(std::string_view text) : m_rest(text) {}

    bool Expect(std::string_view piece) {
        if (!m_ok || m_rest.substr(0, piece.size()) != piece)
            return m_ok = false;
        m_rest.remove_prefix(piece.size());
        return true;
    }
    bool StartsWith(std::string_view piece) const {
        return m_ok && m_rest.substr(0, piece.size()) == piece;
    }
    std::string Until(std::string_view piece) {
        const auto at = m_ok ? m_rest.find(piece) : std::string_view::npos;
        if (at == std::string_view::npos) {
            m_ok = false;
            return {};
        }
        std::string before(m_rest.substr(0, at));
        m_rest.remove_prefix(at + piece.size());
        return before;
    }
    bool ok() const { return m_ok; }
    bool AtEnd() const { return m_ok && m_rest.empty(); }
    std::string_view rest() const { return m_rest; }

private:
    std::string_view m_rest;
    bool m_ok = true;
};

double ParseNumber(std::string_view text) {
    double v = std::numeric_limits<double>::quiet_NaN();
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        ADD_FAILURE() << "not a number: '" << text << "'";
    return v;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + separator.size());
    }
}

// A range cell read back: its intervals ("a-b", "<x", ">x", each "<x" or ">x" optionally
// followed by a word) and the numbers it names.
struct Interval {
    double low;
    double high;
};
struct ParsedCell {
    std::vector<Interval> intervals;
    std::vector<double> numbers;
    std::vector<std::string> words;
};

ParsedCell ParseCell(std::string_view cell) {
    ParsedCell parsed;
    if (cell == "-")
        return parsed;
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (std::string_view part : Split(cell, ", ")) {
        std::string_view word;
        if (const auto blank = part.find(' '); blank != std::string_view::npos) {
            word = part.substr(blank + 1);
            part = part.substr(0, blank);
            parsed.words.emplace_back(word);
        }
        if (part.starts_with('<')) {
            const double x = ParseNumber(part.substr(1));
            parsed.intervals.push_back({-inf, x});
            parsed.numbers.push_back(x);
        } else if (part.starts_with('>')) {
            const double x = ParseNumber(part.substr(1));
            parsed.intervals.push_back({x, inf});
            parsed.numbers.push_back(x);
        } else {
            const auto dash = part.find('-');
            const double a = ParseNumber(part.substr(0, dash));
            const double b = ParseNumber(part.substr(dash + 1));
            parsed.intervals.push_back({a, b});
            parsed.numbers.push_back(a);
            parsed.numbers.push_back(b);
        }
    }
    return parsed;
}

// How far from normal a value is graded (0 normal .. 3 severe), by the grading rules of the
// analysis: rising and two-sided ranges include their lower end, falling ranges their upper
// end, reference ranges both; outside a reference range is shown in the severe colour.
int Severity(const ItemRange& r, double v) {
    if (IsKind(r, RangeKind::Rising)) {
        if (r.normalLow <= v && v < r.normalHigh)
            return 0;
        if (r.normalHigh <= v && v < r.outer1)
            return 1;
        if (r.outer1 <= v && v < r.outer2)
            return 2;
        return 3;
    }
    if (IsKind(r, RangeKind::Falling)) {
        if (r.normalLow < v && v <= r.normalHigh)
            return 0;
        if (r.outer1 < v && v <= r.normalLow)
            return 1;
        if (r.outer2 < v && v <= r.outer1)
            return 2;
        return 3;
    }
    if (IsKind(r, RangeKind::TwoSided)) {
        if (r.normalLow <= v && v < r.normalHigh)
            return 0;
        if ((r.outer1 <= v && v < r.normalLow) || (r.normalHigh <= v && v < r.outer2))
            return 2;
        return 3;
    }
    return (v < r.normalLow || v > r.normalHigh) ? 3 : 0;
}

// A value inside an interval, away from its ends.
double Inside(const Interval& i) {
    if (std::isinf(i.low))
        return i.high / 2.0;
    if (std::isinf(i.high))
        return i.low + 1.0;
    return (i.low + i.high) / 2.0;
}

constexpr std::string_view kRangeItemStart =
    "<TR><TD colspan=3 height=8> </TD></TR><TR align=middle><TD>";
constexpr std::string_view kParameterStart =
    "<TR><TD colspan=2 height=8> </TD></TR><TR><TD colspan=2>";
constexpr std::string_view kNoteStart = "<TR><TD>&nbsp;</TD><TD>";
constexpr std::string_view kBoxStart = "<TABLE class=xtable cellSpacing=4 cellPadding=0 "
                                       "width=590 align=center border=0 bgcolor=ebf5fb><TR><TD><B>";

const std::set<int> kRangeRowSlots{0,  1,  2,  5,  7,  9,  10, 12, 13, 14, 15, 16,
                                   17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28,
                                   29, 30, 31, 32, 33, 34, 35, 36, 37, 38};
const std::set<int> kParameterListSlots{3, 4, 6, 8, 11};
const std::set<int> kDescriptionSlots{0,  1,  2,  4,  5,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                      18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 35, 36, 37};

ReportItems ItemsOf(int slot) {
    ReportItems items;
    EXPECT_TRUE(GetReportItems(slot, items)) << slot;
    return items;
}

bool IsPlainProse(std::string_view text) {
    return !text.empty() && text.find_first_of("<>&") == std::string_view::npos;
}

// --- Which slots carry which text ---------------------------------------------------------

TEST(ReportTextsTest, EachSlotCarriesItsKindOfReferenceText) {
    for (int slot = -1; slot <= kReportSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        const std::string text = ReferenceText(slot);
        if (kRangeRowSlots.count(slot)) {
            EXPECT_TRUE(text.starts_with(page::SectionBanner(0)));
            EXPECT_TRUE(text.ends_with(page::kRangeRowsEnd));
        } else if (kParameterListSlots.count(slot)) {
            EXPECT_TRUE(text.starts_with(page::SectionBanner(2)));
            EXPECT_TRUE(text.ends_with(page::kParameterListEnd));
        } else {
            EXPECT_EQ(text, ""); // 39 and outside 0..39
        }
    }
}

TEST(ReportTextsTest, EachSlotCarriesItsDescriptionTextOrNone) {
    for (int slot = -1; slot <= kReportSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        const std::string text = DescriptionText(slot);
        if (kDescriptionSlots.count(slot))
            EXPECT_TRUE(text.starts_with(page::SectionBanner(1)));
        else
            EXPECT_EQ(text, "");
    }
}

// --- Range rows ----------------------------------------------------------------------------

struct RangeRow {
    std::string name;
    std::array<std::string, 4> cells; // normal, mild, moderate, severe
};

std::vector<RangeRow> ReadRangeRows(const std::string& text) {
    std::vector<RangeRow> rows;
    Reader reader(text);
    EXPECT_TRUE(reader.Expect(page::SectionBanner(0)));
    while (reader.StartsWith(kRangeItemStart)) {
        reader.Expect(kRangeItemStart);
        RangeRow row;
        row.name = reader.Until(":</TD><TD>");
        row.cells[0] = reader.Until("(-)</TD><TD>");
        row.cells[1] = reader.Until("(+)</TD></TR><TR align=middle><TD>&nbsp;</TD><TD>");
        row.cells[2] = reader.Until("(++)</TD><TD>");
        row.cells[3] = reader.Until("(+++)</TD></TR>");
        EXPECT_TRUE(reader.ok()) << "row " << rows.size() + 1;
        rows.push_back(row);
    }
    EXPECT_TRUE(reader.Expect("<TR><TD colspan=3 height=8> </TD></TR></TABLE>\n"));
    EXPECT_TRUE(reader.AtEnd()) << reader.rest().substr(0, 80);
    return rows;
}

// The numbers of every range row are the catalogue's limits, and each cell names exactly the
// values that grading puts in its band.
TEST(ReportTextsTest, RangeRowsAgreeWithTheCatalogueAndTheGrading) {
    for (int slot : kRangeRowSlots) {
        const ReportItems items = ItemsOf(slot);
        const std::vector<RangeRow> rows = ReadRangeRows(ReferenceText(slot));
        ASSERT_EQ(rows.size(), items.names.size()) << "slot " << slot;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ItemRange& r = items.ranges[i];
            SCOPED_TRACE("slot " + std::to_string(slot) + " item " + std::to_string(i + 1));
            EXPECT_EQ(rows[i].name, items.names[i]);
            const std::set<double> limits{r.normalLow, r.normalHigh, r.outer1, r.outer2};
            for (int level = 0; level < 4; ++level) {
                SCOPED_TRACE("level " + std::to_string(level));
                const std::string& cell = rows[i].cells[static_cast<std::size_t>(level)];
                const ParsedCell parsed = ParseCell(cell);
                for (double n : parsed.numbers)
                    EXPECT_EQ(limits.count(n), 1u) << n << " in '" << cell << "'";
                const bool noBand = (IsKind(r, RangeKind::TwoSided) && level == 1) ||
                                    (IsKind(r, RangeKind::Reference) && (level == 1 || level == 2));
                EXPECT_EQ(parsed.intervals.empty(), noBand) << cell;
                for (const Interval& interval : parsed.intervals)
                    EXPECT_EQ(Severity(r, Inside(interval)), level) << cell;
            }
            const ParsedCell normal = ParseCell(rows[i].cells[0]);
            ASSERT_EQ(normal.numbers.size(), 2u);
            EXPECT_EQ(normal.numbers[0], r.normalLow);
            EXPECT_EQ(normal.numbers[1], r.normalHigh);
        }
    }
}

TEST(ReportTextsTest, RangeRowShapes) {
    struct Case {
        int slot;
        std::string_view row;
    };
    const std::array<Case, 4> cases{{
        {15, "<TR><TD colspan=3 height=8> </TD></TR><TR align=middle><TD>Degree of Prostatic "
             "Hyperplasia:</TD><TD>1.023-3.230(-)</TD><TD>3.230-4.258(+)</TD></TR><TR "
             "align=middle><TD>&nbsp;</TD><TD>4.258-6.549(++)</TD><TD>>6.549(+++)</TD></TR>"},
        {0, "<TD>Vascular Elasticity:</TD><TD>1.672-1.978(-)</TD><TD>1.511-1.672(+)</TD></TR>"
            "<TR align=middle><TD>&nbsp;</TD><TD>1.047-1.511(++)</TD><TD><1.047(+++)</TD></TR>"},
        {0, "<TD>Coronary Perfusion Pressure:</TD><TD>11.719-18.418(-)</TD><TD>-(+)</TD></TR>"
            "<TR align=middle><TD>&nbsp;</TD><TD>8.481-11.719, 18.418-21.274(++)</TD>"
            "<TD><8.481, >21.274(+++)</TD></TR>"},
        {12, "<TD>PH:</TD><TD>7.350-7.450(-)</TD><TD>-(+)</TD></TR><TR align=middle>"
             "<TD>&nbsp;</TD><TD>-(++)</TD><TD><7.350 Acid, >7.450 Alkaline(+++)</TD></TR>"},
    }};
    for (const Case& c : cases)
        EXPECT_NE(ReferenceText(c.slot).find(c.row), std::string::npos) << c.row;
}

// --- Testing-parameter lists ---------------------------------------------------------------

struct Parameter {
    std::string heading; // "I. name"
    std::string scope;
    std::vector<std::string> notes;
};

std::vector<Parameter> ReadParameters(const std::string& text) {
    std::vector<Parameter> list;
    Reader reader(text);
    EXPECT_TRUE(reader.Expect(page::SectionBanner(2)));
    while (reader.StartsWith(kParameterStart)) {
        reader.Expect(kParameterStart);
        Parameter p;
        p.heading = reader.Until(": &nbsp;&nbsp;&nbsp;&nbsp; Health Scope: ");
        p.scope = reader.Until("</TD></TR>");
        while (reader.StartsWith(kNoteStart)) {
            reader.Expect(kNoteStart);
            p.notes.push_back(reader.Until("</TD></TR>"));
        }
        EXPECT_TRUE(reader.ok());
        list.push_back(p);
    }
    EXPECT_TRUE(reader.Expect("<TR><TD colspan=2 height=8> </TD></TR></TABLE>\n"));
    EXPECT_TRUE(reader.AtEnd()) << reader.rest().substr(0, 80);
    return list;
}

// "1. >b Word: prose" -> checks the lead and returns the prose.
std::string_view NoteProse(std::string_view note, std::string_view lead) {
    EXPECT_TRUE(note.starts_with(lead)) << "'" << note << "' should start with '" << lead << "'";
    return note.starts_with(lead) ? note.substr(lead.size()) : std::string_view{};
}

std::string ScopeNumber(double v, bool whole) {
    return whole ? std::to_string(static_cast<long long>(v)) : page::FormatFixed3(v);
}

TEST(ReportTextsTest, ParameterListsShowTheCatalogueScopesAndMatchingWords) {
    const std::array<std::string_view, 5> ordinals{"I. ", "II. ", "III. ", "IV. ", "V. "};
    for (int slot : {3, 4, 6, 11}) {
        const ReportItems items = ItemsOf(slot);
        const std::vector<Parameter> list = ReadParameters(ReferenceText(slot));
        ASSERT_EQ(list.size(), items.names.size()) << "slot " << slot;
        for (std::size_t i = 0; i < list.size(); ++i) {
            SCOPED_TRACE("slot " + std::to_string(slot) + " item " + std::to_string(i + 1));
            const ItemRange& r = items.ranges[i];
            EXPECT_EQ(list[i].heading, std::string(ordinals[i]) + std::string(items.names[i]));
            // Whole-number scopes are bracketed, as "(126~159)".
            std::string_view scope = list[i].scope;
            const bool whole = scope.starts_with('(');
            if (whole) {
                ASSERT_TRUE(scope.ends_with(')'));
                scope = scope.substr(1, scope.size() - 2);
            }
            const std::vector<std::string_view> ends = Split(scope, "~");
            ASSERT_EQ(ends.size(), 2u) << list[i].scope;
            EXPECT_EQ(ParseNumber(ends[0]), r.normalLow);
            EXPECT_EQ(ParseNumber(ends[1]), r.normalHigh);
            // The words of a reading above and below are the ones its result shows.
            const auto base = static_cast<std::size_t>(ReferenceLabelBase(slot, int(i) + 1));
            ASSERT_EQ(list[i].notes.size(), 2u);
            const std::string above = "1. >" + ScopeNumber(r.normalHigh, whole) + " " +
                                      std::string(GradeLabels[base + 2]) + ": ";
            const std::string below = "2. <" + ScopeNumber(r.normalLow, whole) + " " +
                                      std::string(GradeLabels[base + 1]) + ": ";
            EXPECT_TRUE(IsPlainProse(NoteProse(list[i].notes[0], above)));
            EXPECT_TRUE(IsPlainProse(NoteProse(list[i].notes[1], below)));
        }
    }
}

TEST(ReportTextsTest, ParameterListShapes) {
    const std::string slot3 = ReferenceText(3);
    EXPECT_NE(slot3.find("<TR><TD colspan=2>I. Serum Globulin (A/G): &nbsp;&nbsp;&nbsp;&nbsp; "
                         "Health Scope: (126~159)</TD></TR><TR><TD>&nbsp;</TD><TD>1. >159 "
                         "Increase: "),
              std::string::npos);
    EXPECT_NE(slot3.find("<TD>2. <126 Reduction: "), std::string::npos);
    EXPECT_NE(slot3.find("V. Bilirubin (DBIL): &nbsp;&nbsp;&nbsp;&nbsp; Health Scope: "
                         "0.218~0.549</TD></TR><TR><TD>&nbsp;</TD><TD>1. >0.549 Positive: "),
              std::string::npos);
    EXPECT_NE(slot3.find("<TD>2. <0.218 Negative: "), std::string::npos);
    const std::string slot11 = ReferenceText(11);
    EXPECT_NE(slot11.find("III. Urine Sugar Coefficient: &nbsp;&nbsp;&nbsp;&nbsp; Health "
                          "Scope: 2.204~2.819</TD></TR><TR><TD>&nbsp;</TD><TD>1. >2.819 "
                          "Positive: "),
              std::string::npos);
    EXPECT_NE(ReferenceText(4).find("Health Scope: 2.845~4.017</TD>"), std::string::npos);
    EXPECT_NE(ReferenceText(6).find("II. Total Lung Capacity TLC: &nbsp;&nbsp;&nbsp;&nbsp; "
                                    "Health Scope: (4301~4782)</TD>"),
              std::string::npos);
}

TEST(ReportTextsTest, TextReportListsItsItemsWithTheirNormalTexts) {
    const std::vector<Parameter> list = ReadParameters(ReferenceText(kTextReportSlot));
    const std::array<std::string_view, 4> headings{
        "I. Lumbar Fiber Protruding Dimension", "II. Adhesion Degree of Shoulder Muscle",
        "III. Limbs Circulation Limit", "IV. Age of Ligament"};
    const std::array<std::string_view, 4> scopes{"No Direction", "< u0.2", "+", "10%-40%"};
    ASSERT_EQ(list.size(), 4u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].heading, headings[i]);
        EXPECT_EQ(list[i].scope, scopes[i]);
        ASSERT_EQ(list[i].notes.size(), 2u);
        EXPECT_TRUE(IsPlainProse(NoteProse(list[i].notes[0], "1. ")));
        EXPECT_TRUE(IsPlainProse(NoteProse(list[i].notes[1], "2. ")));
    }
}

// --- Description boxes ---------------------------------------------------------------------

TEST(ReportTextsTest, DescriptionBoxesNameEveryItemInOrder) {
    for (int slot : kDescriptionSlots) {
        SCOPED_TRACE(slot);
        const ReportItems items = ItemsOf(slot);
        const std::string text = DescriptionText(slot);
        Reader reader(text);
        ASSERT_TRUE(reader.Expect(page::SectionBanner(1)));
        for (std::string_view name : items.names) {
            SCOPED_TRACE(std::string(name));
            ASSERT_TRUE(reader.Expect(kBoxStart));
            ASSERT_TRUE(reader.Expect(name));
            ASSERT_TRUE(reader.Expect(":</B></TD></TR>"));
            int paragraphs = 0;
            while (reader.StartsWith("<TR><TD>")) {
                reader.Expect("<TR><TD>");
                const std::string paragraph = reader.Until("</TD></TR>");
                EXPECT_TRUE(IsPlainProse(paragraph)) << paragraph;
                EXPECT_TRUE(paragraph.ends_with('.')) << paragraph;
                ++paragraphs;
            }
            EXPECT_GE(paragraphs, 1);
            ASSERT_TRUE(reader.Expect("</TABLE>\n"));
        }
        EXPECT_TRUE(reader.AtEnd()) << reader.rest().substr(0, 80);
    }
}

TEST(ReportTextsTest, DescriptionBoxShape) {
    const std::string_view paragraphs[] = {"First.", "Second."};
    EXPECT_EQ(page::DescriptionBox("Three triiodothyronine (T3)", "(N)", " lead", paragraphs),
              std::string(kBoxStart) +
                  "Three triiodothyronine (T3)(N):</B> lead</TD></TR><TR><TD>First.</TD></TR>"
                  "<TR><TD>Second.</TD></TR></TABLE>\n");
}

// --- Fixed fragments, byte for byte ----------------------------------------------------------

TEST(PageFragmentsTest, StyleSheetIsExact) {
    EXPECT_EQ(
        page::kStyleSheet,
        R"html(<STYLE>.title { FONT-SIZE: 18px; FONT-FAMILY: "Arial" } TD { FONT-SIZE: 11pt } .small { FONT-SIZE: 9pt } a:link { color: #000000; text-decoration: none; } a:visited { color: #000000; text-decoration: none; } a:hover { color: #FF0000;  text-decoration: underline;} .table { BORDER-RIGHT: #000000 0px; BORDER-TOP: #000000 1px solid; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 0px } .td { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  .td2 { BORDER-RIGHT:  #ffffff 0px; BORDER-TOP: #ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  .NOPRINT { FONT-SIZE: 9pt; FONT-FAMILY: "Arial" } .wtable { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #000000 1px solid; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } .lineone { BORDER-RIGHT: #ffffff 0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid } .lineone1 { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid } .three { BORDER-RIGHT: #ffffff 0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } .right { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #ffffff 0px } .leftright { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #ffffff 0px } .xtable { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } </STYLE>)html");
    EXPECT_EQ(page::kStyleSheet.find('\n'), std::string_view::npos);
}

TEST(PageFragmentsTest, FootIsExact) {
    EXPECT_EQ(
        page::kPageFoot,
        R"html(<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td height=12></td></tr></table>)html"
        "\n"
        R"html(<table cellSpacing=0 cellPadding=0 width=600 align=Center border=0><tr><td><hr color=#FF9933 size=2></td></tr></table>)html"
        "\n"
        R"html(<TABLE cellSpacing=0 cellPadding=0 width=590 align=center border=0><TR height=5><TD></TD></TR><TR align=right><TD colSpan=2>The test results are for reference only and not as a diagnostic conclusion.</TD></TR></table>)html"
        "\n"
        R"html(</body>)html"
        "\n"
        R"html(</html>)html");
}

TEST(PageFragmentsTest, SectionBannersAreExact) {
    EXPECT_EQ(
        page::SectionBanner(0),
        R"html(<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td height=20></td></tr></table>)html"
        "\n"
        R"html(<TABLE cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR align=middle><TD><STRONG>Reference Standard:</STRONG></TD><TD colspan=2><TABLE cellSpacing=0 cellPadding=0 border=0><TR><TD><img src=YCMark4.jpg border=0>&nbsp;</TD><TD><B>Normal(-)</B></TD><TD><img src=YCMark3.jpg border=0>&nbsp;</TD><TD><B>Mildly Abnormal(+)</B></TD></TR><TR><TD><img src=YCMark2.jpg border=0>&nbsp;</TD><TD><B>Moderately Abnormal(++)</B></TD><TD><img src=YCMark1.jpg border=0>&nbsp;</TD><TD><B>Severely Abnormal(+++)</B></TD></TR></TABLE></TD></TR>)html");
    EXPECT_EQ(
        page::SectionBanner(1),
        R"html(<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td height=30></td></tr></table>)html"
        "\n"
        R"html(<TABLE class=wtable cellSpacing=4 cellPadding=3 width=590 align=center border=0 bgcolor=b3d9ed><TR><TD align=center><B>Parameter Description</B></TD></TABLE>)html");
    EXPECT_EQ(
        page::SectionBanner(2),
        R"html(<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td height=20></td></tr></table>)html"
        "\n"
        R"html(<TABLE cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR><TD colspan=2><STRONG>Testing Parameter Description:</STRONG></TD></TR>)html");
    EXPECT_EQ(page::SectionBanner(-1), "");
    EXPECT_EQ(page::SectionBanner(3), "");
}

TEST(PageFragmentsTest, TableHeadsAreExact) {
    const std::string withResult =
        R"html(<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td height=8></td></tr></table>)html"
        "\n"
        R"html(<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>Actual Testing Results</STRONG></Font></TD></TR></TABLE><TABLE class=table cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed height=28><TD class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD class=td><STRONG>Actual Measurement Value</STRONG></TD><TD class=td><STRONG>Testing Result</STRONG></TD></TR>)html";
    const std::string resultCell = R"html(<TD class=td><STRONG>Testing Result</STRONG></TD>)html";
    std::string withoutResult = withResult;
    withoutResult.erase(withoutResult.find(resultCell), resultCell.size());
    EXPECT_EQ(page::ResultsTableHead(true), withResult);
    EXPECT_EQ(page::ResultsTableHead(false), withoutResult);
    EXPECT_EQ(
        page::kSystemTableHead,
        R"html(<TABLE class=table cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed height=28><TD class=td><STRONG>System</STRONG></TD><TD class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD class=td><STRONG>Actual Measurement Value</STRONG></TD><TD class=td><STRONG>Testing Result</STRONG></TD></TR>)html");
    EXPECT_EQ(
        page::kAdviceTableHead,
        R"html(<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>About the problems of sub-health trends</STRONG></Font></TD></TR></TABLE><TABLE class=table cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed height=28><TD class=td><STRONG>System</STRONG></TD><TD class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD class=td><STRONG>Actual Measurement Value</STRONG></TD><TD class=td><STRONG>Expert advice</STRONG></TD></TR>)html");
}

TEST(PageFragmentsTest, PageHeadIsExact) {
    const std::string title = page::PageTitle("Bone Mineral Density", false);
    page::PageHeadFields fields;
    fields.title = title;
    fields.name = "Ann Lee";
    fields.sex = "Female";
    fields.age = 41;
    fields.figure = "Standard body weight(165cm,58kg)";
    fields.testTime = "2024/03/05 14:07";
    EXPECT_EQ(
        page::FormatPageHead(fields),
        R"html(<html>
)html"
        R"html(<head>
)html"
        R"html(<meta http-equiv="Content-Type"; content = "text/html; charset=Windows-1252" >
)html"
        R"html(<title>Test Report</title>
)html"
        R"html(<STYLE>.title { FONT-SIZE: 18px; FONT-FAMILY: "Arial" } TD { FONT-SIZE: 11pt } .small { FONT-SIZE: 9pt } a:link { color: #000000; text-decoration: none; } a:visited { color: #000000; text-decoration: none; } a:hover { color: #FF0000;  text-decoration: underline;} .table { BORDER-RIGHT: #000000 0px; BORDER-TOP: #000000 1px solid; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 0px } .td { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  .td2 { BORDER-RIGHT:  #ffffff 0px; BORDER-TOP: #ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  .NOPRINT { FONT-SIZE: 9pt; FONT-FAMILY: "Arial" } .wtable { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #000000 1px solid; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } .lineone { BORDER-RIGHT: #ffffff 0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid } .lineone1 { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid } .three { BORDER-RIGHT: #ffffff 0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } .right { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #ffffff 0px } .leftright { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #ffffff 0px } .xtable { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } </STYLE>
)html"
        R"html(</head>
)html"
        R"html(<body style="background-image:url(Pagebg.jpg);background-position:center">
)html"
        R"html(<table cellSpacing=4 cellPadding=0 width=600 align=Center border=0><tr><td align=middle colspan=3><font size=6>(Bone Mineral Density) Analysis Report Card</font></td></tr><tr><td width=100% colspan=3><hr color=#FF9933 size=2></td></tr><tr><td width=30%>Name: Ann Lee</td><td width=30% align=center>Sex: Female</td><td width=30% align=center>Age: 41</td></tr><tr><td colspan=3><table width=100% cellSpacing=0 cellPadding=0 ><tr><td width=50% align=left>Figure: Standard body weight(165cm,58kg)</td><td width=50% align=right>Testing Time: 2024/03/05 14:07</td></tr></table></td></tr><tr><td width=100% colspan=3><hr color=#FF9933 size=2></td></tr></table>
)html");
}

TEST(PageFragmentsTest, PageTitleWrapsUnlessKept) {
    EXPECT_EQ(page::PageTitle("Bone Mineral Density", false),
              "(Bone Mineral Density) Analysis Report Card");
    EXPECT_EQ(page::PageTitle("Comprehensive Report Card", true), "Comprehensive Report Card");
}

// The person block holds operator-typed text: it must stay text, never become markup or a
// format.
TEST(PageFragmentsTest, PersonValuesAreInsertedAsText) {
    page::PageHeadFields fields;
    fields.title = "A & B";
    fields.name = "<script>x()</script> %s %d \"q\"";
    fields.figure = "Standard body weight(1<2cm,64kg)";
    const std::string head = page::FormatPageHead(fields);
    EXPECT_NE(head.find("<font size=6>A &amp; B</font>"), std::string::npos);
    EXPECT_NE(head.find("Name: &lt;script&gt;x()&lt;/script&gt; %s %d &quot;q&quot;</td>"),
              std::string::npos);
    EXPECT_NE(head.find("Figure: Standard body weight(1&lt;2cm,64kg)</td>"), std::string::npos);
    EXPECT_EQ(head.find("<script>"), std::string::npos);
}

TEST(PageFragmentsTest, FixedThreeDecimalsMatchTheCFormat) {
    for (double v : {0.0, 0.23, 3.23, 48.264, 65.369, 7.3449999, 0.0005, 0.0015, 2.0005, 1234.5675,
                     4301.0, -1.5, 65.37099999999}) {
        std::array<char, 64> expected{};
        std::snprintf(expected.data(), expected.size(), "%0.3f", v);
        EXPECT_EQ(page::FormatFixed3(v), expected.data()) << v;
    }
}

TEST(PageFragmentsTest, RomanNumerals) {
    const std::array<std::pair<int, std::string_view>, 11> cases{{{1, "I"},
                                                                  {2, "II"},
                                                                  {4, "IV"},
                                                                  {5, "V"},
                                                                  {9, "IX"},
                                                                  {14, "XIV"},
                                                                  {19, "XIX"},
                                                                  {40, "XL"},
                                                                  {1994, "MCMXCIV"},
                                                                  {0, ""},
                                                                  {4000, ""}}};
    for (auto [n, text] : cases)
        EXPECT_EQ(page::RomanNumeral(n), text) << n;
}

} // namespace
} // namespace hv
