#pragma once
// The wire protocol of one measuring unit: the command texts of its model
// (from the table in CommandFrames) and the decoding of its replies, with
// what decoding keeps between reads (pending text, the channel that
// replies are attributed to) and the ACLG energy a ZAMO2-4 run is set for.
// It reads the model from the unit's channel state. It neither sends nor
// reads the port: the link hands it the bytes, and it hands every decoded
// reply to the sink it is given. Nothing here fails: text that is not a
// reply is reported to the sink as malformed and dropped.

#include "config/AclgSettings.h"
#include "unit/AclgEnergy.h"
#include "unit/CommandFrames.h"
#include "unit/ReplyParser.h"

#include <QByteArray>
#include <QString>

namespace unit {

class UnitChannelState;
class UnitReplySink;

class UnitProtocol {
public:
    explicit UnitProtocol(const UnitChannelState& state) : m_state(state) {}

    // The model's text of a command; "" when the unit's model does not serve it.
    QString command(UnitCommandFrames::ModelCommand command) const;

    AclgEnergy aclgEnergy() const { return m_aclgEnergy; }
    void setAclgEnergy(AclgEnergy energy) { m_aclgEnergy = energy; }
    // The [ACLG] constants the ACLG readings are converted with, kept by
    // reference (the caller keeps them alive); until handed in, the defaults.
    void useAclgSettings(const config::AclgSettings& aclg) { m_aclg = &aclg; }

    // Channel replies that follow belong to this channel (the channel of the
    // last channel frame sent, or of the simulated reply).
    void attributeTo(qint16 channel) { m_receive.channel = channel; }
    qint16 attributedChannel() const { return m_receive.channel; }

    // The bytes of one read, behind the pending text of the previous read.
    void parseRead(const QByteArray& received, UnitReplySink& sink);
    // Text given whole (a polled exchange, the simulated unit): parsed alone,
    // the pending text dropped.
    void parseText(const QString& text, UnitReplySink& sink);
    // The start of a reply still waiting for the rest of it.
    const QString& pendingText() const { return m_receive.pendingText; }
    void clearPendingText() { m_receive.pendingText.clear(); }

private:
    ReplyContext context() const;

    const UnitChannelState& m_state;
    AclgEnergy m_aclgEnergy = AclgEnergy::J360;
    const config::AclgSettings* m_aclg = nullptr;
    ReceiveState m_receive;
};

} // namespace unit
