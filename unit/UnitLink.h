#pragma once
// The link to one measuring unit (unit 1 or unit 2), as the rest of the
// station uses it: it composes the unit's channel state (UnitChannelState),
// the wire protocol (command frames by model, the reply parser and its
// decoders, UnitProtocol), the transport (USB port or simulated unit,
// send queue, poll cycle, waits, UnitPort) and what it shows of itself
// (UnitLinkStatus), runs the open sequence and the reconnection, and raises
// the unit's events with its index first. Every decoded reply reaches the
// events through UnitReplyHandler. A failing port is reported through
// HardwareStatus and UsbError (never by an exception); ZAMO80 and ZAMO2-4
// units reconnect by themselves.
//
// The members are implemented in separate files of unit/:
//   UnitLink.cpp            properties, connect/disconnect, status, channel records
//   UnitLinkConnection.cpp  open, close, failure report, reconnection
//   UnitLinkTransmit.cpp    channel framing, exchanges, the receive hand-over
//   UnitLinkSenders.cpp     the TX... command senders

#include "config/AclgSettings.h"
#include "config/Zamo80Delays.h"
#include "unit/AclgEnergy.h"
#include "unit/ChannelRecord.h"
#include "unit/LinkStatus.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitDiagnostics.h"
#include "unit/UnitLinkStatus.h"
#include "unit/UnitModel.h"
#include "unit/UnitPort.h"
#include "unit/UnitProtocol.h"
#include "unit/UnitReadings.h"
#include "unit/UnitReplyHandler.h"
#include "unit/UsbDevice.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <memory>

class ctlZAMOUsbComm : public QObject {
    Q_OBJECT
public:
    static constexpr int ChannelCount = 16;
    // Description of the measuring unit's converter.
    static constexpr const char* UnitDeviceDescription = "FT232R USB UART";

    explicit ctlZAMOUsbComm(int vIndex = 1, QObject* parent = nullptr);
    ~ctlZAMOUsbComm() override;

    // The component's place on the test window (1 or 2); first argument of every event.
    int Index() const { return pIndex; }

