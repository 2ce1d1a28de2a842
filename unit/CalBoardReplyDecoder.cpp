#include "unit/CalBoardReplyDecoder.h"

#include "unit/ReplyFields.h"
#include "unit/UnitLink.h"

namespace CalBoardReplies {

double BaseVoltage(qint32 count)
{
    return count / 32768.0 * 2.048;
}

double ScaledVoltage(qint32 count, double inputGain, qint32 scale)
{
    return BaseVoltage(count) * inputGain * scale / 10000;
}

namespace {

// Digit 1..3 at position 3, or 0.
qint16 SourceNumber(const ReplyFieldReader& f)
{
    const QChar n = f.At(3);
    return n >= u'1' && n <= u'3' ? qint16(n.unicode() - u'0') : 0;
}

void StoredValue(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& f)
{
    const QStringView kind = f.Text(2, 2);
    const int index = c.Index();
    if (kind == u"V1")
        emit c.RXCalBoardFirmwareVersion(index, ch, ReplyFields::FirmwareText(f.Text(4, 5)));
    else if (kind == u"S1")
        emit c.RXCalBoardSerialNumber(index, ch, f.Text(4, 5).toString());
    else if (kind == u"R1")
        emit c.RXCalBoardCalibrationReferenceResistors1(index, ch, f.Integer(4), f.Integer(9));
    else if (kind == u"R3")
        emit c.RXCalBoardCalibrationReferenceDCO(index, ch, f.Long(4), f.Long(10));
    else if (kind == u"R5")
        emit c.RXCalBoardCalibrationReferenceResistors2(index, ch, f.Integer(4), f.Integer(9));
    else if (kind == u"P1")
        emit c.RXCalBoardPotentialReference(index, ch, f.Long(4), f.Long(10));
}

void Measurement(ctlZAMOUsbComm& c, qint16 ch, ReplyFieldReader& f)
{
    const int index = c.Index();
    const QChar kind = f.At(2);
    const QChar sub = f.At(3);
    const qint16 n = SourceNumber(f);
    if (kind == u'A' && n > 0) {
        const qint16 r = f.Integer(4);
        emit c.RXCalBoardACZResistance(index, ch, n, n == 1 ? r / 10.0 : double(r));
    } else if (kind == u'D' && n > 0) {
        const qint32 m = f.Long(4), g = f.Long(10);
        emit c.RXCalBoardDCOVoltage(index, ch, n, ScaledVoltage(m, 1, g), m);
    } else if (kind == u'N' && n > 0) {
        const qint32 m = f.Long(4), g = f.Long(10);
        emit c.RXCalBoardNoiseVoltage(index, ch, n, ScaledVoltage(m, 1, g), m, BaseVoltage(m));
    } else if (kind == u'B' && sub == u'1') {
        emit c.RXCalBoardBiasResistance(index, ch, double(qint32(f.Integer(4)) * 100));
    } else if (kind == u'S' && sub == u'1') {
        const qint32 m = f.Long(4), g = f.Long(10);
        emit c.RXCalBoardSDRVoltage(index, ch, ScaledVoltage(m, 101, g), m, BaseVoltage(m) * 101);
    } else if (kind == u'S' && sub == u'2') {
        emit c.RXCalBoardSDRResistance(index, ch, f.Integer(4, 3));
    } else if (kind == u'R' && sub == u'1') {
        const qint32 m = f.Long(4), g = f.Long(10);
        emit c.RXCalBoardMeasuredVoltage(index, ch, 1, ScaledVoltage(m, 3, g), m, BaseVoltage(m) * 3);
    } else if (kind == u'R' && sub == u'2') {
        const qint32 m = f.Long(4), g = f.Long(10);
        emit c.RXCalBoardMeasuredVoltage(index, ch, 2, ScaledVoltage(m, 3 * 101, g), m, BaseVoltage(m) * 3 * 101);
    }
}

} // namespace

void Decode(ctlZAMOUsbComm& comm, qint16 channel, ReplyFieldReader& fields)
{
    if (fields.At(1) == u'm')
        StoredValue(comm, channel, fields);
    else
        Measurement(comm, channel, fields);
}

} // namespace CalBoardReplies
