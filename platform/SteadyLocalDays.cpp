#include "platform/SteadyLocalDays.h"

#include <ctime>

namespace platform {

SteadyLocalDays::SteadyLocalDays()
{
    tzset(); // the system's time zone as it is now, for this object's answers
}

bool SteadyLocalDays::contains(const QDate& day)
{
    if (!day.isValid())
        return false;
    const qint64 julianDay = day.toJulianDay();
    if (julianDay != m_lastDay) {
        const std::optional<int> before = noonOffset(julianDay - 1);
        m_lastSteady = before && before == noonOffset(julianDay + 1);
        m_lastDay = julianDay;
    }
    return m_lastSteady;
}

std::optional<int> SteadyLocalDays::noonOffset(qint64 julianDay)
{
    const auto found = m_noonOffsets.constFind(julianDay);
    if (found != m_noonOffsets.cend())
        return *found;
    // Asked of the C library, as the local clock itself is: the offset at
    // the instant whose local time is that noon, found from the offset at
    // noon UTC and, where the two differ, once more from the one found.
    constexpr qint64 kUnixEpochJulianDay = 2440588;
    const qint64 utcNoon = (julianDay - kUnixEpochJulianDay) * 86400 + 12 * 3600;
    std::optional<int> offset;
    long guess = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const std::time_t instant = std::time_t(utcNoon - guess);
        std::tm local{};
        if (!localtime_r(&instant, &local)) {
            offset.reset();
            break;
        }
        offset = int(local.tm_gmtoff);
        if (local.tm_gmtoff == guess)
            break;
        guess = local.tm_gmtoff;
    }
    m_noonOffsets.insert(julianDay, offset);
    return offset;
}

} // namespace platform
