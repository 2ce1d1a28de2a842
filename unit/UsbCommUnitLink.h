#pragma once
// A unit of the test window over its unit link component: every call goes
// to the link as it is; nothing is kept here.

#include "unit/Unit.h"

class ctlZAMOUsbComm;

class UsbCommUnitLink : public UnitLink {
public:
    explicit UsbCommUnitLink(ctlZAMOUsbComm* link) : m_link(link) {}

    ctlZAMOUsbComm* Link() const { return m_link; }

    bool Connected() const override;
    bool IsZAMO80() const override;
    bool IsZAMO24() const override;
    bool Reconnecting() const override;
    bool LidClosed() const override;
    bool ElectrodeChannelExists(qint16 vIndex) override;
    bool Master200VEnabled() const override;
    void setMaster200VEnabled(bool v) override;
    void setTestRunning(bool v) override;
    bool pollingInhibited() const override;
    void setPollingInhibited(bool inhibited) override;
    void setAclgEnergy(AclgEnergy energy) override;

    void OpenDevice() override;
    void Connect() override;
    void ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode) override;
    void Disconnect() override;
    void DisablePolling() override;
    void SetPollingTimerInterval(qint16 vInterval) override;
    void EnableSim() override;

    void ClearElectrodeLastMeasurements() override;
    void TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString) override;
    void TXMasterEnable200VSupply() override;
    void TXMasterDisable200VSupply() override;
    void TXMasterDefibCharge(qint16 vChannelID) override;
    void TXGetPacePulse(qint16 vChannelID) override;
    void TXCancelAllElectrodes() override;
    void TXMasterCheckLid(bool vPollData) override;
    void TXMasterCommCheck() override;
    void QueryElectrodeInfo() override;

    void TXResendLastData(qint16 vChannelID) override;
    double GetElectrodeLastMeasurement(qint16 vChannelID) override;
    double GetElectrodeLastMeasurement2(qint16 vChannelID) override;
    void TXRunACLGTest(qint16 vChannelID) override;
    void TXRunDefibRecoveryTest(qint16 vChannelID) override;
    void TXMasterTriggerCharge() override;
    void TXStopAllBiasTest() override;
    void TXCancel(qint16 vChannelID) override;
    QStringList GetDiagnosticArray() override;
    QVector<std::shared_ptr<clsElectrode>> GetElectrodeArray() override;
    void TXMasterDiagnosticsPollingMode(qint32 pDelay) override;
    void SetElectrodeLastMeasurement(qint16 vChannelID, double vValue, double vValue2) override;
    bool ElectrodeChannelCalibrationExpired(qint16 vIndex) override;
    double GetPaceAmplitude(qint16 vChannel, qint16 vPaceType) override;
    double GetPacePulseWidth(qint16 vChannel, qint16 vPaceType) override;
    double GetPaceBPM(qint16 vChannel, qint16 vPaceType) override;

private:
    ctlZAMOUsbComm* m_link;
};
