#pragma once
// A unit for the test window's tests: its state is set by the test, every
// command it is given is recorded as one short line.

#include "unit/Unit.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

class RecordingUnit : public UnitLink {
public:
    bool connected = false;
    bool zamo80 = false;
    bool zamo24 = false;
    bool reconnecting = false;
    bool lidClosed = true;
    std::array<bool, 16> channels{};
    bool master200V = false;
    bool testRunning = false;
    bool inhibited = false;
    AclgEnergy aclgEnergy = AclgEnergy::J360;
    int pollingInterval = 0;
    bool simEnabled = false;
    std::array<bool, 16> calibrationExpired{};
    std::array<double, 16> lastMeasurement{};
    std::array<double, 16> lastMeasurement2{};
    QStringList commands;
    QStringList diagnostics;

    // A connected unit of the model with the first n channels present.
    void Plug(int n, bool asZamo80 = false, bool asZamo24 = false)
    {
        connected = true;
        zamo80 = asZamo80;
        zamo24 = asZamo24;
        channels.fill(false);
        for (int c = 0; c < n; ++c)
            channels[std::size_t(c)] = true;
    }

    QStringList Sent(const QString& prefix) const { return commands.filter(QRegularExpression("^" + prefix)); }

    bool Connected() const override { return connected; }
    bool IsZAMO80() const override { return zamo80; }
    bool IsZAMO24() const override { return zamo24; }
    bool Reconnecting() const override { return reconnecting; }
    bool LidClosed() const override { return lidClosed; }
    bool ElectrodeChannelExists(qint16 i) override { return i >= 0 && i < 16 && channels[std::size_t(i)]; }
    bool Master200VEnabled() const override { return master200V; }
    void setMaster200VEnabled(bool v) override { master200V = v; }
    void setTestRunning(bool v) override { testRunning = v; }
    bool pollingInhibited() const override { return inhibited; }
    void setPollingInhibited(bool v) override { inhibited = v; }
    void setAclgEnergy(AclgEnergy energy) override { aclgEnergy = energy; }

    void OpenDevice() override { commands << "OPEN"; }
    void Connect() override { commands << "CONNECT"; }
    void ConnectSimulator(qint16 n, bool z80, bool z24) override
    {
        commands << QString("CONNECT SIMULATOR %1 %2 %3").arg(n).arg(z80).arg(z24);
    }
    void Disconnect() override
    {
        commands << "DISCONNECT";
        connected = false;
    }
    void DisablePolling() override { commands << "DISABLE POLLING"; }
    void SetPollingTimerInterval(qint16 v) override { pollingInterval = v; }
    void EnableSim() override { simEnabled = true; }

    void ClearElectrodeLastMeasurements() override {}
    void TXMasterAllChannelSend(const QString& type, const QString& bits) override
    {
        commands << "ALL " + type + " " + bits;
    }
    void TXMasterEnable200VSupply() override { commands << "200V ON"; }
    void TXMasterDisable200VSupply() override { commands << "200V OFF"; }
    void TXMasterDefibCharge(qint16 ch) override { commands << "CHARGE " + QString::number(ch); }
    void TXGetPacePulse(qint16 ch) override { commands << "PACE PULSE " + QString::number(ch); }
    void TXCancelAllElectrodes() override { commands << "CANCEL ALL"; }
    void TXMasterCheckLid(bool) override { commands << "LID"; }
    void TXMasterCommCheck() override { commands << "COMM CHECK"; }
    void QueryElectrodeInfo() override { commands << "QUERY INFO"; }

    void TXResendLastData(qint16 ch) override { commands << "RESEND " + QString::number(ch); }
    double GetElectrodeLastMeasurement(qint16 ch) override { return lastMeasurement.at(std::size_t(ch)); }
    double GetElectrodeLastMeasurement2(qint16 ch) override { return lastMeasurement2.at(std::size_t(ch)); }
    bool ElectrodeChannelCalibrationExpired(qint16 ch) override { return calibrationExpired.at(std::size_t(ch)); }
    void TXRunACLGTest(qint16 ch) override { commands << "ACLG START " + QString::number(ch); }
    void TXRunDefibRecoveryTest(qint16 ch) override { commands << "DEFR START " + QString::number(ch); }
    void TXMasterTriggerCharge() override { commands << "TRIGGER CHARGE"; }
    void TXStopAllBiasTest() override { commands << "STOP ALL BIAS"; }
    QStringList GetDiagnosticArray() override { return diagnostics; }
    void TXCancel(qint16 ch) override { commands << "CANCEL " + QString::number(ch); }
};
