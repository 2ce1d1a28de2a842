#pragma once
// Where the reply parser delivers what a unit's replies say, one call per
// decoded reply, in the order the replies arrived. The parser only decodes:
// keeping state (channel records, diagnostics, lid) and raising events is
// the receiver's job. A reply that does not decode (a missing field, a
// model that does not send it) makes no call at all. Channel calls carry a
// channel 0..15.

#include "unit/UnitReadings.h"

#include <QString>

namespace unit {

class UnitReplySink {
public:
    virtual ~UnitReplySink() = default;

    // ---- framing ----
    // The whole unparsed text at the start of each parsing pass.
    virtual void bufferSeen(const QString& text) = 0;
    // One complete frame; channel 0 for a unit frame.
    virtual void frameSeen(qint16 channel, const QString& frame) = 0;
    // A line for the log: a broken frame or discarded text.
    virtual void malformed(const QString& message) = 0;

    // One decoded reply of the channel (0 for the unit's own replies).
    virtual void reply(qint16 channel, ReplyValue value) = 0;
};

} // namespace unit
