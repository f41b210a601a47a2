#include "analysis/Catalogue.h"

#include <cstddef>

namespace hv {
namespace {

constexpr double kRising = static_cast<double>(static_cast<int>(RangeKind::Rising));
constexpr double kFalling = static_cast<double>(static_cast<int>(RangeKind::Falling));
constexpr double kTwoSided = static_cast<double>(static_cast<int>(RangeKind::TwoSided));
constexpr double kReference = static_cast<double>(static_cast<int>(RangeKind::Reference));

// The item names and band limits of every numeric report, in item order. A record reads
// {normalLow, normalHigh, outer1, outer2, kind}. Rising items: normal, then mild up to
// outer1, moderate up to outer2, severe beyond. Falling items mirror that below the normal
// range. Reference items only tell within, below or above; their outer limits sit just
// outside the normal range and bound the generated values.
//
// One record keeps an order break on purpose: "Total Bilirubin (TBIL)" has outer2 (0.623)
// below normalHigh (0.686); value generation copes with the reversed upper band.

// Report 01
constexpr std::array<std::string_view, 15> kNames00{"Blood Viscosity",
                                                    "Cholesterol Crystal",
                                                    "Blood Fat",
                                                    "Vascular Resistance",
                                                    "Vascular Elasticity",
                                                    "Myocardial Blood Demand",
                                                    "Myocardial Blood Perfusion Volume",
                                                    "Myocardial Oxygen Consumption",
                                                    "Stroke Volume",
                                                    "Left Ventricular Ejection Impedance",
                                                    "Left Ventricular Effective Pump Power",
                                                    "Coronary Artery Elasticity",
                                                    "Coronary Perfusion Pressure",
                                                    "Cerebral Blood Vessel Elasticity",
                                                    "Brain Tissue Blood Supply Status"};
constexpr std::array<ItemRange, 15> kRanges00{{
    {48.264, 65.371, 69.645, 73.673, kRising},  // Blood Viscosity
    {56.749, 67.522, 69.447, 74.927, kRising},  // Cholesterol Crystal
    {0.481, 1.043, 1.669, 1.892, kRising},      // Blood Fat
    {0.327, 0.937, 1.543, 1.857, kRising},      // Vascular Resistance
    {1.672, 1.978, 1.511, 1.047, kFalling},     // Vascular Elasticity
    {0.192, 0.412, 0.571, 0.716, kRising},      // Myocardial Blood Demand
    {4.832, 5.147, 4.177, 4.029, kFalling},     // Myocardial Blood Perfusion Volume
    {3.321, 4.244, 5.847, 6.472, kRising},      // Myocardial Oxygen Consumption
    {1.338, 1.672, 0.647, 0.139, kFalling},     // Stroke Volume
    {0.669, 1.544, 2.037, 2.417, kRising},      // Left Ventricular Ejection Impedance
    {1.554, 1.988, 1.076, 0.597, kFalling},     // Left Ventricular Effective Pump Power
    {1.553, 2.187, 1.182, 0.983, kFalling},     // Coronary Artery Elasticity
    {11.719, 18.418, 8.481, 21.274, kTwoSided}, // Coronary Perfusion Pressure
    {0.708, 1.942, 0.431, 0.109, kFalling},     // Cerebral Blood Vessel Elasticity
    {6.138, 21.396, 3.219, 1.214, kFalling},    // Brain Tissue Blood Supply Status
}};

// Report 02
constexpr std::array<std::string_view, 5> kNames01{
    "Pepsin Secretion Coefficient", "Gastric Peristalsis Function Coefficient",
    "Gastric Absorption Function Coefficient", "Small Intestine Peristalsis Function Coefficient",
    "Small Intestine Absorption Function Coefficient"};
constexpr std::array<ItemRange, 5> kRanges01{{
    {2.137, 2.891, 1.873, 1.564, kFalling}, // Pepsin Secretion Coefficient
    {3.152, 4.326, 2.659, 2.213, kFalling}, // Gastric Peristalsis Function Coefficient
    {1.424, 2.185, 1.188, 0.967, kFalling}, // Gastric Absorption Function Coefficient
    {2.374, 3.156, 2.077, 1.819, kFalling}, // Small Intestine Peristalsis Function Coefficient
    {2.951, 4.216, 2.635, 2.157, kFalling}, // Small Intestine Absorption Function Coefficient
}};

// Report 03
constexpr std::array<std::string_view, 5> kNames02{
    "Protein Metabolism", "Energy Production Function", "Detoxification Function",
    "Bile Secretion Function", "Liver Fat Content"};
constexpr std::array<ItemRange, 5> kRanges02{{
    {1.345, 1.892, 1.115, 0.907, kFalling}, // Protein Metabolism
    {0.632, 0.854, 0.563, 0.499, kFalling}, // Energy Production Function
    {1.375, 1.833, 1.201, 1.05, kFalling},  // Detoxification Function
    {0.185, 0.432, 0.152, 0.122, kFalling}, // Bile Secretion Function
    {0.097, 0.419, 0.564, 0.715, kRising},  // Liver Fat Content
}};

// Report 04
constexpr std::array<std::string_view, 5> kNames03{
    "Serum Globulin (A/G)", "Total Bilirubin (TBIL)", "Alkaline Phosphatase (ALP)",
    "Serum Total Bile Acid (TBA)", "Bilirubin (DBIL)"};
constexpr std::array<ItemRange, 5> kRanges03{{
    {126.0, 159.0, 116.0, 169.0, kReference}, // Serum Globulin (A/G)
    {0.232, 0.686, 0.201, 0.623, kReference}, // Total Bilirubin (TBIL)
    {0.082, 0.342, 0.041, 0.422, kReference}, // Alkaline Phosphatase (ALP)
    {0.317, 0.695, 0.237, 0.812, kReference}, // Serum Total Bile Acid (TBA)
    {0.218, 0.549, 0.122, 0.693, kReference}, // Bilirubin (DBIL)
}};

// Report 05
constexpr std::array<std::string_view, 3> kNames04{"Insulin", "Pancreatic Polypeptide (PP)",
                                                   "Glucagon"};
constexpr std::array<ItemRange, 3> kRanges04{{
    {2.845, 4.017, 2.634, 4.158, kReference}, // Insulin
    {3.21, 3.576, 3.17, 3.635, kReference},   // Pancreatic Polypeptide (PP)
    {2.124, 3.387, 1.972, 3.501, kReference}, // Glucagon
}};

// Report 06
constexpr std::array<std::string_view, 4> kNames05{
    "Urobilinogen Index", "Uric acid Index", "Blood urea nitrogen(BUN) Index", "Proteinuria Index"};
constexpr std::array<ItemRange, 4> kRanges05{{
    {2.762, 5.424, 6.09, 7.261, kRising},  // Urobilinogen Index
    {1.435, 5.312, 7.057, 8.879, kRising}, // Uric acid Index
    {4.326, 6.614, 7.369, 8.559, kRising}, // Blood urea nitrogen(BUN) Index
    {1.219, 1.847, 2.023, 2.249, kRising}, // Proteinuria Index
}};

// Report 07
constexpr std::array<std::string_view, 4> kNames06{"Vital Capacity VC", "Total Lung Capacity TLC",
                                                   "Airway Resistance RAM",
                                                   "Arterial Oxygen Content PaCO2"};
constexpr std::array<ItemRange, 4> kRanges06{{
    {3350.0, 3960.0, 3277.0, 4015.0, kReference}, // Vital Capacity VC
    {4301.0, 4782.0, 4224.0, 4849.0, kReference}, // Total Lung Capacity TLC
    {1.026, 2.156, 0.924, 2.359, kReference},     // Airway Resistance RAM
    {17.903, 21.012, 17.468, 21.354, kReference}, // Arterial Oxygen Content PaCO2
}};

// Report 08
constexpr std::array<std::string_view, 5> kNames07{
    "Status of Brain Tissue Blood Supply", "Cerebral Arteriosclerosis",
    "Functional Status of Cranial Nerve", "Sentiment Index", "Memory Index(ZS)"};
constexpr std::array<ItemRange, 5> kRanges07{{
    {8.425, 19.786, 6.15, 4.103, kFalling}, // Status of Brain Tissue Blood Supply
    {0.127, 0.583, 0.711, 0.875, kRising},  // Cerebral Arteriosclerosis
    {2.544, 4.215, 1.959, 1.387, kFalling}, // Functional Status of Cranial Nerve
    {0.631, 1.213, 1.457, 1.678, kRising},  // Sentiment Index
    {0.442, 0.817, 0.34, 0.249, kFalling},  // Memory Index(ZS)
}};

// Report 10
constexpr std::array<std::string_view, 5> kNames09{
    "Osteoclast Coefficient", "Amount of Calcium Loss", "Degree of Bone Hyperplasia",
    "Degree of Osteoporosis", "Bone Mineral Density"};
constexpr std::array<ItemRange, 5> kRanges09{{
    {0.853, 1.142, 1.243, 1.361, kRising},  // Osteoclast Coefficient
    {0.124, 0.472, 0.618, 0.75, kRising},   // Amount of Calcium Loss
    {0.293, 0.613, 0.712, 0.805, kRising},  // Degree of Bone Hyperplasia
    {1.872, 3.356, 3.92, 4.41, kRising},    // Degree of Osteoporosis
    {1.342, 2.463, 1.062, 0.808, kFalling}, // Bone Mineral Density
}};

// Report 11
constexpr std::array<std::string_view, 5> kNames10{
    "Degree of Cervical Calcification", "Degree of Lumbar Calcification",
    "Bone Hyperplasia Coefficient", "Osteoporosis Coefficient", "Rheumatism Coefficient"};
constexpr std::array<ItemRange, 5> kRanges10{{
    {421.0, 540.0, 590.0, 635.0, kRising}, // Degree of Cervical Calcification
    {386.0, 497.0, 531.0, 563.0, kRising}, // Degree of Lumbar Calcification
    {0.213, 0.574, 0.711, 0.83, kRising},  // Bone Hyperplasia Coefficient
    {2.176, 3.862, 4.284, 5.026, kRising}, // Osteoporosis Coefficient
    {4.347, 6.218, 7.06, 7.939, kRising},  // Rheumatism Coefficient
}};

// Report 12
constexpr std::array<std::string_view, 3> kNames11{
    "Coefficient of Insulin Secretion", "Blood Sugar Coefficient", "Urine Sugar Coefficient"};
constexpr std::array<ItemRange, 3> kRanges11{{
    {2.967, 3.528, 2.832, 3.743, kReference}, // Coefficient of Insulin Secretion
    {2.163, 7.321, 1.974, 7.632, kReference}, // Blood Sugar Coefficient
    {2.204, 2.819, 2.062, 3.014, kReference}, // Urine Sugar Coefficient
}};

// Report 13
constexpr std::array<std::string_view, 5> kNames12{"Response Ability", "Mental Power",
                                                   "Water Shortage", "Hypoxia", "PH"};
constexpr std::array<ItemRange, 5> kRanges12{{
    {59.786, 65.424, 57.331, 54.347, kFalling},     // Response Ability
    {58.715, 63.213, 56.729, 52.743, kFalling},     // Mental Power
    {33.967, 37.642, 31.265, 28.431, kFalling},     // Water Shortage
    {133.642, 141.476, 126.619, 123.321, kFalling}, // Hypoxia
    {7.35, 7.45, 7.34, 7.46, kReference},           // PH
}};

// Report 14
constexpr std::array<std::string_view, 5> kNames13{"Heavy Metal", "Stimulating Beverage",
                                                   "Electromagnetic Radiation",
                                                   "Tobacco / Nicotine", "Toxic Pesticide Residue"};
constexpr std::array<ItemRange, 5> kRanges13{{
    {0.103, 0.432, 0.514, 0.659, kRising}, // Heavy Metal
    {0.321, 0.856, 1.097, 1.348, kRising}, // Stimulating Beverage
    {0.204, 0.685, 0.844, 1.094, kRising}, // Electromagnetic Radiation
    {0.115, 0.589, 0.722, 0.893, kRising}, // Tobacco / Nicotine
    {0.097, 0.383, 0.483, 0.6, kRising},   // Toxic Pesticide Residue
}};

// Report 15
constexpr std::array<std::string_view, 19> kNames14{
    "Calcium",  "Iron",   "Zinc",      "Selenium",  "Phosphorus", "Potassium", "Magnesium",
    "Copper",   "Cobalt", "Manganese", "Iodine",    "Nickel",     "Fluorine",  "Molybdenum",
    "Vanadium", "Tin",    "Silicon",   "Strontium", "Boron"};
constexpr std::array<ItemRange, 19> kRanges14{{
    {1.219, 3.021, 0.914, 0.64, kFalling},  // Calcium
    {1.151, 1.847, 0.944, 0.758, kFalling}, // Iron
    {1.143, 1.989, 0.906, 0.669, kFalling}, // Zinc
    {0.847, 2.045, 0.618, 0.412, kFalling}, // Selenium
    {1.186, 1.847, 0.937, 0.713, kFalling}, // Phosphorus
    {0.689, 0.987, 0.597, 0.511, kFalling}, // Potassium
    {0.568, 0.992, 0.466, 0.374, kFalling}, // Magnesium
    {0.474, 0.749, 0.405, 0.307, kFalling}, // Copper
    {2.316, 4.638, 1.691, 1.128, kFalling}, // Cobalt
    {0.895, 3.668, 0.707, 0.538, kFalling}, // Manganese
    {1.214, 3.453, 0.911, 0.638, kFalling}, // Iodine
    {2.435, 5.614, 1.997, 1.603, kFalling}, // Nickel
    {1.143, 4.168, 0.88, 0.643, kFalling},  // Fluorine
    {0.433, 0.796, 0.32, 0.215, kFalling},  // Molybdenum
    {1.629, 4.237, 1.287, 0.979, kFalling}, // Vanadium
    {1.201, 3.025, 0.901, 0.631, kFalling}, // Tin
    {1.425, 5.326, 1.169, 0.938, kFalling}, // Silicon
    {1.835, 2.864, 1.495, 1.115, kFalling}, // Strontium
    {1.324, 2.185, 1.083, 0.773, kFalling}, // Boron
}};

// Report 16
constexpr std::array<std::string_view, 3> kNames15{
    "Degree of Prostatic Hyperplasia", "Degree of Prostatic Calcification", "Prostatitis Syndrome"};
constexpr std::array<ItemRange, 3> kRanges15{{
    {1.023, 3.23, 4.258, 6.549, kRising},  // Degree of Prostatic Hyperplasia
    {2.584, 5.326, 6.094, 7.081, kRising}, // Degree of Prostatic Calcification
    {2.227, 3.629, 4.12, 4.695, kRising},  // Prostatitis Syndrome
}};

// Report 17
constexpr std::array<std::string_view, 3> kNames16{"Testosterone", "Gonadotropin",
                                                   "Erection Transmitter"};
constexpr std::array<ItemRange, 3> kRanges16{{
    {3.586, 6.128, 2.874, 2.132, kFalling},  // Testosterone
    {4.497, 7.195, 3.553, 2.46, kFalling},   // Gonadotropin
    {8.326, 16.739, 6.578, 5.004, kFalling}, // Erection Transmitter
}};

// Report 18
constexpr std::array<std::string_view, 9> kNames17{"Female Hormone",
                                                   "Gonadotropin",
                                                   "Prolactin",
                                                   "Progesterone",
                                                   "Vaginitis coefficient",
                                                   "PID coefficient",
                                                   "Appendicitis coefficient",
                                                   "Cervicitis coefficient",
                                                   "Ovarian cyst coefficient"};
constexpr std::array<ItemRange, 9> kRanges17{{
    {3.296, 8.84, 2.406, 1.605, kFalling},   // Female Hormone
    {4.886, 9.357, 3.86, 2.937, kFalling},   // Gonadotropin
    {3.142, 7.869, 2.357, 1.65, kFalling},   // Prolactin
    {6.818, 16.743, 5.591, 4.486, kFalling}, // Progesterone
    {2.052, 3.462, 3.815, 4.435, kRising},   // Vaginitis coefficient
    {2.274, 4.114, 4.942, 5.807, kRising},   // PID coefficient
    {1.158, 2.352, 2.746, 3.367, kRising},   // Appendicitis coefficient
    {2.153, 3.862, 4.341, 4.956, kRising},   // Cervicitis coefficient
    {2.127, 3.624, 4.148, 4.762, kRising},   // Ovarian cyst coefficient
}};

// Report 19
constexpr std::array<std::string_view, 10> kNames18{
    "Skin Free Radical Index",    "Skin Collagen Index",   "Skin Grease Index",
    "Skin Immunity Index",        "Skin Moisture Index",   "Skin Moisture Loss",
    "Skin Red Blood Trace Index", "Skin Elasticity Index", "Skin Melanin Index",
    "Skin Horniness Index"};
constexpr std::array<ItemRange, 10> kRanges18{{
    {0.346, 0.972, 1.235, 1.473, kRising},     // Skin Free Radical Index
    {4.572, 6.483, 3.98, 3.426, kFalling},     // Skin Collagen Index
    {14.477, 18.326, 19.789, 21.059, kRising}, // Skin Grease Index
    {1.035, 3.23, 3.779, 4.745, kRising},      // Skin Immunity Index
    {0.124, 0.453, 0.601, 0.756, kRising},     // Skin Moisture Index
    {0.218, 0.549, 0.658, 0.83, kRising},      // Skin Moisture Loss
    {0.232, 0.686, 0.813, 0.976, kRising},     // Skin Red Blood Trace Index
    {2.358, 3.421, 1.986, 1.604, kFalling},    // Skin Elasticity Index
    {0.239, 0.769, 0.992, 1.193, kRising},     // Skin Melanin Index
    {0.158, 0.624, 0.768, 0.903, kRising},     // Skin Horniness Index
}};

// Report 20
constexpr std::array<std::string_view, 7> kNames19{
    "Thyroid secretion index", "Parathyroid hormone secretion index",
    "Adrenal glands Index",    "Pituitary secretion index",
    "Pineal secretion index",  "Thymus gland secretion index",
    "Gland secretion index"};
constexpr std::array<ItemRange, 7> kRanges19{{
    {2.954, 5.543, 2.216, 1.551, kFalling}, // Thyroid secretion index
    {2.613, 4.231, 2.143, 1.72, kFalling},  // Parathyroid hormone secretion index
    {2.412, 2.974, 2.271, 2.024, kFalling}, // Adrenal glands Index
    {2.315, 2.782, 2.105, 1.886, kFalling}, // Pituitary secretion index
    {2.429, 3.168, 2.185, 1.801, kFalling}, // Pineal secretion index
    {2.571, 3.926, 2.192, 1.704, kFalling}, // Thymus gland secretion index
    {2.036, 2.834, 1.757, 1.43, kFalling},  // Gland secretion index
}};

// Report 21
constexpr std::array<std::string_view, 9> kNames20{"Lymph node Index",
                                                   "Tonsil immune Index",
                                                   "Bone marrow Index",
                                                   "Spleen index",
                                                   "Thymus index",
                                                   "Immunoglobulin index",
                                                   "Respiratory immune Index",
                                                   "Gastrointestinal immune Index",
                                                   "Mucosa immune Index"};
constexpr std::array<ItemRange, 9> kRanges20{{
    {0.153, 0.469, 0.589, 0.693, kRising},  // Lymph node Index
    {0.097, 0.356, 0.075, 0.055, kFalling}, // Tonsil immune Index
    {0.582, 1.269, 0.425, 0.284, kFalling}, // Bone marrow Index
    {1.057, 1.766, 0.835, 0.635, kFalling}, // Spleen index
    {0.376, 0.692, 0.288, 0.203, kFalling}, // Thymus index
    {3.015, 4.167, 2.612, 2.14, kFalling},  // Immunoglobulin index
    {3.781, 5.232, 3.172, 2.621, kFalling}, // Respiratory immune Index
    {4.283, 6.562, 3.577, 2.916, kFalling}, // Gastrointestinal immune Index
    {4.159, 5.738, 3.559, 3.038, kFalling}, // Mucosa immune Index
}};

// Report 22
constexpr std::array<std::string_view, 5> kNames21{
    "Hyperplasia of mammary glands coefficient", "Acute mastitis coefficient",
    "Chronic mastitis coefficient", "Endocrine dyscrasia coefficient",
    "Fibroadenoma of breast coefficient"};
constexpr std::array<ItemRange, 5> kRanges21{{
    {0.168, 0.532, 0.623, 0.783, kRising}, // Hyperplasia of mammary glands coefficient
    {0.236, 0.507, 0.629, 0.756, kRising}, // Acute mastitis coefficient
    {0.427, 0.763, 0.874, 1.049, kRising}, // Chronic mastitis coefficient
    {0.342, 0.716, 0.821, 0.956, kRising}, // Endocrine dyscrasia coefficient
    {0.153, 0.426, 0.522, 0.634, kRising}, // Fibroadenoma of breast coefficient
}};

// Report 23
constexpr std::array<std::string_view, 10> kNames22{
    "Vitamin A",   "Vitamin B1", "Vitamin B2", "Vitamin B3", "Vitamin B6",
    "Vitamin B12", "Vitamin C",  "Vitamin D3", "Vitamin E",  "Vitamin K"};
constexpr std::array<ItemRange, 10> kRanges22{{
    {0.346, 0.401, 0.321, 0.295, kFalling},    // Vitamin A
    {4.891, 5.147, 4.807, 4.674, kFalling},    // Vitamin B1
    {1.274, 1.638, 1.172, 1.041, kFalling},    // Vitamin B2
    {14.477, 21.749, 11.932, 9.587, kFalling}, // Vitamin B3
    {0.824, 1.338, 0.634, 0.463, kFalling},    // Vitamin B6
    {6.428, 7.351, 6.142, 5.874, kFalling},    // Vitamin B12
    {4.543, 5.023, 4.361, 4.203, kFalling},    // Vitamin C
    {5.327, 7.109, 4.882, 4.098, kFalling},    // Vitamin D3
    {4.826, 6.013, 4.292, 3.734, kFalling},    // Vitamin E
    {0.717, 1.486, 0.552, 0.404, kFalling},    // Vitamin K
}};

// Report 24
constexpr std::array<std::string_view, 10> kNames23{
    "Lysine",     "Tryptophan", "Phenylalanine", "Methionine", "Threonine",
    "Isoleucine", "Leucine",    "Valine",        "Histidine",  "Arginine"};
constexpr std::array<ItemRange, 10> kRanges23{{
    {0.253, 0.659, 0.793, 1.004, kRising}, // Lysine
    {2.374, 3.709, 4.083, 4.564, kRising}, // Tryptophan
    {1.287, 1.795, 1.973, 2.181, kRising}, // Phenylalanine
    {0.731, 1.307, 1.549, 1.768, kRising}, // Methionine
    {0.474, 0.749, 0.834, 0.914, kRising}, // Threonine
    {2.462, 3.631, 4.075, 4.461, kRising}, // Isoleucine
    {1.794, 2.482, 2.654, 2.957, kRising}, // Leucine
    {2.215, 2.719, 2.946, 3.183, kRising}, // Valine
    {2.426, 3.015, 3.209, 3.515, kRising}, // Histidine
    {0.708, 0.947, 1.014, 1.1, kRising},   // Arginine
}};

// Report 25
constexpr std::array<std::string_view, 7> kNames24{"Lead",    "Mercury",  "Cadmium", "Chromium",
                                                   "Arsenic", "Antimony", "Thallium"};
constexpr std::array<ItemRange, 7> kRanges24{{
    {0.052, 0.643, 0.808, 1.021, kRising}, // Lead
    {0.037, 0.285, 0.372, 0.474, kRising}, // Mercury
    {0.029, 0.174, 0.235, 0.29, kRising},  // Cadmium
    {0.126, 0.367, 0.442, 0.512, kRising}, // Chromium
    {0.015, 0.147, 0.197, 0.241, kRising}, // Arsenic
    {0.021, 0.175, 0.214, 0.282, kRising}, // Antimony
    {0.012, 0.083, 0.115, 0.148, kRising}, // Thallium
}};

// Report 26
constexpr std::array<std::string_view, 16> kNames25{"Bacterial allergy",
                                                    "Antibiotics",
                                                    "Heterologous serum",
                                                    "Cain mixture",
                                                    "Epoxy",
                                                    "Quinoline mix",
                                                    "Microbial infection",
                                                    "Ionizing radiation",
                                                    "Potassium dichromate",
                                                    "Kaba mixture",
                                                    "Animal hair",
                                                    "Paint",
                                                    "UV",
                                                    "Formaldehyde",
                                                    "Lanolin alcohol",
                                                    "Chloride"};
constexpr std::array<ItemRange, 16> kRanges25{{
    {0.124, 0.453, 0.568, 0.703, kRising}, // Bacterial allergy
    {0.061, 0.33, 0.443, 0.545, kRising},  // Antibiotics
    {0.142, 0.387, 0.463, 0.534, kRising}, // Heterologous serum
    {0.063, 0.324, 0.423, 0.509, kRising}, // Cain mixture
    {0.088, 0.348, 0.413, 0.527, kRising}, // Epoxy
    {0.047, 0.359, 0.499, 0.646, kRising}, // Quinoline mix
    {0.163, 0.421, 0.506, 0.64, kRising},  // Microbial infection
    {0.072, 0.269, 0.324, 0.395, kRising}, // Ionizing radiation
    {0.053, 0.347, 0.45, 0.571, kRising},  // Potassium dichromate
    {0.094, 0.378, 0.497, 0.605, kRising}, // Kaba mixture
    {0.135, 0.446, 0.542, 0.632, kRising}, // Animal hair
    {0.077, 0.362, 0.47, 0.564, kRising},  // Paint
    {0.121, 0.413, 0.486, 0.614, kRising}, // UV
    {0.059, 0.325, 0.445, 0.57, kRising},  // Formaldehyde
    {0.066, 0.311, 0.392, 0.519, kRising}, // Lanolin alcohol
    {0.082, 0.372, 0.453, 0.557, kRising}, // Chloride
}};

// Report 27
constexpr std::array<std::string_view, 8> kNames26{"Orbicularis muscle hypertrophy (eye index)",
                                                   "Collagen wrinkle eye",
                                                   "Skin pigmentation (dark circles index)",
                                                   "Lymphatic obstruction",
                                                   "Relaxation under the vertical",
                                                   "Edema",
                                                   "Eye cell activity",
                                                   "Visual fatigue"};
constexpr std::array<ItemRange, 8> kRanges26{{
    {0.406, 0.809, 0.978, 1.131, kRising},  // Orbicularis muscle hypertrophy (eye index)
    {4.267, 5.318, 3.941, 3.636, kFalling}, // Collagen wrinkle eye
    {0.286, 0.538, 0.634, 0.717, kRising},  // Skin pigmentation (dark circles index)
    {0.327, 0.594, 0.661, 0.778, kRising},  // Lymphatic obstruction
    {0.241, 0.589, 0.746, 0.91, kRising},   // Relaxation under the vertical
    {0.158, 0.496, 0.608, 0.784, kRising},  // Edema
    {0.372, 0.726, 0.825, 0.952, kRising},  // Eye cell activity
    {2.954, 4.328, 4.809, 5.372, kRising},  // Visual fatigue
}};

// Report 28
constexpr std::array<std::string_view, 5> kNames27{"Tolerance function", "Lipid metabolism",
                                                   "Brown adipose tissue function", "Sleep Apnea",
                                                   "High insulin"};
constexpr std::array<ItemRange, 5> kRanges27{{
    {0.513, 1.186, 1.395, 1.59, kRising},   // Tolerance function
    {1.992, 3.713, 1.574, 1.198, kFalling}, // Lipid metabolism
    {2.359, 3.174, 2.155, 1.796, kFalling}, // Brown adipose tissue function
    {0.148, 0.429, 0.555, 0.687, kRising},  // Sleep Apnea
    {0.628, 0.957, 1.066, 1.237, kRising},  // High insulin
}};

// Report 29
constexpr std::array<std::string_view, 5> kNames28{
    "Bone alkaline phosphatase", "Osteocalcin", "Status of long bone healing",
    "Short bone cartilage healing situation", "Epiphyseal line"};
constexpr std::array<ItemRange, 5> kRanges28{{
    {1.342, 1.968, 1.104, 0.897, kFalling}, // Bone alkaline phosphatase
    {2.218, 2.946, 2.036, 1.716, kFalling}, // Osteocalcin
    {3.462, 4.589, 2.955, 2.425, kFalling}, // Status of long bone healing
    {3.356, 4.272, 3.054, 2.578, kFalling}, // Short bone cartilage healing situation
    {0.831, 1.157, 0.74, 0.623, kFalling},  // Epiphyseal line
}};

// Report 30
constexpr std::array<std::string_view, 6> kNames29{
    "Nicotinamide", "Biotin", "Pantothenic acid", "Folic acid", "Coenzyme Q10", "Glutathione"};
constexpr std::array<ItemRange, 6> kRanges29{{
    {2.071, 3.419, 1.734, 1.268, kFalling}, // Nicotinamide
    {1.214, 1.634, 1.025, 0.828, kFalling}, // Biotin
    {1.923, 2.758, 1.647, 1.249, kFalling}, // Pantothenic acid
    {1.148, 1.564, 1.032, 0.882, kFalling}, // Folic acid
    {0.921, 1.524, 0.728, 0.554, kFalling}, // Coenzyme Q10
    {0.575, 0.928, 0.431, 0.302, kFalling}, // Glutathione
}};

// Report 31
constexpr std::array<std::string_view, 5> kNames30{"Semen volume", "PH", "Liquefying time",
                                                   "Number of sperms", "Sperm motility rate"};
constexpr std::array<ItemRange, 5> kRanges30{{
    {2.014, 5.863, 1.651, 1.325, kFalling},     // Semen volume
    {7.203, 7.987, 6.944, 6.536, kFalling},     // PH
    {12.504, 29.387, 34.114, 40.192, kRising},  // Liquefying time
    {21.236, 59.753, 16.776, 12.762, kFalling}, // Number of sperms
    {0.502, 0.836, 0.377, 0.264, kFalling},     // Sperm motility rate
}};

// Report 32
constexpr std::array<std::string_view, 4> kNames31{"Beta hormone", "Reflect protein", "Fibrinogen",
                                                   "Sedimentation rate"};
constexpr std::array<ItemRange, 4> kRanges31{{
    {0.517, 0.829, 0.414, 0.307, kFalling}, // Beta hormone
    {2.136, 3.417, 1.777, 1.316, kFalling}, // Reflect protein
    {2.013, 4.012, 4.712, 5.532, kRising},  // Fibrinogen
    {0.321, 0.762, 0.947, 1.115, kRising},  // Sedimentation rate
}};

// Report 33
constexpr std::array<std::string_view, 7> kNames32{"Blood viscosity",
                                                   "Total cholesterol(TC)",
                                                   "Triglyceride(TG)",
                                                   "High-density lipoprotein(HDL-C)",
                                                   "Low-density lipoprotein(LDL-C)",
                                                   "Meutral fat(MB)",
                                                   "Circulating immune complex(CIC)"};
constexpr std::array<ItemRange, 7> kRanges32{{
    {52.136, 63.852, 67.132, 71.35, kRising},   // Blood viscosity
    {3.106, 5.184, 2.454, 1.867, kFalling},     // Total cholesterol(TC)
    {0.563, 1.681, 2.151, 2.576, kRising},      // Triglyceride(TG)
    {1.082, 1.931, 0.887, 0.712, kFalling},     // High-density lipoprotein(HDL-C)
    {1.547, 3.124, 3.723, 4.243, kRising},      // Low-density lipoprotein(LDL-C)
    {2.105, 3.752, 4.164, 4.889, kRising},      // Meutral fat(MB)
    {13.562, 17.396, 11.837, 10.035, kFalling}, // Circulating immune complex(CIC)
}};

// Report 34
constexpr std::array<std::string_view, 16> kNames33{"Hand Tai Yin Lung Meridian",
                                                    "Hand Yangming Large Intestine Meridian",
                                                    "Foot Yangming Stomach Meridian",
                                                    "Foot Tai Yin Lung Meridian",
                                                    "Hand Shao Yin Heart Sutra",
                                                    "Hand the small intestine by the sun",
                                                    "Bladder full sun",
                                                    "Foot Shao Yin Kidney",
                                                    "Pericardium by",
                                                    "Hand-Shaoyang triple burner",
                                                    "Foot Gallbladder",
                                                    "Foot Jue Yin Liver",
                                                    "Jen mai",
                                                    "Governor meridian",
                                                    "Vital meridian",
                                                    "Tai mai"};
constexpr std::array<ItemRange, 16> kRanges33{{
    {0.546, 0.916, 1.046, 1.198, kRising}, // Hand Tai Yin Lung Meridian
    {0.613, 0.962, 1.109, 1.242, kRising}, // Hand Yangming Large Intestine Meridian
    {0.587, 0.874, 0.963, 1.046, kRising}, // Foot Yangming Stomach Meridian
    {0.552, 0.938, 1.085, 1.212, kRising}, // Foot Tai Yin Lung Meridian
    {0.604, 0.987, 1.083, 1.252, kRising}, // Hand Shao Yin Heart Sutra
    {0.571, 0.903, 1.052, 1.208, kRising}, // Hand the small intestine by the sun
    {0.628, 0.951, 1.058, 1.226, kRising}, // Bladder full sun
    {0.536, 0.889, 0.988, 1.115, kRising}, // Foot Shao Yin Kidney
    {0.594, 0.926, 1.042, 1.178, kRising}, // Pericardium by
    {0.563, 0.947, 1.108, 1.254, kRising}, // Hand-Shaoyang triple burner
    {0.611, 0.978, 1.092, 1.198, kRising}, // Foot Gallbladder
    {0.549, 0.892, 1.022, 1.135, kRising}, // Foot Jue Yin Liver
    {0.582, 0.935, 1.023, 1.178, kRising}, // Jen mai
    {0.617, 0.969, 1.127, 1.292, kRising}, // Governor meridian
    {0.558, 0.913, 1.03, 1.215, kRising},  // Vital meridian
    {0.596, 0.957, 1.058, 1.188, kRising}, // Tai mai
}};

// Report 35
constexpr std::array<std::string_view, 9> kNames34{"Stroke index",
                                                   "Stroke volume(SV)",
                                                   "Heart peripheral resistance(TRR)",
                                                   "Vascular resistance",
                                                   "Blood vessel elasticity(AC)",
                                                   "Pulse wave coefficient K",
                                                   "Cerebrovascular blood oxygen saturation(Sa)",
                                                   "Cerebrovascular blood oxygen volume(CaCO2)",
                                                   "Cerebrovascular blood oxygen presure(PaO2)"};
constexpr std::array<ItemRange, 9> kRanges34{{
    {34.573, 51.213, 27.584, 21.261, kFalling},  // Stroke index
    {61.364, 89.451, 98.158, 106.303, kRising},  // Stroke volume(SV)
    {1.036, 1.581, 1.788, 1.968, kRising},       // Heart peripheral resistance(TRR)
    {0.412, 0.953, 1.088, 1.326, kRising},       // Vascular resistance
    {1.024, 1.579, 0.809, 0.615, kFalling},      // Blood vessel elasticity(AC)
    {0.302, 0.496, 0.56, 0.661, kRising},        // Pulse wave coefficient K
    {0.912, 0.958, 0.971, 0.987, kRising},       // Cerebrovascular blood oxygen saturation(Sa)
    {17.426, 20.312, 16.416, 15.233, kFalling},  // Cerebrovascular blood oxygen volume(CaCO2)
    {83.241, 98.652, 105.125, 110.981, kRising}, // Cerebrovascular blood oxygen presure(PaO2)
}};

// Report 36
constexpr std::array<std::string_view, 14> kNames35{"Eye",
                                                    "Tooth",
                                                    "Hair and skin",
                                                    "Endocrine system",
                                                    "Circulatory system",
                                                    "Digestive system",
                                                    "Immune system",
                                                    "Motion systems",
                                                    "Muscle Tissue",
                                                    "Fat Metabolism",
                                                    "Detoxification and metabolism",
                                                    "Reproductive system",
                                                    "Nervous system",
                                                    "Skeleton"};
constexpr std::array<ItemRange, 14> kRanges35{{
    {6.352, 7.245, 6.075, 5.816, kFalling}, // Eye
    {6.115, 7.026, 5.769, 5.468, kFalling}, // Tooth
    {4.429, 6.213, 3.983, 3.198, kFalling}, // Hair and skin
    {4.126, 5.873, 3.34, 2.56, kFalling},   // Endocrine system
    {4.538, 6.018, 4.05, 3.28, kFalling},   // Circulatory system
    {4.773, 6.291, 4.348, 3.802, kFalling}, // Digestive system
    {3.956, 5.427, 3.441, 2.838, kFalling}, // Immune system
    {4.354, 5.922, 3.695, 3.099, kFalling}, // Motion systems
    {4.681, 6.112, 4.237, 3.822, kFalling}, // Muscle Tissue
    {3.742, 5.314, 3.145, 2.626, kFalling}, // Fat Metabolism
    {4.237, 5.786, 3.85, 3.168, kFalling},  // Detoxification and metabolism
    {3.318, 4.875, 2.617, 1.93, kFalling},  // Reproductive system
    {4.465, 5.987, 3.963, 3.172, kFalling}, // Nervous system
    {5.163, 6.742, 4.721, 4.153, kFalling}, // Skeleton
}};

// Report 37
constexpr std::array<std::string_view, 4> kNames36{
    "Large intestine peristalsis function coefficient", "Colonic absorption coefficient",
    "Intestinal bacteria coefficient", "Intraluminal pressure coefficient"};
constexpr std::array<ItemRange, 4> kRanges36{{
    {4.572, 5.941, 4.052, 3.6, kFalling},   // Large intestine peristalsis function coefficient
    {3.296, 4.774, 2.927, 2.277, kFalling}, // Colonic absorption coefficient
    {1.753, 2.926, 1.385, 1.054, kFalling}, // Intestinal bacteria coefficient
    {1.208, 1.863, 2.079, 2.42, kRising},   // Intraluminal pressure coefficient
}};

// Report 38
constexpr std::array<std::string_view, 4> kNames37{"Free thyroxine (FT4)", "Thyroglobulin",
                                                   "Anti-thyroglobulin antibodies",
                                                   "Three triiodothyronine (T3)"};
constexpr std::array<ItemRange, 4> kRanges37{{
    {0.983, 1.637, 1.801, 2.089, kRising},  // Free thyroxine (FT4)
    {1.273, 2.368, 2.861, 3.376, kRising},  // Thyroglobulin
    {1.426, 2.327, 1.129, 0.808, kFalling}, // Anti-thyroglobulin antibodies
    {0.882, 1.324, 1.448, 1.607, kRising},  // Three triiodothyronine (T3)
}};

// Report 39
constexpr std::array<std::string_view, 4> kNames38{
    "An oxygen-hydroxy phenyl ethanol", "GE neurotransmitters", "Vanilloid", "Creatine hormone"};
constexpr std::array<ItemRange, 4> kRanges38{{
    {0.433, 0.796, 0.342, 0.26, kFalling},  // An oxygen-hydroxy phenyl ethanol
    {0.617, 0.956, 0.505, 0.366, kFalling}, // GE neurotransmitters
    {1.247, 1.867, 1.073, 0.871, kFalling}, // Vanilloid
    {0.329, 0.582, 0.671, 0.775, kRising},  // Creatine hormone
}};
constexpr std::array<int, kReportSlotCount> kItemCounts{
    15, 5, 5,  5,  3, 4,  4, 5, 4, 5, 5, 3, 5, 5,  19, 3,  3, 9, 10, 7,
    9,  5, 10, 10, 7, 16, 8, 5, 5, 6, 5, 4, 7, 16, 9,  14, 4, 4, 4,  0};

// Indexed by slot; the text-valued and body-composition slots have no entry.
constexpr std::array<ReportItems, kReportSlotCount> kReports{{
    {kNames00, kRanges00},
    {kNames01, kRanges01},
    {kNames02, kRanges02},
    {kNames03, kRanges03},
    {kNames04, kRanges04},
    {kNames05, kRanges05},
    {kNames06, kRanges06},
    {kNames07, kRanges07},
    {},
    {kNames09, kRanges09},
    {kNames10, kRanges10},
    {kNames11, kRanges11},
    {kNames12, kRanges12},
    {kNames13, kRanges13},
    {kNames14, kRanges14},
    {kNames15, kRanges15},
    {kNames16, kRanges16},
    {kNames17, kRanges17},
    {kNames18, kRanges18},
    {kNames19, kRanges19},
    {kNames20, kRanges20},
    {kNames21, kRanges21},
    {kNames22, kRanges22},
    {kNames23, kRanges23},
    {kNames24, kRanges24},
    {kNames25, kRanges25},
    {kNames26, kRanges26},
    {kNames27, kRanges27},
    {kNames28, kRanges28},
    {kNames29, kRanges29},
    {kNames30, kRanges30},
    {kNames31, kRanges31},
    {kNames32, kRanges32},
    {kNames33, kRanges33},
    {kNames34, kRanges34},
    {kNames35, kRanges35},
    {kNames36, kRanges36},
    {kNames37, kRanges37},
    {kNames38, kRanges38},
    {},
}};

constexpr bool TablesMatchCounts() {
    for (std::size_t slot = 0; slot < kReports.size(); ++slot) {
        const auto count = static_cast<std::size_t>(kItemCounts[slot]);
        const bool hasItems = slot != kTextReportSlot && slot != kBodyCompositionSlot;
        const std::size_t expected = hasItems ? count : 0;
        if (kReports[slot].names.size() != expected || kReports[slot].ranges.size() != expected)
            return false;
    }
    return true;
}
static_assert(TablesMatchCounts(), "every numeric report lists as many names and records as "
                                   "its item count");

bool IsSlot(int slot) {
    return slot >= 0 && slot < kReportSlotCount;
}

} // namespace

bool GetReportItems(int slot, ReportItems& items) {
    if (!IsSlot(slot) || slot == kTextReportSlot || slot == kBodyCompositionSlot)
        return false;
    items = kReports[static_cast<std::size_t>(slot)];
    return true;
}

int ItemCount(int slot) {
    return IsSlot(slot) ? kItemCounts[static_cast<std::size_t>(slot)] : 0;
}

int ReportNumber(int slot) {
    return slot == kBodyCompositionSlot ? 99 : slot + 1;
}

int ReferenceLabelBase(int slot, int item) {
    if (slot == kBasicConditionSlot && item == 5)
        return 10; // "PH": Normal, Acid, Alkaline
    if ((slot == kGallbladderSlot && item == 5) || (slot == kBloodSugarSlot && item == 3))
        return 7; // Health Scope, Negative, Positive
    return 4;     // Health Scope, Reduction, Increase
}

const std::array<TextItem, 4> TextReportItems{{
    {"Lumbar Fiber Protruding Dimension", "No Direction"},
    {"Adhesion Degree of Shoulder Muscle", "< u0.2"},
    {"Limbs Circulation Limit", "+"},
    {"Age of Ligament", "10%-40%"},
}};

const std::array<std::string_view, 13> GradeLabels{"Normal(-)",
                                                   "Mildly Abnormal(+)",
                                                   "Moderately Abnormal(++)",
                                                   "Severely Abnormal(+++)",
                                                   "Health Scope",
                                                   "Reduction",
                                                   "Increase",
                                                   "Health Scope",
                                                   "Negative",
                                                   "Positive",
                                                   "Normal",
                                                   "Acid",
                                                   "Alkaline"};

const std::array<std::string_view, 4> GradeColors{"#339966", "#0000FF", "#FF6600", "#FF0000"};

} // namespace hv
