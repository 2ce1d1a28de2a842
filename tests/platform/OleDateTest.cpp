// Date values as days since 30 December 1899: a value that is not a number,
// or whose whole days do not fit in 64 bits, is an invalid date, never a
// date made of whatever the conversion happened to give.

#include "platform/OleDate.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using platform::OleDate;

TEST(OleDate, ConvertsDaysAndTheFractionOfADay)
{
    EXPECT_EQ(OleDate(0.0).date(), QDate(1899, 12, 30));
    EXPECT_EQ(OleDate(45000.5).toDateTime(), QDateTime(QDate(2023, 3, 15), QTime(12, 0)));
    EXPECT_EQ(OleDate(-1.25).dateAndTime(), std::make_pair(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(OleDate(45000.5).days(), 45000);
}

TEST(OleDate, ValuesWithoutAWholeDayCountAreAnInvalidDate)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (double v : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 9223372036854775808.0, -9223372036854777856.0,
                     1e19, -1e300, std::numeric_limits<double>::max()}) {
        const OleDate d(v);
        EXPECT_FALSE(d.days().has_value()) << v;
        EXPECT_FALSE(d.date().isValid()) << v;
        EXPECT_FALSE(d.toDateTime().isValid()) << v;
        EXPECT_FALSE(d.dateAndTime().first.isValid()) << v;
    }
    // Within 64 bits but beyond any calendar date.
    EXPECT_FALSE(OleDate(9.2e18).date().isValid());
    EXPECT_FALSE(OleDate(-9.2e18).toDateTime().isValid());
}

} // namespace
