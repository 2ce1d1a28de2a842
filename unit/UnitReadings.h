#pragma once
// The replies of a unit, one struct per reply kind: raw words as the unit
// sent them (16-bit counts) and the values computed from them. A struct is
// plain data; the reply decoders make it, and it leaves the unit layer as
// one UnitReply (the unit, the channel that replied, and the struct in a
// ReplyValue), the one event of the unit link that carries replies.
//
// A new kind of reply is a struct here, its place in ReplyValue, the
// decoder that makes it and the overload of the run's dispatch that acts
// on it.
//
// `completed` is the reply's final marker ('*'); an interim reply has it
// false. `zamo80Family` tells the newer layout (ZAMO80 and ZAMO2-4), whose
// limits and reference words differ from the base model's.

#include "unit/UnitDiagnostics.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

// ACZ impedance, "(GA…)".
namespace unit {

struct AczReading {
    qint16 zeroLevel = 0, ref1k = 0, measureHigh = 0, measure = 0, vcc = 0;
    bool completed = false;
    double gain = 0, measurement = 0, vccMeasurement = 0;
    bool zamo80Family = false;
};

// ACZ30 impedance, "(Ga…)".
struct Acz30Reading {
    qint16 zeroLevel = 0, ref1k = 0, measureHigh = 0, measure = 0, acz30Zero = 0;
    bool completed = false;
    double gain = 0, measurement = 0;
    bool zamo80Family = false;
};

// ZAMO80 ACLG, "(GT…)".
struct AclgReading {
    qint16 v50 = 0, ve = 0;
    bool completed = false;
    double finalMeasurement = 0;
};

// ZAMO2-4 ACLG, "(Gt…)": two readings, the second zero-corrected.
struct Zamo24AclgReading {
    qint16 zero50 = 0, zeroE = 0, v50First = 0, veFirst = 0, v50Second = 0, veSecond = 0;
    bool completed = false;
    double calcR1 = 0, calcR2 = 0;
};

// Defibrillation recovery, "(GR…)".
struct DefibRecoveryReading {
    qint16 zero = 0, ref750mV = 0, ref750mVMeasured = 0, zeroCorrect = 0, measure4 = 0, measure60 = 0, seconds = 0;
    bool completed = false;
    double gain = 0, measurement4 = 0, measurement60 = 0;
};

// The noise filter zero routine, "(GN0…)": a final reply carries the filter
// zero alone, an interim one the other words; absent words are -1.
struct NoiseZeroReading {
    qint16 filterZero = -1, zero = -1, highPeak = -1, lowPeak = -1, seconds = -1;
    bool completed = false;
};

// NOISE, "(GN1…)".
struct NoiseReading {
    qint16 zero = 0, ref100uV = 0, filterZero = 0, highPeak = 0, lowPeak = 0, seconds = 0;
    bool completed = false;
    double gain = 0, filterZeroVpp = 0, vppMeasurement = 0;
    bool zamo80Family = false;
};

// The first special noise calibration, "(GN2…)".
struct NoiseCalibrationReading {
    qint16 zero = 0, ref100uV = 0, offset100 = 0;
    bool completed = false;
};

// A DC offset value, "(GD0…)" or "(Gd0…)"; the base layout has no 750 mV words (0).
struct DcoValue {
    qint16 zero = 0, ref50mV = 0, ref750mVMeasured = 0, zeroCorrect = 0, measure = 0;
    bool completed = false;
    bool zamo80Family = false;
};

// DCO, "(GD1…)" or "(Gd1…)".
struct DcoReading {
    qint16 zero = 0, ref50mV = 0, ref750mVMeasured = 0, zeroCorrect = 0, measure = 0, seconds = 0;
    bool completed = false;
    double gain = 0, measurement = 0;
    bool zamo80Family = false;
};

// Bias current, "(GB…)"; `current` only in the layout that carries it (else 0).
struct BiasReading {
    qint16 zero = 0, ref50mV = 0, initial = 0, max = 0, current = 0, minutes = 0, seconds = 0;
    bool completed = false;
    double gain = 0, measurement = 0;
};

// SDR, "(GS…)": two supply status words, the start value and three slopes.
struct SdrReading {
    qint16 zero = 0, ref50mV = 0, supply200VOk = 0, supply2VOk = 0, initial = 0, measure1 = 0, measure2 = 0,
           measure3 = 0, second = 0;
    bool completed = false;
    double gain = 0, initialMeasurement = 0, rate1 = 0, rate2 = 0, rate3 = 0;
};

// The channel's seven counters, "(MC…)" or "(Mc…)".
struct ChannelCounters {
    qint32 values[7] = {};
};

// The calibration references of a channel; the base model has three (the fourth is 0).
struct CalibrationReference {
    qint16 values[4] = {};
};

// ZAMO80 pace pulse widths, "(MP…)": on-times in 50 µs, off-times in ms.
struct PacePulseWidths {
    qint16 pace1On50 = 0, pace2On50 = 0, pace1Offms = 0, pace2Offms = 0;
};

// ZAMO2-4 pace settings, "(Mp…)", with what they give.
struct Zamo24PaceSettings {
    qint16 pace1On50 = 0, pace2On50 = 0, pace1Offms = 0, pace2Offms = 0;
    double pace1Volts = 0, pace2Volts = 0;
    double pace1Hz = 0, pace2Hz = 0;
    double pace1BPM = 0, pace2BPM = 0;
    double pace1PulseWidthMs = 0, pace2PulseWidthMs = 0;
};

// A calibration date as the channel sent it (not checked to be a date).
struct CalibrationDateReply {
    qint16 year = 0, month = 0, day = 0;
};

// A pair of numbers stored on a calibration board ("(mR1…)", "(mR3…)", "(mR5…)", "(mP1…)").
struct CalBoardReferencePair {
    qint32 first = 0, second = 0;
};

// A voltage measured by a calibration board: the source or range number
// (0 where the reply has none), the voltage, the raw count and the
// converter's voltage before scaling (0 where the reply does not carry it).
struct CalBoardVoltage {
    qint16 source = 0;
    double voltage = 0;
    qint32 count = 0;
    double baseVoltage = 0;
};

// ---- replies without readings ----

// The unit or a channel is idle, "(*)".
struct UnitIdle {};
struct ChannelIdle {};
// The channel has no test data yet, "(!)".
struct TestDataNotReady {};

// A port or TRIS register read back, "(R…)" and "(RT…)": the port letter and its bits.
struct PortBits {
    QString port, value;
};
struct UnitTrisRegister : PortBits {};
struct UnitDigitalPort : PortBits {};
struct TrisRegister : PortBits {};
struct DigitalPort : PortBits {};

// The unit's channel map, "(F…)": one '1' or '0' per channel, channel 0
// first (may be shorter than 16).
struct FoundChannels {
    QString map;
};

// The lid of a ZAMO80 or ZAMO2-4, "(L…)".
struct LidState {
    bool closed = false;
};

// ---- maintenance replies ----

struct FirmwareVersion {
    QString text;
};
struct SerialNumber {
    QString text;
};
// The channel's 750 mV DCO reference, "(Md…)".
struct DcoReferenceVoltage {
    qint16 reference750 = 0;
};

// ---- test replies without a reading struct ----

// The ACZ30 zero, "(Gz…)": the end of the zero routine on the channel. The
// value is nothing when its field could not be read; no result is made of it.
struct Acz30Zero {
    std::optional<qint16> zero;
};
// A channel took the ACLG or defibrillation recovery start ("(GT0)", "(Gt0)", "(GR0)").
struct AclgAck {};
struct DefibRecoveryAck {};
// The zero correction of a DCO calibration, "(Gd2…)".
struct DcoZeroCorrection {
    qint16 zeroCorrection = 0;
};
// The pace output stopped ('*') or runs, "(GP…)" or "(Gp…)".
struct PaceStatus {
    bool stopped = false;
};

// ---- a test reading that could not be read ----

// The test a test-data reply answers.
enum class ReadingKind { Acz, Acz30, Aclg, Zamo24Aclg, DefibRecovery, Noise, Dco, Bias, Sdr };

// A test-data reply with a field that is not a number, or that ends before a
// field it needs. It carries no value, only the test it answers and whether
// the unit marked it final, so that the run can ask for the reading again;
// nothing is computed from it.
struct UnreadableReading {
    ReadingKind kind = ReadingKind::Acz;
    bool completed = false;
    bool zamo80Family = false;
};

// ---- calibration-board replies ----

struct CalBoardFirmwareVersion {
    QString text;
};
struct CalBoardSerialNumber {
    QString text;
};
struct CalBoardReferenceResistors1 : CalBoardReferencePair {};
struct CalBoardReferenceResistors2 : CalBoardReferencePair {};
struct CalBoardReferenceDco : CalBoardReferencePair {};
struct CalBoardPotentialReference : CalBoardReferencePair {};
// An ACZ reference resistance, resistor 1..3, in ohms.
struct CalBoardAczResistance {
    qint16 resistorId = 0;
    double resistance = 0;
};
struct CalBoardBiasResistance {
    double resistance = 0;
};
struct CalBoardSdrResistance {
    double resistance = 0;
};
struct CalBoardDcoVoltage : CalBoardVoltage {};
struct CalBoardNoiseVoltage : CalBoardVoltage {};
struct CalBoardSdrVoltage : CalBoardVoltage {};
struct CalBoardMeasuredVoltage : CalBoardVoltage {};

// ---- the one reply type ----

using ReplyValue = std::variant<
    // the unit's own replies
    UnitIdle, UnitTrisRegister, UnitDigitalPort, UnitDiagnostics, FoundChannels, LidState,
    // a channel's state and maintenance replies
    ChannelIdle, TestDataNotReady, TrisRegister, DigitalPort, ChannelCounters, CalibrationDateReply, FirmwareVersion,
    SerialNumber, CalibrationReference, PacePulseWidths, Zamo24PaceSettings, DcoReferenceVoltage,
    // test readings
    AczReading, Acz30Reading, Acz30Zero, AclgAck, AclgReading, Zamo24AclgReading, DefibRecoveryAck,
    DefibRecoveryReading, NoiseZeroReading, NoiseReading, NoiseCalibrationReading, DcoValue, DcoReading,
    DcoZeroCorrection, BiasReading, SdrReading, PaceStatus, UnreadableReading,
    // calibration-board replies
    CalBoardFirmwareVersion, CalBoardSerialNumber, CalBoardReferenceResistors1, CalBoardReferenceResistors2,
    CalBoardReferenceDco, CalBoardPotentialReference, CalBoardAczResistance, CalBoardDcoVoltage, CalBoardNoiseVoltage,
    CalBoardBiasResistance, CalBoardSdrVoltage, CalBoardSdrResistance, CalBoardMeasuredVoltage>;

// One reply as it leaves the unit layer: the unit's place on the test window
// (1 or 2), the channel 0..15 that replied (0 for the unit's own replies),
// and what it said.
struct UnitReply {
    int unit = 0;
    qint16 channel = 0;
    ReplyValue value;
};

// The visitor of a ReplyValue made of one lambda per kind it acts on.
template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <typename... F>
Overloaded(F...) -> Overloaded<F...>;

} // namespace unit
