#include "platform/SteadyLocalDays.h"

#include <QDateTime>

namespace platform {

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
    const QDateTime noon(QDate::fromJulianDay(julianDay), QTime(12, 0));
    const std::optional<int> offset = noon.isValid() ? std::optional<int>(noon.offsetFromUtc()) : std::nullopt;
    m_noonOffsets.insert(julianDay, offset);
    return offset;
}

} // namespace platform
