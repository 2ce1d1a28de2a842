#include "unit/UsbCommUnitLink.h"

#include "unit/UnitLink.h"

bool UsbCommUnitLink::Connected() const
{
    return m_link->Connected();
}
bool UsbCommUnitLink::IsZAMO80() const
{
    return m_link->IsZAMO80();
}
bool UsbCommUnitLink::IsZAMO24() const
{
    return m_link->IsZAMO24();
}
bool UsbCommUnitLink::Reconnecting() const
{
    return m_link->Reconnecting();
}
bool UsbCommUnitLink::LidClosed() const
{
    return m_link->LidClosed();
}
bool UsbCommUnitLink::ElectrodeChannelExists(qint16 vIndex)
{
    return m_link->ElectrodeChannelExists(vIndex);
}
bool UsbCommUnitLink::Master200VEnabled() const
{
    return m_link->Master200VEnabled();
}
void UsbCommUnitLink::setMaster200VEnabled(bool v)
{
    m_link->setMaster200VEnabled(v);
}
void UsbCommUnitLink::setTestRunning(bool v)
{
    m_link->setTestRunning(v);
}
bool UsbCommUnitLink::pollingInhibited() const
{
    return m_link->pollingInhibited();
}
void UsbCommUnitLink::setPollingInhibited(bool inhibited)
{
    m_link->setPollingInhibited(inhibited);
}
void UsbCommUnitLink::setAclgEnergy(AclgEnergy energy)
{
    m_link->setAclgEnergy(energy);
}

void UsbCommUnitLink::OpenDevice()
{
    m_link->OpenDevice();
}
void UsbCommUnitLink::Connect()
{
    m_link->Connect();
}
void UsbCommUnitLink::ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode)
{
    m_link->ConnectSimulator(vNumOfChannels, vZamo80Mode, vZamo24Mode);
}
void UsbCommUnitLink::Disconnect()
{
    m_link->Disconnect();
}
void UsbCommUnitLink::DisablePolling()
{
    m_link->DisablePolling();
}
void UsbCommUnitLink::SetPollingTimerInterval(qint16 vInterval)
{
    m_link->SetPollingTimerInterval(vInterval);
}
void UsbCommUnitLink::EnableSim()
{
    m_link->EnableSim();
}

void UsbCommUnitLink::ClearElectrodeLastMeasurements()
{
    m_link->ClearElectrodeLastMeasurements();
}
void UsbCommUnitLink::TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString)
{
    m_link->TXMasterAllChannelSend(vTestType, vChannelBitString);
}
void UsbCommUnitLink::TXMasterEnable200VSupply()
{
    m_link->TXMasterEnable200VSupply();
}
void UsbCommUnitLink::TXMasterDisable200VSupply()
{
    m_link->TXMasterDisable200VSupply();
}
void UsbCommUnitLink::TXMasterDefibCharge(qint16 vChannelID)
{
    m_link->TXMasterDefibCharge(vChannelID);
}
void UsbCommUnitLink::TXGetPacePulse(qint16 vChannelID)
{
    m_link->TXGetPacePulse(vChannelID);
}
void UsbCommUnitLink::TXCancelAllElectrodes()
{
    m_link->TXCancelAllElectrodes();
}
void UsbCommUnitLink::TXMasterCheckLid(bool vPollData)
{
    m_link->TXMasterCheckLid(vPollData);
}
void UsbCommUnitLink::TXMasterCommCheck()
{
    m_link->TXMasterCommCheck();
}
void UsbCommUnitLink::QueryElectrodeInfo()
{
    m_link->QueryElectrodeInfo();
}

void UsbCommUnitLink::TXResendLastData(qint16 vChannelID)
{
    m_link->TXResendLastData(vChannelID);
}
double UsbCommUnitLink::GetElectrodeLastMeasurement(qint16 vChannelID)
{
    return m_link->GetElectrodeLastMeasurement(vChannelID);
}
double UsbCommUnitLink::GetElectrodeLastMeasurement2(qint16 vChannelID)
{
    return m_link->GetElectrodeLastMeasurement2(vChannelID);
}
void UsbCommUnitLink::TXRunACLGTest(qint16 vChannelID)
{
    m_link->TXRunACLGTest(vChannelID);
}
void UsbCommUnitLink::TXRunDefibRecoveryTest(qint16 vChannelID)
{
    m_link->TXRunDefibRecoveryTest(vChannelID);
}
void UsbCommUnitLink::TXMasterTriggerCharge()
{
    m_link->TXMasterTriggerCharge();
}
void UsbCommUnitLink::TXStopAllBiasTest()
{
    m_link->TXStopAllBiasTest();
}
void UsbCommUnitLink::TXCancel(qint16 vChannelID)
{
    m_link->TXCancel(vChannelID);
}
QStringList UsbCommUnitLink::GetDiagnosticArray()
{
    return m_link->GetDiagnosticArray();
}
QVector<std::shared_ptr<clsElectrode>> UsbCommUnitLink::GetElectrodeArray()
{
    return m_link->GetElectrodeArray();
}
void UsbCommUnitLink::TXMasterDiagnosticsPollingMode(qint32 pDelay)
{
    m_link->TXMasterDiagnosticsPollingMode(pDelay);
}
void UsbCommUnitLink::SetElectrodeLastMeasurement(qint16 vChannelID, double vValue, double vValue2)
{
    m_link->SetElectrodeLastMeasurement(vChannelID, vValue, vValue2);
}
bool UsbCommUnitLink::ElectrodeChannelCalibrationExpired(qint16 vIndex)
{
    return m_link->ElectrodeChannelCalibrationExpired(vIndex);
}
double UsbCommUnitLink::GetPaceAmplitude(qint16 vChannel, qint16 vPaceType)
{
    return m_link->GetPaceAmplitude(vChannel, vPaceType);
}
double UsbCommUnitLink::GetPacePulseWidth(qint16 vChannel, qint16 vPaceType)
{
    return m_link->GetPacePulseWidth(vChannel, vPaceType);
}
double UsbCommUnitLink::GetPaceBPM(qint16 vChannel, qint16 vPaceType)
{
    return m_link->GetPaceBPM(vChannel, vPaceType);
}
