#include "ParserFixture.h"

#include <cmath>

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

// A reply as the recorder names it: the event name, whether the channel
// comes first, and the values of the reply in the order of their fields.
struct Named {
    const char* name;
    bool withChannel;
    QVariantList values;
};

QVariantList pair(const unit::CalBoardReferencePair& r)
{
    return Values(r.first, r.second);
}

QVariantList voltage(const unit::CalBoardVoltage& r)
{
    return Values(r.source, r.voltage, r.count, r.baseVoltage);
}

Named named(const unit::ReplyValue& value)
{
    using namespace unit;
    return std::visit(
        Overloaded{
            [](const UnitIdle&) {
                return Named{"rxMasterIdle", false, {}};
            },
            [](const UnitTrisRegister& r) {
                return Named{"rxMasterReadTrisRegister", false, Values(r.port, r.value)};
            },
            [](const UnitDigitalPort& r) {
                return Named{"rxMasterReadDigitalPort", false, Values(r.port, r.value)};
            },
            [](const UnitDiagnostics& d) {
                return Named{"rxMasterDiagnostics", false,
                             Values(d.tenHzRaw, d.temperatureRaw, d.vccRaw, d.pos5VRaw, d.neg5VRaw, d.thirtyKRaw,
                                    d.reg5VWorking, d.working200VOn, d.working200VOff, d.lidClosed, d.firmwareVersion,
                                    d.tenHz, d.temperature, d.vcc, d.pos5V, d.neg5V, d.thirtyK, d.zamo80)};
            },
            [](const FoundChannels& r) {
                return Named{"rxMasterFoundChannels", false, Values(r.map)};
            },
            [](const LidState& r) {
                return Named{"rxMasterLidState", false, Values(r.closed)};
            },
            [](const ChannelIdle&) {
                return Named{"rxIdle", true, {}};
            },
            [](const TestDataNotReady&) {
                return Named{"rxTestDataNotReady", true, {}};
            },
            [](const TrisRegister& r) {
                return Named{"rxReadTrisRegister", true, Values(r.port, r.value)};
            },
            [](const DigitalPort& r) {
                return Named{"rxReadDigitalPort", true, Values(r.port, r.value)};
            },
            [](const ChannelCounters& r) {
                return Named{"rxCounter", true, valuesOf(r.values)};
            },
            [](const CalibrationDateReply& r) {
                return Named{"rxCalibrationDate", true, Values(r.year, r.month, r.day)};
            },
            [](const FirmwareVersion& r) {
                return Named{"rxFirmwareVersion", true, Values(r.text)};
            },
            [](const SerialNumber& r) {
                return Named{"rxSerialNumber", true, Values(r.text)};
            },
            [](const CalibrationReference& r) {
                return Named{"rxCalibrationReference", true, valuesOf(r.values)};
            },
            [](const PacePulseWidths& r) {
                return Named{"rxPacePulseWidths", true, Values(r.pace1On50, r.pace2On50, r.pace1Offms, r.pace2Offms)};
            },
            [](const Zamo24PaceSettings& r) {
                return Named{"rxZamo24PacePulseWidths", true,
                             Values(r.pace1On50, r.pace2On50, r.pace1Offms, r.pace2Offms, r.pace1Volts, r.pace2Volts,
                                    r.pace1Hz, r.pace2Hz, r.pace1BPM, r.pace2BPM)};
            },
            [](const DcoReferenceVoltage& r) {
                return Named{"rxdcoReferenceVoltage", true, Values(r.reference750)};
            },
            [](const AczReading& r) {
                return Named{"rxaczTestData", true,
                             Values(r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.vcc, r.completed, r.gain,
                                    r.measurement, r.vccMeasurement, r.zamo80Family)};
            },
            [](const Acz30Reading& r) {
                return Named{"rxacz30TestData", true,
                             Values(r.zeroLevel, r.ref1k, r.measureHigh, r.measure, r.acz30Zero, r.completed, r.gain,
                                    r.measurement, r.zamo80Family)};
            },
            [](const Acz30Zero& r) {
                // A zero that could not be read comes without its value.
                return Named{"rxacz30ZeroTestData", true, r.zero ? Values(*r.zero) : QVariantList{}};
            },
            [](const AclgAck&) {
                return Named{"rxaclgAck", false, {}};
            },
            [](const AclgReading& r) {
                return Named{"rxaclgTestData", true, Values(r.v50, r.ve, r.completed, r.finalMeasurement)};
            },
            [](const Zamo24AclgReading& r) {
                return Named{"rxZamo24ACLGTestData", true,
                             Values(r.zero50, r.zeroE, r.v50First, r.veFirst, r.v50Second, r.veSecond, r.completed,
                                    r.calcR1, r.calcR2)};
            },
            [](const DefibRecoveryAck&) {
                return Named{"rxDefibRecoveryAck", false, {}};
            },
            [](const DefibRecoveryReading& r) {
                return Named{"rxDefibRecoveryTestData", true,
                             Values(r.zero, r.ref750mV, r.ref750mVMeasured, r.zeroCorrect, r.measure4, r.measure60,
                                    r.seconds, r.completed, r.gain, r.measurement4, r.measurement60)};
            },
            [](const NoiseZeroReading& r) {
                return Named{"rxNoiseZeroResult", true,
                             Values(r.filterZero, r.zero, r.highPeak, r.lowPeak, r.seconds, r.completed)};
            },
            [](const NoiseReading& r) {
                return Named{"rxNoiseTestData", true,
                             Values(r.zero, r.ref100uV, r.filterZero, r.highPeak, r.lowPeak, r.seconds, r.completed,
                                    r.gain, r.filterZeroVpp, r.vppMeasurement, r.zamo80Family)};
            },
            [](const NoiseCalibrationReading& r) {
                return Named{"rxNoiseSpecialCal1", true, Values(r.zero, r.ref100uV, r.offset100, r.completed)};
            },
            [](const DcoValue& r) {
                return Named{"rxdcoValue", true,
                             Values(r.zero, r.ref50mV, r.ref750mVMeasured, r.zeroCorrect, r.measure, r.completed,
                                    r.zamo80Family)};
            },
            [](const DcoReading& r) {
                return Named{"rxdcoTestData", true,
                             Values(r.zero, r.ref50mV, r.ref750mVMeasured, r.zeroCorrect, r.measure, r.seconds,
                                    r.completed, r.gain, r.measurement, r.zamo80Family)};
            },
            [](const DcoZeroCorrection& r) {
                return Named{"rxdcoCalibrateZeroCorrection", true, Values(r.zeroCorrection)};
            },
            [](const BiasReading& r) {
                return Named{"rxBiasTestData", true,
                             Values(r.zero, r.ref50mV, r.initial, r.max, r.current, r.minutes, r.seconds, r.completed,
                                    r.gain, r.measurement)};
            },
            [](const SdrReading& r) {
                return Named{"rxsdrTestData", true,
                             Values(r.zero, r.ref50mV, r.supply200VOk, r.supply2VOk, r.initial, r.measure1, r.measure2,
                                    r.measure3, r.second, r.completed, r.gain, r.initialMeasurement, r.rate1, r.rate2,
                                    r.rate3)};
            },
            [](const PaceStatus& r) {
                return Named{"rxPaceStatus", true, Values(r.stopped)};
            },
            [](const UnreadableReading& r) {
                return Named{"unreadable", true, Values(int(r.kind), r.completed, r.zamo80Family)};
            },
            [](const CalBoardFirmwareVersion& r) {
                return Named{"rxCalBoardFirmwareVersion", true, Values(r.text)};
            },
            [](const CalBoardSerialNumber& r) {
                return Named{"rxCalBoardSerialNumber", true, Values(r.text)};
            },
            [](const CalBoardReferenceResistors1& r) {
                return Named{"rxCalBoardCalibrationReferenceResistors1", true, pair(r)};
            },
            [](const CalBoardReferenceResistors2& r) {
                return Named{"rxCalBoardCalibrationReferenceResistors2", true, pair(r)};
            },
            [](const CalBoardReferenceDco& r) {
                return Named{"rxCalBoardCalibrationReferenceDCO", true, pair(r)};
            },
            [](const CalBoardPotentialReference& r) {
                return Named{"rxCalBoardPotentialReference", true, pair(r)};
            },
            [](const CalBoardAczResistance& r) {
                return Named{"rxCalBoardACZResistance", true, Values(r.resistorId, r.resistance)};
            },
            // Some voltages carry no source or base.
            [](const CalBoardDcoVoltage& r) {
                return Named{"rxCalBoardDCOVoltage", true, Values(r.source, r.voltage, r.count)};
            },
            [](const CalBoardNoiseVoltage& r) {
                return Named{"rxCalBoardNoiseVoltage", true, voltage(r)};
            },
            [](const CalBoardBiasResistance& r) {
                return Named{"rxCalBoardBiasResistance", true, Values(r.resistance)};
            },
            [](const CalBoardSdrVoltage& r) {
                return Named{"rxCalBoardSDRVoltage", true, Values(r.voltage, r.count, r.baseVoltage)};
            },
            [](const CalBoardSdrResistance& r) {
                return Named{"rxCalBoardSDRResistance", true, Values(r.resistance)};
            },
            [](const CalBoardMeasuredVoltage& r) {
                return Named{"rxCalBoardMeasuredVoltage", true, voltage(r)};
            },
        },
        value);
}

} // namespace

