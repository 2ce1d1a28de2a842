// The link's side of sending and receiving: channel framing (a channel
// outside 0..15 is refused with a log line), exchanges through the port, and
// the hand-over of received text to the protocol.

#include "config/Log.h"
#include "unit/CommandFrames.h"
#include "unit/UnitLink.h"

namespace unit {

void UnitLink::sendCommandToChannel(const QString& cmd, qint16 channelID, bool immediate)
{
    QString frame = cmd;
    if (channelID >= channelCount) {
        // A reply would be booked to a channel that does not exist.
        config::writeLog("Unit #" + QString::number(m_unitID) + ": frame " + cmd + " for channel "
                         + QString::number(channelID) + " not sent; channels are 0..15");
        return;
    }
    if (channelID >= 0)
        frame = UnitCommandFrames::channelFrame(cmd, channelID);
    if (immediate)
        m_port.sendNow(frame, channelID);
    else
        m_port.enqueue(frame, channelID);
}

QString UnitLink::sendDataAndPoll(const QString& cmd, qint32 delay)
{
    return m_port.exchange(cmd, delay);
}

void UnitLink::processReceivedData(const QString& text)
{
    if (text.isEmpty())
        m_port.readWaiting();
    else
        m_protocol.parseText(text, m_replies);
}

} // namespace unit
