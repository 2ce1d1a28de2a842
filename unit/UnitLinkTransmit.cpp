// The link's side of sending and receiving: frames through the command
// sender, exchanges through the port, and the hand-over of received text to
// the protocol.

#include "unit/UnitLink.h"

namespace unit {

void UnitLink::sendCommandToChannel(const QString& cmd, qint16 channel, bool immediate)
{
    m_sender.sendToChannel(cmd, channel, immediate);
}

QString UnitLink::sendDataAndPoll(const QString& cmd, qint32 delay)
{
    return m_port.exchange(cmd, delay);
}

void UnitLink::processReceivedData(const QString& text)
{
    m_sender.takeReply(text);
}

} // namespace unit
