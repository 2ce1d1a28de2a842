#include "unit/ReplyParser.h"

#include "unit/CalBoardReplyDecoder.h"
#include "unit/CheckedReplySink.h"
#include "unit/MaintenanceReplyDecoder.h"
#include "unit/ReplyFields.h"
#include "unit/TestReadingDecoder.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitDiagnostics.h"
#include "unit/UnitReplySink.h"

#include <algorithm>

namespace unit {

ReplyParser::ReplyParser(ReceiveState& state, const ReplyContext& context, UnitReplySink& sink)
    : m_state(state), m_context(context), m_sink(sink), m_framing(state.pendingText, state.busy)
{
}

void ReplyParser::parseRead(const QByteArray& received)
{
    m_framing.feedRead(QString::fromLatin1(received), *this);
}

void ReplyParser::parseText(const QString& text)
{
    m_framing.feedText(text, *this);
}

void ReplyParser::onBuffer(const QString& text)
{
    m_sink.bufferSeen(text);
}

void ReplyParser::onMalformed(const QString& message)
{
    m_sink.malformed(message);
}

void ReplyParser::onFrame(bool unitFrame, const QString& frame, QStringView inner)
{
    const qint16 channel = unitFrame ? 0 : m_state.channel;
    m_sink.frameSeen(channel, frame);

    ReplyFieldReader fields(inner);
    CheckedReplySink checked(m_sink, fields, frame);
    if (unitFrame) {
        decodeUnitReply(fields, checked);
    } else if (channel < 0 || channel >= UnitChannelState::channelCount) {
        onMalformed(QStringLiteral("Reply %1 ignored: channel %2 does not exist").arg(frame).arg(channel));
        return;
    } else {
        decodeChannelReply(channel, fields, checked);
    }
    checked.finish();
}

void ReplyParser::decodeUnitReply(ReplyFieldReader& fields, CheckedReplySink& sink)
{
    switch (fields.charAt(1).unicode()) {
    case u'*': sink.reply(0, UnitIdle{}); break;
    case u'R':
        if (fields.charAt(2) == u'T')
            sink.reply(0, UnitTrisRegister{{fields.text(3, 1).toString(), fields.rest(4).toString()}});
        else
            sink.reply(0, UnitDigitalPort{{fields.text(2, 1).toString(), fields.rest(3).toString()}});
        break;
    case u'd':
    case u'D': sink.reply(0, UnitDiagnostics::decode(fields)); break;
    case u'F': {
        // One character per channel: only a "1" marks a channel connected, so
        // a map that is cut short or garbled can only leave channels out. It
        // is passed on as it came, and logged.
        const QStringView map = fields.text(2, UnitChannelState::channelCount);
        const bool flags = map.size() == UnitChannelState::channelCount
                           && std::all_of(map.begin(), map.end(), [](QChar c) { return c == u'0' || c == u'1'; });
        if (!flags)
            sink.logMalformed(
                QStringLiteral("the channel map is not 16 flags of 0 and 1; only the channels marked 1 are connected"));
        sink.reply(0, FoundChannels{map.toString()});
        break;
    }
    case u'L': {
        const QChar flag = fields.charAt(2);
        if (isZamo80Family(m_context.model) && (flag == u'0' || flag == u'1'))
            sink.reply(0, LidState{flag == u'0'});
        break;
    }
    default: break;
    }
}

void ReplyParser::decodeChannelReply(qint16 channel, ReplyFieldReader& fields, CheckedReplySink& sink)
{
    switch (fields.charAt(1).unicode()) {
    case u'*': sink.reply(channel, ChannelIdle{}); break;
    case u'!': sink.reply(channel, TestDataNotReady{}); break;
    case u'R':
        if (fields.charAt(2) == u'T')
            sink.reply(channel, TrisRegister{{fields.text(3, 1).toString(), fields.rest(4).toString()}});
        else
            sink.reply(channel, DigitalPort{{fields.text(2, 1).toString(), fields.rest(3).toString()}});
        break;
    case u'M': MaintenanceReplyDecoder::decode(m_context, channel, fields, sink); break;
    case u'G': TestReadingDecoder::decode(m_context, channel, fields, sink); break;
    case u'm':
    case u'g': CalBoardReplyDecoder::decode(channel, fields, sink); break;
    default: break;
    }
}

} // namespace unit
