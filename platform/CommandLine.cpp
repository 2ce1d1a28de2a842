#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

namespace CommandLine {

namespace {
QString& overridden()
{
    static QString text;
    return text;
}
} // namespace

QString Text()
{
    if (!overridden().isNull())
        return overridden();
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
}

bool Contains(const QString& vSwitch)
{
    return Text().contains(vSwitch, Qt::CaseSensitive);
}

bool Equals(const QString& vSwitch)
{
    return Text() == vSwitch;
}

void SetForTesting(const QString& text)
{
    overridden() = text;
}

} // namespace CommandLine
