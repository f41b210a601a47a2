#pragma once

#include "common/OleDate.h"
#include "persons/PersonRecord.h"

#include <optional>
#include <string>

namespace hv {

// The entry fields of the person editor, in the order they are checked. The editor's radio
// buttons and date picker always hold a sex and a date; an imported row may not.
enum class PersonField { Group, Name, Sex, Birthday, Height, Weight };

struct EntryProblem {
    PersonField field;
    std::string message;
};

// A birthday is accepted when it lies in an earlier calendar year than today: only the
// years are compared, so 31 December of last year passes on 1 January.
bool IsBirthdayAccepted(double birthday, const DateTime& today);

// What went wrong while an entry's sex or birthday was read from text (an imported row);
// each is reported in its field's place in the order of the checks.
struct EntryReadProblems {
    std::optional<std::string> sex;
    std::optional<std::string> birthday;
};

// Checks an entry before it is saved, in the order group, name, sex, birthday, height,
// weight; the first problem found is returned with the text to show. A name of blanks is a
// name. On success fills the derived columns: BzHW, Result, BzY and BzM. The editor and the
// import both save through this, so a person gets the same checks and classes either way.
std::optional<EntryProblem> PrepareForSave(PersonRecord& entry, const DateTime& today,
                                           const EntryReadProblems& read = {});

// Checks a group entry before it is saved: the name must not be empty (blanks are a name).
// Returns the text to show, or nothing when the entry can be saved.
std::optional<std::string> CheckGroupEntry(const GroupRecord& group);

// Age in whole years shown in the test list: whole days between the birthday and now
// (rounded to the nearest second first), divided by 365. 364 days give 0, 365 give 1.
int AgeInWholeYears(double birthday, double now);

} // namespace hv
