#include "unit/ChannelTestCommands.h"

#include "unit/CommandFrames.h"

namespace unit {

using namespace UnitCommandFrames;

void ChannelTestCommands::txRequestCommand(qint16 channel)
{
    m_sender.send("(?)", channel);
}

void ChannelTestCommands::txRunACZTest(qint16 channel)
{
    m_sender.send("(GA)", channel);
}

void ChannelTestCommands::txRunACZ30Zero(qint16 channel)
{
    m_sender.send("(Gz)", channel);
}

void ChannelTestCommands::txRunACZ30Test(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunAcz30Test), channel);
}

void ChannelTestCommands::txRunACLGTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunAclgTest), channel);
}

void ChannelTestCommands::txRunDefibRecoveryTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunDefibRecoveryTest), channel);
}

void ChannelTestCommands::txRunFilterZeroRoutine(qint16 channel)
{
    m_sender.send("(GN0)", channel);
}

void ChannelTestCommands::txRunNoiseTest(qint16 channel)
{
    m_sender.send("(GN1)", channel);
}

void ChannelTestCommands::txRunSpecialCalibrationTest1(qint16 channel)
{
    m_sender.send("(GN2)", channel);
}

void ChannelTestCommands::txRunSpecialCalibrationTest2(qint16 channel)
{
    m_sender.send("(GN3)", channel);
}

void ChannelTestCommands::txGetDCOValue(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::GetDcoValue), channel);
}

void ChannelTestCommands::txRunDCOTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunDcoTest), channel);
}

void ChannelTestCommands::txRunDCOZeroCorrectionTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunDcoZeroCorrectionTest), channel);
}

void ChannelTestCommands::txStopBiasTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::StopBiasTest), channel);
}

void ChannelTestCommands::txRunBiasTest(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunBiasTest), channel);
}

void ChannelTestCommands::txRunSDRTest(qint16 channel, bool runACZAfterSDR)
{
    if (m_sender.model() == UnitModel::Base)
        m_sender.send(runSDRTest(runACZAfterSDR), channel);
}

void ChannelTestCommands::txCancel(qint16 channel, bool immediate)
{
    m_sender.send("(X)", channel, immediate);
}

void ChannelTestCommands::txResendLastData(qint16 channel)
{
    m_sender.send("(L)", channel);
}

void ChannelTestCommands::txRunVoltage1Pace(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunVoltage1Pace), channel);
}

void ChannelTestCommands::txRunVoltage2Pace(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::RunVoltage2Pace), channel);
}

void ChannelTestCommands::txStopPace(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::StopPace), channel);
}

} // namespace unit
