#include "calendar.h"

#include <cmath>

// Howard Hinnant's days-from-civil algorithm: exact for every proleptic Gregorian date.
int64_t DaysFromCivil(int year, int month, int day) {
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (int64_t{month} + (month > 2 ? -3 : 9)) + 2) / 5 + int64_t{day} - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsCivilTime(double seconds) {
    static const double first = static_cast<double>(DaysFromCivil(1, 1, 1)) * kSecondsPerDay;
    static const double end = static_cast<double>(DaysFromCivil(10000, 1, 1)) * kSecondsPerDay;
    return std::isfinite(seconds) && seconds >= first && seconds < end;
}

CivilTime CivilFromSeconds(double seconds) {
    const double days = std::floor(seconds / kSecondsPerDay);
    const double secondOfDay = seconds - days * kSecondsPerDay;
    const int64_t z = static_cast<int64_t>(days) + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYearMarch = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYearMarch + 2) / 153;

    CivilTime civil{};
    civil.day = static_cast<int>(dayOfYearMarch - (153 * monthIndex + 2) / 5 + 1);
    civil.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    civil.year = static_cast<int>(yearOfEra + era * 400 + (civil.month <= 2 ? 1 : 0));
    civil.hour = static_cast<int>(secondOfDay / 3600.0);
    civil.minute = static_cast<int>((secondOfDay - civil.hour * 3600.0) / 60.0);
    civil.second = secondOfDay - civil.hour * 3600.0 - civil.minute * 60.0;
    const int64_t dayNumber = static_cast<int64_t>(days);
    civil.weekday = static_cast<int>(((dayNumber % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    civil.dayOfYear = static_cast<int>(dayNumber - DaysFromCivil(civil.year, 1, 1) + 1);
    return civil;
}
