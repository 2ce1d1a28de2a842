#pragma once
// The days on which the local clock keeps one offset from UTC, so that every
// time of the day is a local time as it reads: a QDateTime of that date and
// time keeps them, and they can be shown or compared without asking the
// time zone again for each of them. The time zone is asked once for each day
// (its offset at noon, shared by the days around it) and the answer kept for
// the life of the object: one read of many dates, so that a change of the
// system's time zone is seen by the next read.

#include <QDate>
#include <QHash>

#include <limits>
#include <optional>

namespace platform {

class SteadyLocalDays {
public:
    SteadyLocalDays();

    // Whether the offset at noon of the day before and that at noon of the
    // day after are the same (a clock change and its return within two days
    // are not looked for). False for an invalid day and where the time zone
    // has no answer.
    bool contains(const QDate& day);

private:
    std::optional<int> noonOffset(qint64 julianDay);

    QHash<qint64, std::optional<int>> m_noonOffsets;
    // The last day asked for, as most dates of a read share their day with the one before.
    qint64 m_lastDay = std::numeric_limits<qint64>::min();
    bool m_lastSteady = false;
};

} // namespace platform
