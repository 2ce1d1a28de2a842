#pragma once
// The link to one measuring unit (unit 1 or unit 2): its USB port or its
// simulated unit, the transmit path with the send queue and the poll cycle,
// the receive parser that turns replies into state and events, the unit
// command senders TX..., and the unit's 16 channel records.
//
// Every event carries the component's Index (1 or 2, its place on the test
// window) as its first argument.
//
// The members are implemented in separate files of unit/:
//   UnitLink.cpp            properties, connect/disconnect, status, channel records
//   UnitLinkConnection.cpp  open, close, failure report, reconnection
//   UnitLinkTransmit.cpp    framing, send queue, poll cycle, waits, simulator hand-over
//   UnitLinkSenders.cpp     the TX... command senders
//   ReplyParser.cpp, TestReadingDecoder.cpp  ProcessReceivedData and the reply decoders

#include "config/AclgSettings.h"
#include "config/Zamo80Delays.h"
#include "platform/Timer.h"
#include "unit/ChannelRecord.h"
#include "unit/LinkStatus.h"
#include "unit/UsbDevice.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <deque>
#include <memory>
#include <utility>

class SimUnitPort;

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
    const config::AclgSettings& Aclg() const { return *m_aclg; }

    // ---- properties ----
    bool Reconnecting() const { return pReconnecting; }
    bool IsZAMO80() const { return pIsZAMO80; }
    bool IsZAMO24() const { return pIsZAMO24; }
    bool LidClosed() const { return pLidClosed; }
    // Diagnostics values rounded to whole numbers, halves to the even neighbour.
    qint32 TenHzPeak() const;
    qint32 ThirtyKPeak() const;
    qint32 Temperature() const;
    qint32 VCC() const;
    qint32 Pos5V() const;
    qint32 Neg5V() const;
    bool Reg5VWorking() const { return pReg5VWorking; }
    bool Working200VOn() const { return pWorking200VOn; }
    bool Working200VOff() const { return pWorking200VOff; }
    QString FirmwareVersion() const { return pFirmwareVersion; }
    QString HardwareInfo() const { return pHardwareInfo; }
    bool TestRunning() const { return pTestRunning; }
    // True greys out the Connect toggle, False enables it.
    void setTestRunning(bool v);
    bool Master200VEnabled() const { return pMaster200VEnabled; }
    void setMaster200VEnabled(bool v) { pMaster200VEnabled = v; }
    qint16 UnitID() const { return pUnitID; }
    // Stores the unit number and refreshes the status display.
    void setUnitID(qint16 v);
    bool Connected() const { return pConnected; }
    bool SimulatorMode() const { return pSimulatorMode; }

    // ---- methods ----
    void ResetUSB(qint32 vHandle);                // does nothing
    void CloseUSB(qint32 vHandleID);
    qint32 OpenDevice();                          // always 0
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
    void TXSetPacePulse(qint16 vChannelID, qint16 vPace1On50, qint16 vPace2On50, qint16 vPace1Offms,
                        qint16 vPace2Offms, qint16 vPace1Voltage, qint16 vPace2Voltage);
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
    void TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString,
                                qint16 vReps = 1, bool vImmediate = false);

    void Connect();
    void ConnectSimulator(qint16 vNumOfChannels, bool vZamo80Mode = false, bool vZamo24Mode = false);
    void Disconnect();
    // vPaceType 1 or 2; any other type gives 0, as does a channel outside 0..15.
    double GetPaceAmplitude(qint16 vElectrodeChannel, qint16 vPaceType);
    double GetPacePulseWidth(qint16 vElectrodeChannel, qint16 vPaceType);
    double GetPaceBPM(qint16 vElectrodeChannel, qint16 vPaceType);
    void Activate();                              // does nothing
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
    const UsbCommDisplay& Display() const { return pDisplay; }
    // The Connect toggle was clicked and now reads `checked`.
    void ConnectToggleClicked(bool checked);
    void setUseSimChecked(bool checked);
    void setSimChannelsText(const QString& text);

    // The record of a channel, nullptr outside 0..15.
    clsElectrode* Electrode(int vChannelID);

