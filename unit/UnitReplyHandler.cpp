#include "unit/UnitReplyHandler.h"

#include "config/Log.h"
#include "platform/OleDate.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitLink.h"

#include <QDate>

UnitReplyHandler::UnitReplyHandler(ctlZAMOUsbComm& link, UnitChannelState& state, std::function<void()> channelsChanged)
    : m_link(link), m_state(state), m_channelsChanged(std::move(channelsChanged))
{
}

int UnitReplyHandler::index() const
{
    return m_link.Index();
}

// ---- framing ----

void UnitReplyHandler::bufferSeen(const QString& text)
{
    emit m_link.RXDataInBuffer(index(), text);
}

void UnitReplyHandler::frameSeen(qint16 channel, const QString& frame)
{
    emit m_link.RXData(index(), channel, frame);
}

void UnitReplyHandler::malformed(const QString& message)
{
    modMain::WriteLog(QStringLiteral("Unit #%1 receive: %2").arg(m_link.UnitID()).arg(message));
}

// ---- unit replies ----

void UnitReplyHandler::unitIdle()
{
    emit m_link.RXMasterIdle(index());
}

void UnitReplyHandler::unitTrisRegister(const QString& port, const QString& value)
{
    emit m_link.RXMasterReadTrisRegister(index(), port, value);
}

void UnitReplyHandler::unitDigitalPort(const QString& port, const QString& value)
{
    emit m_link.RXMasterReadDigitalPort(index(), port, value);
}

void UnitReplyHandler::unitDiagnostics(const UnitDiagnostics& diagnostics)
{
    m_state.setDiagnostics(diagnostics);
    emit m_link.RXMasterDiagnostics(index(), diagnostics);
}

void UnitReplyHandler::foundChannels(const QString& map)
{
    m_state.setPresentChannels(map);
    if (m_channelsChanged)
        m_channelsChanged();
    emit m_link.RXMasterFoundChannels(index(), map);
}

void UnitReplyHandler::lidState(bool closed)
{
    m_state.setLidClosed(closed);
    emit m_link.RXMasterLidState(index(), closed);
}

// ---- channel replies ----

void UnitReplyHandler::idle(qint16 channel)
{
    emit m_link.RXIdle(index(), channel);
}

void UnitReplyHandler::testDataNotReady(qint16 channel)
{
    emit m_link.RXTestDataNotReady(index(), channel);
}

void UnitReplyHandler::trisRegister(qint16 channel, const QString& port, const QString& value)
{
    emit m_link.RXReadTrisRegister(index(), channel, port, value);
}

void UnitReplyHandler::digitalPort(qint16 channel, const QString& port, const QString& value)
{
    emit m_link.RXReadDigitalPort(index(), channel, port, value);
}

void UnitReplyHandler::counters(qint16 channel, const ChannelCounters& counters)
{
    emit m_link.RXCounter(index(), channel, counters);
}

void UnitReplyHandler::calibrationDate(qint16 channel, const CalibrationDateReply& date)
{
    const QDate day(date.year, date.month, date.day);
    if (day.isValid())
        m_state.channel(channel)->setCalibrationDate(platform::OleDate::fromDate(day));
    else
        modMain::WriteLog(QStringLiteral("Unit #%1 channel %2: calibration date %3-%4-%5 is not a date; "
                                         "the previous date is kept")
                              .arg(m_link.UnitID())
                              .arg(QChar(u'A' + channel))
                              .arg(date.year)
                              .arg(date.month)
                              .arg(date.day));
    emit m_link.RXCalibrationDate(index(), channel, date);
}

void UnitReplyHandler::firmwareVersion(qint16 channel, const QString& firmware)
{
    m_state.channel(channel)->setFirmwareVersion(firmware);
    emit m_link.RXFirmwareVersion(index(), channel, firmware);
}

void UnitReplyHandler::serialNumber(qint16 channel, const QString& serial)
{
    m_state.channel(channel)->setSerialNumber(serial);
    emit m_link.RXSerialNumber(index(), channel, serial);
}

void UnitReplyHandler::calibrationReference(qint16 channel, const CalibrationReference& reference)
{
    emit m_link.RXCalibrationReference(index(), channel, reference);
}

void UnitReplyHandler::pacePulseWidths(qint16 channel, const PacePulseWidths& widths)
{
    emit m_link.RXPacePulseWidths(index(), channel, widths);
}

void UnitReplyHandler::zamo24PaceSettings(qint16 channel, const Zamo24PaceSettings& p)
{
    m_state.channel(channel)->SetZamo24PaceParameters(p.pace1Volts, p.pace1PulseWidthMs, p.pace1BPM, p.pace2Volts,
                                                      p.pace2PulseWidthMs, p.pace2BPM);
    emit m_link.RXZamo24PacePulseWidths(index(), channel, p);
}

