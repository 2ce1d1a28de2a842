#pragma once
// The link to one measuring unit (unit 1 or unit 2), as the rest of the
// station uses it: it composes the unit's channel state (UnitChannelState),
// the wire protocol (command frames by model, the reply parser and its
// decoders, UnitProtocol), the transport (USB port or simulated unit,
// send queue, poll cycle, waits, UnitPort) and what it shows of itself
// (UnitLinkStatus), runs the open sequence and the reconnection, and raises
// the unit's events with its index first. Every decoded reply reaches the
// events through UnitReplyHandler. A failing port is reported through
// hardwareStatus and usbError (never by an exception); ZAMO80 and ZAMO2-4
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

// The tests' access to the private transmit path.
struct UnitLinkTestAccess;

namespace unit {

class UnitLink : public QObject {
    Q_OBJECT
public:
    static constexpr int channelCount = 16;
    // Description of the measuring unit's converter.
    static constexpr const char* UnitDeviceDescription = "FT232R USB UART";

    explicit UnitLink(int indexValue = 1, QObject* parent = nullptr);
    ~UnitLink() override;

    // The component's place on the test window (1 or 2); first argument of every event.
    int Index() const { return m_index; }

    // The ZAMO80 waits and the ACLG constants the link uses, kept by
    // reference (the caller keeps them alive); until handed in, the defaults.
    void useSettings(const config::Zamo80Delays& delays, const config::AclgSettings& aclg);
    const config::Zamo80Delays& delays() const { return *m_delays; }

    // ---- properties ----
    bool reconnecting() const { return m_reconnecting; }
    UnitModel model() const { return m_state.model(); }
    bool isZAMO80() const { return model() == UnitModel::Zamo80; }
    bool isZAMO24() const { return model() == UnitModel::Zamo24; }
    bool lidClosed() const { return m_state.lidClosed(); }
    // Diagnostics values rounded to whole numbers, halves to the even neighbour.
    qint32 tenHzPeak() const;
    qint32 thirtyKPeak() const;
    qint32 temperature() const;
    qint32 VCC() const;
    qint32 pos5V() const;
    qint32 neg5V() const;
    bool reg5VWorking() const { return m_state.diagnostics().reg5VWorking; }
    bool working200VOn() const { return m_state.diagnostics().working200VOn; }
    bool working200VOff() const { return m_state.diagnostics().working200VOff; }
    QString firmwareVersion() const { return m_state.diagnostics().firmwareVersion; }
    QString hardwareInfo() const { return m_status.hardwareInfo(); }
    bool testRunning() const { return m_port.testRunning(); }
    // True greys out the Connect toggle, False enables it.
    void setTestRunning(bool v);
    bool master200VEnabled() const { return m_master200VEnabled; }
    void setMaster200VEnabled(bool v) { m_master200VEnabled = v; }
    qint16 unitID() const { return m_unitID; }
    // Stores the unit number and refreshes the status display.
    void setUnitID(qint16 v);
    bool connected() const { return m_port.isOpen(); }
    bool simulatorMode() const { return m_port.simulated(); }
    // True while automatic polling is switched off (the calibration panel):
    // the poll cycle sends no "(?)" and queues no "[*]"; queued frames still go out.
    bool pollingInhibited() const { return m_port.pollingInhibited(); }
    void setPollingInhibited(bool inhibited) { m_port.setPollingInhibited(inhibited); }
    // The energy of a ZAMO2-4 ACLG run; it converts the ACLG readings that follow.
    AclgEnergy aclgEnergy() const { return m_protocol.aclgEnergy(); }
    void setAclgEnergy(AclgEnergy energy) { m_protocol.setAclgEnergy(energy); }

    // ---- methods ----
    void closeUSB(qint32 handleID);
    qint32 openDevice(); // always 0
    void disablePolling();
    void sendCommandToChannel(const QString& cmd, qint16 channelID, bool immediate = false);
    QString sendDataAndPoll(const QString& cmd, qint32 delay = 50);
    void clearElectrodeLastMeasurements();
    // A channel outside 0..15 is logged and ignored (getters give 0).
    void setElectrodeLastMeasurement(qint16 channelID, double valueValue, double value2 = 0);
    double getElectrodeLastMeasurement(qint16 channelID);
    double getElectrodeLastMeasurement2(qint16 channelID);
    void queryElectrodeInfo();

