#include "analysis/Catalogue.h"
#include "analysis/ReportProse.h"

#include <array>
#include <cstddef>

// The explanation rows of the testing-parameter lists: what a reading above or below an
// item's health scope means in general, and what the readings of the text-valued report
// stand for. The words describe a reading, never a person's condition.
namespace hv::prose {
namespace {

using Notes = std::span<const ScopeNote>;

// Report 04
constexpr std::array<ScopeNote, 5> kSlot03{{
    {"The share of the globulin proteins, among them the antibodies, is higher than usual "
     "compared with albumin.",
     "The share of the globulin proteins is lower than usual compared with albumin."},
    {"More bilirubin, the yellow pigment formed when old red blood cells are broken down, is "
     "present than usual.",
     "Less bilirubin is present than usual; a low reading is in general of little weight."},
    {"The activity of alkaline phosphatase, an enzyme found mainly in the liver and the bones, "
     "is higher than usual; it is also higher while the bones are growing.",
     "The activity of alkaline phosphatase is lower than usual."},
    {"More bile acids circulate in the blood than usual; the liver normally takes them back "
     "from the gut.",
     "Fewer bile acids circulate in the blood than usual."},
    {"Direct bilirubin, the form already processed by the liver, is counted as present above "
     "its usual amount.",
     "Direct bilirubin is counted as not raised."},
}};

// Report 05
constexpr std::array<ScopeNote, 3> kSlot04{{
    {"More insulin circulates than usual, as happens in general after meals or when the cells "
     "respond less readily to it.",
     "Less insulin circulates than usual, so less sugar is moved from the blood into the "
     "cells."},
    {"More pancreatic polypeptide is released than usual.",
     "Less pancreatic polypeptide is released than usual."},
    {"More glucagon circulates than usual, which tends to raise the blood sugar.",
     "Less glucagon circulates than usual, so less stored sugar is released."},
}};

// Report 07
constexpr std::array<ScopeNote, 4> kSlot06{{
    {"The largest volume of air that can be breathed out after a full breath in is greater "
     "than usual.",
     "The largest volume of air that can be breathed out after a full breath in is smaller "
     "than usual."},
    {"The lungs hold more air than usual after a full breath in.",
     "The lungs hold less air than usual after a full breath in."},
    {"The airways offer more resistance to the flow of air than usual, so breathing takes more "
     "effort.",
     "The airways offer less resistance to the flow of air than usual."},
    {"The arterial blood carries more oxygen than usual.",
     "The arterial blood carries less oxygen than usual."},
}};

// Report 12
constexpr std::array<ScopeNote, 3> kSlot11{{
    {"The pancreas releases more insulin than usual.",
     "The pancreas releases less insulin than usual."},
    {"The level of sugar in the blood is higher than usual.",
     "The level of sugar in the blood is lower than usual."},
    {"Sugar is counted as present in the urine.", "No sugar is counted in the urine."},
}};

// Indexed by slot; only the reports made entirely of reference items have an entry.
constexpr std::array<Notes, kReportSlotCount> kScopeNotes{{
    {}, {}, {}, kSlot03, kSlot04, {}, kSlot06, {}, {}, {}, {}, kSlot11, {}, {},
    {}, {}, {}, {},      {},      {}, {},      {}, {}, {}, {}, {},      {}, {},
    {}, {}, {}, {},      {},      {}, {},      {}, {}, {}, {}, {},
}};

// Report 09, the text-valued report.
constexpr std::array<TextItemNote, 4> kTextItems{{
    {"No Direction: the fibres of the lumbar discs keep their place without bulging towards "
     "either side.",
     "A named direction describes fibres bulging towards that side."},
    {"The degree is given as a u-value; a value below u0.2 lies within the health scope.",
     "A higher u-value describes the shoulder muscles and their sheaths sticking together more "
     "firmly, which limits movement."},
    {"+: the circulation reaches the hands and feet as usual.",
     "Another mark describes the circulation reaching the hands and feet less fully than "
     "usual."},
    {"The age of the ligaments is given as a share; 10% to 40% lies within the health scope.",
     "A higher share describes ligaments that have become stiffer and less elastic than "
     "usual."},
}};

} // namespace

std::span<const ScopeNote> ScopeNotes(int slot) {
    if (slot < 0 || slot >= kReportSlotCount)
        return {};
    return kScopeNotes[static_cast<std::size_t>(slot)];
}

std::span<const TextItemNote> TextItemNotes() {
    return kTextItems;
}

} // namespace hv::prose
