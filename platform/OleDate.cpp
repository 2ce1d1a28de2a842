#include "platform/OleDate.h"

#include <cmath>

namespace platform {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

OleDate OleDate::fromDateTime(const QDateTime& local)
{
    return fromDateAndTime(local.date(), local.time());
}

OleDate OleDate::fromDateAndTime(const QDate& date, const QTime& time)
{
    const double days = static_cast<double>(kEpoch.daysTo(date));
    const double frac = time.msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction counts away from zero, as the platform's dates do.
    return OleDate(days >= 0 ? days + frac : days - frac);
}

OleDate OleDate::fromDate(const QDate& date)
{
    return OleDate(static_cast<double>(kEpoch.daysTo(date)));
}

long long OleDate::days() const
{
    return static_cast<long long>(std::trunc(value));
}

QDate OleDate::date() const
{
    return kEpoch.addDays(days());
}

QDateTime OleDate::toDateTime() const
{
    const auto [date, time] = dateAndTime();
    return QDateTime(date, time);
}

std::pair<QDate, QTime> OleDate::dateAndTime() const
{
    const double whole = std::trunc(value);
    const double frac = std::fabs(value - whole);
    qint64 ms = std::llround(frac * kMsPerDay);
    QDate d = kEpoch.addDays(static_cast<qint64>(whole));
    if (ms >= static_cast<qint64>(kMsPerDay)) {
        ms -= static_cast<qint64>(kMsPerDay);
        d = d.addDays(value >= 0 ? 1 : -1);
    }
    return {d, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms))};
}

} // namespace platform