signals:
    void RXData(int Index, qint16 vCommChannelID, const QString& vData);
    void RXDataInBuffer(int Index, const QString& vBufferData);
    void RXReadDigitalPort(int Index, qint16 vCommChannelID, const QString& vPort, const QString& vValue);
    void RXReadTrisRegister(int Index, qint16 vCommChannelID, const QString& vPort, const QString& vValue);
    void RXCounter(int Index, qint16 vCommChannelID, qint32 vVal1, qint32 vVal2, qint32 vVal3, qint32 vVal4,
                   qint32 vVal5, qint32 vVal6, qint32 vVal7);
    void RXCalibrationDate(int Index, qint16 vCommChannelID, qint16 vYear, qint16 vMonth, qint16 vDay);
    void RXFirmwareVersion(int Index, qint16 vCommChannelID, const QString& vFirmware);
    void RXSerialNumber(int Index, qint16 vCommChannelID, const QString& vSerialNumber);
    void RXCalibrationReference(int Index, qint16 vCommChannelID, qint16 vCal1, qint16 vCal2, qint16 vCal3,
                                qint16 vCal4);
    void RXIdle(int Index, qint16 vCommChannelID);
    void RXTestDataNotReady(int Index, qint16 vCommChannelID);
    void RXACZTestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef, qint16 vMeasureHigh,
                       qint16 vMeasure, qint16 vVcc, bool vCompleted, double vGain, double vMeasurement,
                       double vVccMeasurement, bool vZamo80);
    void RXACZ30TestData(int Index, qint16 vCommChannelID, qint16 vZeroLevel, qint16 v1kRef, qint16 vMeasureHigh,
                         qint16 vMeasure, qint16 vACZ30Zero, bool vCompleted, double vGain, double vMeasurement,
                         bool vZamo80);
    void RXACZ30ZeroTestData(int Index, qint16 vCommChannelID, qint16 vZeroValue);
    void RXACLGTestData(int Index, qint16 vCommChannelID, qint16 vV50, qint16 vVe, bool vCompleted,
                        double vFinalMeasurement);
    void RXZamo24ACLGTestData(int Index, qint16 vCommChannelID, qint16 vZero50, qint16 vZeroE, qint16 vV50_1,
                              qint16 vVe_1, qint16 vV50_2, qint16 vVe_2, bool vCompleted, double vCalcR1,
                              double vCalcR2);
    void RXACLGAck(int Index);
    void RXDefibRecoveryAck(int Index);
    void RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v750mV, qint16 v750mV_M,
                                 qint16 vZeroCorrect, qint16 vMeasure4, qint16 vMeasure60, qint16 vSeconds,
                                 bool vCompleted, double vGain, double vMeasurement4, double vMeasurement60);
    void RXNoiseZeroResult(int Index, qint16 vCommChannelID, qint16 vFilterZero, qint16 vZero, qint16 vHighPeak,
                           qint16 vLowPeak, qint16 vSeconds, bool vCompleted);
    void RXNoiseTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v100uV, qint16 vFilterZero,
                         qint16 vHighPeak, qint16 vLowPeak, qint16 vSeconds, bool vCompleted, double vGain,
                         double vFilterZeroVpp, double vVppMeasurement, bool vZamo80);
    void RXNoiseSpecialCal1(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v100uV, qint16 vOffset100,
                            bool vCompleted);
    void RXNoiseSpecialCal2(int Index, qint16 vCommChannelID, qint16 vMeasureDC, bool vCompleted, double vGain,
                            double vDCInputMeasurement);
    void RXDCOReferenceVoltage(int Index, qint16 vCommChannelID, qint16 v750Reference);
    void RXDCOValue(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v750mV_M,
                    qint16 vZeroCorrect, qint16 vMeasure, bool vCompleted, bool vZamo80);
    void RXDCOTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v750mV_M,
                       qint16 vZeroCorrect, qint16 vMeasure, qint16 vSeconds, bool vCompleted, double vGain,
                       double vMeasurement, bool vZamo80);
    void RXDCOCalibrateZeroCorrection(int Index, qint16 vCommChannelID, qint16 vZeroCorrection);
    void RXBiasTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 vInitial, qint16 vMax,
                        qint16 vCurrent, qint16 vMinutes, qint16 vSeconds, bool vCompleted, double vGain,
                        double vMeasurement);
    void RXSDRTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v200VOk, qint16 v2VOk,
                       qint16 vInitial, qint16 vMeasure1, qint16 vMeasure2, qint16 vMeasure3, qint16 vSecond,
                       bool vCompleted, double vGain, double vInitialMeasurement, double vRate1, double vRate2,
                       double vRate3);
    void RXPaceStatus(int Index, qint16 vCommChannelID, bool vStopped);
    void RXPacePulseWidths(int Index, qint16 vCommChannelID, qint16 vPace1On50, qint16 vPace2On50,
                           qint16 vPace1Offms, qint16 vPace2Offms);
    void RXZamo24PacePulseWidths(int Index, qint16 vCommChannelID, qint16 vPace1On50, qint16 vPace2On50,
                                 qint16 vPace1Offms, qint16 vPace2Offms, double vPace1Volts, double vPace2Volts,
                                 double vPace1Hz, double vPace2Hz, double vPace1BPM, double vPace2BPM);
    void RXOsctune(int Index, qint16 vCommChannelID, qint16 vTime);
    void RXMasterIdle(int Index);
    void RXMasterReadTrisRegister(int Index, const QString& vPort, const QString& vValue);
    void RXMasterReadDigitalPort(int Index, const QString& vPort, const QString& vValue);
    void RXMasterDiagnostics(int Index, qint16 v10HzPeak, qint16 vTemperature, qint16 vVcc, qint16 vPos5V,
                             qint16 vNeg5V, qint16 v30kPeak, bool v5VR, bool v200VOn, bool v200VOff,
                             bool vLidClosed, const QString& vFirmwareVersion, double v10HzPeakValue,
                             double vTemperatureValue, double vVCCValue, double vPos5VValue, double vNeg5VValue,
                             double v30kPeakValue, bool vZamo80);
    void RXMasterFoundChannels(int Index, const QString& vChannels);
    void RXMasterLidState(int Index, bool vLidClosed);
    void RXCalBoardFirmwareVersion(int Index, qint16 vCommChannelID, const QString& vFirmwareVersion);
    void RXCalBoardSerialNumber(int Index, qint16 vCommChannelID, const QString& vSerialNumber);
    void RXCalBoardCalibrationReferenceResistors1(int Index, qint16 vCommChannelID, qint16 vACZ1Ref,
                                                  qint16 vACZ2Ref);
    void RXCalBoardCalibrationReferenceResistors2(int Index, qint16 vCommChannelID, qint16 vACZ3Ref,
                                                  qint16 vBias1);
    void RXCalBoardCalibrationReferenceDCO(int Index, qint16 vCommChannelID, qint32 vDCO_corr1, qint32 vDCO_corr2);
    void RXCalBoardACZResistance(int Index, qint16 vCommChannelID, qint16 vResistanceID, double vResistance);
    void RXCalBoardDCOVoltage(int Index, qint16 vCommChannelID, qint16 vVoltageID, double vVoltage,
                              qint32 vMeasVal);
    void RXCalBoardNoiseVoltage(int Index, qint16 vCommChannelID, qint16 vVoltageID, double vVoltage,
                                qint32 vMeasVal, double vBaseVoltage);
    void RXCalBoardBiasResistance(int Index, qint16 vCommChannelID, double vResistance);
    void RXCalBoardSDRVoltage(int Index, qint16 vCommChannelID, double vVoltage, qint32 vMeasVal,
                              double vBaseVoltage);
    void RXCalBoardSDRResistance(int Index, qint16 vCommChannelID, double vResistance);
    void RXCalBoardPotentialReference(int Index, qint16 vCommChannelID, qint32 vPot_corr1, qint32 vPot_corr2);
    void RXCalBoardMeasuredVoltage(int Index, qint16 vChannelID, qint16 vRangeID, double vVoltage,
                                   qint32 vMeasVal, double vBaseVoltage);
    void TXData(int Index, const QString& vData);
    void UsbConnected(int Index, qint32 vHandleID, bool vZamo80, bool vZamo24);
    void UsbClosed(int Index);
    void UsbReconnecting(int Index);
    void UsbError(int Index, const QString& vErrorString);
    void HardwareStatus(int Index, const QString& vStatus, bool vError);

    // Not an event of the unit: the status display changed (for the view).
    void DisplayChanged();