    // Calibration-board senders.
    void txCalBoardGetFirmwareVersion(qint16 channelID);
    void txCalBoardGetSerialNumber(qint16 channelID);
    void txCalBoardSetSerialNumber(qint16 channelID, const QString& sn);
    void txCalBoardSetCalibrationReferenceResistors1(qint16 channelID, qint16 acz1Ref, qint16 acz2Ref);
    void txCalBoardGetCalibrationReferenceResistors1(qint16 channelID);
    void txCalBoardSetCalibrationReferenceResistors2(qint16 channelID, qint16 acz3Ref, qint16 bias1Ref);
    void txCalBoardGetCalibrationReferenceResistors2(qint16 channelID);
    void txCalBoardSetCalibrationReferenceDCO(qint16 channelID, qint32 dco_corr1, qint32 dco_corr2);
    void txCalBoardGetCalibrationReferenceDCO(qint16 channelID);
    void txCalBoardSetPotentialReference(qint16 channelID, qint32 pot_corr1, qint32 pot_corr2);
    void txCalBoardGetPotentialReference(qint16 channelID);
    void txCalBoardACZResistorOff(qint16 channelID, bool immediate = false);
    void txCalBoardACZResistorOn(qint16 channelID, qint16 resistorID);
    void txCalBoardDCOVoltageOff(qint16 channelID, bool immediate = false);
    void txCalBoardDCOVoltageOn(qint16 channelID, qint16 voltageID);
    void txCalBoardNoiseVoltageOff(qint16 channelID, bool immediate = false);
    void txCalBoardNoiseVoltageOn(qint16 channelID, qint16 voltageID);
    void txCalBoardBiasResistorOff(qint16 channelID, bool immediate = false);
    void txCalBoardBiasResistorOn(qint16 channelID);
    void txCalBoardSDROff(qint16 channelID, bool immediate = false);
    void txCalBoardReadSDRVoltage(qint16 channelID);
    void txCalBoardSDRPowerResistor(qint16 channelID);
    void txCalBoardVerifyPosition(qint16 channelID, bool immediate = false);
    void txCalBoardTestOutputPosition(qint16 channelID, bool immediate = false);
    void txCalBoardReadVoltageOff(qint16 channelID, bool immediate = false);
    void txCalBoardReadVoltage1(qint16 channelID);
    void txCalBoardReadVoltage2(qint16 channelID);

    // Channel senders.
    void txCommCheck(qint16 channelID, bool immediate = false);
    void txReadDigitalPort(qint16 channelID, const QString& portValue);
    void txReadADPort(qint16 channelID, const QString& portValue);
    void txReadTrisRegister(qint16 channelID, const QString& registerName);
    void txWritePort(qint16 channelID, const QString& portValue, const QString& bitValue);
    void txZeroCounter(qint16 channelID);
    void txReadCounter(qint16 channelID);
    void txSetCalibrationDate(qint16 channelID, qint16 year, qint16 month, qint16 day);
    void txGetCalibrationDate(qint16 channelID);
    void txGetFirmwareVersion(qint16 channelID);
    void txSetSerialNumber(qint16 channelID, const QString& sn);
    void txGetSerialNumber(qint16 channelID);
    void txSetCalibrationReference(qint16 channelID, qint16 val1, qint16 val2, qint16 val3, qint16 val4 = 0);
    void txSetDCOReferenceVoltage(qint16 channelID, qint16 reference750);
    void txGetDCOReferenceVoltage(qint16 channelID);
    void txGetCalibrationReference(qint16 channelID);
    void txRequestCommand(qint16 channelID);
    void txRunACZTest(qint16 channelID);
    void txRunACZ30Zero(qint16 channelID);
    void txRunACZ30Test(qint16 channelID);
    void txRunACLGTest(qint16 channelID);
    void txRunDefibRecoveryTest(qint16 channelID);
    void txRunFilterZeroRoutine(qint16 channelID);
    void txRunNoiseTest(qint16 channelID);
    void txRunSpecialCalibrationTest1(qint16 channelID);
    void txRunSpecialCalibrationTest2(qint16 channelID);
    void txGetDCOValue(qint16 channelID);
    void txRunDCOTest(qint16 channelID);
    void txRunDCOZeroCorrectionTest(qint16 channelID);
    void txStopBiasTest(qint16 channelID);
    void txStopAllBiasTest();
    void txRunBiasTest(qint16 channelID);
    void txRunSDRTest(qint16 channelID, bool runACZAfterSDR);
    void txCancel(qint16 channelID, bool immediate = false);
    void txCancelAllElectrodes(bool immediate = false);
    void txResendLastData(qint16 channelID);
    void txRunClockTest(qint16 channelID);
    void txUpdateOsctune(qint16 channelID, const QString& timeBitString);
    void txSaveOsctune(qint16 channelID);
    void txSetPacePulse(qint16 channelID, qint16 pace1On50, qint16 pace2On50, qint16 pace1Offms, qint16 pace2Offms,
                        qint16 pace1Voltage, qint16 pace2Voltage);
    void txGetPacePulse(qint16 channelID);
    void txRunVoltage1Pace(qint16 channelID);
    void txRunVoltage2Pace(qint16 channelID);
    void txStopPace(qint16 channelID);
    void txChannelLED(qint16 channelID, bool enable);

