#pragma once
// One measuring unit as the test window drives it: the unit link's
// properties and the commands a run sends. The window holds two of them
// (units 1 and 2) over its unit link components; tests put recording units
// in their place.

#include "unit/AclgEnergy.h"
#include "unit/UnitModel.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace unit {

class ChannelRecord;

class Unit {
public:
    virtual ~Unit() = default;

    // ---- state ----
    virtual bool connected() const = 0;
    virtual bool isZamo80() const = 0;
    virtual bool isZamo24() const = 0;
    UnitModel model() const { return unitModelOf(isZamo80(), isZamo24()); }
    virtual bool reconnecting() const = 0;
    virtual bool lidClosed() const = 0;
    // Channel 0..15 reported present by the unit's last channel map.
    virtual bool electrodeChannelExists(qint16 channel) = 0;
    virtual bool master200VEnabled() const = 0;
    virtual void setMaster200VEnabled(bool v) = 0;
    // True lets the poll cycle ask the running channels for data.
    virtual void setTestRunning(bool v) = 0;
    // True switches automatic polling off: the poll cycle asks nothing and
    // the keep-alive sends nothing; queued commands still go out.
    virtual bool pollingInhibited() const = 0;
    virtual void setPollingInhibited(bool inhibited) = 0;
    // The energy a ZAMO2-4 ACLG run is set for; it converts the ACLG readings.
    virtual void setAclgEnergy(AclgEnergy energy) = 0;

    // ---- link control ----
    virtual void openDevice() = 0;
    // Connect: the unit's USB port; connectSimulator: the built-in simulated unit.
    virtual void connectDevice() = 0;
    virtual void connectSimulator(qint16 numOfChannels, bool zamo80Mode, bool zamo24Mode) = 0;
    virtual void disconnectDevice() = 0;
    virtual void disablePolling() = 0;
    virtual void setPollingTimerInterval(qint16 interval) = 0;
    virtual void enableSim() = 0;

    // ---- commands of a run ----
    virtual void clearElectrodeLastMeasurements() = 0;
    virtual void txMasterAllChannelSend(const QString& testType, const QString& channelBitString) = 0;
    virtual void txMasterEnable200VSupply() = 0;
    virtual void txMasterDisable200VSupply() = 0;
    virtual void txMasterDefibCharge(qint16 channel) = 0;
    virtual void txGetPacePulse(qint16 channel) = 0;
    virtual void txCancelAllElectrodes() = 0;
    // With pollData the reply is read before the call returns.
    virtual void txMasterCheckLid(bool pollData) = 0;
    virtual void txMasterCommCheck() = 0;
    // Queues the calibration-date, firmware and serial-number queries of every present channel.
    virtual void queryElectrodeInfo() = 0;

    // ---- readings and the test clock ----
    // The channel repeats its last reply, which arrives as a new result event.
    virtual void txResendLastData(qint16 channel) = 0;
    // The channel's last stored reading (and the second of a pair).
    virtual double getElectrodeLastMeasurement(qint16 channel) = 0;
    virtual double getElectrodeLastMeasurement2(qint16 channel) = 0;
    virtual void txRunACLGTest(qint16 channel) = 0;
    virtual void txRunDefibRecoveryTest(qint16 channel) = 0;
    virtual void txMasterTriggerCharge() = 0;
    virtual void txStopAllBiasTest() = 0;
    // Stops the test of one channel.
    virtual void txCancel(qint16 channel) = 0;

    // ---- what the recording of a run reads and keeps ----
    // The 16 channel records when connected, else empty.
    virtual QVector<std::shared_ptr<ChannelRecord>> getElectrodeArray() = 0;
    // The unit's diagnostics as the results store them: entries 1..9 (entry 0
    // unused); empty when the unit is not connected.
    virtual QStringList getDiagnosticArray() = 0;
    // Asks for the unit's diagnostics and waits delay ms for the reply.
    virtual void txMasterDiagnosticsPollingMode(qint32 delay) = 0;
    virtual void setElectrodeLastMeasurement(qint16 channel, double value, double value2) = 0;
    virtual bool electrodeChannelCalibrationExpired(qint16 channel) = 0;
    // The ZAMO2-4 pace settings last read back from the channel, for pace type 1 or 2.
    virtual double getPaceAmplitude(qint16 channel, qint16 paceType) = 0;
    virtual double getPacePulseWidth(qint16 channel, qint16 paceType) = 0;
    virtual double getPaceBPM(qint16 channel, qint16 paceType) = 0;
};

} // namespace unit
