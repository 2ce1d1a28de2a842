// The link's side of sending and receiving: channel framing (a channel
// outside 0..15 is refused with a log line), exchanges through the port, and
// the hand-over of received text to the protocol.

#include "config/Log.h"
#include "unit/CommandFrames.h"
#include "unit/UnitLink.h"

void ctlZAMOUsbComm::SendCommandToChannel(const QString& cmd, qint16 vChannelID, bool vImmediate)
{
    QString frame = cmd;
    if (vChannelID >= ChannelCount) {
        // A reply would be booked to a channel that does not exist.
        modMain::WriteLog("Unit #" + QString::number(pUnitID) + ": frame " + cmd + " for channel "
                          + QString::number(vChannelID) + " not sent; channels are 0..15");
        return;
    }
    if (vChannelID >= 0)
        frame = UnitCommandFrames::channelFrame(cmd, vChannelID);
    if (vImmediate)
        m_port.sendNow(frame, vChannelID);
    else
        m_port.enqueue(frame, vChannelID);
}

QString ctlZAMOUsbComm::SendDataAndPoll(const QString& cmd, qint32 vDelay)
{
    return m_port.exchange(cmd, vDelay);
}

void ctlZAMOUsbComm::ProcessReceivedData(const QString& text)
{
    if (text.isEmpty())
        m_port.readWaiting();
    else
        m_protocol.parseText(text, m_replies);
}
