// The unit command senders TX...: each takes the command that the connected
// model expects (the protocol's table, unit/CommandFrames) and hands it to
// the transmit path.
// A model that a command does not serve gets no frame, no log line and no error.

#include "unit/CommandFrames.h"
#include "unit/UnitLink.h"

using namespace UnitCommandFrames;

namespace {

// Hands a channel command (or a unit frame, with channel -1) to the transmit
// path; an empty command is a command the unit does not serve.
void Send(ctlZAMOUsbComm& unit, const QString& cmd, qint16 vChannelID, bool vImmediate = false)
{
    if (!cmd.isEmpty())
        unit.SendCommandToChannel(cmd, vChannelID, vImmediate);
}

} // namespace

// ---- calibration-board senders ----

void ctlZAMOUsbComm::TXCalBoardGetFirmwareVersion(qint16 vChannelID)
{
    Send(*this, "(mV1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardGetSerialNumber(qint16 vChannelID)
{
    Send(*this, "(mS1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSetSerialNumber(qint16 vChannelID, const QString& vSN)
{
    Send(*this, CalBoardSetSerialNumber(vSN), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSetCalibrationReferenceResistors1(qint16 vChannelID, qint16 vACZ1Ref, qint16 vACZ2Ref)
{
    Send(*this, CalBoardSetCalibrationReferenceResistors1(vACZ1Ref, vACZ2Ref), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardGetCalibrationReferenceResistors1(qint16 vChannelID)
{
    Send(*this, "(mR1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSetCalibrationReferenceResistors2(qint16 vChannelID, qint16 vACZ3Ref, qint16 vBIAS1Ref)
{
    Send(*this, CalBoardSetCalibrationReferenceResistors2(vACZ3Ref, vBIAS1Ref), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardGetCalibrationReferenceResistors2(qint16 vChannelID)
{
    Send(*this, "(mR5)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSetCalibrationReferenceDCO(qint16 vChannelID, qint32 vDCO_corr1, qint32 vDCO_corr2)
{
    Send(*this, CalBoardSetCalibrationReferenceDCO(vDCO_corr1, vDCO_corr2), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardGetCalibrationReferenceDCO(qint16 vChannelID)
{
    Send(*this, "(mR3)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSetPotentialReference(qint16 vChannelID, qint32 vPot_corr1, qint32 vPot_corr2)
{
    Send(*this, CalBoardSetPotentialReference(vPot_corr1, vPot_corr2), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardGetPotentialReference(qint16 vChannelID)
{
    Send(*this, "(mP1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardACZResistorOff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gA0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardACZResistorOn(qint16 vChannelID, qint16 vResistorID)
{
    Send(*this, CalBoardSelector('A', vResistorID), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardDCOVoltageOff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gD0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardDCOVoltageOn(qint16 vChannelID, qint16 vVoltageID)
{
    Send(*this, CalBoardSelector('D', vVoltageID), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardNoiseVoltageOff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gN0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardNoiseVoltageOn(qint16 vChannelID, qint16 vVoltageID)
{
    Send(*this, CalBoardSelector('N', vVoltageID), vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardBiasResistorOff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gB0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardBiasResistorOn(qint16 vChannelID)
{
    Send(*this, "(gB1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSDROff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gS0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardReadSDRVoltage(qint16 vChannelID)
{
    Send(*this, "(gS1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardSDRPowerResistor(qint16 vChannelID)
{
    Send(*this, "(gS2)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardVerifyPosition(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gV0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardTestOutputPosition(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gV1)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardReadVoltageOff(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(gR0)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCalBoardReadVoltage1(qint16 vChannelID)
{
    Send(*this, "(gR1)", vChannelID);
}

void ctlZAMOUsbComm::TXCalBoardReadVoltage2(qint16 vChannelID)
{
    Send(*this, "(gR2)", vChannelID);
}

// ---- channel senders ----

void ctlZAMOUsbComm::TXCommCheck(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(*)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXReadDigitalPort(qint16 vChannelID, const QString& vPort)
{
    Send(*this, ReadPort(vPort), vChannelID);
}

void ctlZAMOUsbComm::TXReadADPort(qint16 vChannelID, const QString& vPort)
{
    Send(*this, ReadPort(vPort), vChannelID);
}

void ctlZAMOUsbComm::TXReadTrisRegister(qint16 vChannelID, const QString& vRegister)
{
    Send(*this, ReadTrisRegister(vRegister), vChannelID);
}

void ctlZAMOUsbComm::TXWritePort(qint16 vChannelID, const QString& vPort, const QString& vBitValue)
{
    Send(*this, WritePort(vPort, vBitValue), vChannelID);
}

void ctlZAMOUsbComm::TXZeroCounter(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::ZeroCounter), vChannelID);
}

void ctlZAMOUsbComm::TXReadCounter(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::ReadCounter), vChannelID);
}

void ctlZAMOUsbComm::TXSetCalibrationDate(qint16 vChannelID, qint16 vYear, qint16 vMonth, qint16 vDay)
{
    Send(*this, SetCalibrationDate(vYear, vMonth, vDay), vChannelID);
}

void ctlZAMOUsbComm::TXGetCalibrationDate(qint16 vChannelID)
{
    Send(*this, "(MD1)", vChannelID);
}

void ctlZAMOUsbComm::TXGetFirmwareVersion(qint16 vChannelID)
{
    Send(*this, "(MV1)", vChannelID);
}

void ctlZAMOUsbComm::TXSetSerialNumber(qint16 vChannelID, const QString& vSN)
{
    Send(*this, SetSerialNumber(vSN), vChannelID);
}

void ctlZAMOUsbComm::TXGetSerialNumber(qint16 vChannelID)
{
    Send(*this, "(MS1)", vChannelID);
}

void ctlZAMOUsbComm::TXSetCalibrationReference(qint16 vChannelID, qint16 vVal1, qint16 vVal2, qint16 vVal3,
                                               qint16 vVal4)
{
    Send(*this, SetCalibrationReference(model(), vVal1, vVal2, vVal3, vVal4), vChannelID);
}

void ctlZAMOUsbComm::TXSetDCOReferenceVoltage(qint16 vChannelID, qint16 v750Reference)
{
    Send(*this, SetDCOReferenceVoltage(model(), v750Reference), vChannelID);
}

void ctlZAMOUsbComm::TXGetDCOReferenceVoltage(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetDcoReferenceVoltage), vChannelID);
}

void ctlZAMOUsbComm::TXGetCalibrationReference(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetCalibrationReference), vChannelID);
}

void ctlZAMOUsbComm::TXRequestCommand(qint16 vChannelID)
{
    Send(*this, "(?)", vChannelID);
}

void ctlZAMOUsbComm::TXRunACZTest(qint16 vChannelID)
{
    Send(*this, "(GA)", vChannelID);
}

void ctlZAMOUsbComm::TXRunACZ30Zero(qint16 vChannelID)
{
    Send(*this, "(Gz)", vChannelID);
}

void ctlZAMOUsbComm::TXRunACZ30Test(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunAcz30Test), vChannelID);
}

void ctlZAMOUsbComm::TXRunACLGTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunAclgTest), vChannelID);
}

void ctlZAMOUsbComm::TXRunDefibRecoveryTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDefibRecoveryTest), vChannelID);
}

void ctlZAMOUsbComm::TXRunFilterZeroRoutine(qint16 vChannelID)
{
    Send(*this, "(GN0)", vChannelID);
}

void ctlZAMOUsbComm::TXRunNoiseTest(qint16 vChannelID)
{
    Send(*this, "(GN1)", vChannelID);
}

void ctlZAMOUsbComm::TXRunSpecialCalibrationTest1(qint16 vChannelID)
{
    Send(*this, "(GN2)", vChannelID);
}

void ctlZAMOUsbComm::TXRunSpecialCalibrationTest2(qint16 vChannelID)
{
    Send(*this, "(GN3)", vChannelID);
}

void ctlZAMOUsbComm::TXGetDCOValue(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetDcoValue), vChannelID);
}

void ctlZAMOUsbComm::TXRunDCOTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDcoTest), vChannelID);
}

void ctlZAMOUsbComm::TXRunDCOZeroCorrectionTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDcoZeroCorrectionTest), vChannelID);
}

void ctlZAMOUsbComm::TXStopBiasTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::StopBiasTest), vChannelID);
}

void ctlZAMOUsbComm::TXStopAllBiasTest()
{
    if (model() != UnitModel::Base)
        return;
    TXMasterAllChannelSend("BIASSTOP", ChannelBitString(m_state.presentChannels()), 3, false);
    // Fetch every channel's final bias reply.
    for (qint16 c = 0; c < ChannelCount; ++c) {
        if (m_state.channelPresent(c))
            TXRequestCommand(c);
    }
}

void ctlZAMOUsbComm::TXRunBiasTest(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunBiasTest), vChannelID);
}

void ctlZAMOUsbComm::TXRunSDRTest(qint16 vChannelID, bool vRunACZAfterSDR)
{
    if (model() == UnitModel::Base)
        Send(*this, RunSDRTest(vRunACZAfterSDR), vChannelID);
}

void ctlZAMOUsbComm::TXCancel(qint16 vChannelID, bool vImmediate)
{
    Send(*this, "(X)", vChannelID, vImmediate);
}

void ctlZAMOUsbComm::TXCancelAllElectrodes(bool vImmediate)
{
    TXMasterAllChannelSend("CANCEL", ChannelBitString(m_state.presentChannels()), 3, vImmediate);
}

void ctlZAMOUsbComm::TXResendLastData(qint16 vChannelID)
{
    Send(*this, "(L)", vChannelID);
}

void ctlZAMOUsbComm::TXRunClockTest(qint16 vChannelID)
{
    Send(*this, "(T1)", vChannelID);
}

void ctlZAMOUsbComm::TXUpdateOsctune(qint16 vChannelID, const QString& vTimeBitString)
{
    Send(*this, UpdateOsctune(vTimeBitString), vChannelID);
}

void ctlZAMOUsbComm::TXSaveOsctune(qint16 vChannelID)
{
    Send(*this, "(T2)", vChannelID);
}

void ctlZAMOUsbComm::TXSetPacePulse(qint16 vChannelID, qint16 vPace1On50, qint16 vPace2On50, qint16 vPace1Offms,
                                    qint16 vPace2Offms, qint16 vPace1Voltage, qint16 vPace2Voltage)
{
    Send(*this, SetPacePulse(model(), vPace1On50, vPace2On50, vPace1Offms, vPace2Offms, vPace1Voltage, vPace2Voltage),
         vChannelID);
}

void ctlZAMOUsbComm::TXGetPacePulse(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetPacePulse), vChannelID);
}

void ctlZAMOUsbComm::TXRunVoltage1Pace(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunVoltage1Pace), vChannelID);
}

void ctlZAMOUsbComm::TXRunVoltage2Pace(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunVoltage2Pace), vChannelID);
}

