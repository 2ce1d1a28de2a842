#include "config/AppVersion.h"

#ifndef ZAMO_VERSION_MAJOR
#define ZAMO_VERSION_MAJOR 1
#define ZAMO_VERSION_MINOR 0
#define ZAMO_VERSION_PATCH 0
#endif

namespace config {

namespace AppVersion {

QString productName()
{
    return QStringLiteral("ZAMO");
}
int major()
{
    return ZAMO_VERSION_MAJOR;
}
int minor()
{
    return ZAMO_VERSION_MINOR;
}
int revision()
{
    return ZAMO_VERSION_PATCH;
}

QString number()
{
    return QStringLiteral("%1.%2.%3").arg(major()).arg(minor()).arg(revision());
}

} // namespace AppVersion

} // namespace config
