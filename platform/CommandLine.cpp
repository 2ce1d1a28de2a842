#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QStringList>

namespace platform {

namespace CommandLine {

namespace {
QString& overridden()
{
    static QString text;
    return text;
}
} // namespace

QString text()
{
    if (!overridden().isNull())
        return overridden();
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
}

bool contains(const QString& switchText)
{
    return text().contains(switchText, Qt::CaseSensitive);
}

bool equals(const QString& switchText)
{
    return text() == switchText;
}

void replaceText(const QString& text)
{
    overridden() = text;
}

} // namespace CommandLine

} // namespace platform
