#pragma once
// The title of the station's message boxes where a window gives none of its
// own.

#include <QString>

namespace modMain {

inline const QString DefaultMessageTitle = QStringLiteral("KIVO_ZAMO");

} // namespace modMain