void ctlZAMOUsbComm::TXStopPace(qint16 vChannelID)
{
    Send(*this, m_protocol.command(ModelCommand::StopPace), vChannelID);
}

void ctlZAMOUsbComm::TXChannelLED(qint16 vChannelID, bool vEnable)
{
    Send(*this, ChannelLED(vEnable), vChannelID);
}

// ---- unit senders ----

void ctlZAMOUsbComm::TXMasterCommCheck(bool vImmediate)
{
    Send(*this, "[*]", -1, vImmediate);
}

void ctlZAMOUsbComm::TXMasterReadDigitalPort(const QString& vPort)
{
    Send(*this, AsUnitFrame(ReadPort(vPort)), -1);
}

void ctlZAMOUsbComm::TXMasterReadADPort(const QString& vPort)
{
    Send(*this, AsUnitFrame(ReadPort(vPort)), -1);
}

void ctlZAMOUsbComm::TXMasterReadTrisRegister(const QString& vRegister)
{
    Send(*this, AsUnitFrame(ReadTrisRegister(vRegister)), -1);
}

void ctlZAMOUsbComm::TXMasterWritePort(const QString& vPort, const QString& vBitValue)
{
    Send(*this, AsUnitFrame(WritePort(vPort, vBitValue)), -1);
}

