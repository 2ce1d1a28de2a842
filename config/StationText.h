#pragma once
// Texts the station shows in more than one place.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace config {

namespace StationText {

// The program's title, used as the title of its message boxes.
inline QString appTitle()
{
    return QStringLiteral("KIVO_ZAMO");
}

// A date and time as the station shows it to the operator ("12/9/2026 1:05:02 PM").
inline QString generalDate(const QDateTime& value)
{
    return QLocale::c().toString(value, QStringLiteral("M/d/yyyy h:mm:ss AP"));
}

} // namespace StationText

// The title of the station's message boxes where a window gives none of its
// own.
inline const QString DefaultMessageTitle = QStringLiteral("KIVO_ZAMO");

} // namespace config
