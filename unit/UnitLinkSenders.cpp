// The unit command senders TX...: each takes the command that the connected
// model expects (the protocol's table, unit/CommandFrames) and hands it to
// the transmit path.
// A model that a command does not serve gets no frame, no log line and no error.

#include "unit/CommandFrames.h"
#include "unit/UnitLink.h"

namespace unit {

using namespace UnitCommandFrames;

namespace {

// Hands a channel command (or a unit frame, with channel -1) to the transmit
// path; an empty command is a command the unit does not serve.
void Send(UnitLink& unit, const QString& cmd, qint16 channelID, bool immediate = false)
{
    if (!cmd.isEmpty())
        unit.sendCommandToChannel(cmd, channelID, immediate);
}

} // namespace

// ---- calibration-board senders ----

void UnitLink::txCalBoardGetFirmwareVersion(qint16 channelID)
{
    Send(*this, "(mV1)", channelID);
}

void UnitLink::txCalBoardGetSerialNumber(qint16 channelID)
{
    Send(*this, "(mS1)", channelID);
}

void UnitLink::txCalBoardSetSerialNumber(qint16 channelID, const QString& sn)
{
    Send(*this, calBoardSetSerialNumber(sn), channelID);
}

void UnitLink::txCalBoardSetCalibrationReferenceResistors1(qint16 channelID, qint16 acz1Ref, qint16 acz2Ref)
{
    Send(*this, calBoardSetCalibrationReferenceResistors1(acz1Ref, acz2Ref), channelID);
}

void UnitLink::txCalBoardGetCalibrationReferenceResistors1(qint16 channelID)
{
    Send(*this, "(mR1)", channelID);
}

void UnitLink::txCalBoardSetCalibrationReferenceResistors2(qint16 channelID, qint16 acz3Ref, qint16 bias1Ref)
{
    Send(*this, calBoardSetCalibrationReferenceResistors2(acz3Ref, bias1Ref), channelID);
}

void UnitLink::txCalBoardGetCalibrationReferenceResistors2(qint16 channelID)
{
    Send(*this, "(mR5)", channelID);
}

void UnitLink::txCalBoardSetCalibrationReferenceDCO(qint16 channelID, qint32 dco_corr1, qint32 dco_corr2)
{
    Send(*this, calBoardSetCalibrationReferenceDCO(dco_corr1, dco_corr2), channelID);
}

void UnitLink::txCalBoardGetCalibrationReferenceDCO(qint16 channelID)
{
    Send(*this, "(mR3)", channelID);
}

void UnitLink::txCalBoardSetPotentialReference(qint16 channelID, qint32 pot_corr1, qint32 pot_corr2)
{
    Send(*this, calBoardSetPotentialReference(pot_corr1, pot_corr2), channelID);
}

void UnitLink::txCalBoardGetPotentialReference(qint16 channelID)
{
    Send(*this, "(mP1)", channelID);
}

void UnitLink::txCalBoardACZResistorOff(qint16 channelID, bool immediate)
{
    Send(*this, "(gA0)", channelID, immediate);
}

void UnitLink::txCalBoardACZResistorOn(qint16 channelID, qint16 resistorID)
{
    Send(*this, calBoardSelector('A', resistorID), channelID);
}

void UnitLink::txCalBoardDCOVoltageOff(qint16 channelID, bool immediate)
{
    Send(*this, "(gD0)", channelID, immediate);
}

void UnitLink::txCalBoardDCOVoltageOn(qint16 channelID, qint16 voltageID)
{
    Send(*this, calBoardSelector('D', voltageID), channelID);
}

void UnitLink::txCalBoardNoiseVoltageOff(qint16 channelID, bool immediate)
{
    Send(*this, "(gN0)", channelID, immediate);
}

void UnitLink::txCalBoardNoiseVoltageOn(qint16 channelID, qint16 voltageID)
{
    Send(*this, calBoardSelector('N', voltageID), channelID);
}

void UnitLink::txCalBoardBiasResistorOff(qint16 channelID, bool immediate)
{
    Send(*this, "(gB0)", channelID, immediate);
}

void UnitLink::txCalBoardBiasResistorOn(qint16 channelID)
{
    Send(*this, "(gB1)", channelID);
}

void UnitLink::txCalBoardSDROff(qint16 channelID, bool immediate)
{
    Send(*this, "(gS0)", channelID, immediate);
}

void UnitLink::txCalBoardReadSDRVoltage(qint16 channelID)
{
    Send(*this, "(gS1)", channelID);
}

void UnitLink::txCalBoardSDRPowerResistor(qint16 channelID)
{
    Send(*this, "(gS2)", channelID);
}

void UnitLink::txCalBoardVerifyPosition(qint16 channelID, bool immediate)
{
    Send(*this, "(gV0)", channelID, immediate);
}

void UnitLink::txCalBoardTestOutputPosition(qint16 channelID, bool immediate)
{
    Send(*this, "(gV1)", channelID, immediate);
}

void UnitLink::txCalBoardReadVoltageOff(qint16 channelID, bool immediate)
{
    Send(*this, "(gR0)", channelID, immediate);
}

void UnitLink::txCalBoardReadVoltage1(qint16 channelID)
{
    Send(*this, "(gR1)", channelID);
}

void UnitLink::txCalBoardReadVoltage2(qint16 channelID)
{
    Send(*this, "(gR2)", channelID);
}

// ---- channel senders ----

void UnitLink::txCommCheck(qint16 channelID, bool immediate)
{
    Send(*this, "(*)", channelID, immediate);
}

void UnitLink::txReadDigitalPort(qint16 channelID, const QString& port)
{
    Send(*this, readPort(port), channelID);
}

void UnitLink::txReadADPort(qint16 channelID, const QString& port)
{
    Send(*this, readPort(port), channelID);
}

void UnitLink::txReadTrisRegister(qint16 channelID, const QString& registerName)
{
    Send(*this, readTrisRegister(registerName), channelID);
}

void UnitLink::txWritePort(qint16 channelID, const QString& port, const QString& bitValue)
{
    Send(*this, writePort(port, bitValue), channelID);
}

void UnitLink::txZeroCounter(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::ZeroCounter), channelID);
}

