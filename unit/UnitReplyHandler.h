#pragma once
// Takes what the reply parser decoded from one unit's replies, keeps what
// is state (channel records, diagnostics, lid, channel map) in the unit's
// channel state and raises the reply as one UnitReply through the unit
// link, with the link's index. It sends nothing. A calibration date that is
// no date is logged and leaves the channel's date as it was; the reply is
// raised all the same.

#include "unit/UnitReplySink.h"

#include <functional>

namespace unit {

class UnitChannelState;
class UnitLink;

class UnitReplyHandler : public UnitReplySink {
public:
    // channelsChanged runs after a channel map is stored, before its reply is raised.
    UnitReplyHandler(UnitLink& link, UnitChannelState& state, std::function<void()> channelsChanged);

    void bufferSeen(const QString& text) override;
    void frameSeen(qint16 channel, const QString& frame) override;
    void malformed(const QString& message) override;
    void reply(qint16 channel, ReplyValue value) override;

private:
    // Stores what the reply says of the unit's state.
    void keep(qint16 channel, const ReplyValue& value);
    void keepCalibrationDate(qint16 channel, const CalibrationDateReply& date);

    UnitLink& m_link;
    UnitChannelState& m_state;
    std::function<void()> m_channelsChanged;
};

} // namespace unit
