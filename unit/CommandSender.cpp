#include "unit/CommandSender.h"

#include "config/Log.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitPort.h"
#include "unit/UnitProtocol.h"

namespace unit {

CommandSender::CommandSender(UnitPort& port, UnitProtocol& protocol, UnitReplySink& replies,
                             const UnitChannelState& state, const qint16& unitNumber)
    : m_port(port), m_protocol(protocol), m_replies(replies), m_state(state), m_unitNumber(unitNumber)
{
}

void CommandSender::sendToChannel(const QString& cmd, qint16 channel, bool immediate)
{
    QString frame = cmd;
    if (channel >= UnitChannelState::channelCount) {
        // A reply would be booked to a channel that does not exist.
        config::writeLog("Unit #" + QString::number(m_unitNumber) + ": frame " + cmd + " for channel "
                         + QString::number(channel) + " not sent; channels are 0..15");
        return;
    }
    if (channel >= 0)
        frame = UnitCommandFrames::channelFrame(cmd, channel);
    if (immediate)
        m_port.sendNow(frame, channel);
    else
        m_port.enqueue(frame, channel);
}

void CommandSender::send(const QString& cmd, qint16 channel, bool immediate)
{
    if (!cmd.isEmpty())
        sendToChannel(cmd, channel, immediate);
}

QString CommandSender::command(UnitCommandFrames::ModelCommand command) const
{
    return m_protocol.command(command);
}

UnitModel CommandSender::model() const
{
    return m_state.model();
}

void CommandSender::takeReply(const QString& text)
{
    if (text.isEmpty())
        m_port.readWaiting();
    else
        m_protocol.parseText(text, m_replies);
}

} // namespace unit
