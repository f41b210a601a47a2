#include "data/SeedData.h"

#include <array>

namespace hv {
namespace {

constexpr std::array kReports{
    SeedReport{"R01", "Cardiovascular and Cerebrovascular", "A",
               "Circulation readings outside the usual range are worth discussing with a "
               "physician, especially together with chest discomfort, breathlessness or "
               "dizziness.",
               "Regular moderate exercise, little salt, no smoking and enough sleep support "
               "the heart and blood vessels."},
    SeedReport{"R02", "Gastrointestinal Function", "A",
               "Lasting stomach pain, changes in bowel habits or weight loss without a reason "
               "should be examined by a physician.",
               "Regular meals eaten slowly, enough fibre and water, and little alcohol are kind "
               "to digestion."},
    SeedReport{"R03", "Liver Function", "A",
               "Tiredness, yellowish skin or dark urine are reasons to have the liver checked "
               "by a physician.",
               "Limiting alcohol, fatty food and unnecessary medicines eases the work of the "
               "liver."},
    SeedReport{"R04", "Gallbladder Function", "A",
               "Pain in the upper right abdomen after meals should be looked at by a physician.",
               "Regular, not too fatty meals and a healthy body weight support bile flow."},
    SeedReport{"R05", "Pancreatic Function", "A",
               "Strong thirst, frequent urination or upper abdominal pain deserve a medical "
               "check.",
               "Limiting sugar and alcohol and keeping regular meal times support the pancreas."},
    SeedReport{"R06", "Kidney Function", "A",
               "Swelling, changes in urine or raised blood pressure are reasons to have the "
               "kidneys examined.",
               "Drinking enough water and keeping salt and protein intake moderate support the "
               "kidneys."},
    SeedReport{"R07", "Lung Function", "A",
               "A lasting cough or shortness of breath should be examined by a physician.",
               "Fresh air, regular endurance exercise and not smoking keep the lungs working "
               "well."},
    SeedReport{"R08", "Brain and Nerves", "A",
               "Frequent headaches, dizziness or memory complaints are worth discussing with a "
               "physician.",
               "Enough sleep, mental activity and breaks from screens help concentration and "
               "mood."},
    SeedReport{"R09", "Spine and Joints", "A",
               "Back or shoulder pain that radiates or lasts for weeks should be examined by a "
               "physician.",
               "Good posture, regular movement breaks and stretching relieve the spine and "
               "joints."},
    SeedReport{"R10", "Bone Mineral Density", "A",
               "A bone density examination can clarify the state of the bones, especially after "
               "a fracture.",
               "Calcium-rich food, vitamin D from daylight and weight-bearing exercise support "
               "the bones."},
    SeedReport{"R11", "Bone and Rheumatism", "A",
               "Joint swelling or morning stiffness that lasts should be assessed by a physician.",
               "Keeping warm, moving regularly and keeping a healthy weight are good for the "
               "joints."},
    SeedReport{"R12", "Blood Sugar", "A",
               "A blood glucose test by a physician or pharmacy gives a reliable measurement.",
               "Fewer sweets and sugary drinks, whole-grain food and daily activity keep blood "
               "sugar steady."},
    SeedReport{"R13", "Basic Physical Condition", "A",
               "Lasting fatigue or reduced performance can have many causes; a general check-up "
               "helps to find them.",
               "Drinking enough, sleeping regularly and moving daily support general "
               "well-being."},
    SeedReport{"R14", "Environmental Exposure", "A",
               "If you work with chemicals or radiation, follow the occupational health checks "
               "of your workplace.",
               "Reducing tobacco, strong coffee and unnecessary exposure to chemicals lowers "
               "the load on the body."},
    SeedReport{"R15", "Trace Elements", "A",
               "A laboratory test ordered by a physician can determine actual mineral levels.",
               "A varied diet with vegetables, fruit, whole grains, nuts and fish provides most "
               "minerals."},
    SeedReport{"R16", "Prostate", "M", "Changes in urination should be examined by a urologist.",
               "Drinking enough, moving regularly and avoiding long sitting are good for the "
               "prostate."},
    SeedReport{"R17", "Male Hormones", "M",
               "Lasting lack of energy or libido can be discussed with a physician.",
               "Enough sleep, exercise and stress reduction support the hormone balance."},
    SeedReport{"R18", "Gynaecology", "F",
               "Unusual bleeding, pain or discharge should be examined by a gynaecologist.",
               "Regular gynaecological check-ups are recommended at every age."},
    SeedReport{"R19", "Skin", "A",
               "Skin changes that grow, itch or bleed should be shown to a dermatologist.",
               "Sun protection, enough water and gentle skin care keep the skin healthy."},
    SeedReport{"R20", "Endocrine System", "A",
               "Unexplained weight change, tiredness or feeling cold or hot can be discussed "
               "with a physician.",
               "A regular daily rhythm with enough sleep supports the hormone glands."},
    SeedReport{"R21", "Immune System", "A",
               "Frequent infections or slow healing are worth discussing with a physician.",
               "Balanced food, sleep, exercise in fresh air and little stress support the "
               "immune system."},
    SeedReport{"R22", "Breast", "F",
               "New lumps or changes of the breast should be examined by a physician without "
               "delay.",
               "Monthly self-examination and the recommended screening examinations help to "
               "notice changes early."},
    SeedReport{"R23", "Vitamins", "A",
               "A blood test ordered by a physician can determine actual vitamin levels.",
               "Fresh vegetables, fruit and whole-grain products supply most vitamins."},
    SeedReport{"R24", "Amino Acids", "A",
               "Marked weight loss or muscle weakness should be clarified by a physician.",
               "Protein from varied sources such as legumes, dairy, fish and eggs covers the "
               "need for amino acids."},
    SeedReport{"R25", "Heavy Metals", "A",
               "If you are exposed to metals at work or at home, ask for a laboratory "
               "examination.",
               "Washing fruit and vegetables and avoiding old water pipes and unknown remedies "
               "reduce exposure."},
    SeedReport{"R26", "Allergy", "A",
               "Allergic reactions with breathing trouble or swelling need medical attention.",
               "Avoiding known triggers and keeping living spaces aired and dust-free can ease "
               "allergies."},
    SeedReport{"R27", "Eyes", "A",
               "Changes in vision or eye pain should be examined by an eye specialist.",
               "Regular breaks from screens, good lighting and enough sleep relieve the eyes."},
    SeedReport{"R28", "Body Weight and Metabolism", "A",
               "Snoring with breathing pauses or strong daytime sleepiness is worth discussing "
               "with a physician.",
               "Regular activity and a balanced diet with fewer calories from fat and sugar "
               "support the metabolism."},
    SeedReport{"R29", "Bone Growth", "A",
               "Questions about a child's growth are best discussed with a paediatrician.",
               "Exercise, enough sleep and food rich in calcium and protein support growth."},
    SeedReport{"R30", "Coenzymes", "A", "Lasting tiredness should be clarified by a physician.",
               "A varied diet with whole grains, vegetables and legumes supplies these "
               "substances."},
    SeedReport{"R31", "Semen", "M",
               "Questions about fertility are best discussed with a urologist.",
               "Not smoking, little alcohol and avoiding heat at the groin support sperm "
               "quality."},
    SeedReport{"R32", "Inflammation Markers", "A",
               "Fever, pain or swelling that does not go away should be examined by a physician.",
               "Rest during illness, enough sleep and a balanced diet help the body recover."},
    SeedReport{"R33", "Blood Lipids", "A",
               "A blood lipid test by a physician gives reliable values.",
               "Less saturated fat, more fibre and regular exercise improve blood lipids."},
    SeedReport{"R34", "Meridians", "A",
               "These indices describe a traditional model and are not a medical finding.",
               "Regular exercise, breathing exercises and relaxation support general "
               "well-being."},
    SeedReport{"R35", "Heart and Brain Circulation", "A",
               "Dizziness, palpitations or visual disturbances should be examined by a "
               "physician.",
               "Moderate endurance exercise and enough fluid support circulation."},
    SeedReport{"R36", "Body Systems Overview", "A",
               "This overview cannot replace an examination; discuss lasting complaints with a "
               "physician.",
               "Healthy routines in food, movement and sleep benefit every body system."},
    SeedReport{"R37", "Large Intestine", "A",
               "Blood in the stool or lasting changes in bowel habits need medical examination.",
               "Fibre, enough water and daily movement keep the bowels regular."},
    SeedReport{"R38", "Thyroid", "A", "A thyroid blood test by a physician gives reliable values.",
               "Iodised salt and a balanced diet provide the iodine the thyroid needs."},
    SeedReport{"R39", "Neurotransmitters", "A",
               "Questions about attention or mood are best discussed with a physician.",
               "Regular sleep, exercise and daylight support attention and mood."},
    SeedReport{"R99", "Body Composition", "A",
               "Marked underweight or overweight is worth discussing with a physician.",
               "A balanced diet and regular exercise help to reach a healthy body composition."},
};

} // namespace

std::span<const SeedReport> SeedReports() {
    return kReports;
}

} // namespace hv
