#pragma once
// The values that a unit's replies carry, one struct per reply kind that
// carries several values: raw words as the unit sent them (16-bit counts)
// and the values computed from them. A struct is plain data; it is made by
// the reply decoders and travels with the unit link's events, together with
// the unit's index and the channel that replied.
//
// `completed` is the reply's final marker ('*'); an interim reply has it
// false. `zamo80Family` tells the newer layout (ZAMO80 and ZAMO2-4), whose
// limits and reference words differ from the base model's.

#include <QString>
#include <QtGlobal>

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

} // namespace unit
