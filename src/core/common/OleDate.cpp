#include "common/OleDate.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace hv {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);

} // namespace

double ToOleDate(const DateTime& dt) {
    const double days =
        static_cast<double>(DaysFromCivil(dt.year, dt.month, dt.day) - kOleEpochDays);
    const double fraction = (dt.hour * 3600.0 + dt.minute * 60.0 + dt.second) / 86400.0;
    return days + fraction;
}

DateTime FromOleDate(double oleDate) {
    if (!std::isfinite(oleDate))
        return {};
    long long totalSeconds = std::llround(oleDate * 86400.0);
    long long days = totalSeconds / 86400;
    long long secondsOfDay = totalSeconds % 86400;
    if (secondsOfDay < 0) {
        secondsOfDay += 86400;
        --days;
    }
    DateTime dt;
    CivilFromDays(days + kOleEpochDays, dt.year, dt.month, dt.day);
    dt.hour = static_cast<int>(secondsOfDay / 3600);
    dt.minute = static_cast<int>(secondsOfDay / 60 % 60);
    dt.second = static_cast<int>(secondsOfDay % 60);
    return dt;
}

DateTime ToLocalDateTime(Clock::TimePoint t) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

DateTime LocalNow() {
    return ToLocalDateTime(CurrentClock().Now());
}

double OleNow() {
    return ToOleDate(LocalNow());
}

std::string FormatDate(const DateTime& t, char separator) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d%c%02d%c%02d", t.year, separator, t.month, separator,
                  t.day);
    return text;
}

std::string FormatTimeOfDay(const DateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string FormatTestTime(const DateTime& t, char dateSeparator) {
    char text[24];
    std::snprintf(text, sizeof text, " %02d:%02d", t.hour, t.minute);
    return FormatDate(t, dateSeparator) + text;
}

int WholeYearsBetween(const DateTime& birth, const DateTime& at) {
    int years = at.year - birth.year;
    if (at.month < birth.month || (at.month == birth.month && at.day < birth.day))
        --years;
    return years;
}

} // namespace hv
