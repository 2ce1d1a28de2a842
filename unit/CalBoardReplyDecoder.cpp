#include "unit/CalBoardReplyDecoder.h"

#include "unit/ReplyFields.h"
#include "unit/UnitReplySink.h"

namespace unit {

namespace CalBoardReplyDecoder {

double baseVoltage(qint32 count)
{
    return count / 32768.0 * 2.048;
}

double scaledVoltage(qint32 count, double inputGain, qint32 scale)
{
    return baseVoltage(count) * inputGain * scale / 10000;
}

namespace {

// Digit 1..3 at position 3, or 0.
qint16 sourceNumber(const ReplyFieldReader& f)
{
    const QChar n = f.charAt(3);
    return n >= u'1' && n <= u'3' ? qint16(n.unicode() - u'0') : 0;
}

void storedValue(qint16 ch, ReplyFieldReader& f, UnitReplySink& sink)
{
    const QStringView kind = f.text(2, 2);
    if (kind == u"V1")
        sink.reply(ch, CalBoardFirmwareVersion{ReplyFields::firmwareText(f.text(4, 5))});
    else if (kind == u"S1")
        sink.reply(ch, CalBoardSerialNumber{f.text(4, 5).toString()});
    else if (kind == u"R1")
        sink.reply(ch, CalBoardReferenceResistors1{{f.integerField(4), f.integerField(9)}});
    else if (kind == u"R3")
        sink.reply(ch, CalBoardReferenceDco{{f.longField(4), f.longField(10)}});
    else if (kind == u"R5")
        sink.reply(ch, CalBoardReferenceResistors2{{f.integerField(4), f.integerField(9)}});
    else if (kind == u"P1")
        sink.reply(ch, CalBoardPotentialReference{{f.longField(4), f.longField(10)}});
}

// A measured voltage: the count at 4, the scale at 10, through an input of the given gain.
CalBoardVoltage voltage(ReplyFieldReader& f, qint16 source, double inputGain)
{
    const qint32 count = f.longField(4), scale = f.longField(10);
    return {source, scaledVoltage(count, inputGain, scale), count, baseVoltage(count) * inputGain};
}

void measurement(qint16 ch, ReplyFieldReader& f, UnitReplySink& sink)
{
    const QChar kind = f.charAt(2);
    const QChar sub = f.charAt(3);
    const qint16 n = sourceNumber(f);
    if (kind == u'A' && n > 0) {
        const qint16 r = f.integerField(4);
        sink.reply(ch, CalBoardAczResistance{n, n == 1 ? r / 10.0 : double(r)});
    } else if (kind == u'D' && n > 0) {
        sink.reply(ch, CalBoardDcoVoltage{voltage(f, n, 1)});
    } else if (kind == u'N' && n > 0) {
        sink.reply(ch, CalBoardNoiseVoltage{voltage(f, n, 1)});
    } else if (kind == u'B' && sub == u'1') {
        sink.reply(ch, CalBoardBiasResistance{double(qint32(f.integerField(4)) * 100)});
    } else if (kind == u'S' && sub == u'1') {
        sink.reply(ch, CalBoardSdrVoltage{voltage(f, 0, 101)});
    } else if (kind == u'S' && sub == u'2') {
        sink.reply(ch, CalBoardSdrResistance{double(f.integerField(4, 3))});
    } else if (kind == u'R' && sub == u'1') {
        sink.reply(ch, CalBoardMeasuredVoltage{voltage(f, 1, 3)});
    } else if (kind == u'R' && sub == u'2') {
        CalBoardVoltage v = voltage(f, 2, 3 * 101);
        v.baseVoltage = baseVoltage(v.count) * 3 * 101; // multiplied in this order, to the last bit
        sink.reply(ch, CalBoardMeasuredVoltage{v});
    }
}

} // namespace

void decode(qint16 channel, ReplyFieldReader& fields, UnitReplySink& sink)
{
    if (fields.charAt(1) == u'm')
        storedValue(channel, fields, sink);
    else
        measurement(channel, fields, sink);
}

} // namespace CalBoardReplyDecoder

} // namespace unit
