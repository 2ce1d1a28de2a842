#pragma once
// Texts the station shows in more than one place.

#include <QDateTime>
#include <QString>

namespace config {

namespace StationText {

// The program's title, used as the title of its message boxes.
inline QString appTitle()
{
    return QStringLiteral("KIVO_ZAMO");
}

// A date and time as the station shows it to the operator ("12/9/2026 1:05:02 PM");
// "" for an invalid one.
QString generalDate(const QDateTime& value);
// The same text of a valid local date and time given as they read, appended
// to out: written digit by digit, for lists of many dates.
void appendGeneralDate(QString& out, const QDate& date, const QTime& time);

} // namespace StationText

// The title of the station's message boxes where a window gives none of its
// own.
inline const QString DefaultMessageTitle = QStringLiteral("KIVO_ZAMO");

} // namespace config
