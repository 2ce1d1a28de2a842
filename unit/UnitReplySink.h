#pragma once
// Where the reply parser delivers what a unit's replies say, one call per
// decoded reply, in the order the replies arrived. The parser only decodes:
// keeping state (channel records, diagnostics, lid) and raising events is
// the receiver's job. A reply that does not decode (a missing field, a
// model that does not send it) makes no call at all. Channel calls carry a
// channel 0..15.

#include "unit/UnitDiagnostics.h"
#include "unit/UnitReadings.h"

#include <QString>

namespace unit {

class UnitReplySink {
public:
    virtual ~UnitReplySink() = default;

    // ---- framing ----
    // The whole unparsed text at the start of each parsing pass.
    virtual void bufferSeen(const QString& text) = 0;
    // One complete frame; channel 0 for a unit frame.
    virtual void frameSeen(qint16 channel, const QString& frame) = 0;
    // A line for the log: a broken frame or discarded text.
    virtual void malformed(const QString& message) = 0;

    // ---- unit replies ----
    virtual void unitIdle() = 0;
    virtual void unitTrisRegister(const QString& port, const QString& value) = 0;
    virtual void unitDigitalPort(const QString& port, const QString& value) = 0;
    virtual void unitDiagnostics(const UnitDiagnostics& diagnostics) = 0;
    // One '1' or '0' per channel, channel 0 first (may be shorter than 16).
    virtual void foundChannels(const QString& map) = 0;
    virtual void lidState(bool closed) = 0;

    // ---- channel replies ----
    virtual void idle(qint16 channel) = 0;
    virtual void testDataNotReady(qint16 channel) = 0;
    virtual void trisRegister(qint16 channel, const QString& port, const QString& value) = 0;
    virtual void digitalPort(qint16 channel, const QString& port, const QString& value) = 0;

    // Maintenance replies.
    virtual void counters(qint16 channel, const ChannelCounters& counters) = 0;
    virtual void calibrationDate(qint16 channel, const CalibrationDateReply& date) = 0;
    virtual void firmwareVersion(qint16 channel, const QString& firmware) = 0;
    virtual void serialNumber(qint16 channel, const QString& serial) = 0;
    virtual void calibrationReference(qint16 channel, const CalibrationReference& reference) = 0;
    virtual void pacePulseWidths(qint16 channel, const PacePulseWidths& widths) = 0;
    virtual void zamo24PaceSettings(qint16 channel, const Zamo24PaceSettings& settings) = 0;
    virtual void dcoReferenceVoltage(qint16 channel, qint16 reference750) = 0;

    // Test readings.
    virtual void aczReading(qint16 channel, const AczReading& reading) = 0;
    virtual void acz30Reading(qint16 channel, const Acz30Reading& reading) = 0;
    virtual void acz30Zero(qint16 channel, qint16 zeroValue) = 0;
    virtual void aclgAck() = 0;
    virtual void aclgReading(qint16 channel, const AclgReading& reading) = 0;
    virtual void zamo24AclgReading(qint16 channel, const Zamo24AclgReading& reading) = 0;
    virtual void defibRecoveryAck() = 0;
    virtual void defibRecoveryReading(qint16 channel, const DefibRecoveryReading& reading) = 0;
    virtual void noiseZeroReading(qint16 channel, const NoiseZeroReading& reading) = 0;
    virtual void noiseReading(qint16 channel, const NoiseReading& reading) = 0;
    virtual void noiseCalibrationReading(qint16 channel, const NoiseCalibrationReading& reading) = 0;
    virtual void dcoValue(qint16 channel, const DcoValue& value) = 0;
    virtual void dcoReading(qint16 channel, const DcoReading& reading) = 0;
    virtual void dcoZeroCorrection(qint16 channel, qint16 zeroCorrection) = 0;
    virtual void biasReading(qint16 channel, const BiasReading& reading) = 0;
    virtual void sdrReading(qint16 channel, const SdrReading& reading) = 0;
    virtual void paceStatus(qint16 channel, bool stopped) = 0;

    // Calibration-board replies.
    virtual void calBoardFirmwareVersion(qint16 channel, const QString& firmware) = 0;
    virtual void calBoardSerialNumber(qint16 channel, const QString& serial) = 0;
    virtual void calBoardReferenceResistors1(qint16 channel, const CalBoardReferencePair& refs) = 0;
    virtual void calBoardReferenceResistors2(qint16 channel, const CalBoardReferencePair& refs) = 0;
    virtual void calBoardReferenceDco(qint16 channel, const CalBoardReferencePair& refs) = 0;
    virtual void calBoardPotentialReference(qint16 channel, const CalBoardReferencePair& refs) = 0;
    virtual void calBoardAczResistance(qint16 channel, qint16 resistorId, double resistance) = 0;
    virtual void calBoardDcoVoltage(qint16 channel, const CalBoardVoltage& voltage) = 0;
    virtual void calBoardNoiseVoltage(qint16 channel, const CalBoardVoltage& voltage) = 0;
    virtual void calBoardBiasResistance(qint16 channel, double resistance) = 0;
    virtual void calBoardSdrVoltage(qint16 channel, const CalBoardVoltage& voltage) = 0;
    virtual void calBoardSdrResistance(qint16 channel, double resistance) = 0;
    virtual void calBoardMeasuredVoltage(qint16 channel, const CalBoardVoltage& voltage) = 0;
};

} // namespace unit