private:
    const config::Zamo80Delays* m_delays = nullptr;
    const config::AclgSettings* m_aclg = nullptr;

    // ---- status display and connection (UnitLink.cpp) ----
    void RefreshStatus();                 // the status update
    void ShowConnectToggle(bool connected);
    void ShowFailure(const QString& text); // the failure display
    // A port failure lost the unit: the display shows it at once, closed or
    // reconnecting, with the failure's text.
    void ShowPortLost(const QString& text);
    void ShowConnecting();
    QString ModelName() const;
    SimUnitPort* SimUnit();               // ctlSimUnit1, made on first use
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

    // ---- transmit path (UnitLinkTransmit.cpp) ----
    void TransmitFrame(const QString& frame, qint16 channel);
    void QueueFrame(const QString& frame, qint16 channel);
    void AppendToTxBuffer(const QString& text);
    void WriteTxBuffer(qint32 count);
    QString SimulatorExchange(const QString& frame, bool wantReply);
    void WaitMilliseconds(qint32 ms, bool suspendPolling);
    void Wait10ms() { WaitMilliseconds(10, false); }
    void Pause750ms();
    void OnPollingTimer();
    void PollChannels();
    void OnDelayTimer();
    void OnSimDataReady(const QString& pData, qint16 pChannelID);
    // Bytes waiting now; false when the queue-status call failed.
    bool QueryWaitingBytes();

    // ---- receive parser (implemented in ReceiveParser*.cpp) ----
    // text "": read the waiting bytes from the device; otherwise parse text alone.
    void ProcessReceivedData(const QString& text);
    static QString StripNulls(const QString& text);
    friend class ReceiveParser;
    friend struct UsbCommTestAccess;      // tests reach the private transmit path

    // ---- state ----
    int pIndex = 1;
    bool pConnected = false;
    bool pIsZAMO80 = false;
    bool pIsZAMO24 = false;
    bool pLidClosed = false;
    bool pReconnecting = false;
    bool pTestRunning = false;
    bool pMaster200VEnabled = false;
    qint16 pUnitID = 0;
    // Diagnostics as computed by the diagnostics reply.
    double pTenHzPeak = 0;
    double pThirtyKPeak = 0;
    double pTemperature = 0;
    double pVCC = 0;
    double pPos5V = 0;
    double pNeg5V = 0;
    bool pReg5VWorking = false;
    bool pWorking200VOn = false;
    bool pWorking200VOff = false;
    QString pFirmwareVersion;
    QString pHardwareInfo;
    bool pSimulatorMode = false;
    std::array<std::shared_ptr<clsElectrode>, ChannelCount> Electrodes;
    QString LastErrorText;
    bool OpeningDevice = false;
    UsbCommDisplay pDisplay;

    // Device layer: handle, statuses, receive buffer and waiting-byte count.
    UsbDeviceLayer Usb;

    // Transmit and poll state.
    QByteArray TxBuffer;                  // characters not yet written
    std::deque<std::pair<qint16, QString>> SendQueue; // channel (-1: unit frame), frame
    qint16 LastChannel = 0;               // channel replies are reported for this channel
    qint16 PollCursor = -1;
    bool DelayElapsed = false;
    qint32 WaitDepth = 0;
    quint64 PollTicks = 0;                // poll ticks begun; a tick that waits sees later ones
    bool OpenCompleted = false;           // the last open sequence reached UsbConnected

    // Receive parser: unparsed remainder of the previous read.
    QString PendingText;
    bool ReceiveBusy = false;             // a receive pass runs (a handler's wait may start another)

    platform::Timer PollingTimer;
    platform::Timer DelayTimer;
    SimUnitPort* ctlSimUnit1 = nullptr;
};
