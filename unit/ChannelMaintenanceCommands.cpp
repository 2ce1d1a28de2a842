#include "unit/ChannelMaintenanceCommands.h"

#include "unit/CommandFrames.h"

namespace unit {

using namespace UnitCommandFrames;

void ChannelMaintenanceCommands::txCommCheck(qint16 channel, bool immediate)
{
    m_sender.send("(*)", channel, immediate);
}

void ChannelMaintenanceCommands::txReadDigitalPort(qint16 channel, const QString& port)
{
    m_sender.send(readPort(port), channel);
}

void ChannelMaintenanceCommands::txReadADPort(qint16 channel, const QString& port)
{
    m_sender.send(readPort(port), channel);
}

void ChannelMaintenanceCommands::txReadTrisRegister(qint16 channel, const QString& registerName)
{
    m_sender.send(readTrisRegister(registerName), channel);
}

void ChannelMaintenanceCommands::txWritePort(qint16 channel, const QString& port, const QString& bits)
{
    m_sender.send(writePort(port, bits), channel);
}

void ChannelMaintenanceCommands::txZeroCounter(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::ZeroCounter), channel);
}

void ChannelMaintenanceCommands::txReadCounter(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::ReadCounter), channel);
}

void ChannelMaintenanceCommands::txSetCalibrationDate(qint16 channel, qint16 year, qint16 month, qint16 day)
{
    m_sender.send(setCalibrationDate(year, month, day), channel);
}

void ChannelMaintenanceCommands::txGetCalibrationDate(qint16 channel)
{
    m_sender.send("(MD1)", channel);
}

void ChannelMaintenanceCommands::txGetFirmwareVersion(qint16 channel)
{
    m_sender.send("(MV1)", channel);
}

void ChannelMaintenanceCommands::txSetSerialNumber(qint16 channel, const QString& serialNumber)
{
    m_sender.send(setSerialNumber(serialNumber), channel);
}

void ChannelMaintenanceCommands::txGetSerialNumber(qint16 channel)
{
    m_sender.send("(MS1)", channel);
}

void ChannelMaintenanceCommands::txSetCalibrationReference(qint16 channel, qint16 reference1, qint16 reference2,
                                                           qint16 reference3, qint16 reference4)
{
    m_sender.send(setCalibrationReference(m_sender.model(), reference1, reference2, reference3, reference4), channel);
}

void ChannelMaintenanceCommands::txSetDCOReferenceVoltage(qint16 channel, qint16 reference750)
{
    m_sender.send(setDCOReferenceVoltage(m_sender.model(), reference750), channel);
}

void ChannelMaintenanceCommands::txGetDCOReferenceVoltage(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::GetDcoReferenceVoltage), channel);
}

void ChannelMaintenanceCommands::txGetCalibrationReference(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::GetCalibrationReference), channel);
}

void ChannelMaintenanceCommands::txRunClockTest(qint16 channel)
{
    m_sender.send("(T1)", channel);
}

void ChannelMaintenanceCommands::txUpdateOsctune(qint16 channel, const QString& timeBitString)
{
    m_sender.send(updateOsctune(timeBitString), channel);
}

void ChannelMaintenanceCommands::txSaveOsctune(qint16 channel)
{
    m_sender.send("(T2)", channel);
}

void ChannelMaintenanceCommands::txSetPacePulse(qint16 channel, qint16 pace1On50, qint16 pace2On50, qint16 pace1Offms,
                                                qint16 pace2Offms, qint16 pace1Voltage, qint16 pace2Voltage)
{
    m_sender.send(
        setPacePulse(m_sender.model(), pace1On50, pace2On50, pace1Offms, pace2Offms, pace1Voltage, pace2Voltage),
        channel);
}

void ChannelMaintenanceCommands::txGetPacePulse(qint16 channel)
{
    m_sender.send(m_sender.command(ModelCommand::GetPacePulse), channel);
}

void ChannelMaintenanceCommands::txChannelLED(qint16 channel, bool enable)
{
    m_sender.send(channelLED(enable), channel);
}

} // namespace unit
