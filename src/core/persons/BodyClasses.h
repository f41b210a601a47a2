#pragma once

#include <string>
#include <string_view>

namespace hv {

// Reads a number the way the editor's height and weight boxes are read: leading blanks, an
// optional sign, then the leading decimal digits ("170cm" reads 170). Text without leading
// digits reads 0; values beyond the 32-bit range are clamped to it.
int ParseLeadingInteger(std::string_view text);

// The two-letter height class stored in BzHW: the height in centimetres against the
// standard height of the sex (169 for men, 158 for women).
//   ZP  at most the standard
//   QP  up to 5 % above it
//   BZ  up to 20 % above it
//   QS  up to 30 % above it
//   ZS  more than 30 % above it
std::string HeightClassCode(int heightCm, bool male);

// The string id of the weight class stored in Result: the weight in kilograms against the
// standard weight of the height ((h - 80) x 0.7 for men, (h - 70) x 0.6 for women), from
// "Severe underweight" (at most 80 % of it) to "Severe partial fat" (more than 120 %).
int WeightClassId(int heightCm, int weightKg, bool male);

// The text of WeightClassId, as stored in Result.
std::string WeightClassText(int heightCm, int weightKg, bool male);

} // namespace hv
