#include "unit/UnitProtocol.h"

#include "unit/UnitChannelState.h"

namespace unit {

QString UnitProtocol::command(UnitCommandFrames::ModelCommand command) const
{
    return UnitCommandFrames::modelCommand(command, m_state.model());
}

ReplyContext UnitProtocol::context() const
{
    return ReplyContext{m_state.model(), m_aclgEnergy, m_aclg ? *m_aclg : config::AclgSettings()};
}

void UnitProtocol::parseRead(const QByteArray& received, UnitReplySink& sink)
{
    ReplyParser(m_receive, context(), sink).parseRead(received);
}

void UnitProtocol::parseText(const QString& text, UnitReplySink& sink)
{
    ReplyParser(m_receive, context(), sink).parseText(text);
}

} // namespace unit
