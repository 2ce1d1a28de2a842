#pragma once
// The transmit path that the command senders share: channel framing (a
// channel outside 0..15 is refused with a log line), the port's send queue
// or an immediate send, the command texts of the unit's model and what the
// senders read of the unit's channel state. A reply that a sender waits for
// is handed to the protocol like any read.

#include "unit/CommandFrames.h"
#include "unit/UnitModel.h"

#include <QString>

namespace unit {

class UnitChannelState;
class UnitPort;
class UnitProtocol;
class UnitReplySink;

class CommandSender {
public:
    // unitNumber: the unit's number for the log, kept by reference.
    CommandSender(UnitPort& port, UnitProtocol& protocol, UnitReplySink& replies, const UnitChannelState& state,
                  const qint16& unitNumber);

    // Frames a channel command (or sends a unit frame, with channel -1),
    // queued or at once.
    void sendToChannel(const QString& cmd, qint16 channel, bool immediate = false);
    // The same for a command that may be empty: a command the model does not serve.
    void send(const QString& cmd, qint16 channel, bool immediate = false);
    // The model's text of a command; "" when the model does not serve it.
    QString command(UnitCommandFrames::ModelCommand command) const;
    UnitModel model() const;
    const UnitChannelState& state() const { return m_state; }
    UnitPort& port() { return m_port; }
    // text "": reads the waiting bytes from the device; otherwise parses text alone.
    void takeReply(const QString& text);

private:
    UnitPort& m_port;
    UnitProtocol& m_protocol;
    UnitReplySink& m_replies;
    const UnitChannelState& m_state;
    const qint16& m_unitNumber;
};

} // namespace unit
