#include "run/OperatorLog.h"

#include "config/Log.h"

#include <exception>

namespace run {

void OperatorLog::write(const QString& line, bool recordToLog, bool inhibitDisplay)
{
    try {
        if (recordToLog || m_switches.diagnosticLog)
            config::writeLog(line);
        CommLog::appendLine(m_text, line);
        if (m_switches.diagnosticLog)
            return;
        CommLog::cutBack(m_text);
        if (m_switches.statusWindowOpen && !m_switches.commPaused && !inhibitDisplay && m_display)
            m_display(line);
    } catch (const std::exception&) {
        // The operator log never stops its caller.
    }
}

namespace CommLog {

void appendLine(QString& buffer, const QString& line)
{
    buffer += line;
    buffer += QStringLiteral("\r\n");
}

bool cutBack(QString& buffer)
{
    if (buffer.size() <= MaxLength)
        return false;
    buffer = buffer.mid(KeepFromCharacter - 1);
    return true;
}

QString captionWithError(const QString& caption, const QString& status)
{
    const qsizetype star = caption.indexOf(QLatin1Char('*'));
    if (star < 0)
        return caption + QStringLiteral(" *") + status + QLatin1Char('*');
    return caption.left(star + 1) + status + QLatin1Char('*');
}

} // namespace CommLog

} // namespace run
