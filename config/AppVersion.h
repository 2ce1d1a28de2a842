#pragma once
// The program's product name and version, as the main frame's status strip
// and the help box show them.

#include <QString>

namespace AppVersion {

QString ProductName();   // "ZAMO"
int Major();
int Minor();
int Revision();
// "1.2.3"
QString Number();

} // namespace AppVersion
