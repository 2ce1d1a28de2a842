#include "config/StationText.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// The station's date text is written digit by digit; it must read as the C
// locale writes "M/d/yyyy h:mm:ss AP", whatever the date and time.
TEST(GeneralDateTest, ReadsAsTheCLocaleWritesIt)
{
    const QList<QDate> days = {QDate(2026, 12, 10), QDate(2026, 1, 1),   QDate(1899, 12, 30),
                               QDate(1000, 1, 1),   QDate(9999, 12, 31), QDate(999, 12, 31),
                               QDate(10000, 1, 1),  QDate(-44, 3, 15),   QDate(2024, 2, 29)};
    QList<QTime> times = {QTime(0, 0),       QTime(0, 0, 1), QTime(11, 59, 59),      QTime(12, 0),
                          QTime(12, 59, 59), QTime(13, 0),   QTime(23, 59, 59, 999), QTime(16, 6, 47, 500)};
    for (int h = 0; h < 24; ++h)
        times << QTime(h, h * 2, 59 - h);
    for (const QDate& day : days)
        for (const QTime& time : times) {
            const QDateTime value(day, time, Qt::UTC);
            const QString expected = QLocale::c().toString(value, QStringLiteral("M/d/yyyy h:mm:ss AP"));
            EXPECT_EQ(config::StationText::generalDate(value), expected);
            QString appended = QStringLiteral("at ");
            config::StationText::appendGeneralDate(appended, day, time);
            EXPECT_EQ(appended, QStringLiteral("at ") + expected);
        }
    EXPECT_EQ(config::StationText::generalDate(QDateTime(QDate(2026, 12, 10), QTime(16, 6, 47))),
              "12/10/2026 4:06:47 PM");
    EXPECT_EQ(config::StationText::generalDate(QDateTime()), QString());
}

} // namespace
