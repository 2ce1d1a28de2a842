#include "platform/DbCommand.h"

#include "platform/DbError.h"

namespace platform {

void DbCommand::deleteParameter(int index)
{
    if (index < 0 || index >= m_parameters.size())
        throw DbError(QStringLiteral("No parameter %1 to delete").arg(index));
    m_parameters.removeAt(index);
}

DbParameter& DbCommand::parameter(int index)
{
    if (index < 0 || index >= m_parameters.size())
        throw DbError(QStringLiteral("No parameter %1").arg(index));
    return m_parameters[index];
}

DbRecordset DbCommand::execute()
{
    if (!m_connection)
        throw DbError(QStringLiteral("The command has no connection"));
    return m_connection->execute(m_text, m_parameters);
}

} // namespace platform
