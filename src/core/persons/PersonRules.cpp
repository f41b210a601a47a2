#include "persons/PersonRules.h"

#include "data/OperatorTexts.h"
#include "data/StringTable.h"
#include "persons/BodyClasses.h"

#include <cmath>

namespace hv {

namespace {

EntryProblem Problem(PersonField field, int stringId) {
    return {field, std::string(LoadString(stringId))};
}

} // namespace

bool IsBirthdayAccepted(double birthday, const DateTime& today) {
    return today.year - FromOleDate(birthday).year >= 1;
}

std::optional<EntryProblem> PrepareForSave(PersonRecord& entry, const DateTime& today,
                                           const EntryReadProblems& read) {
    if (entry.groupId == 0)
        return EntryProblem{PersonField::Group, std::string(texts::kNoGroupForPerson)};
    if (entry.name.empty())
        return Problem(PersonField::Name, ids::NameEmpty);
    if (read.sex)
        return EntryProblem{PersonField::Sex, *read.sex};
    if (read.birthday)
        return EntryProblem{PersonField::Birthday, *read.birthday};
    if (!entry.birthday || !IsBirthdayAccepted(*entry.birthday, today))
        return Problem(PersonField::Birthday, ids::BirthdayError);
    const int height = ParseLeadingInteger(entry.height);
    if (height == 0)
        return Problem(PersonField::Height, ids::HeightEmpty);
    const int weight = ParseLeadingInteger(entry.weight);
    if (weight == 0)
        return Problem(PersonField::Weight, ids::WeightEmpty);

    entry.bzHW = HeightClassCode(height, entry.male);
    entry.result = WeightClassText(height, weight, entry.male);
    const DateTime born = FromOleDate(*entry.birthday);
    entry.bzY = born.year;
    entry.bzM = born.month;
    return std::nullopt;
}

std::optional<std::string> CheckGroupEntry(const GroupRecord& group) {
    if (group.name.empty())
        return std::string(LoadString(ids::NameEmpty));
    return std::nullopt;
}

int AgeInWholeYears(double birthday, double now) {
    double days = now - birthday;
    const double halfSecond = 0.5 / 86400.0;
    days += days < 0 ? -halfSecond : halfSecond;
    const long long wholeDays = static_cast<long long>(std::trunc(days));
    return static_cast<int>(wholeDays / 365);
}

} // namespace hv
