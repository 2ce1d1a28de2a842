#include "ParserFixture.h"

#include <cmath>

EventRecorder::EventRecorder(unit::UnitLink& comm)
{
    const QMetaObject* mo = comm.metaObject();
    const int hit = metaObject()->indexOfSlot("hit()");
    for (int i = QObject::staticMetaObject.methodCount(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        // Events of the unit carry its index first; the view's own
        // notification does not.
        if (m.methodType() != QMetaMethod::Signal || m.parameterNames().value(0) != "index")
            continue;
        m_spies[i] = std::make_unique<QSignalSpy>(&comm, m);
        QObject::connect(&comm, m, this, metaObject()->method(hit));
    }
}

namespace {

template <typename... T>
QVariantList Values(const T&... values)
{
    return {QVariant::fromValue(values)...};
}

template <typename T, std::size_t N>
QVariantList valuesOf(const T (&values)[N])
{
    QVariantList out;
    for (const T& v : values)
        out << QVariant::fromValue(v);
    return out;
}

// The values of a reading struct in the order of its fields; the voltage of
// a calibration board as the event names it (some carry no source or base).
QVariantList flatten(const QString& event, const QVariant& v)
{
    const QMetaType type = v.metaType();
    if (type == QMetaType::fromType<unit::AczReading>()) {
        const auto r = v.value<unit::AczReading>();
        return Values(r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.vcc, r.completed, r.gain, r.measurement,
                      r.vccMeasurement, r.zamo80Family);
    }
    if (type == QMetaType::fromType<unit::Acz30Reading>()) {
        const auto r = v.value<unit::Acz30Reading>();
        return Values(r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.acz30Zero, r.completed, r.gain, r.measurement,
                      r.zamo80Family);
    }
    if (type == QMetaType::fromType<unit::AclgReading>()) {
        const auto r = v.value<unit::AclgReading>();
        return Values(r.v50, r.ve, r.completed, r.finalMeasurement);
    }
    if (type == QMetaType::fromType<unit::Zamo24AclgReading>()) {
        const auto r = v.value<unit::Zamo24AclgReading>();
        return Values(r.zero50, r.zeroE, r.v50First, r.veFirst, r.v50Second, r.veSecond, r.completed, r.calcR1,
                      r.calcR2);
    }
    if (type == QMetaType::fromType<unit::DefibRecoveryReading>()) {
        const auto r = v.value<unit::DefibRecoveryReading>();
        return Values(r.zero, r.ref750mV, r.ref750mVMeasured, r.zeroCorrect, r.measure4, r.measure60, r.seconds,
                      r.completed, r.gain, r.measurement4, r.measurement60);
    }
    if (type == QMetaType::fromType<unit::NoiseZeroReading>()) {
        const auto r = v.value<unit::NoiseZeroReading>();
        return Values(r.filterZero, r.zero, r.highPeak, r.lowPeak, r.seconds, r.completed);
    }
    if (type == QMetaType::fromType<unit::NoiseReading>()) {
        const auto r = v.value<unit::NoiseReading>();
        return Values(r.zero, r.ref100uV, r.filterZero, r.highPeak, r.lowPeak, r.seconds, r.completed, r.gain,
                      r.filterZeroVpp, r.vppMeasurement, r.zamo80Family);
    }
    if (type == QMetaType::fromType<unit::NoiseCalibrationReading>()) {
        const auto r = v.value<unit::NoiseCalibrationReading>();
        return Values(r.zero, r.ref100uV, r.offset100, r.completed);
    }
    if (type == QMetaType::fromType<unit::DcoValue>()) {
        const auto r = v.value<unit::DcoValue>();
        return Values(r.zero, r.ref50mV, r.ref750mVMeasured, r.zeroCorrect, r.measure, r.completed, r.zamo80Family);
    }
    if (type == QMetaType::fromType<unit::DcoReading>()) {
        const auto r = v.value<unit::DcoReading>();
        return Values(r.zero, r.ref50mV, r.ref750mVMeasured, r.zeroCorrect, r.measure, r.seconds, r.completed, r.gain,
                      r.measurement, r.zamo80Family);
    }
    if (type == QMetaType::fromType<unit::BiasReading>()) {
        const auto r = v.value<unit::BiasReading>();
        return Values(r.zero, r.ref50mV, r.initial, r.max, r.current, r.minutes, r.seconds, r.completed, r.gain,
                      r.measurement);
    }
    if (type == QMetaType::fromType<unit::SdrReading>()) {
        const auto r = v.value<unit::SdrReading>();
        return Values(r.zero, r.ref50mV, r.supply200VOk, r.supply2VOk, r.initial, r.measure1, r.measure2, r.measure3,
                      r.second, r.completed, r.gain, r.initialMeasurement, r.rate1, r.rate2, r.rate3);
    }
    if (type == QMetaType::fromType<unit::ChannelCounters>())
        return valuesOf(v.value<unit::ChannelCounters>().values);
    if (type == QMetaType::fromType<unit::CalibrationReference>())
        return valuesOf(v.value<unit::CalibrationReference>().values);
    if (type == QMetaType::fromType<unit::CalibrationDateReply>()) {
        const auto r = v.value<unit::CalibrationDateReply>();
        return Values(r.year, r.month, r.day);
    }
    if (type == QMetaType::fromType<unit::PacePulseWidths>()) {
        const auto r = v.value<unit::PacePulseWidths>();
        return Values(r.pace1On50, r.pace2On50, r.pace1Offms, r.pace2Offms);
    }
    if (type == QMetaType::fromType<unit::Zamo24PaceSettings>()) {
        const auto r = v.value<unit::Zamo24PaceSettings>();
        return Values(r.pace1On50, r.pace2On50, r.pace1Offms, r.pace2Offms, r.pace1Volts, r.pace2Volts, r.pace1Hz,
                      r.pace2Hz, r.pace1BPM, r.pace2BPM);
    }
    if (type == QMetaType::fromType<unit::CalBoardReferencePair>()) {
        const auto r = v.value<unit::CalBoardReferencePair>();
        return Values(r.first, r.second);
    }
    if (type == QMetaType::fromType<unit::CalBoardVoltage>()) {
        const auto r = v.value<unit::CalBoardVoltage>();
        if (event == "rxCalBoardDCOVoltage")
            return Values(r.source, r.voltage, r.count);
        if (event == "rxCalBoardSDRVoltage")
            return Values(r.voltage, r.count, r.baseVoltage);
        return Values(r.source, r.voltage, r.count, r.baseVoltage);
    }
    if (type == QMetaType::fromType<unit::UnitDiagnostics>()) {
        const auto d = v.value<unit::UnitDiagnostics>();
        return Values(d.tenHzRaw, d.temperatureRaw, d.vccRaw, d.pos5VRaw, d.neg5VRaw, d.thirtyKRaw, d.reg5VWorking,
                      d.working200VOn, d.working200VOff, d.lidClosed, d.firmwareVersion, d.tenHz, d.temperature, d.vcc,
                      d.pos5V, d.neg5V, d.thirtyK, d.zamo80);
    }
    return {v};
}

} // namespace

void EventRecorder::hit()
{
    const int index = senderSignalIndex();
    QSignalSpy& spy = *m_spies.at(index);
    const QVariantList raw = spy.takeFirst();
    EXPECT_EQ(raw.value(0).toInt(), 1) << "unit index";
    const QString name = QString::fromLatin1(sender()->metaObject()->method(index).name());
    QVariantList args;
    for (qsizetype i = 1; i < raw.size(); ++i)
        args << flatten(name, raw[i]);
    events.push_back({name, args});
}

std::vector<Event> EventRecorder::replies() const
{
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.name != "rxData" && e.name != "rxDataInBuffer")
            out.push_back(e);
    return out;
}

