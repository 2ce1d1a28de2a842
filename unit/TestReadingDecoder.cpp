#include "unit/TestReadingDecoder.h"

#include "unit/ReadingArithmetic.h"
#include "unit/ReplyContext.h"
#include "unit/ReplyFields.h"
#include "unit/UnitReplySink.h"

namespace unit {

namespace TestReadingDecoder {

namespace {

using namespace TestDataArithmetic;

// One reply being decoded: the context, the channel, the fields and the sink.
struct Reply {
    const ReplyContext& context;
    qint16 ch;
    ReplyFieldReader& f;
    UnitReplySink& sink;

    bool zamo80Family() const { return isZamo80Family(context.model); }
    qint16 field(int pos) { return f.integerField(pos); }
    // An acknowledgement: exactly the letters and "0".
    bool isAck() const { return f.inner().size() == 3 && f.charAt(3) == u'0'; }
};

void acz(Reply r)
{
    AczReading a;
    a.zeroLevel = r.field(3);
    a.ref1k = r.field(8);
    a.measureHigh = r.field(13);
    a.measure = r.field(18);
    a.vcc = r.field(23);
    a.completed = r.f.completed(27);
    a.gain = gainFrom(1000, a.ref1k - a.zeroLevel);
    a.measurement = (a.measure - a.zeroLevel) * a.gain;
    a.zamo80Family = r.zamo80Family();
    a.vccMeasurement = a.zamo80Family ? 0.0 : vccFrom(a.vcc);
    r.sink.reply(r.ch, a);
}

void acz30(Reply r)
{
    Acz30Reading a;
    a.zeroLevel = r.field(3);
    a.ref1k = r.field(8);
    a.measureHigh = r.field(13);
    a.measure = r.field(18);
    a.acz30Zero = r.field(23);
    a.completed = r.f.completed(27);
    a.gain = gainFrom(10, a.ref1k - a.zeroLevel - a.acz30Zero);
    a.measurement = (a.measure - a.zeroLevel - a.acz30Zero) * a.gain;
    a.zamo80Family = true;
    r.sink.reply(r.ch, a);
}

void zamo80Aclg(Reply r)
{
    if (r.isAck()) {
        r.sink.reply(r.ch, AclgAck{});
        return;
    }
    AclgReading a;
    a.v50 = r.field(3);
    a.ve = r.field(8);
    a.completed = r.f.completed(12);
    a.finalMeasurement =
        zamo80AclgResistance(a.v50, a.ve, r.context.aclg.gainVe, r.context.aclg.gainV50, r.context.aclg.correctGain);
    r.sink.reply(r.ch, a);
}

void zamo24Aclg(Reply r)
{
    if (r.isAck()) {
        r.sink.reply(r.ch, AclgAck{});
        return;
    }
    Zamo24AclgReading a;
    a.zero50 = r.field(3);
    a.zeroE = r.field(8);
    a.v50First = r.field(13);
    a.veFirst = r.field(18);
    a.v50Second = r.field(23);
    a.veSecond = r.field(28);
    a.completed = r.f.completed(32);
    const AclgEnergy energy = r.context.aclgEnergy;
    const Zamo24AclgResult res =
        zamo24AclgResistances(a.zero50, a.zeroE, a.v50First, a.veFirst, a.v50Second, a.veSecond,
                              selectAclgSet(r.context.aclg, energy == AclgEnergy::XJ, energy == AclgEnergy::J100));
    a.calcR1 = res.calcR1;
    a.calcR2 = res.calcR2;
    r.sink.reply(r.ch, a);
}

void defibRecovery(Reply r)
{
    if (r.isAck()) {
        r.sink.reply(r.ch, DefibRecoveryAck{});
        return;
    }
    DefibRecoveryReading d;
    d.zero = r.field(3);
    d.ref750mV = r.field(8);
    d.ref750mVMeasured = r.field(13);
    d.zeroCorrect = r.field(18);
    d.measure4 = r.field(23);
    d.measure60 = r.field(28);
    d.seconds = r.field(33);
    d.completed = r.f.completed(37);
    // The divisor in 32 bits: the 16-bit product overflows beyond ±3276.
    const qint32 divisor = (qint32(d.ref750mV) - d.zero - d.zeroCorrect) * 10;
    d.gain = gainFrom(d.ref750mVMeasured, divisor);
    d.measurement4 = (d.measure4 - d.zero - d.zeroCorrect) * d.gain;
    d.measurement60 = (d.measure60 - d.zero - d.zeroCorrect) * d.gain;
    r.sink.reply(r.ch, d);
}

void noise(Reply r)
{
    switch (r.f.charAt(3).unicode()) {
    case u'0':
        if (r.f.charAt(8) == u'*') {
            if (const auto filterZero = r.f.tryInteger(4)) {
                NoiseZeroReading n;
                n.filterZero = *filterZero;
                n.completed = true;
                r.sink.reply(r.ch, n);
            }
        } else {
            const auto zero = r.f.tryInteger(4), high = r.f.tryInteger(9), low = r.f.tryInteger(14),
                       seconds = r.f.tryInteger(19);
            if (zero && high && low && seconds)
                r.sink.reply(r.ch, NoiseZeroReading{-1, *zero, *high, *low, *seconds, false});
        }
        break;
    case u'1': {
        NoiseReading n;
        n.zero = r.field(4);
        n.ref100uV = r.field(9);
        n.filterZero = r.field(14);
        n.highPeak = r.field(19);
        n.lowPeak = r.field(24);
        n.seconds = r.field(29);
        n.completed = r.f.completed(33);
        n.gain = gainFrom(100, n.ref100uV - n.zero);
        n.filterZeroVpp = n.filterZero * n.gain;
        n.vppMeasurement = (n.highPeak - n.lowPeak) * n.gain - n.filterZeroVpp;
        n.zamo80Family = r.zamo80Family();
        r.sink.reply(r.ch, n);
        break;
    }
    case u'2': {
        const auto zero = r.f.tryInteger(4), ref100uV = r.f.tryInteger(9), offset = r.f.tryInteger(14);
        if (zero && ref100uV && offset)
            r.sink.reply(r.ch, NoiseCalibrationReading{*zero, *ref100uV, *offset, r.f.completed(18)});
        break;
    }
    default: // "GN3" is read by the unit's own tools only
        break;
    }
}

void zamo80Dco(Reply r)
{
    switch (r.f.charAt(3).unicode()) {
    case u'0': {
        const auto zero = r.f.tryInteger(4), ref50 = r.f.tryInteger(9), ref750M = r.f.tryInteger(14),
                   zeroCorrect = r.f.tryInteger(19), measure = r.f.tryInteger(24);
        if (zero && ref50 && ref750M && zeroCorrect && measure)
            r.sink.reply(r.ch, DcoValue{*zero, *ref50, *ref750M, *zeroCorrect, *measure, r.f.completed(28), true});
        break;
    }
    case u'1': {
        DcoReading d;
        d.zero = r.field(4);
        d.ref50mV = r.field(9);
        d.ref750mVMeasured = r.field(14);
        d.zeroCorrect = r.field(19);
        d.measure = r.field(24);
        d.seconds = r.field(29);
        d.completed = r.f.completed(33);
        // The divisor in 32 bits: the 16-bit product overflows beyond ±3276.
        const qint32 divisor = (qint32(d.ref50mV) - d.zero - d.zeroCorrect) * 10;
        d.gain = gainFrom(d.ref750mVMeasured, divisor);
        d.measurement = (d.measure - d.zero - d.zeroCorrect) * d.gain;
        d.zamo80Family = true;
        r.sink.reply(r.ch, d);
        break;
    }
    case u'2': r.sink.reply(r.ch, DcoZeroCorrection{r.field(4)}); break;
    default: break;
    }
}

void baseDco(Reply r)
{
    switch (r.f.charAt(3).unicode()) {
    case u'0': {
        const auto zero = r.f.tryInteger(4), ref50 = r.f.tryInteger(9), measure = r.f.tryInteger(14);
        if (zero && ref50 && measure)
            r.sink.reply(r.ch, DcoValue{*zero, *ref50, 0, 0, *measure, r.f.completed(18), false});
        break;
    }
    case u'1': {
        DcoReading d;
        d.zero = r.field(4);
        d.ref50mV = r.field(9);
        d.measure = r.field(14);
        d.seconds = r.field(19);
        d.completed = r.f.completed(23);
        d.gain = gainFrom(50, d.ref50mV - d.zero);
        d.measurement = (d.measure - d.zero) * d.gain;
        r.sink.reply(r.ch, d);
        break;
    }
    default: break;
    }
}

void bias(Reply r)
{
    const QChar sub = r.f.charAt(3);
    if (sub != u'0' && sub != u'1')
        return;
    const bool withCurrent = sub == u'1';
    BiasReading b;
    b.zero = r.field(4);
    b.ref50mV = r.field(9);
    b.initial = r.field(14);
    b.max = r.field(19);
    b.current = withCurrent ? r.field(24) : 0;
    const int next = withCurrent ? 29 : 24;
    b.minutes = r.field(next);
    b.seconds = r.field(next + 5);
    b.completed = r.f.completed(next + 9);
    b.gain = gainFrom(50, b.ref50mV - b.zero);
    b.measurement = (b.max - b.initial) * b.gain;
    r.sink.reply(r.ch, b);
}

void sdr(Reply r)
{
    SdrReading s;
    s.zero = r.field(3);
    s.ref50mV = r.field(8);
    s.supply200VOk = r.field(13);
    s.supply2VOk = r.field(18);
    s.initial = r.field(23);
    s.measure1 = r.field(28);
    s.measure2 = r.field(33);
    s.measure3 = r.field(38);
    s.second = r.field(43);
    s.completed = r.f.completed(47);
    s.gain = gainFrom(50, s.ref50mV - s.zero);
    s.initialMeasurement = (s.initial - s.zero) * s.gain;
    s.rate1 = (s.initial - s.measure1) * s.gain / 10;
    s.rate2 = (s.measure1 - s.measure2) * s.gain / 10;
    s.rate3 = (s.measure2 - s.measure3) * s.gain / 10;
    r.sink.reply(r.ch, s);
}

void paceStatus(Reply r)
{
    r.sink.reply(r.ch, PaceStatus{r.f.charAt(4) == u'*'});
}

void acz30Zero(Reply r)
{
    r.sink.reply(r.ch, Acz30Zero{r.f.tryInteger(3)});
}

// Which models send a reply.
enum Models : unsigned { Base = 1, Zamo80 = 2, Zamo24 = 4, Newer = Zamo80 | Zamo24, All = Base | Newer };

unsigned bitOf(UnitModel model)
{
    switch (model) {
    case UnitModel::Zamo80: return Zamo80;
    case UnitModel::Zamo24: return Zamo24;
    case UnitModel::Base: break;
    }
    return Base;
}

struct Row {
    char16_t letter;
    unsigned models;
    void (*decode)(Reply);
};

// "Gs" (SDR followed by ACZ) and unknown letters: nothing beyond the frame itself.
constexpr Row kReplies[] = {
    {u'A', All, acz},           {u'a', Newer, acz30},         {u'T', Zamo80, zamo80Aclg},
    {u't', Zamo24, zamo24Aclg}, {u'R', Newer, defibRecovery}, {u'N', All, noise},
    {u'd', Newer, zamo80Dco},   {u'D', All, baseDco},         {u'B', All, bias},
    {u'S', All, sdr},           {u'P', Zamo80, paceStatus},   {u'p', Zamo24, paceStatus},
    {u'z', Newer, acz30Zero},
};

} // namespace

void decode(const ReplyContext& context, qint16 channel, ReplyFieldReader& fields, UnitReplySink& sink)
{
    const char16_t letter = fields.charAt(2).unicode();
    for (const Row& row : kReplies) {
        if (row.letter != letter)
            continue;
        if (row.models & bitOf(context.model))
            row.decode(Reply{context, channel, fields, sink});
        return;
    }
}

} // namespace TestReadingDecoder

} // namespace unit
