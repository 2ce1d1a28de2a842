#pragma once
// The receive side of the unit protocol: cuts the text that a measuring unit
// sends into frames (ReplyFraming), decodes each frame for the unit's model
// and hands the result to a sink. It needs no device and keeps no state of
// its own: the pending text, the busy flag and the channel that replies are
// attributed to live in the ReceiveState it is given, so that they outlive
// one parsing pass. A reply it cannot decode is reported to the sink as
// malformed (a log line); a channel reply for a channel that does not exist
// is dropped after its frame event. A reply with a field that is not a
// number is never delivered as a value (CheckedReplySink).

#include "unit/ReplyContext.h"
#include "unit/ReplyFraming.h"

#include <QByteArray>
#include <QString>

// What survives between parsing passes.
namespace unit {

class CheckedReplySink;
class ReplyFieldReader;
class UnitReplySink;

struct ReceiveState {
    QString pendingText; // unparsed remainder of the previous read
    bool busy = false;   // a pass runs (a handler's wait may start another)
    qint16 channel = 0;  // channel replies belong to this channel
};

class ReplyParser : private ReplyFraming::Handler {
public:
    ReplyParser(ReceiveState& state, const ReplyContext& context, UnitReplySink& sink);

    // The bytes of one read (one byte is one character); the pending text of
    // the previous read goes in front of them.
    void parseRead(const QByteArray& received);
    // Text handed over by a caller (a polled exchange, the simulated unit),
    // parsed alone: the pending text is dropped, not joined.
    void parseText(const QString& text);

private:
    void onBuffer(const QString& text) override;
    void onFrame(bool unitFrame, const QString& frame, QStringView inner) override;
    void onMalformed(const QString& message) override;

    void decodeUnitReply(ReplyFieldReader& fields, CheckedReplySink& sink);
    void decodeChannelReply(qint16 channel, ReplyFieldReader& fields, CheckedReplySink& sink);

    ReceiveState& m_state;
    ReplyContext m_context;
    UnitReplySink& m_sink;
    ReplyFraming m_framing;
};

} // namespace unit
