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

class clsElectrode;

class UnitLink {
public:
    virtual ~UnitLink() = default;

    // ---- state ----
    virtual bool Connected() const = 0;
    virtual bool IsZAMO80() const = 0;
    virtual bool IsZAMO24() const = 0;
    UnitModel model() const { return unitModelOf(IsZAMO80(), IsZAMO24()); }
    virtual bool Reconnecting() const = 0;
    virtual bool LidClosed() const = 0;
    // Channel 0..15 reported present by the unit's last channel map.
    virtual bool ElectrodeChannelExists(qint16 vIndex) = 0;
    virtual bool Master200VEnabled() const = 0;
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
    virtual void OpenDevice() = 0;
    // Connect: the unit's USB port; ConnectSimulator: the built-in simulated unit.
    virtual void Connect() = 0;
    virtual void ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode) = 0;
    virtual void Disconnect() = 0;
    virtual void DisablePolling() = 0;
    virtual void SetPollingTimerInterval(qint16 vInterval) = 0;
    virtual void EnableSim() = 0;

    // ---- commands of a run ----
    virtual void ClearElectrodeLastMeasurements() = 0;
    virtual void TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString) = 0;
    virtual void TXMasterEnable200VSupply() = 0;
    virtual void TXMasterDisable200VSupply() = 0;
    virtual void TXMasterDefibCharge(qint16 vChannelID) = 0;
    virtual void TXGetPacePulse(qint16 vChannelID) = 0;
    virtual void TXCancelAllElectrodes() = 0;
    // With vPollData the reply is read before the call returns.
    virtual void TXMasterCheckLid(bool vPollData) = 0;
    virtual void TXMasterCommCheck() = 0;
    // Queues the calibration-date, firmware and serial-number queries of every present channel.
    virtual void QueryElectrodeInfo() = 0;

    // ---- readings and the test clock ----
    // The channel repeats its last reply, which arrives as a new result event.
    virtual void TXResendLastData(qint16 vChannelID) = 0;
    // The channel's last stored reading (and the second of a pair).
    virtual double GetElectrodeLastMeasurement(qint16 vChannelID) = 0;
    virtual double GetElectrodeLastMeasurement2(qint16 vChannelID) = 0;
    virtual void TXRunACLGTest(qint16 vChannelID) = 0;
    virtual void TXRunDefibRecoveryTest(qint16 vChannelID) = 0;
    virtual void TXMasterTriggerCharge() = 0;
    virtual void TXStopAllBiasTest() = 0;
    // Stops the test of one channel.
    virtual void TXCancel(qint16 vChannelID) { (void)vChannelID; }

    // ---- what the recording of a run reads and keeps ----
    // The 16 channel records when connected, else empty.
    virtual QVector<std::shared_ptr<clsElectrode>> GetElectrodeArray() { return {}; }
    // The unit's diagnostics as the results store them: entries 1..9 (entry 0
    // unused); empty when the unit is not connected.
    virtual QStringList GetDiagnosticArray() { return {}; }
    // Asks for the unit's diagnostics and waits pDelay ms for the reply.
    virtual void TXMasterDiagnosticsPollingMode(qint32 pDelay) { (void)pDelay; }
    virtual void SetElectrodeLastMeasurement(qint16 vChannelID, double vValue, double vValue2)
    {
        (void)vChannelID, (void)vValue, (void)vValue2;
    }
    virtual bool ElectrodeChannelCalibrationExpired(qint16 vIndex)
    {
        (void)vIndex;
        return false;
    }
    // The ZAMO2-4 pace settings last read back from the channel, for pace type 1 or 2.
    virtual double GetPaceAmplitude(qint16 vChannel, qint16 vPaceType)
    {
        (void)vChannel, (void)vPaceType;
        return 0;
    }
    virtual double GetPacePulseWidth(qint16 vChannel, qint16 vPaceType)
    {
        (void)vChannel, (void)vPaceType;
        return 0;
    }
    virtual double GetPaceBPM(qint16 vChannel, qint16 vPaceType)
    {
        (void)vChannel, (void)vPaceType;
        return 0;
    }
};