    // The ZAMO80 waits and the ACLG constants the link uses, kept by
    // reference (the caller keeps them alive); until handed in, the defaults.
    void UseSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg);
    const config::Zamo80Delays& Delays() const { return *m_delays; }

    // ---- properties ----
    bool Reconnecting() const { return pReconnecting; }
    UnitModel model() const { return m_state.model(); }
    bool IsZAMO80() const { return model() == UnitModel::Zamo80; }
    bool IsZAMO24() const { return model() == UnitModel::Zamo24; }
    bool LidClosed() const { return m_state.lidClosed(); }
    // Diagnostics values rounded to whole numbers, halves to the even neighbour.
    qint32 TenHzPeak() const;
    qint32 ThirtyKPeak() const;
    qint32 Temperature() const;
    qint32 VCC() const;
    qint32 Pos5V() const;
    qint32 Neg5V() const;
    bool Reg5VWorking() const { return m_state.diagnostics().reg5VWorking; }
    bool Working200VOn() const { return m_state.diagnostics().working200VOn; }
    bool Working200VOff() const { return m_state.diagnostics().working200VOff; }
    QString FirmwareVersion() const { return m_state.diagnostics().firmwareVersion; }
    QString HardwareInfo() const { return m_status.hardwareInfo(); }
    bool TestRunning() const { return m_port.testRunning(); }
    // True greys out the Connect toggle, False enables it.
    void setTestRunning(bool v);
    bool Master200VEnabled() const { return pMaster200VEnabled; }
    void setMaster200VEnabled(bool v) { pMaster200VEnabled = v; }
    qint16 UnitID() const { return pUnitID; }
    // Stores the unit number and refreshes the status display.
    void setUnitID(qint16 v);
    bool Connected() const { return m_port.isOpen(); }
    bool SimulatorMode() const { return m_port.simulated(); }
    // True while automatic polling is switched off (the calibration panel):
    // the poll cycle sends no "(?)" and queues no "[*]"; queued frames still go out.
    bool pollingInhibited() const { return m_port.pollingInhibited(); }
    void setPollingInhibited(bool inhibited) { m_port.setPollingInhibited(inhibited); }
    // The energy of a ZAMO2-4 ACLG run; it converts the ACLG readings that follow.
    AclgEnergy aclgEnergy() const { return m_protocol.aclgEnergy(); }
    void setAclgEnergy(AclgEnergy energy) { m_protocol.setAclgEnergy(energy); }

    // ---- methods ----
    void ResetUSB(qint32 vHandle); // does nothing
    void CloseUSB(qint32 vHandleID);
    qint32 OpenDevice(); // always 0
    void DisablePolling();
    void SendCommandToChannel(const QString& cmd, qint16 vChannelID, bool vImmediate = false);
    QString SendDataAndPoll(const QString& cmd, qint32 vDelay = 50);
    void ClearElectrodeLastMeasurements();
    // A channel outside 0..15 is logged and ignored (getters give 0).
    void SetElectrodeLastMeasurement(qint16 vChannelID, double vValue, double vValue2 = 0);
    double GetElectrodeLastMeasurement(qint16 vChannelID);
    double GetElectrodeLastMeasurement2(qint16 vChannelID);
    void QueryElectrodeInfo();

    // Calibration-board senders.
    void TXCalBoardGetFirmwareVersion(qint16 vChannelID);
    void TXCalBoardGetSerialNumber(qint16 vChannelID);
    void TXCalBoardSetSerialNumber(qint16 vChannelID, const QString& vSN);
    void TXCalBoardSetCalibrationReferenceResistors1(qint16 vChannelID, qint16 vACZ1Ref, qint16 vACZ2Ref);
    void TXCalBoardGetCalibrationReferenceResistors1(qint16 vChannelID);
    void TXCalBoardSetCalibrationReferenceResistors2(qint16 vChannelID, qint16 vACZ3Ref, qint16 vBIAS1Ref);
    void TXCalBoardGetCalibrationReferenceResistors2(qint16 vChannelID);
    void TXCalBoardSetCalibrationReferenceDCO(qint16 vChannelID, qint32 vDCO_corr1, qint32 vDCO_corr2);
    void TXCalBoardGetCalibrationReferenceDCO(qint16 vChannelID);
    void TXCalBoardSetPotentialReference(qint16 vChannelID, qint32 vPot_corr1, qint32 vPot_corr2);
    void TXCalBoardGetPotentialReference(qint16 vChannelID);
    void TXCalBoardACZResistorOff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardACZResistorOn(qint16 vChannelID, qint16 vResistorID);
    void TXCalBoardDCOVoltageOff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardDCOVoltageOn(qint16 vChannelID, qint16 vVoltageID);
    void TXCalBoardNoiseVoltageOff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardNoiseVoltageOn(qint16 vChannelID, qint16 vVoltageID);
    void TXCalBoardBiasResistorOff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardBiasResistorOn(qint16 vChannelID);
    void TXCalBoardSDROff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardReadSDRVoltage(qint16 vChannelID);
    void TXCalBoardSDRPowerResistor(qint16 vChannelID);
    void TXCalBoardVerifyPosition(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardTestOutputPosition(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardReadVoltageOff(qint16 vChannelID, bool vImmediate = false);
    void TXCalBoardReadVoltage1(qint16 vChannelID);
    void TXCalBoardReadVoltage2(qint16 vChannelID);

    // Channel senders.
    void TXCommCheck(qint16 vChannelID, bool vImmediate = false);
    void TXReadDigitalPort(qint16 vChannelID, const QString& vPort);
    void TXReadADPort(qint16 vChannelID, const QString& vPort);
    void TXReadTrisRegister(qint16 vChannelID, const QString& vRegister);
    void TXWritePort(qint16 vChannelID, const QString& vPort, const QString& vBitValue);
    void TXZeroCounter(qint16 vChannelID);
    void TXReadCounter(qint16 vChannelID);
    void TXSetCalibrationDate(qint16 vChannelID, qint16 vYear, qint16 vMonth, qint16 vDay);
    void TXGetCalibrationDate(qint16 vChannelID);
    void TXGetFirmwareVersion(qint16 vChannelID);
    void TXSetSerialNumber(qint16 vChannelID, const QString& vSN);
    void TXGetSerialNumber(qint16 vChannelID);
    void TXSetCalibrationReference(qint16 vChannelID, qint16 vVal1, qint16 vVal2, qint16 vVal3, qint16 vVal4 = 0);
    void TXSetDCOReferenceVoltage(qint16 vChannelID, qint16 v750Reference);
    void TXGetDCOReferenceVoltage(qint16 vChannelID);
    void TXGetCalibrationReference(qint16 vChannelID);
    void TXRequestCommand(qint16 vChannelID);
    void TXRunACZTest(qint16 vChannelID);
    void TXRunACZ30Zero(qint16 vChannelID);
    void TXRunACZ30Test(qint16 vChannelID);
    void TXRunACLGTest(qint16 vChannelID);
    void TXRunDefibRecoveryTest(qint16 vChannelID);
    void TXRunFilterZeroRoutine(qint16 vChannelID);
    void TXRunNoiseTest(qint16 vChannelID);
    void TXRunSpecialCalibrationTest1(qint16 vChannelID);
    void TXRunSpecialCalibrationTest2(qint16 vChannelID);
    void TXGetDCOValue(qint16 vChannelID);
    void TXRunDCOTest(qint16 vChannelID);
    void TXRunDCOZeroCorrectionTest(qint16 vChannelID);
    void TXStopBiasTest(qint16 vChannelID);
    void TXStopAllBiasTest();
    void TXRunBiasTest(qint16 vChannelID);
    void TXRunSDRTest(qint16 vChannelID, bool vRunACZAfterSDR);
    void TXCancel(qint16 vChannelID, bool vImmediate = false);
    void TXCancelAllElectrodes(bool vImmediate = false);
    void TXResendLastData(qint16 vChannelID);
    void TXRunClockTest(qint16 vChannelID);
    void TXUpdateOsctune(qint16 vChannelID, const QString& vTimeBitString);
    void TXSaveOsctune(qint16 vChannelID);
    void TXSetPacePulse(qint16 vChannelID, qint16 vPace1On50, qint16 vPace2On50, qint16 vPace1Offms, qint16 vPace2Offms,
                        qint16 vPace1Voltage, qint16 vPace2Voltage);
    void TXGetPacePulse(qint16 vChannelID);
    void TXRunVoltage1Pace(qint16 vChannelID);
    void TXRunVoltage2Pace(qint16 vChannelID);
    void TXStopPace(qint16 vChannelID);
    void TXChannelLED(qint16 vChannelID, bool vEnable);

    // Unit senders.
    void TXMasterCommCheck(bool vImmediate = false);
    void TXMasterReadDigitalPort(const QString& vPort);
    void TXMasterReadADPort(const QString& vPort);
    void TXMasterReadTrisRegister(const QString& vRegister);
    void TXMasterWritePort(const QString& vPort, const QString& vBitValue);
    void TXMasterDiagnostics();
    void TXMasterDiagnosticsPollingMode(qint32 pDelay = 200);
    void TXMasterEnable200VSupply();
    void TXMasterDisable200VSupply(bool vImmediate = false);
    void TXMasterDefibCharge(qint16 vTargetChannel = -1);
    void TXMasterTriggerCharge(bool vImmediate = false);
    void TXMasterCheckLid(bool vPollData = false);
    void TXMasterFindChannels();
    void TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString, qint16 vReps = 1,
                                bool vImmediate = false);

    void Connect();
    void ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode = false, bool vZamo24Mode = false);
    void Disconnect();
    // vPaceType 1 or 2; any other type gives 0, as does a channel outside 0..15.
    double GetPaceAmplitude(qint16 vElectrodeChannel, qint16 vPaceType);
    double GetPacePulseWidth(qint16 vElectrodeChannel, qint16 vPaceType);
    double GetPaceBPM(qint16 vElectrodeChannel, qint16 vPaceType);
    void Activate(); // does nothing
    void Deactivate();
    QString ElectrodeChannelSerialNumber(qint16 vIndex);
    bool ElectrodeChannelCalibrationExpired(qint16 vIndex);
    bool ElectrodeChannelExists(qint16 vIndex);
    // The 16 records (the same objects the link keeps) when Connected, else empty.
    QVector<std::shared_ptr<clsElectrode>> GetElectrodeArray();
    // Index 0 is unused: one "" at index 1 when closed, else texts at 1..9.
    QStringList GetDiagnosticArray();
    QString GenerateElectrodeString();
    void SetPollingTimerInterval(qint16 vInterval);
    void EnableSim();

    // ---- status display (drawn by ctlZAMOUsbCommView) ----
    const UsbCommDisplay& Display() const { return m_status.display(); }
    // The Connect toggle was clicked and now reads `checked`.
    void ConnectToggleClicked(bool checked);
    void setUseSimChecked(bool checked);
    void setSimChannelsText(const QString& text);

    // The record of a channel, nullptr outside 0..15.
    clsElectrode* Electrode(int vChannelID);