namespace {

QString showDialog(const Event& e)
{
    QStringList parts;
    for (const QVariant& v : e.args)
        parts << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 10) : v.toString());
    return e.name + "(" + parts.join(", ") + ")";
}

QString showDialog(const std::vector<Event>& events)
{
    QStringList lines;
    for (const Event& e : events)
        lines << showDialog(e);
    return lines.join("\n  ");
}

bool sameValue(const QVariant& a, const QVariant& e)
{
    if (e.typeId() == QMetaType::Double || a.typeId() == QMetaType::Double) {
        const double x = a.toDouble(), y = e.toDouble();
        if (std::isnan(y))
            return std::isnan(x);
        if (std::isinf(y) || y == 0)
            return x == y;
        return std::fabs(x - y) <= 1e-6 * std::fabs(y);
    }
    if (e.typeId() == QMetaType::Bool)
        return a.typeId() == QMetaType::Bool && a.toBool() == e.toBool();
    if (e.typeId() == QMetaType::QString)
        return a.toString() == e.toString();
    return a.toLongLong() == e.toLongLong();
}

} // namespace

::testing::AssertionResult sameEvents(const std::vector<Event>& actual, const std::vector<Event>& expected)
{
    bool same = actual.size() == expected.size();
    for (std::size_t i = 0; same && i < actual.size(); ++i) {
        same = actual[i].name == expected[i].name && actual[i].args.size() == expected[i].args.size();
        for (qsizetype j = 0; same && j < actual[i].args.size(); ++j)
            same = sameValue(actual[i].args[j], expected[i].args[j]);
    }
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\nactual:\n  " << showDialog(actual).toStdString() << "\nexpected:\n  "
                                         << showDialog(expected).toStdString();
}

#include "moc_ParserFixture.cpp"
