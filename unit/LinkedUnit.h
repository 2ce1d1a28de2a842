#pragma once
// A unit of the test window over its unit link component: every call goes
// to the link as it is; nothing is kept here.

#include "unit/Unit.h"

namespace unit {

class UnitLink;

class LinkedUnit : public Unit {
public:
    explicit LinkedUnit(UnitLink* link) : m_link(link) {}

    UnitLink* link() const { return m_link; }

    bool connected() const override;
    bool isZamo80() const override;
    bool isZamo24() const override;
    bool reconnecting() const override;
    bool lidClosed() const override;
    bool electrodeChannelExists(qint16 channel) override;
    bool master200VEnabled() const override;
    void setMaster200VEnabled(bool v) override;
    void setTestRunning(bool v) override;
    bool pollingInhibited() const override;
    void setPollingInhibited(bool inhibited) override;
    void setAclgEnergy(AclgEnergy energy) override;

    void openDevice() override;
    void connectDevice() override;
    void connectSimulator(qint16 numOfChannels, bool zamo80Mode, bool zamo24Mode) override;
    void disconnectDevice() override;
    void disablePolling() override;
    void setPollingTimerInterval(qint16 interval) override;
    void enableSim() override;

    void clearElectrodeLastMeasurements() override;
    void txMasterAllChannelSend(const QString& testType, const QString& channelBitString) override;
    void txMasterEnable200VSupply() override;
    void txMasterDisable200VSupply() override;
    void txMasterDefibCharge(qint16 channel) override;
    void txGetPacePulse(qint16 channel) override;
    void txCancelAllElectrodes() override;
    void txMasterCheckLid(bool pollData) override;
    void txMasterCommCheck() override;
    void queryElectrodeInfo() override;

    void txResendLastData(qint16 channel) override;
    double getElectrodeLastMeasurement(qint16 channel) override;
    double getElectrodeLastMeasurement2(qint16 channel) override;
    void txRunACLGTest(qint16 channel) override;
    void txRunDefibRecoveryTest(qint16 channel) override;
    void txMasterTriggerCharge() override;
    void txStopAllBiasTest() override;
    void txCancel(qint16 channel) override;
    QStringList getDiagnosticArray() override;
    QVector<std::shared_ptr<ChannelRecord>> getElectrodeArray() override;
    void txMasterDiagnosticsPollingMode(qint32 delay) override;
    void setElectrodeLastMeasurement(qint16 channel, double value, double value2) override;
    bool electrodeChannelCalibrationExpired(qint16 channel) override;
    double getPaceAmplitude(qint16 channel, qint16 paceType) override;
    double getPacePulseWidth(qint16 channel, qint16 paceType) override;
    double getPaceBPM(qint16 channel, qint16 paceType) override;

private:
    UnitLink* m_link;
};

} // namespace unit