signals:
    // Every event carries the link's index (1 or 2) first; a channel event
    // the replying channel 0..15 next.
    void RXData(int index, qint16 channel, const QString& data);
    void RXDataInBuffer(int index, const QString& bufferData);
    void RXReadDigitalPort(int index, qint16 channel, const QString& port, const QString& value);
    void RXReadTrisRegister(int index, qint16 channel, const QString& port, const QString& value);
    void RXCounter(int index, qint16 channel, const ChannelCounters& counters);
    void RXCalibrationDate(int index, qint16 channel, const CalibrationDateReply& date);
    void RXFirmwareVersion(int index, qint16 channel, const QString& firmware);
    void RXSerialNumber(int index, qint16 channel, const QString& serialNumber);
    void RXCalibrationReference(int index, qint16 channel, const CalibrationReference& reference);
    void RXIdle(int index, qint16 channel);
    void RXTestDataNotReady(int index, qint16 channel);
    void RXACZTestData(int index, qint16 channel, const AczReading& reading);
    void RXACZ30TestData(int index, qint16 channel, const Acz30Reading& reading);
    void RXACZ30ZeroTestData(int index, qint16 channel, qint16 zeroValue);
    void RXACLGTestData(int index, qint16 channel, const AclgReading& reading);
    void RXZamo24ACLGTestData(int index, qint16 channel, const Zamo24AclgReading& reading);
    void RXACLGAck(int index);
    void RXDefibRecoveryAck(int index);
    void RXDefibRecoveryTestData(int index, qint16 channel, const DefibRecoveryReading& reading);
    void RXNoiseZeroResult(int index, qint16 channel, const NoiseZeroReading& reading);
    void RXNoiseTestData(int index, qint16 channel, const NoiseReading& reading);
    void RXNoiseSpecialCal1(int index, qint16 channel, const NoiseCalibrationReading& reading);
    void RXDCOReferenceVoltage(int index, qint16 channel, qint16 reference750);
    void RXDCOValue(int index, qint16 channel, const DcoValue& value);
    void RXDCOTestData(int index, qint16 channel, const DcoReading& reading);
    void RXDCOCalibrateZeroCorrection(int index, qint16 channel, qint16 zeroCorrection);
    void RXBiasTestData(int index, qint16 channel, const BiasReading& reading);
    void RXSDRTestData(int index, qint16 channel, const SdrReading& reading);
    void RXPaceStatus(int index, qint16 channel, bool stopped);
    void RXPacePulseWidths(int index, qint16 channel, const PacePulseWidths& widths);
    void RXZamo24PacePulseWidths(int index, qint16 channel, const Zamo24PaceSettings& settings);
    void RXMasterIdle(int index);
    void RXMasterReadTrisRegister(int index, const QString& port, const QString& value);
    void RXMasterReadDigitalPort(int index, const QString& port, const QString& value);
    void RXMasterDiagnostics(int index, const UnitDiagnostics& diagnostics);
    void RXMasterFoundChannels(int index, const QString& channels);
    void RXMasterLidState(int index, bool lidClosed);
    void RXCalBoardFirmwareVersion(int index, qint16 channel, const QString& firmwareVersion);
    void RXCalBoardSerialNumber(int index, qint16 channel, const QString& serialNumber);
    void RXCalBoardCalibrationReferenceResistors1(int index, qint16 channel, const CalBoardReferencePair& refs);
    void RXCalBoardCalibrationReferenceResistors2(int index, qint16 channel, const CalBoardReferencePair& refs);
    void RXCalBoardCalibrationReferenceDCO(int index, qint16 channel, const CalBoardReferencePair& refs);
    void RXCalBoardACZResistance(int index, qint16 channel, qint16 resistanceId, double resistance);
    void RXCalBoardDCOVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void RXCalBoardNoiseVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void RXCalBoardBiasResistance(int index, qint16 channel, double resistance);
    void RXCalBoardSDRVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void RXCalBoardSDRResistance(int index, qint16 channel, double resistance);
    void RXCalBoardPotentialReference(int index, qint16 channel, const CalBoardReferencePair& refs);
    void RXCalBoardMeasuredVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void TXData(int index, const QString& data);
    void UsbConnected(int index, qint32 handle, UnitModel model);
    void UsbClosed(int index);
    void UsbReconnecting(int index);
    void UsbError(int index, const QString& errorText);
    void HardwareStatus(int index, const QString& status, bool error);

    // Not an event of the unit: the status display changed (for the view).
    void DisplayChanged();