    // Unit senders.
    void txMasterCommCheck(bool immediate = false);
    void txMasterReadDigitalPort(const QString& portValue);
    void txMasterReadADPort(const QString& portValue);
    void txMasterReadTrisRegister(const QString& registerName);
    void txMasterWritePort(const QString& portValue, const QString& bitValue);
    void txMasterDiagnostics();
    void txMasterDiagnosticsPollingMode(qint32 delay = 200);
    void txMasterEnable200VSupply();
    void txMasterDisable200VSupply(bool immediate = false);
    void txMasterDefibCharge(qint16 targetChannel = -1);
    void txMasterTriggerCharge(bool immediate = false);
    void txMasterCheckLid(bool pollData = false);
    void txMasterFindChannels();
    void txMasterAllChannelSend(const QString& testType, const QString& channelBitString, qint16 reps = 1,
                                bool immediate = false);

    void connectDevice();
    void connectSimulator(qint16 numOfChannels, bool zamo80Mode = false, bool zamo24Mode = false);
    void disconnectDevice();
    // paceType 1 or 2; any other type gives 0, as does a channel outside 0..15.
    double getPaceAmplitude(qint16 electrodeChannel, qint16 paceType);
    double getPacePulseWidth(qint16 electrodeChannel, qint16 paceType);
    double getPaceBPM(qint16 electrodeChannel, qint16 paceType);
    void deactivate();
    QString electrodeChannelSerialNumber(qint16 indexValue);
    bool electrodeChannelCalibrationExpired(qint16 indexValue);
    bool electrodeChannelExists(qint16 indexValue);
    // The 16 records (the same objects the link keeps) when Connected, else empty.
    QVector<std::shared_ptr<ChannelRecord>> getElectrodeArray();
    // Index 0 is unused: one "" at index 1 when closed, else texts at 1..9.
    QStringList getDiagnosticArray();
    QString generateElectrodeString();
    void setPollingTimerInterval(qint16 interval);
    void enableSim();

    // ---- status display (drawn by UnitLinkPanel) ----
    const UnitLinkDisplay& display() const { return m_status.display(); }
    // The Connect toggle was clicked and now reads `checked`.
    void connectToggleClicked(bool checked);
    void setUseSimChecked(bool checked);
    void setSimChannelsText(const QString& text);

