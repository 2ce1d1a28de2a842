#include "run/OperatorLog.h"

namespace CommLog {

void AppendLine(QString& buffer, const QString& line)
{
    buffer += line;
    buffer += QStringLiteral("\r\n");
}

bool CutBack(QString& buffer)
{
    if (buffer.size() <= MaxLength)
        return false;
    buffer = buffer.mid(KeepFromCharacter - 1);
    return true;
}

QString CaptionWithError(const QString& caption, const QString& status)
{
    const qsizetype star = caption.indexOf(QLatin1Char('*'));
    if (star < 0)
        return caption + QStringLiteral(" *") + status + QLatin1Char('*');
    return caption.left(star + 1) + status + QLatin1Char('*');
}

} // namespace CommLog
