#pragma once

#include <array>
#include <span>
#include <string_view>

namespace hv {

// The fixed vocabulary of the analysis: the 40 report slots, their items in order, each
// item's normal range and band limits, and the words and colours that grade a result.
// Immutable; read by every thread without locking. Lookups go by slot and position, never
// by item name (the same name occurs in more than one report).

inline constexpr int kReportSlotCount = 40;
inline constexpr int kTextReportSlot = 8;       // report 09: four text-valued items
inline constexpr int kBodyCompositionSlot = 39; // report 99: computed from the person
inline constexpr int kGallbladderSlot = 3;      // report 04, item 5: "Bilirubin (DBIL)"
inline constexpr int kBloodSugarSlot = 11;      // report 12: reference items, not summarised
inline constexpr int kBasicConditionSlot = 12;  // report 13, item 5: "PH"

// A person of this age or younger at the test date gets only the five child reports
// (R15, R23, R24, R30, R39), whatever their sex.
inline constexpr int kChildAge = 12;
inline constexpr std::array<int, 5> kChildSlots{14, 22, 23, 29, 38};

inline bool GetsChildReports(int age) {
    return age <= kChildAge;
}

// The layout of an item's bands. Stored as a double in ItemRange::kind and compared for
// exact equality.
enum class RangeKind { Rising = 0, Falling = 1, TwoSided = 2, Reference = 3 };

struct ItemRange {
    double normalLow;
    double normalHigh;
    double outer1;
    double outer2;
    double kind; // a RangeKind as 0.0 .. 3.0
};

inline bool IsKind(const ItemRange& r, RangeKind k) {
    return r.kind == static_cast<double>(static_cast<int>(k));
}

struct ReportItems {
    std::span<const std::string_view> names;
    std::span<const ItemRange> ranges;
};

// The items of a numeric slot (0..38 except 8), in item order. False for slots 8 and 39 and
// for slots outside 0..39.
bool GetReportItems(int slot, ReportItems& items);

// The item count of a slot (0 for slot 39, whose layout is its own; 0 outside 0..39).
int ItemCount(int slot);

// The report number of a slot: slot + 1, or 99 for slot 39.
int ReportNumber(int slot);

// Where the three result words of a reference item (within, below, above its range) start
// in GradeLabels, for a slot and a 1-based item number: 10 for "PH" of report 13 (Normal,
// Acid, Alkaline), 7 for "Bilirubin (DBIL)" of report 04 and "Urine Sugar Coefficient" of
// report 12 (Health Scope, Negative, Positive), 4 for every other item (Health Scope,
// Reduction, Increase).
int ReferenceLabelBase(int slot, int item);

// The text-valued report's items and their fixed normal-range texts.
struct TextItem {
    std::string_view name;
    std::string_view normalRange;
};
extern const std::array<TextItem, 4> TextReportItems;

// Result words indexed 0..12 and HTML colours indexed 0..3 (normal, mild, moderate, severe).
extern const std::array<std::string_view, 13> GradeLabels;
extern const std::array<std::string_view, 4> GradeColors;

// The composite page's file name part and title.
inline constexpr std::string_view kCompositeFileName = "Compositive Report";
inline constexpr std::string_view kCompositeTitle = "Comprehensive Report Card";

} // namespace hv