    // The record of a channel, nullptr outside 0..15.
    ChannelRecord* electrode(int channelID);

signals:
    // Every event carries the link's index (1 or 2) first; a channel event
    // the replying channel 0..15 next.
    void rxData(int index, qint16 channel, const QString& data);
    void rxDataInBuffer(int index, const QString& bufferData);
    void rxReadDigitalPort(int index, qint16 channel, const QString& port, const QString& value);
    void rxReadTrisRegister(int index, qint16 channel, const QString& port, const QString& value);
    void rxCounter(int index, qint16 channel, const ChannelCounters& counters);
    void rxCalibrationDate(int index, qint16 channel, const CalibrationDateReply& date);
    void rxFirmwareVersion(int index, qint16 channel, const QString& firmware);
    void rxSerialNumber(int index, qint16 channel, const QString& serialNumber);
    void rxCalibrationReference(int index, qint16 channel, const CalibrationReference& reference);
    void rxIdle(int index, qint16 channel);
    void rxTestDataNotReady(int index, qint16 channel);
    void rxaczTestData(int index, qint16 channel, const AczReading& reading);
    void rxacz30TestData(int index, qint16 channel, const Acz30Reading& reading);
    void rxacz30ZeroTestData(int index, qint16 channel, qint16 zeroValue);
    void rxaclgTestData(int index, qint16 channel, const AclgReading& reading);
    void rxZamo24ACLGTestData(int index, qint16 channel, const Zamo24AclgReading& reading);
    void rxaclgAck(int index);
    void rxDefibRecoveryAck(int index);
    void rxDefibRecoveryTestData(int index, qint16 channel, const DefibRecoveryReading& reading);
    void rxNoiseZeroResult(int index, qint16 channel, const NoiseZeroReading& reading);
    void rxNoiseTestData(int index, qint16 channel, const NoiseReading& reading);
    void rxNoiseSpecialCal1(int index, qint16 channel, const NoiseCalibrationReading& reading);
    void rxdcoReferenceVoltage(int index, qint16 channel, qint16 reference750);
    void rxdcoValue(int index, qint16 channel, const DcoValue& value);
    void rxdcoTestData(int index, qint16 channel, const DcoReading& reading);
    void rxdcoCalibrateZeroCorrection(int index, qint16 channel, qint16 zeroCorrection);
    void rxBiasTestData(int index, qint16 channel, const BiasReading& reading);
    void rxsdrTestData(int index, qint16 channel, const SdrReading& reading);
    void rxPaceStatus(int index, qint16 channel, bool stopped);
    void rxPacePulseWidths(int index, qint16 channel, const PacePulseWidths& widths);
    void rxZamo24PacePulseWidths(int index, qint16 channel, const Zamo24PaceSettings& settings);
    void rxMasterIdle(int index);
    void rxMasterReadTrisRegister(int index, const QString& port, const QString& value);
    void rxMasterReadDigitalPort(int index, const QString& port, const QString& value);
    void rxMasterDiagnostics(int index, const UnitDiagnostics& diagnostics);
    void rxMasterFoundChannels(int index, const QString& channels);
    void rxMasterLidState(int index, bool lidClosed);
    void rxCalBoardFirmwareVersion(int index, qint16 channel, const QString& firmwareVersion);
    void rxCalBoardSerialNumber(int index, qint16 channel, const QString& serialNumber);
    void rxCalBoardCalibrationReferenceResistors1(int index, qint16 channel, const CalBoardReferencePair& refs);
    void rxCalBoardCalibrationReferenceResistors2(int index, qint16 channel, const CalBoardReferencePair& refs);
    void rxCalBoardCalibrationReferenceDCO(int index, qint16 channel, const CalBoardReferencePair& refs);
    void rxCalBoardACZResistance(int index, qint16 channel, qint16 resistanceId, double resistance);
    void rxCalBoardDCOVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void rxCalBoardNoiseVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void rxCalBoardBiasResistance(int index, qint16 channel, double resistance);
    void rxCalBoardSDRVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void rxCalBoardSDRResistance(int index, qint16 channel, double resistance);
    void rxCalBoardPotentialReference(int index, qint16 channel, const CalBoardReferencePair& refs);
    void rxCalBoardMeasuredVoltage(int index, qint16 channel, const CalBoardVoltage& voltage);
    void txData(int index, const QString& data);
    void usbConnected(int index, qint32 handle, UnitModel model);
    void usbClosed(int index);
    void usbReconnecting(int index);
    void usbError(int index, const QString& errorText);
    void hardwareStatus(int index, const QString& status, bool error);

    // Not an event of the unit: the status display changed (for the view).
    void displayChanged();

private:
    const config::Zamo80Delays* m_delays = nullptr;

    // ---- status and connection (UnitLink.cpp) ----
    void refreshStatus(); // the status update
    // A port failure lost the unit: the display shows it at once, closed or
    // reconnecting, with the failure's text.
    void showPortLost(const QString& text);
    QString modelName() const;
    void terminateClose();

    // ---- device layer (UnitLinkConnection.cpp) ----
    void openRealDevice();
    void openSimulatedDevice();
    void detectModel(bool writeLog);
    void failOpen(const QString& labelText, const QString& errorText, const QString& logLine);
    void endOpen(bool failed);
    void reportUSBError(const QString& label, platform::FtStatus status);
    platform::FtStatus reconnectUSB();
    void raiseUsbError(const QString& text);

    // ---- receive path (UnitLinkTransmit.cpp) ----
    void wait10ms() { m_port.waitMilliseconds(10, false); }
    // text "": read the waiting bytes from the device; otherwise parse text alone.
    void processReceivedData(const QString& text);
    friend struct ::UnitLinkTestAccess; // tests reach the private transmit path

    // ---- state ----
    int m_index = 1;
    bool m_reconnecting = false;
    bool m_master200VEnabled = false;
    qint16 m_unitID = 0;
    bool OpeningDevice = false;
    bool OpenCompleted = false; // the last open sequence reached usbConnected
    UnitLinkStatus m_status;

    UnitChannelState m_state;
    UnitProtocol m_protocol;
    UnitReplyHandler m_replies;
    UnitPort m_port;
};

} // namespace unit
