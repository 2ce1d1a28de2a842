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

std::optional<qint64> OleDate::days() const
{
    // 2^63: the first whole number that no longer fits in 64 bits.
    constexpr double kLimit = 9223372036854775808.0;
    const double whole = std::trunc(value);
    if (!std::isfinite(whole) || whole >= kLimit || whole < -kLimit)
        return std::nullopt;
    return static_cast<qint64>(whole);
}

QDate OleDate::date() const
{
    const std::optional<qint64> whole = days();
    return whole ? kEpoch.addDays(*whole) : QDate();
}

QDateTime OleDate::toDateTime() const
{
    const auto [date, time] = dateAndTime();
    return QDateTime(date, time);
}

std::pair<QDate, QTime> OleDate::dateAndTime() const
{
    const std::optional<qint64> whole = days();
    if (!whole)
        return {QDate(), QTime()};
    const double frac = std::fabs(value - std::trunc(value));
    qint64 ms = std::llround(frac * kMsPerDay);
    QDate d = kEpoch.addDays(*whole);
    if (ms >= static_cast<qint64>(kMsPerDay)) {
        ms -= static_cast<qint64>(kMsPerDay);
        d = d.addDays(value >= 0 ? 1 : -1);
    }
    if (!d.isValid())
        return {QDate(), QTime()};
    return {d, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms))};
}

} // namespace platform
