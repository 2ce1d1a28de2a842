#pragma once
// Stands between the reply decoders and the receiver of one frame's replies.
// A reply decoded from a frame that held a field that did not convert (or
// that ended before a field it needs) never reaches the receiver as a value:
// a test reading becomes an UnreadableReading, which the run treats as bad
// data; the ACZ30 zero, whose value nothing uses, goes on without its value;
// every other reply (diagnostics, maintenance and calibration-board replies)
// is dropped, so that it changes nothing. Either way the frame is logged as
// malformed, once.

#include "unit/UnitReplySink.h"

#include <optional>

namespace unit {

class ReplyFieldReader;

class CheckedReplySink : public UnitReplySink {
public:
    CheckedReplySink(UnitReplySink& receiver, const ReplyFieldReader& fields, const QString& frame);

    void bufferSeen(const QString& text) override;
    void frameSeen(qint16 channel, const QString& frame) override;
    void malformed(const QString& message) override;
    void reply(qint16 channel, ReplyValue value) override;

    // Logs the frame as malformed, with why, unless it was logged already.
    void logMalformed(const QString& why);
    // Logs the frame as malformed when a field did not convert and no reply
    // was made of it.
    void finish();

    // What a test reading becomes when its frame cannot be read; nothing
    // for a reply that is not a test reading.
    static std::optional<UnreadableReading> unreadable(const ReplyValue& value);

private:
    UnitReplySink& m_receiver;
    const ReplyFieldReader& m_fields;
    const QString& m_frame;
    bool m_logged = false;
};

} // namespace unit