void UnitReplyHandler::dcoReferenceVoltage(qint16 channel, qint16 reference750)
{
    emit m_link.RXDCOReferenceVoltage(index(), channel, reference750);
}

// ---- test readings ----

void UnitReplyHandler::aczReading(qint16 channel, const AczReading& reading)
{
    emit m_link.RXACZTestData(index(), channel, reading);
}

void UnitReplyHandler::acz30Reading(qint16 channel, const Acz30Reading& reading)
{
    emit m_link.RXACZ30TestData(index(), channel, reading);
}

void UnitReplyHandler::acz30Zero(qint16 channel, qint16 zeroValue)
{
    emit m_link.RXACZ30ZeroTestData(index(), channel, zeroValue);
}

void UnitReplyHandler::aclgAck()
{
    emit m_link.RXACLGAck(index());
}

void UnitReplyHandler::aclgReading(qint16 channel, const AclgReading& reading)
{
    emit m_link.RXACLGTestData(index(), channel, reading);
}

void UnitReplyHandler::zamo24AclgReading(qint16 channel, const Zamo24AclgReading& reading)
{
    emit m_link.RXZamo24ACLGTestData(index(), channel, reading);
}

void UnitReplyHandler::defibRecoveryAck()
{
    emit m_link.RXDefibRecoveryAck(index());
}

void UnitReplyHandler::defibRecoveryReading(qint16 channel, const DefibRecoveryReading& reading)
{
    emit m_link.RXDefibRecoveryTestData(index(), channel, reading);
}

void UnitReplyHandler::noiseZeroReading(qint16 channel, const NoiseZeroReading& reading)
{
    emit m_link.RXNoiseZeroResult(index(), channel, reading);
}

void UnitReplyHandler::noiseReading(qint16 channel, const NoiseReading& reading)
{
    emit m_link.RXNoiseTestData(index(), channel, reading);
}

void UnitReplyHandler::noiseCalibrationReading(qint16 channel, const NoiseCalibrationReading& reading)
{
    emit m_link.RXNoiseSpecialCal1(index(), channel, reading);
}

void UnitReplyHandler::dcoValue(qint16 channel, const DcoValue& value)
{
    emit m_link.RXDCOValue(index(), channel, value);
}

void UnitReplyHandler::dcoReading(qint16 channel, const DcoReading& reading)
{
    emit m_link.RXDCOTestData(index(), channel, reading);
}

void UnitReplyHandler::dcoZeroCorrection(qint16 channel, qint16 zeroCorrection)
{
    emit m_link.RXDCOCalibrateZeroCorrection(index(), channel, zeroCorrection);
}

void UnitReplyHandler::biasReading(qint16 channel, const BiasReading& reading)
{
    emit m_link.RXBiasTestData(index(), channel, reading);
}

void UnitReplyHandler::sdrReading(qint16 channel, const SdrReading& reading)
{
    emit m_link.RXSDRTestData(index(), channel, reading);
}

void UnitReplyHandler::paceStatus(qint16 channel, bool stopped)
{
    emit m_link.RXPaceStatus(index(), channel, stopped);
}

// ---- calibration-board replies ----

void UnitReplyHandler::calBoardFirmwareVersion(qint16 channel, const QString& firmware)
{
    emit m_link.RXCalBoardFirmwareVersion(index(), channel, firmware);
}

void UnitReplyHandler::calBoardSerialNumber(qint16 channel, const QString& serial)
{
    emit m_link.RXCalBoardSerialNumber(index(), channel, serial);
}

void UnitReplyHandler::calBoardReferenceResistors1(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.RXCalBoardCalibrationReferenceResistors1(index(), channel, refs);
}

void UnitReplyHandler::calBoardReferenceResistors2(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.RXCalBoardCalibrationReferenceResistors2(index(), channel, refs);
}

void UnitReplyHandler::calBoardReferenceDco(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.RXCalBoardCalibrationReferenceDCO(index(), channel, refs);
}

void UnitReplyHandler::calBoardPotentialReference(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.RXCalBoardPotentialReference(index(), channel, refs);
}

void UnitReplyHandler::calBoardAczResistance(qint16 channel, qint16 resistorId, double resistance)
{
    emit m_link.RXCalBoardACZResistance(index(), channel, resistorId, resistance);
}

void UnitReplyHandler::calBoardDcoVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.RXCalBoardDCOVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardNoiseVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.RXCalBoardNoiseVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardBiasResistance(qint16 channel, double resistance)
{
    emit m_link.RXCalBoardBiasResistance(index(), channel, resistance);
}

void UnitReplyHandler::calBoardSdrVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.RXCalBoardSDRVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardSdrResistance(qint16 channel, double resistance)
{
    emit m_link.RXCalBoardSDRResistance(index(), channel, resistance);
}

void UnitReplyHandler::calBoardMeasuredVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.RXCalBoardMeasuredVoltage(index(), channel, voltage);
}
