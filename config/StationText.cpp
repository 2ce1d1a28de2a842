#include "config/StationText.h"

#include <QLocale>

namespace config::StationText {

namespace {

void appendNumber(QString& out, int value, int width)
{
    char16_t digits[4];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 4);
    for (; n < width; ++n)
        digits[n] = u'0';
    while (n > 0)
        out += QChar(digits[--n]);
}

} // namespace

QString generalDate(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    QString out;
    appendGeneralDate(out, value.date(), value.time());
    return out;
}

void appendGeneralDate(QString& out, const QDate& date, const QTime& time)
{
    // The C locale's "M/d/yyyy h:mm:ss AP", which the years of other than
    // four digits are left to.
    const int year = date.year();
    if (year < 1000 || year > 9999) {
        const QLocale c = QLocale::c();
        out += c.toString(date, QStringLiteral("M/d/yyyy")) + QLatin1Char(' ')
               + c.toString(time, QStringLiteral("h:mm:ss AP"));
        return;
    }
    const int hour = time.hour();
    appendNumber(out, date.month(), 1);
    out += QLatin1Char('/');
    appendNumber(out, date.day(), 1);
    out += QLatin1Char('/');
    appendNumber(out, year, 4);
    out += QLatin1Char(' ');
    appendNumber(out, hour % 12 == 0 ? 12 : hour % 12, 1);
    out += QLatin1Char(':');
    appendNumber(out, time.minute(), 2);
    out += QLatin1Char(':');
    appendNumber(out, time.second(), 2);
    out += hour < 12 ? QLatin1String(" AM") : QLatin1String(" PM");
}

} // namespace config::StationText