EventRecorder::EventRecorder(unit::UnitLink& comm)
{
    QObject::connect(&comm, &unit::UnitLink::replyReceived, this, [this](const unit::UnitReply& reply) {
        EXPECT_EQ(reply.unit, 1) << "unit index";
        Named n = named(reply.value);
        QVariantList args;
        if (n.withChannel)
            args << QVariant::fromValue(reply.channel);
        args << n.values;
        events.push_back({QString::fromLatin1(n.name), args});
    });
    QObject::connect(&comm, &unit::UnitLink::frameReceived, this,
                     [this](int unit, qint16 channel, const QString& frame) {
                         EXPECT_EQ(unit, 1) << "unit index";
                         events.push_back({QStringLiteral("rxData"), Values(channel, frame)});
                     });
    QObject::connect(&comm, &unit::UnitLink::receiveBufferRead, this, [this](int unit, const QString& text) {
        EXPECT_EQ(unit, 1) << "unit index";
        events.push_back({QStringLiteral("rxDataInBuffer"), Values(text)});
    });
    // The link's other events, with their arguments after the unit index.
    const auto record = [this](const char* name, int unit, const QVariantList& args) {
        EXPECT_EQ(unit, 1) << "unit index";
        events.push_back({QString::fromLatin1(name), args});
    };
    QObject::connect(&comm, &unit::UnitLink::txData, this,
                     [record](int unit, const QString& frame) { record("txData", unit, Values(frame)); });
    QObject::connect(&comm, &unit::UnitLink::usbConnected, this, [record](int unit, qint32 handle, unit::UnitModel m) {
        record("usbConnected", unit, {QVariant::fromValue(handle), QVariant::fromValue(m)});
    });
    QObject::connect(&comm, &unit::UnitLink::usbClosed, this, [record](int unit) { record("usbClosed", unit, {}); });
    QObject::connect(&comm, &unit::UnitLink::usbReconnecting, this,
                     [record](int unit) { record("usbReconnecting", unit, {}); });
    QObject::connect(&comm, &unit::UnitLink::usbError, this,
                     [record](int unit, const QString& error) { record("usbError", unit, Values(error)); });
    QObject::connect(&comm, &unit::UnitLink::hardwareStatus, this,
                     [record](int unit, const QString& status, bool error) {
                         record("hardwareStatus", unit, Values(status, error));
                     });
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
