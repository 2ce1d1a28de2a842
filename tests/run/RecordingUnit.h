#pragma once
// A unit for the test window's tests: its state is set by the test, every
// command it is given is recorded as one short line.

#include "unit/Unit.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <functional>

class RecordingUnit : public unit::Unit {
public:
    bool isConnected = false;
    bool zamo80 = false;
    bool zamo24 = false;
    bool isReconnecting = false;
    bool isLidClosed = true;
    std::array<bool, 16> channels{};
    bool master200V = false;
    bool testRunning = false;
    bool inhibited = false;
    unit::AclgEnergy aclgEnergy = unit::AclgEnergy::J360;
    int pollingInterval = 0;
    bool simEnabled = false;
    std::array<bool, 16> calibrationExpired{};
    std::array<double, 16> lastMeasurement{};
    std::array<double, 16> lastMeasurement2{};
    QStringList commands;
    QStringList diagnostics;

    // A connected unit of the model with the first n channels present.
    void plug(int n, bool asZamo80 = false, bool asZamo24 = false)
    {
        isConnected = true;
        zamo80 = asZamo80;
        zamo24 = asZamo24;
        channels.fill(false);
        for (int c = 0; c < n; ++c)
            channels[std::size_t(c)] = true;
    }

    QStringList sent(const QString& prefix) const { return commands.filter(QRegularExpression("^" + prefix)); }

    bool connected() const override { return isConnected; }
    bool isZamo80() const override { return zamo80; }
    bool isZamo24() const override { return zamo24; }
    bool reconnecting() const override { return isReconnecting; }
    bool lidClosed() const override { return isLidClosed; }
    bool electrodeChannelExists(qint16 i) override { return i >= 0 && i < 16 && channels[std::size_t(i)]; }
    bool master200VEnabled() const override { return master200V; }
    void setMaster200VEnabled(bool v) override { master200V = v; }
    void setTestRunning(bool v) override { testRunning = v; }
    bool pollingInhibited() const override { return inhibited; }
    void setPollingInhibited(bool v) override { inhibited = v; }
    void setAclgEnergy(unit::AclgEnergy energy) override { aclgEnergy = energy; }

    // Runs at each open (a test's open that fails, say).
    std::function<void()> onOpen;
    void openDevice() override
    {
        commands << "OPEN";
        if (onOpen)
            onOpen();
    }
    void connectDevice() override { commands << "CONNECT"; }
    void connectSimulator(qint16 n, bool z80, bool z24) override
    {
        commands << QString("CONNECT SIMULATOR %1 %2 %3").arg(n).arg(z80).arg(z24);
    }
    void disconnectDevice() override
    {
        commands << "DISCONNECT";
        isConnected = false;
    }
    void disablePolling() override { commands << "DISABLE POLLING"; }
    void setPollingTimerInterval(qint16 v) override { pollingInterval = v; }
    void enableSim() override { simEnabled = true; }

    void clearElectrodeLastMeasurements() override {}
    void txMasterAllChannelSend(const QString& type, const QString& bits) override
    {
        commands << "ALL " + type + " " + bits;
    }
    void txMasterEnable200VSupply() override { commands << "200V ON"; }
    void txMasterDisable200VSupply() override { commands << "200V OFF"; }
    void txMasterDefibCharge(qint16 ch) override { commands << "CHARGE " + QString::number(ch); }
    void txGetPacePulse(qint16 ch) override { commands << "PACE PULSE " + QString::number(ch); }
    void txCancelAllElectrodes() override { commands << "CANCEL ALL"; }
    void txMasterCheckLid(bool) override { commands << "LID"; }
    void txMasterCommCheck() override { commands << "COMM CHECK"; }
    void queryElectrodeInfo() override { commands << "QUERY INFO"; }

    void txResendLastData(qint16 ch) override { commands << "RESEND " + QString::number(ch); }
    double getElectrodeLastMeasurement(qint16 ch) override { return lastMeasurement.at(std::size_t(ch)); }
    double getElectrodeLastMeasurement2(qint16 ch) override { return lastMeasurement2.at(std::size_t(ch)); }
    bool electrodeChannelCalibrationExpired(qint16 ch) override { return calibrationExpired.at(std::size_t(ch)); }
    void txRunACLGTest(qint16 ch) override { commands << "ACLG START " + QString::number(ch); }
    void txRunDefibRecoveryTest(qint16 ch) override { commands << "DEFR START " + QString::number(ch); }
    void txMasterTriggerCharge() override { commands << "TRIGGER CHARGE"; }
    void txStopAllBiasTest() override { commands << "STOP ALL BIAS"; }
    QStringList getDiagnosticArray() override { return diagnostics; }
    void txCancel(qint16 ch) override { commands << "CANCEL " + QString::number(ch); }
    QVector<std::shared_ptr<unit::ChannelRecord>> getElectrodeArray() override { return records; }
    void txMasterDiagnosticsPollingMode(qint32) override { ++diagnosticsPolls; }
    void setElectrodeLastMeasurement(qint16 ch, double value, double value2) override
    {
        storedMeasurements << QStringLiteral("%1: %2 %3").arg(ch).arg(value).arg(value2);
    }
    double getPaceAmplitude(qint16, qint16) override { return paceAmplitude; }
    double getPacePulseWidth(qint16, qint16) override { return pacePulseWidth; }
    double getPaceBPM(qint16, qint16) override { return paceBpm; }

    // What the run read or stored beyond the commands.
    QVector<std::shared_ptr<unit::ChannelRecord>> records;
    int diagnosticsPolls = 0;
    QStringList storedMeasurements;
    double paceAmplitude = 0;
    double pacePulseWidth = 0;
    double paceBpm = 0;
};
