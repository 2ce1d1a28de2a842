#pragma once
// The program's product name and version, as the main frame's status strip
// and the help box show them.

#include <QString>

namespace config {

namespace AppVersion {

QString productName(); // "ZAMO"
int major();
int minor();
int revision();
// "1.2.3"
QString number();

} // namespace AppVersion

} // namespace config
