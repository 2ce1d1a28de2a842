#include "unit/MaintenanceReplyDecoder.h"

#include "unit/ReplyContext.h"
#include "unit/ReplyFields.h"
#include "unit/UnitReplySink.h"

#include <array>
#include <optional>

namespace unit {

namespace MaintenanceReplyDecoder {

Zamo24PaceSettings zamo24PaceSettings(qint16 on1, qint16 on2, qint16 off1, qint16 off2, qint16 v1, qint16 v2)
{
    Zamo24PaceSettings p;
    p.pace1On50 = on1;
    p.pace2On50 = on2;
    p.pace1Offms = off1;
    p.pace2Offms = off2;
    p.pace1Volts = v1 / 100.0;
    p.pace2Volts = v2 / 100.0;
    p.pace1Hz = 1 / (on1 * 0.00005 + off1 * 0.001);
    p.pace2Hz = 1 / (on2 * 0.00005 + off2 * 0.001);
    p.pace1BPM = p.pace1Hz * 60;
    p.pace2BPM = p.pace2Hz * 60;
    p.pace1PulseWidthMs = on1 * 0.00005 * 1000;
    p.pace2PulseWidthMs = on2 * 0.00005 * 1000;
    return p;
}

namespace {

// Integer fields of width 4 at 4, 9, 14, …; nothing unless every one converts.
template <std::size_t N>
std::optional<std::array<qint16, N>> allIntegers(ReplyFieldReader& fields)
{
    std::array<qint16, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto v = fields.tryInteger(4 + 5 * int(i));
        if (!v)
            return std::nullopt;
        values[i] = *v;
    }
    return values;
}

void counters(qint16 ch, ReplyFieldReader& fields, UnitReplySink& sink)
{
    ChannelCounters c;
    for (int i = 0; i < 7; ++i) {
        const auto value = fields.tryLong(4 + 6 * i);
        if (!value)
            return;
        c.values[i] = *value;
    }
    sink.reply(ch, c);
}

void calibrationDate(qint16 ch, ReplyFieldReader& fields, UnitReplySink& sink)
{
    const auto year = fields.tryInteger(4, 4);
    const auto month = fields.tryInteger(9, 2);
    const auto day = fields.tryInteger(12, 2);
    if (year && month && day)
        sink.reply(ch, CalibrationDateReply{*year, *month, *day});
}

void calibrationReference(const ReplyContext& context, qint16 ch, ReplyFieldReader& fields, UnitReplySink& sink)
{
    CalibrationReference reference;
    if (isZamo80Family(context.model)) {
        const auto v = allIntegers<4>(fields);
        if (!v)
            return;
        std::copy(v->begin(), v->end(), reference.values);
    } else {
        const auto v = allIntegers<3>(fields);
        if (!v)
            return;
        std::copy(v->begin(), v->end(), reference.values);
    }
    sink.reply(ch, reference);
}

void zamo24Pace(qint16 ch, ReplyFieldReader& fields, UnitReplySink& sink)
{
    std::array<qint16, 6> v{};
    for (int i = 0; i < 6; ++i)
        v[i] = fields.integerField(4 + 5 * i);
    sink.reply(ch, zamo24PaceSettings(v[0], v[1], v[2], v[3], v[4], v[5]));
}

} // namespace

void decode(const ReplyContext& context, qint16 ch, ReplyFieldReader& fields, UnitReplySink& sink)
{
    const QStringView kind = fields.text(2, 2);
    if (kind == u"C0" || kind == u"C1" || kind == u"c0" || kind == u"c1") {
        counters(ch, fields, sink);
    } else if (kind == u"D0" || kind == u"D1") {
        calibrationDate(ch, fields, sink);
    } else if (kind == u"V1") {
        sink.reply(ch, FirmwareVersion{ReplyFields::firmwareText(fields.text(4, 5))});
    } else if (kind == u"S0" || kind == u"S1") {
        sink.reply(ch, SerialNumber{fields.text(4, 5).toString()});
    } else if (kind == u"R0" || kind == u"R1" || kind == u"r0" || kind == u"r1") {
        calibrationReference(context, ch, fields, sink);
    } else if (kind == u"P0" || kind == u"P1") {
        if (const auto v = allIntegers<4>(fields))
            sink.reply(ch, PacePulseWidths{(*v)[0], (*v)[1], (*v)[2], (*v)[3]});
    } else if (kind == u"p0" || kind == u"p1") {
        zamo24Pace(ch, fields, sink);
    } else if (kind == u"d0" || kind == u"d1") {
        if (const auto v = fields.tryInteger(4))
            sink.reply(ch, DcoReferenceVoltage{*v});
    }
}

} // namespace MaintenanceReplyDecoder

} // namespace unit