private:
    const config::Zamo80Delays* m_delays = nullptr;

    // ---- status and connection (UnitLink.cpp) ----
    void RefreshStatus(); // the status update
    // A port failure lost the unit: the display shows it at once, closed or
    // reconnecting, with the failure's text.
    void ShowPortLost(const QString& text);
    QString ModelName() const;
    void TerminateClose();

    // ---- device layer (UnitLinkConnection.cpp) ----
    void OpenRealDevice();
    void OpenSimulatedDevice();
    void DetectModel(bool writeLog);
    void FailOpen(const QString& labelText, const QString& errorText, const QString& logLine);
    void EndOpen(bool failed);
    void ReportUSBError(const QString& label, platform::FtStatus status);
    platform::FtStatus ReconnectUSB();
    void RaiseUsbError(const QString& text);

    // ---- receive path (UnitLinkTransmit.cpp) ----
    void Wait10ms() { m_port.waitMilliseconds(10, false); }
    // text "": read the waiting bytes from the device; otherwise parse text alone.
    void ProcessReceivedData(const QString& text);
    friend struct UsbCommTestAccess; // tests reach the private transmit path

    // ---- state ----
    int pIndex = 1;
    bool pReconnecting = false;
    bool pMaster200VEnabled = false;
    qint16 pUnitID = 0;
    bool OpeningDevice = false;
    bool OpenCompleted = false; // the last open sequence reached UsbConnected
    UnitLinkStatus m_status;

    UnitChannelState m_state;
    UnitProtocol m_protocol;
    UnitReplyHandler m_replies;
    UnitPort m_port;
};
