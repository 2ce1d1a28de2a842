#include "unit/LinkedUnit.h"

#include "unit/UnitLink.h"

namespace unit {

bool LinkedUnit::connected() const
{
    return m_link->connected();
}
bool LinkedUnit::isZAMO80() const
{
    return m_link->isZAMO80();
}
bool LinkedUnit::isZAMO24() const
{
    return m_link->isZAMO24();
}
bool LinkedUnit::reconnecting() const
{
    return m_link->reconnecting();
}
bool LinkedUnit::lidClosed() const
{
    return m_link->lidClosed();
}
bool LinkedUnit::electrodeChannelExists(qint16 index)
{
    return m_link->channels().electrodeChannelExists(index);
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
void LinkedUnit::txMasterDefibCharge(qint16 channelID)
{
    m_link->unitCommands().txMasterDefibCharge(channelID);
}
void LinkedUnit::txGetPacePulse(qint16 channelID)
{
    m_link->maintenance().txGetPacePulse(channelID);
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

void LinkedUnit::txResendLastData(qint16 channelID)
{
    m_link->channelTests().txResendLastData(channelID);
}
double LinkedUnit::getElectrodeLastMeasurement(qint16 channelID)
{
    return m_link->channels().getElectrodeLastMeasurement(channelID);
}
double LinkedUnit::getElectrodeLastMeasurement2(qint16 channelID)
{
    return m_link->channels().getElectrodeLastMeasurement2(channelID);
}
void LinkedUnit::txRunACLGTest(qint16 channelID)
{
    m_link->channelTests().txRunACLGTest(channelID);
}
void LinkedUnit::txRunDefibRecoveryTest(qint16 channelID)
{
    m_link->channelTests().txRunDefibRecoveryTest(channelID);
}
void LinkedUnit::txMasterTriggerCharge()
{
    m_link->unitCommands().txMasterTriggerCharge();
}
void LinkedUnit::txStopAllBiasTest()
{
    m_link->unitCommands().txStopAllBiasTest();
}
void LinkedUnit::txCancel(qint16 channelID)
{
    m_link->channelTests().txCancel(channelID);
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
void LinkedUnit::setElectrodeLastMeasurement(qint16 channelID, double value, double value2)
{
    m_link->channels().setElectrodeLastMeasurement(channelID, value, value2);
}
bool LinkedUnit::electrodeChannelCalibrationExpired(qint16 index)
{
    return m_link->channels().electrodeChannelCalibrationExpired(index);
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