void UnitLink::txReadCounter(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::ReadCounter), channelID);
}

void UnitLink::txSetCalibrationDate(qint16 channelID, qint16 year, qint16 month, qint16 day)
{
    Send(*this, setCalibrationDate(year, month, day), channelID);
}

void UnitLink::txGetCalibrationDate(qint16 channelID)
{
    Send(*this, "(MD1)", channelID);
}

void UnitLink::txGetFirmwareVersion(qint16 channelID)
{
    Send(*this, "(MV1)", channelID);
}

void UnitLink::txSetSerialNumber(qint16 channelID, const QString& sn)
{
    Send(*this, setSerialNumber(sn), channelID);
}

void UnitLink::txGetSerialNumber(qint16 channelID)
{
    Send(*this, "(MS1)", channelID);
}

void UnitLink::txSetCalibrationReference(qint16 channelID, qint16 val1, qint16 val2, qint16 val3, qint16 val4)
{
    Send(*this, setCalibrationReference(model(), val1, val2, val3, val4), channelID);
}

void UnitLink::txSetDCOReferenceVoltage(qint16 channelID, qint16 reference750)
{
    Send(*this, setDCOReferenceVoltage(model(), reference750), channelID);
}

void UnitLink::txGetDCOReferenceVoltage(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetDcoReferenceVoltage), channelID);
}

void UnitLink::txGetCalibrationReference(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetCalibrationReference), channelID);
}

void UnitLink::txRequestCommand(qint16 channelID)
{
    Send(*this, "(?)", channelID);
}

void UnitLink::txRunACZTest(qint16 channelID)
{
    Send(*this, "(GA)", channelID);
}

void UnitLink::txRunACZ30Zero(qint16 channelID)
{
    Send(*this, "(Gz)", channelID);
}

void UnitLink::txRunACZ30Test(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunAcz30Test), channelID);
}

void UnitLink::txRunACLGTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunAclgTest), channelID);
}

void UnitLink::txRunDefibRecoveryTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDefibRecoveryTest), channelID);
}

void UnitLink::txRunFilterZeroRoutine(qint16 channelID)
{
    Send(*this, "(GN0)", channelID);
}

void UnitLink::txRunNoiseTest(qint16 channelID)
{
    Send(*this, "(GN1)", channelID);
}

void UnitLink::txRunSpecialCalibrationTest1(qint16 channelID)
{
    Send(*this, "(GN2)", channelID);
}

void UnitLink::txRunSpecialCalibrationTest2(qint16 channelID)
{
    Send(*this, "(GN3)", channelID);
}

void UnitLink::txGetDCOValue(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetDcoValue), channelID);
}

void UnitLink::txRunDCOTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDcoTest), channelID);
}

void UnitLink::txRunDCOZeroCorrectionTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunDcoZeroCorrectionTest), channelID);
}

void UnitLink::txStopBiasTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::StopBiasTest), channelID);
}

void UnitLink::txStopAllBiasTest()
{
    if (model() != UnitModel::Base)
        return;
    txMasterAllChannelSend("BIASSTOP", channelBitString(m_state.presentChannels()), 3, false);
    // Fetch every channel's final bias reply.
    for (qint16 c = 0; c < channelCount; ++c) {
        if (m_state.channelPresent(c))
            txRequestCommand(c);
    }
}

void UnitLink::txRunBiasTest(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunBiasTest), channelID);
}

void UnitLink::txRunSDRTest(qint16 channelID, bool runACZAfterSDR)
{
    if (model() == UnitModel::Base)
        Send(*this, runSDRTest(runACZAfterSDR), channelID);
}

