// The page body of the body-composition report: six sections of fixed tables filled with
// the stored values.

#include "analysis/BodyComposition.h"
#include "analysis/PageFragments.h"
#include "analysis/ValueText.h"

#include <cmath>
#include <span>

namespace hv {
namespace {

using Values = std::vector<DbValue>;

double At(const Values& v, int column) {
    const auto k = static_cast<std::size_t>(column - 1);
    return k < v.size() ? v[k].AsDouble() : 0.0;
}

std::string TextOf(const Values& v, int column) {
    return ValueText(At(v, column));
}

std::string Heading(std::string_view text) {
    std::string out = "<TABLE width=590 align=center border=0><TR><TD><Font size=3><STRONG>";
    out += text;
    out += "</STRONG></Font></TD></TR></TABLE>";
    out += "<TABLE width=590 align=center border=0 cellpadding=0 cellspacing=0><tr><td "
           "height=12></td></tr></table>\n";
    return out;
}

std::string Note(std::span<const std::string_view> lines) {
    std::string out = "<TABLE width=590 align=center border=0 cellpadding=2 cellspacing=0>";
    for (std::string_view line : lines) {
        out += "<TR><TD class=small>";
        out += line;
        out += "</TD></TR>";
    }
    out += "</TABLE>\n";
    return out;
}

std::string Scale(std::span<const std::string_view> ticks) {
    std::string out =
        "<TABLE cellSpacing=0 cellPadding=0 width=600 align=center border=1 "
        "bordercolor=#c0c0c0><TR><TD width=124 align=center><FONT size=2><B>Property</B>"
        "</FONT></TD><TD width=150 align=center><FONT size=2><B>Substandard</B></FONT></TD>"
        "<TD width=100 align=center><FONT size=2><B>Standard</B></FONT></TD><TD width=226 "
        "align=center><FONT size=2><B>Over stander</B></FONT></TD></TR></TABLE>\n"
        "<TABLE cellSpacing=0 cellPadding=0 width=600 align=center border=0><TR><TD "
        "width=100>&nbsp;</TD>";
    for (std::size_t i = 0; i < ticks.size(); ++i)
        out += "<TD width=50 align=center>|</TD>";
    out += "</TR><TR><TD width=100>&nbsp;</TD>";
    for (std::string_view tick : ticks) {
        out += "<TD width=50 align=center><FONT size=2>";
        out += tick;
        out += "</FONT></TD>";
    }
    out += "</TR></TABLE>\n";
    return out;
}

std::string BarRow(std::string_view label, const std::string& width, const std::string& value) {
    std::string out = "<TABLE align=center cellSpacing=0 cellPadding=0 width=600 border=0><TR>"
                      "<TD width=125 align=center><FONT size=2>";
    out += label;
    out += "</FONT></TD><TD align=left width=475 colSpan=10 valign=center><img src=Mark.jpg "
           "width=";
    out += width;
    out += " height=15 border=0/>&nbsp;<FONT size=3>";
    out += value;
    out += "</FONT></TD></TR></TABLE>\n";
    return out;
}

std::string Cell(std::string_view text, std::string_view attributes = {}) {
    std::string out = "<TD class=td";
    if (!attributes.empty()) {
        out += ' ';
        out += attributes;
    }
    out += '>';
    out += text;
    out += "</TD>";
    return out;
}

constexpr std::string_view kTableOpen =
    "<TABLE class=table cellSpacing=0 cellPadding=3 width=590 align=center border=0>";
constexpr std::string_view kHeadRowOpen = "<TR class=td align=middle bgcolor=b3d9ed height=28>";
constexpr std::string_view kRowOpen = "<TR class=td align=middle bgcolor=ebf5fb>";

std::string CompositionTable(const Values& v) {
    std::string out = Heading("1.The componential analysis of body");
    out += kTableOpen;
    out += kHeadRowOpen;
    for (std::string_view head : {"Componential classification", "Measurements", "Body moisture",
                                  "Muscle volume", "Lean body weight", "Weight"})
        out += Cell("<STRONG>" + std::string(head) + "</STRONG>");
    out += "</TR>";
    // A staircase: each sum starts on the row of its last part and spans the rows below.
    struct Row {
        std::string_view part;
        int column;
        std::string sum;
        int sumColumn;
    };
    const std::array<Row, 5> rows{{
        {"(1)Intracellular Fluid (L)", 1, {}, 0},
        {"(2)Extracellular Fluid(L)", 2, "(6)Body moisture=(1)+(2)=", 6},
        {"(3)Protein(Kg)", 3, "(7)Muscle volume=(6)+(3)=", 7},
        {"(4)Inorganic substance(Kg)", 4, "(8)Lean body weight=(7)+(4)=", 8},
        {"(5)Body fat(Kg)", 5, "&nbsp;(9)Weight=(8)+(5)=", 9},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const int blanks = 4 - static_cast<int>(i);
        out += kRowOpen;
        out += Cell(row.part);
        out += Cell(TextOf(v, row.column));
        if (row.sumColumn)
            out += Cell(row.sum + TextOf(v, row.sumColumn),
                        i < 4 ? "rowspan=" + std::to_string(5 - i) : std::string());
        if (blanks > 0)
            out += Cell("&nbsp;", "colspan=" + std::to_string(blanks));
        out += "</TR>";
    }
    out += "</TABLE>\n";
    return out;
}

constexpr std::array<std::string_view, 10> kHeightTicks{"80%",  "85%",  "90%",  "95%",  "100%",
                                                        "105%", "110%", "115%", "120%", "125%"};
constexpr std::array<std::string_view, 10> kWeightTicks{"60%",  "70%",  "80%",  "90%",  "100%",
                                                        "110%", "120%", "130%", "140%", "150%"};
constexpr std::array<std::string_view, 10> kMuscleTicks{"20%",  "40%",  "60%",  "80%",  "100%",
                                                        "120%", "140%", "160%", "180%", "200%"};
constexpr std::array<std::string_view, 10> kFatTicks{"0%",  "5%",  "10%", "15%", "20%",
                                                     "25%", "30%", "35%", "40%", "45%"};
constexpr std::array<std::string_view, 10> kRatioTicks{"0.65", "0.70", "0.75", "0.80", "0.85",
                                                       "0.90", "0.95", "1.00", "1.05", "1.10"};

std::string FatAnalysis(const Values& v, const BodyMeasures& m) {
    const std::string heightText = page::HtmlEscape(m.heightText);
    const std::string weightText = page::HtmlEscape(m.weightText);
    std::string out = Heading("2.Fat analysis");
    out += Scale(kHeightTicks);                                      // 2
    out += BarRow("1.Height(Cm)", TextOf(v, 10), heightText + "cm"); // 3
    constexpr std::array<std::string_view, 3> kHeightNote{
        "The average of height of male adult is 169cm, and of female is 158cm.",
        "A common estimate of a son's adult height: (father's height + mother's height) x "
        "1.08 / 2 (cm).",
        "A common estimate of a daughter's adult height: (father's height x 0.923 + mother's "
        "height) / 2 (cm)."};
    out += Note(kHeightNote);
    out += Scale(kWeightTicks);                                      // 4
    out += BarRow("2.Weight(Kg)", TextOf(v, 11), weightText + "kg"); // 5
    constexpr std::array<std::string_view, 3> kWeightNote{
        "The way to calculate the standard body weight in World Health Organization",
        "Male:(height(cm)-80)*70% ", "Female:(height(cm)-70)*60%."};
    out += Note(kWeightNote); // 6
    out += Scale(kWeightTicks);
    out += BarRow("3.Muscle mass", TextOf(v, 12), TextOf(v, 7) + "Kg"); // 7
    constexpr std::array<std::string_view, 2> kMuscleNote{
        "The muscle is 35%-48% of weight.",
        "Muscle uses energy even at rest, so more muscle raises the basal metabolism, the "
        "energy the body needs to keep its functions going while resting."};
    out += Note(kMuscleNote); // 8
    out += Scale(kMuscleTicks);
    out += BarRow("4.Body fat content", TextOf(v, 13), TextOf(v, 5) + "Kg"); // 9
    constexpr std::array<std::string_view, 1> kFatNote{
        "Body fat content in healthy human: male 14%~20% , female 17%~24%."};
    out += Note(kFatNote); // 10
    out += Scale(kFatTicks);
    const std::string percentWidth = std::to_string(static_cast<int>(std::trunc(At(v, 14) * 10)));
    out += BarRow("5.Body fat percentage", percentWidth, TextOf(v, 14) + "%"); // 11
    constexpr std::array<std::string_view, 2> kPercentNote{
        "The body fat percentage is the share of fat in the body weight; it is usually "
        "14~20% for men and 17%~24% for women.",
        "Above 25% for men or 30% for women is commonly counted as overweight, and above 30% "
        "for men or 35% for women as obesity."};
    out += Note(kPercentNote); // 12
    out += Scale(kRatioTicks);
    const std::string ratioWidth =
        std::to_string(static_cast<int>(std::trunc((At(v, 15) - 0.65) * 1000)));
    out += BarRow("6.Ratio of abdominal fat", ratioWidth, TextOf(v, 15)); // 13
    constexpr std::array<std::string_view, 1> kRatioNote{
        "The waist-hip ratio is the waist girth divided by the hip girth; a ratio above 1.0 "
        "for men or above 0.85 for women means that fat is stored mainly around the "
        "abdomen."};
    out += Note(kRatioNote);
    return out;
}

std::string Nourishment(const Values& v) {
    std::string out = Heading("3.Nourishment");
    out += kTableOpen;
    const std::array<std::pair<std::string_view, std::string>, 4> rows{{
        {"Obesity degree of body(ODB)", TextOf(v, 16) + "%"},
        {"Body mass index (BMI)", TextOf(v, 17) + " Kg/M<sup>2</sup>"},
        {"Basal metabolism rate(BMR)", TextOf(v, 18) + " kcal"},
        {"Body cell mass (BCM)", TextOf(v, 19) + " Kg"},
    }};
    for (const auto& [label, value] : rows) {
        out += kRowOpen;
        out += Cell(label, "width=295");
        out += Cell(value);
        out += "</TR>";
    }
    out += "</TABLE>\n";
    out += Note(std::array<std::string_view, 1>{"BMI-- body mass index:"});
    constexpr std::array<std::string_view, 7> kClasses{
        "Low weight",        "Standard",          "Overweight",         "Early obesity",
        "One-level obesity", "Two-level obesity", "Three-level obesity"};
    constexpr std::array<std::string_view, 7> kLimits{"&lt;18.5", "18.5~22.9", "&gt;=23", "23~24.9",
                                                      "25~29.9",  "&gt;30",    "&gt;=40"};
    out += kTableOpen;
    out += kHeadRowOpen;
    for (std::string_view c : kClasses)
        out += Cell(c);
    out += "</TR>";
    out += kRowOpen;
    for (std::string_view l : kLimits)
        out += Cell(l);
    out += "</TR></TABLE>\n";
    // 15
    constexpr std::array<std::string_view, 2> kBmrNote{
        "BMR (unit:Calorie)",
        "The basal metabolism rate is the energy the body uses in a day at complete rest to "
        "keep breathing, circulation and body temperature going. It grows with weight and "
        "height and falls slowly with age."};
    out += Note(kBmrNote);
    return out;
}

std::string Assessment(const Values& v, const BodyMeasures& m) {
    const std::array<std::string, 18> cells = AssessmentCells(v, m);
    std::string out = Heading("4.Integrated Assessment");
    out += kTableOpen;
    const auto head = [&](std::array<std::string_view, 3> columns) {
        out += kHeadRowOpen;
        out += Cell("&nbsp;", "width=170");
        for (std::string_view c : columns)
            out += Cell("<STRONG>" + std::string(c) + "</STRONG>", "width=140");
        out += "</TR>";
    };
    const auto rows = [&](std::array<std::string_view, 3> labels, std::size_t first) {
        for (std::size_t r = 0; r < labels.size(); ++r) {
            out += kRowOpen;
            out += Cell(labels[r]);
            for (std::size_t c = 0; c < 3; ++c)
                out += Cell(cells[first + r * 3 + c]);
            out += "</TR>";
        }
    };
    head({"Low weight", "Standard", "High weight"});
    rows({"Low muscles type", "Ordinary", "Muscles type"}, 0);
    head({"Absent", "Well", "Excess"});
    rows({"Protein", "Fattiness", "Inorganic salt"}, 9);
    out += kRowOpen;
    out += Cell("Upper and lower balance");
    out += Cell("#&nbsp;Standard", "colspan=3");
    out += "</TR>";
    out += kRowOpen;
    out += Cell("Symmetery");
    out += Cell("#&nbsp;Balanced", "colspan=3");
    out += "</TR></TABLE>\n";
    return out;
}

std::string WeightControl(const Values& v) {
    std::string out = Heading("5.Weight control");
    out += kTableOpen;
    const std::array<std::pair<std::string_view, int>, 4> rows{{{"Target weight", 24},
                                                                {"Weight control", 25},
                                                                {"Fat control", 26},
                                                                {"Muscle control", 27}}};
    for (const auto& [label, column] : rows) {
        out += kRowOpen;
        out += Cell(label, "width=295");
        out += Cell(TextOf(v, column) + " Kg");
        out += "</TR>";
    }
    out += "</TABLE>\n";
    constexpr std::array<std::string_view, 4> kNotes{
        "1. The target weight is the standard weight for the height.",
        "2. The weight control is the difference between the target weight and the present "
        "weight: a negative figure is weight to lose, a positive one weight to gain.",
        "3. The fat control is the part of that difference that concerns body fat.",
        "4. The muscle control is the part of that difference that concerns muscle."};
    out += Note(kNotes);
    return out;
}

std::string BodyForm(const Values& v) {
    std::string out = Heading("6.Body form Assessment");
    out += "<TABLE width=590 align=center border=0><TR><TD>Body form Assessment:";
    out += TextOf(v, 28);
    out += " Standard declaration: >=70 means pass,>=80 means fine ,>=90 means excellent.";
    out += "</TD></TR></TABLE>\n";
    return out;
}

} // namespace

std::string BodyCompositionBody(const std::vector<DbValue>& stored, const BodyMeasures& m) {
    std::string body = CompositionTable(stored);
    body += FatAnalysis(stored, m);
    body += Nourishment(stored);
    body += Assessment(stored, m);
    body += WeightControl(stored);
    body += BodyForm(stored);
    return body;
}

} // namespace hv