void ctlZAMOUsbComm::TXMasterDiagnostics()
{
    Send(*this, m_protocol.command(ModelCommand::UnitDiagnostics), -1);
}

void ctlZAMOUsbComm::TXMasterDiagnosticsPollingMode(qint32 pDelay)
{
    // Always the upper-case frame, also on the models whose queued form is "[d]".
    ProcessReceivedData(m_port.exchange("[D]", pDelay));
}

void ctlZAMOUsbComm::TXMasterEnable200VSupply()
{
    Send(*this, m_protocol.command(ModelCommand::Enable200VSupply), -1);
}

void ctlZAMOUsbComm::TXMasterDisable200VSupply(bool vImmediate)
{
    Send(*this, m_protocol.command(ModelCommand::Disable200VSupply), -1, vImmediate);
}

void ctlZAMOUsbComm::TXMasterDefibCharge(qint16 vTargetChannel)
{
    if (model() == UnitModel::Base)
        return;
    if (vTargetChannel >= 0)
        TXChannelLED(vTargetChannel, true);
    Send(*this, "[3]", -1);
    m_port.pause750ms();
}

void ctlZAMOUsbComm::TXMasterTriggerCharge(bool vImmediate)
{
    if (model() == UnitModel::Base)
        return;
    Send(*this, "[T]", -1, vImmediate);
    m_port.pause750ms();
}

void ctlZAMOUsbComm::TXMasterCheckLid(bool vPollData)
{
    if (model() == UnitModel::Base)
        return;
    if (vPollData) {
        ProcessReceivedData(m_port.exchange("[L]", 500));
        return;
    }
    Send(*this, "[L]", -1, true);
    // The poll cycle keeps running and picks up the reply.
    m_port.waitMilliseconds(500, false);
}

void ctlZAMOUsbComm::TXMasterFindChannels()
{
    m_port.sendNow("[F]", -1);
}

void ctlZAMOUsbComm::TXMasterAllChannelSend(const QString& vTestType, const QString& vChannelBitString, qint16 vReps,
                                            bool vImmediate)
{
    const UnitModel unitModel = model();
    const QString command = AllChannelCommand(vTestType, unitModel);
    if (command.isEmpty())
        return;
    const bool ledsOff = vTestType == QLatin1String("CANCEL") && unitModel != UnitModel::Base;
    for (qint16 rep = 0; rep < vReps; ++rep) {
        Send(*this, AllChannelFrame(command, vChannelBitString), -1, vImmediate);
        if (ledsOff)
            Send(*this, AllChannelFrame(kAllChannelLEDOff, vChannelBitString), -1, vImmediate);
    }
}
