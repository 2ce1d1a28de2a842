#include "unit/TestReadingDecoder.h"

#include "unit/LinkGlobals.h"
#include "unit/ReadingArithmetic.h"
#include "unit/ReplyFields.h"
#include "unit/UnitLink.h"

namespace TestDataDecoders {

namespace {

using namespace TestDataArithmetic;

// One reply being decoded: the component, the channel and the fields.
struct Reply {
    ctlZAMOUsbComm& c;
    qint16 ch;
    ReplyFieldReader& f;

    int index() const { return c.Index(); }
    bool zamo80() const { return c.IsZAMO80(); }
    bool zamo24() const { return c.IsZAMO24(); }
    bool zamo80Or24() const { return c.IsZAMO80() || c.IsZAMO24(); }
    qint16 F(int pos) { return f.Integer(pos); }
    // An acknowledgement: exactly the letters and "0".
    bool isAck() const { return f.Inner().size() == 3 && f.At(3) == u'0'; }
};

void Acz(Reply r)
{
    const qint16 zero = r.F(3), ref1k = r.F(8), high = r.F(13), measure = r.F(18), vcc = r.F(23);
    const bool completed = r.f.Completed(27);
    const double gain = Gain(1000, ref1k - zero);
    const double measurement = (measure - zero) * gain;
    const double vccMeasurement = r.zamo80Or24() ? 0.0 : VccMeasurement(vcc);
    emit r.c.RXACZTestData(r.index(), r.ch, zero, ref1k, high, measure, vcc, completed, gain, measurement,
                           vccMeasurement, r.zamo80Or24());
}

void Acz30(Reply r)
{
    const qint16 zero = r.F(3), ref1k = r.F(8), high = r.F(13), measure = r.F(18), acz30Zero = r.F(23);
    const bool completed = r.f.Completed(27);
    const double gain = Gain(10, ref1k - zero - acz30Zero);
    const double measurement = (measure - zero - acz30Zero) * gain;
    emit r.c.RXACZ30TestData(r.index(), r.ch, zero, ref1k, high, measure, acz30Zero, completed, gain,
                             measurement, true);
}

void Zamo80Aclg(Reply r)
{
    if (r.isAck()) {
        emit r.c.RXACLGAck(r.index());
        return;
    }
    const qint16 v50 = r.F(3), ve = r.F(8);
    const bool completed = r.f.Completed(12);
    const double resistance =
        Zamo80AclgResistance(v50, ve, r.c.Aclg().gainVe, r.c.Aclg().gainV50, r.c.Aclg().correctGain);
    emit r.c.RXACLGTestData(r.index(), r.ch, v50, ve, completed, resistance);
}

void Zamo24Aclg(Reply r)
{
    if (r.isAck()) {
        emit r.c.RXACLGAck(r.index());
        return;
    }
    const qint16 zero50 = r.F(3), zeroE = r.F(8), v50_1 = r.F(13), ve_1 = r.F(18), v50_2 = r.F(23),
                 ve_2 = r.F(28);
    const bool completed = r.f.Completed(32);
    const Zamo24AclgResult res =
        Zamo24AclgResistances(zero50, zeroE, v50_1, ve_1, v50_2, ve_2,
                              SelectAclgSet(r.c.Aclg(), Globals::AclgEnergyXJ, Globals::AclgEnergy100J));
    emit r.c.RXZamo24ACLGTestData(r.index(), r.ch, zero50, zeroE, v50_1, ve_1, v50_2, ve_2, completed,
                                  res.calcR1, res.calcR2);
}

void DefibRecovery(Reply r)
{
    if (r.isAck()) {
        emit r.c.RXDefibRecoveryAck(r.index());
        return;
    }
    const qint16 zero = r.F(3), ref750 = r.F(8), ref750M = r.F(13), zeroCorrect = r.F(18), measure4 = r.F(23),
                 measure60 = r.F(28), seconds = r.F(33);
    const bool completed = r.f.Completed(37);
    // The divisor in 32 bits: the 16-bit product overflows beyond ±3276.
    const qint32 divisor = (qint32(ref750) - zero - zeroCorrect) * 10;
    const double gain = Gain(ref750M, divisor);
    const double measurement4 = (measure4 - zero - zeroCorrect) * gain;
    const double measurement60 = (measure60 - zero - zeroCorrect) * gain;
    emit r.c.RXDefibRecoveryTestData(r.index(), r.ch, zero, ref750, ref750M, zeroCorrect, measure4, measure60,
                                     seconds, completed, gain, measurement4, measurement60);
}

void Noise(Reply r)
{
    switch (r.f.At(3).unicode()) {
    case u'0':
        if (r.f.At(8) == u'*') {
            if (const auto filterZero = r.f.TryInteger(4))
                emit r.c.RXNoiseZeroResult(r.index(), r.ch, *filterZero, -1, -1, -1, -1, true);
        } else {
            const auto zero = r.f.TryInteger(4), high = r.f.TryInteger(9), low = r.f.TryInteger(14),
                       seconds = r.f.TryInteger(19);
            if (zero && high && low && seconds)
                emit r.c.RXNoiseZeroResult(r.index(), r.ch, -1, *zero, *high, *low, *seconds, false);
        }
        break;
    case u'1': {
        const qint16 zero = r.F(4), ref100uV = r.F(9), filterZero = r.F(14), high = r.F(19), low = r.F(24),
                     seconds = r.F(29);
        const bool completed = r.f.Completed(33);
        const double gain = Gain(100, ref100uV - zero);
        const double filterZeroVpp = filterZero * gain;
        const double vpp = (high - low) * gain - filterZeroVpp;
        emit r.c.RXNoiseTestData(r.index(), r.ch, zero, ref100uV, filterZero, high, low, seconds, completed,
                                 gain, filterZeroVpp, vpp, r.zamo80Or24());
        break;
    }
    case u'2': {
        const auto zero = r.f.TryInteger(4), ref100uV = r.f.TryInteger(9), offset = r.f.TryInteger(14);
        if (zero && ref100uV && offset)
            emit r.c.RXNoiseSpecialCal1(r.index(), r.ch, *zero, *ref100uV, *offset, r.f.Completed(18));
        break;
    }
    default:   // "GN3" is read by the unit's own tools only
        break;
    }
}

void Zamo80Dco(Reply r)
{
    switch (r.f.At(3).unicode()) {
    case u'0': {
        const auto zero = r.f.TryInteger(4), ref50 = r.f.TryInteger(9), ref750M = r.f.TryInteger(14),
                   zeroCorrect = r.f.TryInteger(19), measure = r.f.TryInteger(24);
        if (zero && ref50 && ref750M && zeroCorrect && measure)
            emit r.c.RXDCOValue(r.index(), r.ch, *zero, *ref50, *ref750M, *zeroCorrect, *measure,
                                r.f.Completed(28), true);
        break;
    }
    case u'1': {
        const qint16 zero = r.F(4), ref50 = r.F(9), ref750M = r.F(14), zeroCorrect = r.F(19), measure = r.F(24),
                     seconds = r.F(29);
        const bool completed = r.f.Completed(33);
        // The divisor in 32 bits: the 16-bit product overflows beyond ±3276.
        const qint32 divisor = (qint32(ref50) - zero - zeroCorrect) * 10;
        const double gain = Gain(ref750M, divisor);
        const double measurement = (measure - zero - zeroCorrect) * gain;
        emit r.c.RXDCOTestData(r.index(), r.ch, zero, ref50, ref750M, zeroCorrect, measure, seconds, completed,
                               gain, measurement, true);
        break;
    }
    case u'2':
        emit r.c.RXDCOCalibrateZeroCorrection(r.index(), r.ch, r.F(4));
        break;
    default:
        break;
    }
}

void BaseDco(Reply r)
{
    switch (r.f.At(3).unicode()) {
    case u'0': {
        const auto zero = r.f.TryInteger(4), ref50 = r.f.TryInteger(9), measure = r.f.TryInteger(14);
        if (zero && ref50 && measure)
            emit r.c.RXDCOValue(r.index(), r.ch, *zero, *ref50, 0, 0, *measure, r.f.Completed(18), false);
        break;
    }
    case u'1': {
        const qint16 zero = r.F(4), ref50 = r.F(9), measure = r.F(14), seconds = r.F(19);
        const bool completed = r.f.Completed(23);
        const double gain = Gain(50, ref50 - zero);
        const double measurement = (measure - zero) * gain;
        emit r.c.RXDCOTestData(r.index(), r.ch, zero, ref50, 0, 0, measure, seconds, completed, gain,
                               measurement, false);
        break;
    }
    default:
        break;
    }
}

void Bias(Reply r)
{
    const QChar sub = r.f.At(3);
    if (sub != u'0' && sub != u'1')
        return;
    const bool withCurrent = sub == u'1';
    const qint16 zero = r.F(4), ref50 = r.F(9), initial = r.F(14), max = r.F(19);
    const qint16 current = withCurrent ? r.F(24) : 0;
    const int next = withCurrent ? 29 : 24;
    const qint16 minutes = r.F(next), seconds = r.F(next + 5);
    const bool completed = r.f.Completed(next + 9);
    const double gain = Gain(50, ref50 - zero);
    const double measurement = (max - initial) * gain;
    emit r.c.RXBiasTestData(r.index(), r.ch, zero, ref50, initial, max, current, minutes, seconds, completed, gain,
                            measurement);
}

void Sdr(Reply r)
{
    const qint16 zero = r.F(3), ref50 = r.F(8), ok200V = r.F(13), ok2V = r.F(18), initial = r.F(23),
                 measure1 = r.F(28), measure2 = r.F(33), measure3 = r.F(38), second = r.F(43);
    const bool completed = r.f.Completed(47);
    const double gain = Gain(50, ref50 - zero);
    const double initialMeasurement = (initial - zero) * gain;
    const double rate1 = (initial - measure1) * gain / 10;
    const double rate2 = (measure1 - measure2) * gain / 10;
    const double rate3 = (measure2 - measure3) * gain / 10;
    emit r.c.RXSDRTestData(r.index(), r.ch, zero, ref50, ok200V, ok2V, initial, measure1, measure2, measure3,
                           second, completed, gain, initialMeasurement, rate1, rate2, rate3);
}

} // namespace

void Decode(ctlZAMOUsbComm& comm, qint16 channel, ReplyFieldReader& fields)
{
    Reply r{comm, channel, fields};
    switch (fields.At(2).unicode()) {
    case u'A':
        Acz(r);
        break;
    case u'a':
        if (r.zamo80Or24())
            Acz30(r);
        break;
    case u'T':
        if (r.zamo80())
            Zamo80Aclg(r);
        break;
    case u't':
        if (r.zamo24())
            Zamo24Aclg(r);
        break;
    case u'R':
        if (r.zamo80Or24())
            DefibRecovery(r);
        break;
    case u'N':
        Noise(r);
        break;
    case u'd':
        if (r.zamo80Or24())
            Zamo80Dco(r);
        break;
    case u'D':
        BaseDco(r);
        break;
    case u'B':
        Bias(r);
        break;
    case u'S':
        Sdr(r);
        break;
    case u'P':
        if (r.zamo80())
            emit comm.RXPaceStatus(comm.Index(), channel, fields.At(4) == u'*');
        break;
    case u'p':
        if (r.zamo24())
            emit comm.RXPaceStatus(comm.Index(), channel, fields.At(4) == u'*');
        break;
    case u'z':
        if (r.zamo80Or24())
            emit comm.RXACZ30ZeroTestData(comm.Index(), channel, fields.Integer(3));
        break;
    default:   // "Gs" and unknown letters: nothing beyond the frame itself
        break;
    }
}

} // namespace TestDataDecoders
