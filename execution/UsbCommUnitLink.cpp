#include "execution/UsbCommUnitLink.h"

#include "link/ctlZAMOUsbComm.h"

bool UsbCommUnitLink::Connected() const { return m_link->Connected(); }
bool UsbCommUnitLink::IsZAMO80() const { return m_link->IsZAMO80(); }
bool UsbCommUnitLink::IsZAMO24() const { return m_link->IsZAMO24(); }
bool UsbCommUnitLink::Reconnecting() const { return m_link->Reconnecting(); }
bool UsbCommUnitLink::LidClosed() const { return m_link->LidClosed(); }
bool UsbCommUnitLink::ElectrodeChannelExists(qint16 vIndex) { return m_link->ElectrodeChannelExists(vIndex); }
bool UsbCommUnitLink::Master200VEnabled() const { return m_link->Master200VEnabled(); }
void UsbCommUnitLink::setMaster200VEnabled(bool v) { m_link->setMaster200VEnabled(v); }
void UsbCommUnitLink::setTestRunning(bool v) { m_link->setTestRunning(v); }

void UsbCommUnitLink::OpenDevice() { m_link->OpenDevice(); }
void UsbCommUnitLink::Connect() { m_link->Connect(); }
void UsbCommUnitLink::ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode)
{
    m_link->ConnectSimulator(vNumOfChannels, vZamo80Mode, vZamo24Mode);
}
void UsbCommUnitLink::Disconnect() { m_link->Disconnect(); }
void UsbCommUnitLink::DisablePolling() { m_link->DisablePolling(); }
void UsbCommUnitLink::SetPollingTimerInterval(qint16 vInterval) { m_link->SetPollingTimerInterval(vInterval); }
void UsbCommUnitLink::EnableSim() { m_link->EnableSim(); }

void UsbCommUnitLink::ClearElectrodeLastMeasurements() { m_link->ClearElectrodeLastMeasurements(); }
void UsbCommUnitLink::TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString)
{
    m_link->TXMasterAllChannelSend(vTestType, vChannelBitString);
}
void UsbCommUnitLink::TXMasterEnable200VSupply() { m_link->TXMasterEnable200VSupply(); }
void UsbCommUnitLink::TXMasterDisable200VSupply() { m_link->TXMasterDisable200VSupply(); }
void UsbCommUnitLink::TXMasterDefibCharge(qint16 vChannelID) { m_link->TXMasterDefibCharge(vChannelID); }
void UsbCommUnitLink::TXGetPacePulse(qint16 vChannelID) { m_link->TXGetPacePulse(vChannelID); }
void UsbCommUnitLink::TXCancelAllElectrodes() { m_link->TXCancelAllElectrodes(); }
void UsbCommUnitLink::TXMasterCheckLid(bool vPollData) { m_link->TXMasterCheckLid(vPollData); }
void UsbCommUnitLink::TXMasterCommCheck() { m_link->TXMasterCommCheck(); }
void UsbCommUnitLink::QueryElectrodeInfo() { m_link->QueryElectrodeInfo(); }
