#include "unit/UnitCommands.h"

#include "unit/CommandFrames.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitPort.h"

namespace unit {

using namespace UnitCommandFrames;

void UnitCommands::txMasterCommCheck(bool immediate)
{
    m_sender.send("[*]", -1, immediate);
}

void UnitCommands::txMasterReadDigitalPort(const QString& port)
{
    m_sender.send(asUnitFrame(readPort(port)), -1);
}

void UnitCommands::txMasterReadADPort(const QString& port)
{
    m_sender.send(asUnitFrame(readPort(port)), -1);
}

void UnitCommands::txMasterReadTrisRegister(const QString& registerName)
{
    m_sender.send(asUnitFrame(readTrisRegister(registerName)), -1);
}

void UnitCommands::txMasterWritePort(const QString& port, const QString& bits)
{
    m_sender.send(asUnitFrame(writePort(port, bits)), -1);
}

void UnitCommands::txMasterDiagnostics()
{
    m_sender.send(m_sender.command(ModelCommand::UnitDiagnostics), -1);
}

void UnitCommands::txMasterDiagnosticsPollingMode(qint32 delay)
{
    // Always the upper-case frame, also on the models whose queued form is "[d]".
    m_sender.takeReply(m_sender.port().exchange("[D]", delay));
}

void UnitCommands::txMasterEnable200VSupply()
{
    m_sender.send(m_sender.command(ModelCommand::Enable200VSupply), -1);
}

void UnitCommands::txMasterDisable200VSupply(bool immediate)
{
    m_sender.send(m_sender.command(ModelCommand::Disable200VSupply), -1, immediate);
}

void UnitCommands::txMasterDefibCharge(qint16 targetChannel)
{
    if (m_sender.model() == UnitModel::Base)
        return;
    if (targetChannel >= 0)
        m_sender.send(channelLED(true), targetChannel);
    m_sender.send("[3]", -1);
    m_sender.port().pause750ms();
}

void UnitCommands::txMasterTriggerCharge(bool immediate)
{
    if (m_sender.model() == UnitModel::Base)
        return;
    m_sender.send("[T]", -1, immediate);
    m_sender.port().pause750ms();
}

void UnitCommands::txMasterCheckLid(bool pollData)
{
    if (m_sender.model() == UnitModel::Base)
        return;
    if (pollData) {
        m_sender.takeReply(m_sender.port().exchange("[L]", 500));
        return;
    }
    m_sender.send("[L]", -1, true);
    // The poll cycle keeps running and picks up the reply.
    m_sender.port().waitMilliseconds(500, false);
}

void UnitCommands::txMasterFindChannels()
{
    m_sender.port().sendNow("[F]", -1);
}

void UnitCommands::txMasterAllChannelSend(const QString& testType, const QString& channelBitString, qint16 reps,
                                          bool immediate)
{
    const UnitModel unitModel = m_sender.model();
    const QString command = allChannelCommand(testType, unitModel);
    if (command.isEmpty())
        return;
    const bool ledsOff = testType == QLatin1String("CANCEL") && unitModel != UnitModel::Base;
    for (qint16 rep = 0; rep < reps; ++rep) {
        m_sender.send(allChannelFrame(command, channelBitString), -1, immediate);
        if (ledsOff)
            m_sender.send(allChannelFrame(kAllChannelLEDOff, channelBitString), -1, immediate);
    }
}

void UnitCommands::txStopAllBiasTest()
{
    if (m_sender.model() != UnitModel::Base)
        return;
    txMasterAllChannelSend("BIASSTOP", channelBitString(m_sender.state().presentChannels()), 3, false);
    // Fetch every channel's final bias reply.
    for (qint16 c = 0; c < UnitChannelState::channelCount; ++c) {
        if (m_sender.state().channelPresent(c))
            m_sender.send("(?)", c);
    }
}

void UnitCommands::txCancelAllElectrodes(bool immediate)
{
    txMasterAllChannelSend("CANCEL", channelBitString(m_sender.state().presentChannels()), 3, immediate);
}

} // namespace unit
