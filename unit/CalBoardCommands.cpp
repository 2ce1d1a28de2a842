#include "unit/CalBoardCommands.h"

#include "unit/CommandFrames.h"

namespace unit {

using namespace UnitCommandFrames;

void CalBoardCommands::txCalBoardGetFirmwareVersion(qint16 channel)
{
    m_sender.send("(mV1)", channel);
}

void CalBoardCommands::txCalBoardGetSerialNumber(qint16 channel)
{
    m_sender.send("(mS1)", channel);
}

void CalBoardCommands::txCalBoardSetSerialNumber(qint16 channel, const QString& serialNumber)
{
    m_sender.send(calBoardSetSerialNumber(serialNumber), channel);
}

void CalBoardCommands::txCalBoardSetCalibrationReferenceResistors1(qint16 channel, qint16 acz1Ref, qint16 acz2Ref)
{
    m_sender.send(calBoardSetCalibrationReferenceResistors1(acz1Ref, acz2Ref), channel);
}

void CalBoardCommands::txCalBoardGetCalibrationReferenceResistors1(qint16 channel)
{
    m_sender.send("(mR1)", channel);
}

void CalBoardCommands::txCalBoardSetCalibrationReferenceResistors2(qint16 channel, qint16 acz3Ref, qint16 bias1Ref)
{
    m_sender.send(calBoardSetCalibrationReferenceResistors2(acz3Ref, bias1Ref), channel);
}

void CalBoardCommands::txCalBoardGetCalibrationReferenceResistors2(qint16 channel)
{
    m_sender.send("(mR5)", channel);
}

void CalBoardCommands::txCalBoardSetCalibrationReferenceDCO(qint16 channel, qint32 dcoCorrection1,
                                                            qint32 dcoCorrection2)
{
    m_sender.send(calBoardSetCalibrationReferenceDCO(dcoCorrection1, dcoCorrection2), channel);
}

void CalBoardCommands::txCalBoardGetCalibrationReferenceDCO(qint16 channel)
{
    m_sender.send("(mR3)", channel);
}

void CalBoardCommands::txCalBoardSetPotentialReference(qint16 channel, qint32 potentialCorrection1,
                                                       qint32 potentialCorrection2)
{
    m_sender.send(calBoardSetPotentialReference(potentialCorrection1, potentialCorrection2), channel);
}

void CalBoardCommands::txCalBoardGetPotentialReference(qint16 channel)
{
    m_sender.send("(mP1)", channel);
}

void CalBoardCommands::txCalBoardACZResistorOff(qint16 channel, bool immediate)
{
    m_sender.send("(gA0)", channel, immediate);
}

void CalBoardCommands::txCalBoardACZResistorOn(qint16 channel, qint16 resistorID)
{
    m_sender.send(calBoardSelector('A', resistorID), channel);
}

void CalBoardCommands::txCalBoardDCOVoltageOff(qint16 channel, bool immediate)
{
    m_sender.send("(gD0)", channel, immediate);
}

void CalBoardCommands::txCalBoardDCOVoltageOn(qint16 channel, qint16 voltageID)
{
    m_sender.send(calBoardSelector('D', voltageID), channel);
}

void CalBoardCommands::txCalBoardNoiseVoltageOff(qint16 channel, bool immediate)
{
    m_sender.send("(gN0)", channel, immediate);
}

void CalBoardCommands::txCalBoardNoiseVoltageOn(qint16 channel, qint16 voltageID)
{
    m_sender.send(calBoardSelector('N', voltageID), channel);
}

void CalBoardCommands::txCalBoardBiasResistorOff(qint16 channel, bool immediate)
{
    m_sender.send("(gB0)", channel, immediate);
}

void CalBoardCommands::txCalBoardBiasResistorOn(qint16 channel)
{
    m_sender.send("(gB1)", channel);
}

void CalBoardCommands::txCalBoardSDROff(qint16 channel, bool immediate)
{
    m_sender.send("(gS0)", channel, immediate);
}

void CalBoardCommands::txCalBoardReadSDRVoltage(qint16 channel)
{
    m_sender.send("(gS1)", channel);
}

void CalBoardCommands::txCalBoardSDRPowerResistor(qint16 channel)
{
    m_sender.send("(gS2)", channel);
}

void CalBoardCommands::txCalBoardVerifyPosition(qint16 channel, bool immediate)
{
    m_sender.send("(gV0)", channel, immediate);
}

void CalBoardCommands::txCalBoardTestOutputPosition(qint16 channel, bool immediate)
{
    m_sender.send("(gV1)", channel, immediate);
}

void CalBoardCommands::txCalBoardReadVoltageOff(qint16 channel, bool immediate)
{
    m_sender.send("(gR0)", channel, immediate);
}

void CalBoardCommands::txCalBoardReadVoltage1(qint16 channel)
{
    m_sender.send("(gR1)", channel);
}

void CalBoardCommands::txCalBoardReadVoltage2(qint16 channel)
{
    m_sender.send("(gR2)", channel);
}

} // namespace unit
