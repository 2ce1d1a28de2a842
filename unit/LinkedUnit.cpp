#include "unit/LinkedUnit.h"

#include "unit/UnitLink.h"

namespace unit {

bool LinkedUnit::connected() const
{
    return m_link->connected();
}
bool LinkedUnit::isZamo80() const
{
    return m_link->isZamo80();
}
bool LinkedUnit::isZamo24() const
{
    return m_link->isZamo24();
}
bool LinkedUnit::reconnecting() const
{
    return m_link->reconnecting();
}
bool LinkedUnit::lidClosed() const
{
    return m_link->lidClosed();
}
bool LinkedUnit::electrodeChannelExists(qint16 channel)
{
    return m_link->channels().electrodeChannelExists(channel);
}
bool LinkedUnit::master200VEnabled() const
{
    return m_link->master200VEnabled();
}
void LinkedUnit::setMaster200VEnabled(bool v)
{
    m_link->setMaster200VEnabled(v);
}
void LinkedUnit::setTestRunning(bool v)
{
    m_link->setTestRunning(v);
}
bool LinkedUnit::pollingInhibited() const
{
    return m_link->pollingInhibited();
}
void LinkedUnit::setPollingInhibited(bool inhibited)
{
    m_link->setPollingInhibited(inhibited);
}
void LinkedUnit::setAclgEnergy(AclgEnergy energy)
{
    m_link->setAclgEnergy(energy);
}

void LinkedUnit::openDevice()
{
    m_link->openDevice();
}
void LinkedUnit::connectDevice()
{
    m_link->connectDevice();
}
void LinkedUnit::connectSimulator(qint16 numOfChannels, bool zamo80Mode, bool zamo24Mode)
{
    m_link->connectSimulator(numOfChannels, zamo80Mode, zamo24Mode);
}
void LinkedUnit::disconnectDevice()
{
    m_link->disconnectDevice();
}
void LinkedUnit::disablePolling()
{
    m_link->disablePolling();
}
void LinkedUnit::setPollingTimerInterval(qint16 interval)
{
    m_link->setPollingTimerInterval(interval);
}
void LinkedUnit::enableSim()
{
    m_link->enableSim();
}

void LinkedUnit::clearElectrodeLastMeasurements()
{
    m_link->channels().clearElectrodeLastMeasurements();
}
void LinkedUnit::txMasterAllChannelSend(const QString& testType, const QString& channelBitString)
{
    m_link->unitCommands().txMasterAllChannelSend(testType, channelBitString);
}
void LinkedUnit::txMasterEnable200VSupply()
{
    m_link->unitCommands().txMasterEnable200VSupply();
}
void LinkedUnit::txMasterDisable200VSupply()
{
    m_link->unitCommands().txMasterDisable200VSupply();
}
void LinkedUnit::txMasterDefibCharge(qint16 channel)
{
    m_link->unitCommands().txMasterDefibCharge(channel);
}
void LinkedUnit::txGetPacePulse(qint16 channel)
{
    m_link->maintenance().txGetPacePulse(channel);
}
void LinkedUnit::txCancelAllElectrodes()
{
    m_link->unitCommands().txCancelAllElectrodes();
}
void LinkedUnit::txMasterCheckLid(bool pollData)
{
    m_link->unitCommands().txMasterCheckLid(pollData);
}
void LinkedUnit::txMasterCommCheck()
{
    m_link->unitCommands().txMasterCommCheck();
}
void LinkedUnit::queryElectrodeInfo()
{
    m_link->queryElectrodeInfo();
}

void LinkedUnit::txResendLastData(qint16 channel)
{
    m_link->channelTests().txResendLastData(channel);
}
double LinkedUnit::getElectrodeLastMeasurement(qint16 channel)
{
    return m_link->channels().getElectrodeLastMeasurement(channel);
}
double LinkedUnit::getElectrodeLastMeasurement2(qint16 channel)
{
    return m_link->channels().getElectrodeLastMeasurement2(channel);
}
void LinkedUnit::txRunACLGTest(qint16 channel)
{
    m_link->channelTests().txRunACLGTest(channel);
}
void LinkedUnit::txRunDefibRecoveryTest(qint16 channel)
{
    m_link->channelTests().txRunDefibRecoveryTest(channel);
}
void LinkedUnit::txMasterTriggerCharge()
{
    m_link->unitCommands().txMasterTriggerCharge();
}
void LinkedUnit::txStopAllBiasTest()
{
    m_link->unitCommands().txStopAllBiasTest();
}
void LinkedUnit::txCancel(qint16 channel)
{
    m_link->channelTests().txCancel(channel);
}
QStringList LinkedUnit::getDiagnosticArray()
{
    return m_link->channels().getDiagnosticArray();
}
QVector<std::shared_ptr<ChannelRecord>> LinkedUnit::getElectrodeArray()
{
    return m_link->channels().getElectrodeArray();
}
void LinkedUnit::txMasterDiagnosticsPollingMode(qint32 delay)
{
    m_link->unitCommands().txMasterDiagnosticsPollingMode(delay);
}
void LinkedUnit::setElectrodeLastMeasurement(qint16 channel, double value, double value2)
{
    m_link->channels().setElectrodeLastMeasurement(channel, value, value2);
}
bool LinkedUnit::electrodeChannelCalibrationExpired(qint16 channel)
{
    return m_link->channels().electrodeChannelCalibrationExpired(channel);
}
double LinkedUnit::getPaceAmplitude(qint16 channel, qint16 paceType)
{
    return m_link->channels().getPaceAmplitude(channel, paceType);
}
double LinkedUnit::getPacePulseWidth(qint16 channel, qint16 paceType)
{
    return m_link->channels().getPacePulseWidth(channel, paceType);
}
double LinkedUnit::getPaceBPM(qint16 channel, qint16 paceType)
{
    return m_link->channels().getPaceBPM(channel, paceType);
}

} // namespace unit
