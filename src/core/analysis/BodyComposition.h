#pragma once

#include "analysis/ValueRows.h"
#include "data/AdoDb.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// The body-composition report (report 99): computed once from the person's height, weight,
// sex and age at the first test, then carried unchanged to every later test.

inline constexpr int kBodyCompositionColumns = 28;

struct BodyMeasures {
    int height = 0; // cm
    int weight = 0; // kg
    bool female = false;
    int age = 0;
    std::string heightText; // as the person's record holds them, for the bars
    std::string weightText;
};

// Height and weight from the person's texts, read as whole numbers from their leading
// digits ("172.5" is 172). False when either is not a number from 1 to 9999, or when the
// height is too small for the standard-weight formula (80 cm or less for a man, 70 cm or
// less for a woman), since every ratio of the report divides by that weight.
bool ParseBodyMeasures(std::string_view heightText, std::string_view weightText, bool female,
                       int age, BodyMeasures& measures);

// The person's standard weight: (H - 80) * 0.7 for a man, (H - 70) * 0.6 for a woman.
double StandardWeight(const BodyMeasures& m);

// The 28 values (Value01 .. Value28; 20 to 23 stay empty) of a first body composition,
// drawn with the generator's current state: the fat share, the muscle ratio when it lies
// outside 0.9..1.1, the waist-hip ratio, the body cell mass and the body form score.
std::vector<DbValue> ComputeBodyComposition(const BodyMeasures& m);

// The 18 marks of the integrated assessment ("#" or "&nbsp;"), row by row: the three
// muscle rows by the three weight columns, then protein, fattiness and inorganic salt by
// absent, well and excess. stored holds Value01 .. Value28.
std::array<std::string, 18> AssessmentCells(const std::vector<DbValue>& stored,
                                            const BodyMeasures& m);

// The page body: the 18 sections from the composition table to the body form score.
std::string BodyCompositionBody(const std::vector<DbValue>& stored, const BodyMeasures& m);

// Makes sure the test's report-99 row exists: a copy of the person's latest row when there
// is one (whatever the height and weight are now), otherwise computed afresh. When the row
// existed or was created, row receives its values.
RowState EnsureBodyCompositionRow(CAdoDb& db, std::int32_t measId, std::int32_t examerId,
                                  const BodyMeasures& m, std::vector<DbValue>* row = nullptr);

} // namespace hv
