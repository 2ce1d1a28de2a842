#include "config/AppVersion.h"

#ifndef ZAMO_VERSION_MAJOR
#define ZAMO_VERSION_MAJOR 1
#define ZAMO_VERSION_MINOR 0
#define ZAMO_VERSION_PATCH 0
#endif

namespace AppVersion {

QString ProductName() { return QStringLiteral("ZAMO"); }
int Major() { return ZAMO_VERSION_MAJOR; }
int Minor() { return ZAMO_VERSION_MINOR; }
int Revision() { return ZAMO_VERSION_PATCH; }

QString Number()
{
    return QStringLiteral("%1.%2.%3").arg(Major()).arg(Minor()).arg(Revision());
}

} // namespace AppVersion
