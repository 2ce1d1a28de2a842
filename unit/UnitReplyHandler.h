#pragma once
// Takes what the reply parser decoded from one unit's replies, keeps what
// is state (channel records, diagnostics, lid, channel map) in the unit's
// channel state and raises the matching event of the unit link, with the
// link's index first. It sends nothing. A calibration date that is no date
// is logged and leaves the channel's date as it was; the event is raised all
// the same.

#include "unit/UnitReplySink.h"

#include <functional>

namespace unit {

class UnitChannelState;
class UnitLink;

class UnitReplyHandler : public UnitReplySink {
public:
    // channelsChanged runs after a channel map is stored, before its event.
    UnitReplyHandler(UnitLink& link, UnitChannelState& state, std::function<void()> channelsChanged);

    void bufferSeen(const QString& text) override;
    void frameSeen(qint16 channel, const QString& frame) override;
    void malformed(const QString& message) override;

    void unitIdle() override;
    void unitTrisRegister(const QString& port, const QString& value) override;
    void unitDigitalPort(const QString& port, const QString& value) override;
    void unitDiagnostics(const UnitDiagnostics& diagnostics) override;
    void foundChannels(const QString& map) override;
    void lidState(bool closed) override;

    void idle(qint16 channel) override;
    void testDataNotReady(qint16 channel) override;
    void trisRegister(qint16 channel, const QString& port, const QString& value) override;
    void digitalPort(qint16 channel, const QString& port, const QString& value) override;

    void counters(qint16 channel, const ChannelCounters& counters) override;
    void calibrationDate(qint16 channel, const CalibrationDateReply& date) override;
    void firmwareVersion(qint16 channel, const QString& firmware) override;
    void serialNumber(qint16 channel, const QString& serial) override;
    void calibrationReference(qint16 channel, const CalibrationReference& reference) override;
    void pacePulseWidths(qint16 channel, const PacePulseWidths& widths) override;
    void zamo24PaceSettings(qint16 channel, const Zamo24PaceSettings& settings) override;
    void dcoReferenceVoltage(qint16 channel, qint16 reference750) override;

    void aczReading(qint16 channel, const AczReading& reading) override;
    void acz30Reading(qint16 channel, const Acz30Reading& reading) override;
    void acz30Zero(qint16 channel, qint16 zeroValue) override;
    void aclgAck() override;
    void aclgReading(qint16 channel, const AclgReading& reading) override;
    void zamo24AclgReading(qint16 channel, const Zamo24AclgReading& reading) override;
    void defibRecoveryAck() override;
    void defibRecoveryReading(qint16 channel, const DefibRecoveryReading& reading) override;
    void noiseZeroReading(qint16 channel, const NoiseZeroReading& reading) override;
    void noiseReading(qint16 channel, const NoiseReading& reading) override;
    void noiseCalibrationReading(qint16 channel, const NoiseCalibrationReading& reading) override;
    void dcoValue(qint16 channel, const DcoValue& value) override;
    void dcoReading(qint16 channel, const DcoReading& reading) override;
    void dcoZeroCorrection(qint16 channel, qint16 zeroCorrection) override;
    void biasReading(qint16 channel, const BiasReading& reading) override;
    void sdrReading(qint16 channel, const SdrReading& reading) override;
    void paceStatus(qint16 channel, bool stopped) override;

    void calBoardFirmwareVersion(qint16 channel, const QString& firmware) override;
    void calBoardSerialNumber(qint16 channel, const QString& serial) override;
    void calBoardReferenceResistors1(qint16 channel, const CalBoardReferencePair& refs) override;
    void calBoardReferenceResistors2(qint16 channel, const CalBoardReferencePair& refs) override;
    void calBoardReferenceDco(qint16 channel, const CalBoardReferencePair& refs) override;
    void calBoardPotentialReference(qint16 channel, const CalBoardReferencePair& refs) override;
    void calBoardAczResistance(qint16 channel, qint16 resistorId, double resistance) override;
    void calBoardDcoVoltage(qint16 channel, const CalBoardVoltage& voltage) override;
    void calBoardNoiseVoltage(qint16 channel, const CalBoardVoltage& voltage) override;
    void calBoardBiasResistance(qint16 channel, double resistance) override;
    void calBoardSdrVoltage(qint16 channel, const CalBoardVoltage& voltage) override;
    void calBoardSdrResistance(qint16 channel, double resistance) override;
    void calBoardMeasuredVoltage(qint16 channel, const CalBoardVoltage& voltage) override;

private:
    int index() const;

    UnitLink& m_link;
    UnitChannelState& m_state;
    std::function<void()> m_channelsChanged;
};

} // namespace unit
