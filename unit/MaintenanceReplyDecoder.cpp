#include "unit/MaintenanceReplyDecoder.h"

#include "config/Log.h"
#include "platform/OleDate.h"
#include "unit/ReplyFields.h"
#include "unit/UnitLink.h"

#include <QDate>

#include <array>

namespace MaintenanceReplies {

Zamo24Pace ConvertZamo24Pace(qint16 on1, qint16 on2, qint16 off1, qint16 off2, qint16 v1, qint16 v2)
{
    Zamo24Pace p;
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
std::optional<std::array<qint16, N>> AllIntegers(ReplyFieldReader& fields)
{
    std::array<qint16, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        const auto v = fields.TryInteger(4 + 5 * int(i));
        if (!v)
            return std::nullopt;
        values[i] = *v;
    }
    return values;
}

void Counter(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& fields)
{
    std::array<qint32, 7> v{};
    for (int i = 0; i < 7; ++i) {
        const auto value = fields.TryLong(4 + 6 * i);
        if (!value)
            return;
        v[i] = *value;
    }
    emit c.RXCounter(c.Index(), ch, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
}

void CalibrationDate(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& fields)
{
    const auto year = fields.TryInteger(4, 4);
    const auto month = fields.TryInteger(9, 2);
    const auto day = fields.TryInteger(12, 2);
    if (!year || !month || !day)
        return;   // the channel keeps its previous date
    const QDate date(*year, *month, *day);
    if (date.isValid())
        c.Electrode(ch)->setCalibrationDate(platform::OleDate::fromDate(date));
    else
        modMain::WriteLog(QStringLiteral("Unit #%1 channel %2: calibration date %3-%4-%5 is not a date; "
                                         "the previous date is kept")
                              .arg(c.UnitID()).arg(QChar(u'A' + ch)).arg(*year).arg(*month).arg(*day));
    emit c.RXCalibrationDate(c.Index(), ch, *year, *month, *day);
}

void CalibrationReference(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& fields)
{
    if (c.IsZAMO80() || c.IsZAMO24()) {
        if (const auto v = AllIntegers<4>(fields))
            emit c.RXCalibrationReference(c.Index(), ch, (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
    } else if (const auto v = AllIntegers<3>(fields)) {
        emit c.RXCalibrationReference(c.Index(), ch, (*v)[0], (*v)[1], (*v)[2], 0);
    }
}

void Zamo24PacePulseWidths(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& fields)
{
    std::array<qint16, 6> v{};
    for (int i = 0; i < 6; ++i)
        v[i] = fields.Integer(4 + 5 * i);
    const Zamo24Pace p = ConvertZamo24Pace(v[0], v[1], v[2], v[3], v[4], v[5]);
    c.Electrode(ch)->SetZamo24PaceParameters(p.pace1Volts, p.pace1PulseWidthMs, p.pace1BPM,
                                             p.pace2Volts, p.pace2PulseWidthMs, p.pace2BPM);
    emit c.RXZamo24PacePulseWidths(c.Index(), ch, v[0], v[1], v[2], v[3], p.pace1Volts, p.pace2Volts,
                                   p.pace1Hz, p.pace2Hz, p.pace1BPM, p.pace2BPM);
}

} // namespace

void Decode(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& fields)
{
    const QStringView kind = fields.Text(2, 2);
    if (kind == u"C0" || kind == u"C1" || kind == u"c0" || kind == u"c1") {
        Counter(c, ch, fields);
    } else if (kind == u"D0" || kind == u"D1") {
        CalibrationDate(c, ch, fields);
    } else if (kind == u"V1") {
        const QString firmware = ReplyFields::FirmwareText(fields.Text(4, 5));
        c.Electrode(ch)->setFirmwareVersion(firmware);
        emit c.RXFirmwareVersion(c.Index(), ch, firmware);
    } else if (kind == u"S0" || kind == u"S1") {
        const QString serial = fields.Text(4, 5).toString();
        c.Electrode(ch)->setSerialNumber(serial);
        emit c.RXSerialNumber(c.Index(), ch, serial);
    } else if (kind == u"R0" || kind == u"R1" || kind == u"r0" || kind == u"r1") {
        CalibrationReference(c, ch, fields);
    } else if (kind == u"P0" || kind == u"P1") {
        if (const auto v = AllIntegers<4>(fields))
            emit c.RXPacePulseWidths(c.Index(), ch, (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
    } else if (kind == u"p0" || kind == u"p1") {
        Zamo24PacePulseWidths(c, ch, fields);
    } else if (kind == u"d0" || kind == u"d1") {
        if (const auto v = fields.TryInteger(4))
            emit c.RXDCOReferenceVoltage(c.Index(), ch, *v);
    }
}

} // namespace MaintenanceReplies
