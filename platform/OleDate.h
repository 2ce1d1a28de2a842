#pragma once
// A date value as the station stores and compares dates: days since
// 30 December 1899 00:00, the time of day as the fraction; 0 is "no date".
// An invalid date or date and time converts to 0; nothing here fails. A
// value that is not a number, or whose whole days do not fit in 64 bits, is
// an invalid date.

#include <QDateTime>

#include <optional>
#include <utility>

namespace platform {

struct OleDate {
    double value = 0.0;

    OleDate() = default;
    explicit OleDate(double v) : value(v) {}

    static OleDate fromDateTime(const QDateTime& local);
    // A local date and time given as they read, without the time zone.
    static OleDate fromDateAndTime(const QDate& date, const QTime& time);
    static OleDate fromDate(const QDate& date);
    QDateTime toDateTime() const; // local time, rounded to the millisecond
    // The date and time of toDateTime as they read, without asking the time
    // zone (toDateTime moves a time that the local clock skips).
    std::pair<QDate, QTime> dateAndTime() const;
    QDate date() const;
    bool isZero() const { return value == 0.0; }
    // Whole days (the integer part, towards zero); none for a value that is
    // not a number or beyond 64 bits.
    std::optional<qint64> days() const;

    friend bool operator==(OleDate a, OleDate b) { return a.value == b.value; }
    friend bool operator<(OleDate a, OleDate b) { return a.value < b.value; }
    // The same value as the local date and time has (an invalid one is 0).
    friend bool operator==(OleDate a, const QDateTime& b) { return a == fromDateTime(b); }
};

} // namespace platform