void UnitLink::txCancel(qint16 channelID, bool immediate)
{
    Send(*this, "(X)", channelID, immediate);
}

void UnitLink::txCancelAllElectrodes(bool immediate)
{
    txMasterAllChannelSend("CANCEL", channelBitString(m_state.presentChannels()), 3, immediate);
}

void UnitLink::txResendLastData(qint16 channelID)
{
    Send(*this, "(L)", channelID);
}

void UnitLink::txRunClockTest(qint16 channelID)
{
    Send(*this, "(T1)", channelID);
}

void UnitLink::txUpdateOsctune(qint16 channelID, const QString& timeBitString)
{
    Send(*this, updateOsctune(timeBitString), channelID);
}

void UnitLink::txSaveOsctune(qint16 channelID)
{
    Send(*this, "(T2)", channelID);
}

void UnitLink::txSetPacePulse(qint16 channelID, qint16 pace1On50, qint16 pace2On50, qint16 pace1Offms,
                              qint16 pace2Offms, qint16 pace1Voltage, qint16 pace2Voltage)
{
    Send(*this, setPacePulse(model(), pace1On50, pace2On50, pace1Offms, pace2Offms, pace1Voltage, pace2Voltage),
         channelID);
}

void UnitLink::txGetPacePulse(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::GetPacePulse), channelID);
}

void UnitLink::txRunVoltage1Pace(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunVoltage1Pace), channelID);
}

void UnitLink::txRunVoltage2Pace(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::RunVoltage2Pace), channelID);
}

void UnitLink::txStopPace(qint16 channelID)
{
    Send(*this, m_protocol.command(ModelCommand::StopPace), channelID);
}

void UnitLink::txChannelLED(qint16 channelID, bool enable)
{
    Send(*this, channelLED(enable), channelID);
}

// ---- unit senders ----

void UnitLink::txMasterCommCheck(bool immediate)
{
    Send(*this, "[*]", -1, immediate);
}

void UnitLink::txMasterReadDigitalPort(const QString& port)
{
    Send(*this, asUnitFrame(readPort(port)), -1);
}

void UnitLink::txMasterReadADPort(const QString& port)
{
    Send(*this, asUnitFrame(readPort(port)), -1);
}

void UnitLink::txMasterReadTrisRegister(const QString& registerName)
{
    Send(*this, asUnitFrame(readTrisRegister(registerName)), -1);
}

void UnitLink::txMasterWritePort(const QString& port, const QString& bitValue)
{
    Send(*this, asUnitFrame(writePort(port, bitValue)), -1);
}

void UnitLink::txMasterDiagnostics()
{
    Send(*this, m_protocol.command(ModelCommand::UnitDiagnostics), -1);
}

void UnitLink::txMasterDiagnosticsPollingMode(qint32 delay)
{
    // Always the upper-case frame, also on the models whose queued form is "[d]".
    processReceivedData(m_port.exchange("[D]", delay));
}

void UnitLink::txMasterEnable200VSupply()
{
    Send(*this, m_protocol.command(ModelCommand::Enable200VSupply), -1);
}

void UnitLink::txMasterDisable200VSupply(bool immediate)
{
    Send(*this, m_protocol.command(ModelCommand::Disable200VSupply), -1, immediate);
}

void UnitLink::txMasterDefibCharge(qint16 targetChannel)
{
    if (model() == UnitModel::Base)
        return;
    if (targetChannel >= 0)
        txChannelLED(targetChannel, true);
    Send(*this, "[3]", -1);
    m_port.pause750ms();
}

void UnitLink::txMasterTriggerCharge(bool immediate)
{
    if (model() == UnitModel::Base)
        return;
    Send(*this, "[T]", -1, immediate);
    m_port.pause750ms();
}

void UnitLink::txMasterCheckLid(bool pollData)
{
    if (model() == UnitModel::Base)
        return;
    if (pollData) {
        processReceivedData(m_port.exchange("[L]", 500));
        return;
    }
    Send(*this, "[L]", -1, true);
    // The poll cycle keeps running and picks up the reply.
    m_port.waitMilliseconds(500, false);
}

void UnitLink::txMasterFindChannels()
{
    m_port.sendNow("[F]", -1);
}

void UnitLink::txMasterAllChannelSend(const QString& testType, const QString& channelBitString, qint16 reps,
                                      bool immediate)
{
    const UnitModel unitModel = model();
    const QString command = allChannelCommand(testType, unitModel);
    if (command.isEmpty())
        return;
    const bool ledsOff = testType == QLatin1String("CANCEL") && unitModel != UnitModel::Base;
    for (qint16 rep = 0; rep < reps; ++rep) {
        Send(*this, allChannelFrame(command, channelBitString), -1, immediate);
        if (ledsOff)
            Send(*this, allChannelFrame(kAllChannelLEDOff, channelBitString), -1, immediate);
    }
}

} // namespace unit
