#include "analysis/PageFragments.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <system_error>

namespace hv::page {

const std::string_view kStyleSheet =
    "<STYLE>.title { FONT-SIZE: 18px; FONT-FAMILY: \"Arial\" } TD { FONT-SIZE: 11pt } .small { "
    "FONT-SIZE: 9pt } a:link { color: #000000; text-decoration: none; } a:visited { color: "
    "#000000; text-decoration: none; } a:hover { color: #FF0000;  text-decoration: underline;} "
    ".table { BORDER-RIGHT: #000000 0px; BORDER-TOP: #000000 1px solid; BORDER-LEFT: #000000 1px "
    "solid; BORDER-BOTTOM: #000000 0px } .td { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: "
    "#ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  "
    ".td2 { BORDER-RIGHT:  #ffffff 0px; BORDER-TOP: #ffffff 0px; FONT-SIZE: 14px; BORDER-LEFT: "
    "#ffffff 0px; BORDER-BOTTOM: #000000 1px solid }  .NOPRINT { FONT-SIZE: 9pt; FONT-FAMILY: "
    "\"Arial\" } .wtable { BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #000000 1px solid; "
    "BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 1px solid } .lineone { BORDER-RIGHT: "
    "#ffffff 0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 "
    "1px solid } .lineone1 { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #000000 1px solid;  "
    "BORDER-LEFT: #ffffff 0px; BORDER-BOTTOM: #000000 1px solid } .three { BORDER-RIGHT: #ffffff "
    "0px; BORDER-TOP: #000000 1px solid;  BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #000000 "
    "1px solid } .right { BORDER-RIGHT:  #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: "
    "#ffffff 0px; BORDER-BOTTOM: #ffffff 0px } .leftright { BORDER-RIGHT:  #000000 1px solid; "
    "BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; BORDER-BOTTOM: #ffffff 0px } .xtable "
    "{ BORDER-RIGHT: #000000 1px solid; BORDER-TOP: #ffffff 0px; BORDER-LEFT: #000000 1px solid; "
    "BORDER-BOTTOM: #000000 1px solid } </STYLE>";

const std::string_view kPageBackground = "Pagebg.jpg";

const std::string_view kPageFoot =
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=12></td></tr></table>\n"
    "<table cellSpacing=0 cellPadding=0 width=600 align=Center border=0><tr><td><hr color=#FF9933 "
    "size=2></td></tr></table>\n"
    "<TABLE cellSpacing=0 cellPadding=0 width=590 align=center border=0><TR "
    "height=5><TD></TD></TR><TR align=right><TD colSpan=2>The test results are for reference only "
    "and not as a diagnostic conclusion.</TD></TR></table>\n"
    "</body>\n"
    "</html>";

const std::string_view kSystemTableHead =
    "<TABLE class=table cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR class=td "
    "align=middle bgcolor=b3d9ed height=28><TD class=td><STRONG>System</STRONG></TD><TD "
    "class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD "
    "class=td><STRONG>Actual Measurement Value</STRONG></TD><TD class=td><STRONG>Testing "
    "Result</STRONG></TD></TR>";

const std::string_view kAdviceTableHead =
    "<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>About the problems of "
    "sub-health trends</STRONG></Font></TD></TR></TABLE><TABLE class=table cellSpacing=0 "
    "cellPadding=3 width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed "
    "height=28><TD class=td><STRONG>System</STRONG></TD><TD class=td><STRONG>Testing "
    "Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD class=td><STRONG>Actual "
    "Measurement Value</STRONG></TD><TD class=td><STRONG>Expert advice</STRONG></TD></TR>";

const std::string_view kRangeRowsEnd = "<TR><TD colspan=3 height=8> </TD></TR></TABLE>\n";

const std::string_view kParameterListEnd = "<TR><TD colspan=2 height=8> </TD></TR></TABLE>\n";

namespace {

constexpr std::array<std::string_view, 3> kSectionBanners{
    // Reference legend.
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=20></td></tr></table>\n"
    "<TABLE cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR "
    "align=middle><TD><STRONG>Reference Standard:</STRONG></TD><TD colspan=2><TABLE cellSpacing=0 "
    "cellPadding=0 border=0><TR><TD><img src=YCMark4.jpg "
    "border=0>&nbsp;</TD><TD><B>Normal(-)</B></TD><TD><img src=YCMark3.jpg "
    "border=0>&nbsp;</TD><TD><B>Mildly Abnormal(+)</B></TD></TR><TR><TD><img src=YCMark2.jpg "
    "border=0>&nbsp;</TD><TD><B>Moderately Abnormal(++)</B></TD><TD><img src=YCMark1.jpg "
    "border=0>&nbsp;</TD><TD><B>Severely Abnormal(+++)</B></TD></TR></TABLE></TD></TR>",
    // Parameter description.
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=30></td></tr></table>\n"
    "<TABLE class=wtable cellSpacing=4 cellPadding=3 width=590 align=center border=0 "
    "bgcolor=b3d9ed><TR><TD align=center><B>Parameter Description</B></TD></TABLE>",
    // Testing parameters.
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=20></td></tr></table>\n"
    "<TABLE cellSpacing=0 cellPadding=3 width=590 align=center border=0><TR><TD "
    "colspan=2><STRONG>Testing Parameter Description:</STRONG></TD></TR>",
};

constexpr std::string_view kResultsHeadWithResult =
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=8></td></tr></table>\n"
    "<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>Actual Testing "
    "Results</STRONG></Font></TD></TR></TABLE><TABLE class=table cellSpacing=0 cellPadding=3 "
    "width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed height=28><TD "
    "class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD "
    "class=td><STRONG>Actual Measurement Value</STRONG></TD><TD class=td><STRONG>Testing "
    "Result</STRONG></TD></TR>";

constexpr std::string_view kResultsHeadWithoutResult =
    "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
    "height=8></td></tr></table>\n"
    "<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>Actual Testing "
    "Results</STRONG></Font></TD></TR></TABLE><TABLE class=table cellSpacing=0 cellPadding=3 "
    "width=590 align=center border=0><TR class=td align=middle bgcolor=b3d9ed height=28><TD "
    "class=td><STRONG>Testing Item</STRONG></TD><TD class=td><STRONG>Normal Range</STRONG></TD><TD "
    "class=td><STRONG>Actual Measurement Value</STRONG></TD></TR>";

// The page head up to the style sheet, and the lines after it up to the body.
constexpr std::string_view kHeadTop =
    "<html>\n"
    "<head>\n"
    "<meta http-equiv=\"Content-Type\"; content = \"text/html; charset=Windows-1252\" >\n"
    "<title>Test Report</title>\n";
constexpr std::string_view kHeadAfterStyle = "</head>\n";
constexpr std::string_view kBodyOpen = "<body style=\"background-image:url(";
constexpr std::string_view kBodyOpenEnd = ");background-position:center\">\n";

// The person block, cut at its six values: title, name, sex, age, figure, test time.
constexpr std::array<std::string_view, 7> kPersonBlock{
    "<table cellSpacing=4 cellPadding=0 width=600 align=Center border=0><tr><td align=middle "
    "colspan=3><font size=6>",
    "</font></td></tr><tr><td width=100% colspan=3><hr color=#FF9933 size=2></td></tr><tr><td "
    "width=30%>Name: ",
    "</td><td width=30% align=center>Sex: ",
    "</td><td width=30% align=center>Age: ",
    "</td></tr><tr><td colspan=3><table width=100% cellSpacing=0 cellPadding=0 ><tr><td width=50% "
    "align=left>Figure: ",
    "</td><td width=50% align=right>Testing Time: ",
    "</td></tr></table></td></tr><tr><td width=100% colspan=3><hr color=#FF9933 "
    "size=2></td></tr></table>",
};

} // namespace

std::string_view SectionBanner(int k) {
    if (k < 0 || k >= static_cast<int>(kSectionBanners.size()))
        return {};
    return kSectionBanners[static_cast<std::size_t>(k)];
}

std::string_view ResultsTableHead(bool withResultColumn) {
    return withResultColumn ? kResultsHeadWithResult : kResultsHeadWithoutResult;
}

std::string PageTitle(std::string_view reportName, bool keepTitle) {
    if (keepTitle)
        return std::string(reportName);
    std::string title = "(";
    title += reportName;
    title += ") Analysis Report Card";
    return title;
}

std::string FormatPageHead(const PageHeadFields& fields) {
    std::string head;
    head += kHeadTop;
    head += kStyleSheet;
    head += '\n';
    head += kHeadAfterStyle;
    head += kBodyOpen;
    head += HtmlEscape(fields.background);
    head += kBodyOpenEnd;
    const std::array<std::string, 6> values{HtmlEscape(fields.title),  HtmlEscape(fields.name),
                                            HtmlEscape(fields.sex),    std::to_string(fields.age),
                                            HtmlEscape(fields.figure), HtmlEscape(fields.testTime)};
    for (std::size_t i = 0; i < values.size(); ++i) {
        head += kPersonBlock[i];
        head += values[i];
    }
    head += kPersonBlock.back();
    head += '\n';
    return head;
}

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FormatFixed3(double value) {
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 3);
    if (ec != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::string RomanNumeral(int n) {
    struct Symbol {
        int value;
        std::string_view text;
    };
    static constexpr std::array<Symbol, 13> kSymbols{{{1000, "M"},
                                                      {900, "CM"},
                                                      {500, "D"},
                                                      {400, "CD"},
                                                      {100, "C"},
                                                      {90, "XC"},
                                                      {50, "L"},
                                                      {40, "XL"},
                                                      {10, "X"},
                                                      {9, "IX"},
                                                      {5, "V"},
                                                      {4, "IV"},
                                                      {1, "I"}}};
    if (n < 1 || n > 3999)
        return {};
    std::string out;
    for (const Symbol& s : kSymbols) {
        for (; n >= s.value; n -= s.value)
            out += s.text;
    }
    return out;
}

std::string RangeRows(std::string_view name, const RangeCells& cells) {
    std::string rows = "<TR><TD colspan=3 height=8> </TD></TR><TR align=middle><TD>";
    rows += name;
    rows += ":</TD><TD>";
    rows += cells.normal;
    rows += "(-)</TD><TD>";
    rows += cells.mild;
    rows += "(+)</TD></TR><TR align=middle><TD>&nbsp;</TD><TD>";
    rows += cells.moderate;
    rows += "(++)</TD><TD>";
    rows += cells.severe;
    rows += "(+++)</TD></TR>";
    return rows;
}

std::string ParameterHeading(int ordinal, std::string_view name, std::string_view scope) {
    std::string row = "<TR><TD colspan=2 height=8> </TD></TR><TR><TD colspan=2>";
    row += RomanNumeral(ordinal);
    row += ". ";
    row += name;
    row += ": &nbsp;&nbsp;&nbsp;&nbsp; Health Scope: ";
    row += scope;
    row += "</TD></TR>";
    return row;
}

std::string ParameterNoteRow(std::string_view text) {
    std::string row = "<TR><TD>&nbsp;</TD><TD>";
    row += text;
    row += "</TD></TR>";
    return row;
}

std::string DescriptionBox(std::string_view name, std::string_view unit, std::string_view lead,
                           std::span<const std::string_view> paragraphs) {
    std::string box = "<TABLE class=xtable cellSpacing=4 cellPadding=0 width=590 align=center "
                      "border=0 bgcolor=ebf5fb><TR><TD><B>";
    box += name;
    box += unit;
    box += ":</B>";
    box += lead;
    box += "</TD></TR>";
    for (std::string_view paragraph : paragraphs) {
        box += "<TR><TD>";
        box += paragraph;
        box += "</TD></TR>";
    }
    box += "</TABLE>\n";
    return box;
}

} // namespace hv::page
