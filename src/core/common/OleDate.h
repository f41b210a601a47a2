#pragma once

#include "common/Clock.h"

#include <string>

namespace hv {

// A calendar date and time of day in local time.
struct DateTime {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTime&) const = default;
};

// Automation dates: days since 30 December 1899 as a double, the fraction being the time
// of day. This is how Birthday and MeasDate are stored.
double ToOleDate(const DateTime& dt);
// Rounds to the nearest second.
DateTime FromOleDate(double oleDate);

// Local time of a clock reading, and the current local time by the program's clock.
DateTime ToLocalDateTime(Clock::TimePoint t);
DateTime LocalNow();
double OleNow();

// "YYYY-MM-DD" with the given separator between the parts of the date.
std::string FormatDate(const DateTime& t, char separator = '-');
// "hh:mm:ss".
std::string FormatTimeOfDay(const DateTime& t);
// The time of a test as pages show it: the date with the given separator, then " hh:mm".
std::string FormatTestTime(const DateTime& t, char dateSeparator);

// Whole years from birth to a date: the birthday counts once it has been reached.
int WholeYearsBetween(const DateTime& birth, const DateTime& at);

} // namespace hv
