#include "unit/UnitReplyHandler.h"

#include "config/Log.h"
#include "platform/OleDate.h"
#include "unit/UnitChannelState.h"
#include "unit/UnitLink.h"

#include <QDate>

namespace unit {

UnitReplyHandler::UnitReplyHandler(UnitLink& link, UnitChannelState& state, std::function<void()> channelsChanged)
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
    emit m_link.rxDataInBuffer(index(), text);
}

void UnitReplyHandler::frameSeen(qint16 channel, const QString& frame)
{
    emit m_link.rxData(index(), channel, frame);
}

void UnitReplyHandler::malformed(const QString& message)
{
    config::writeLog(QStringLiteral("Unit #%1 receive: %2").arg(m_link.unitID()).arg(message));
}

// ---- unit replies ----

void UnitReplyHandler::unitIdle()
{
    emit m_link.rxMasterIdle(index());
}

void UnitReplyHandler::unitTrisRegister(const QString& port, const QString& value)
{
    emit m_link.rxMasterReadTrisRegister(index(), port, value);
}

void UnitReplyHandler::unitDigitalPort(const QString& port, const QString& value)
{
    emit m_link.rxMasterReadDigitalPort(index(), port, value);
}

void UnitReplyHandler::unitDiagnostics(const UnitDiagnostics& diagnostics)
{
    m_state.setDiagnostics(diagnostics);
    emit m_link.rxMasterDiagnostics(index(), diagnostics);
}

void UnitReplyHandler::foundChannels(const QString& map)
{
    m_state.setPresentChannels(map);
    if (m_channelsChanged)
        m_channelsChanged();
    emit m_link.rxMasterFoundChannels(index(), map);
}

void UnitReplyHandler::lidState(bool closed)
{
    m_state.setLidClosed(closed);
    emit m_link.rxMasterLidState(index(), closed);
}

// ---- channel replies ----

void UnitReplyHandler::idle(qint16 channel)
{
    emit m_link.rxIdle(index(), channel);
}

void UnitReplyHandler::testDataNotReady(qint16 channel)
{
    emit m_link.rxTestDataNotReady(index(), channel);
}

void UnitReplyHandler::trisRegister(qint16 channel, const QString& port, const QString& value)
{
    emit m_link.rxReadTrisRegister(index(), channel, port, value);
}

void UnitReplyHandler::digitalPort(qint16 channel, const QString& port, const QString& value)
{
    emit m_link.rxReadDigitalPort(index(), channel, port, value);
}

void UnitReplyHandler::counters(qint16 channel, const ChannelCounters& counters)
{
    emit m_link.rxCounter(index(), channel, counters);
}

void UnitReplyHandler::calibrationDate(qint16 channel, const CalibrationDateReply& date)
{
    const QDate day(date.year, date.month, date.day);
    if (day.isValid())
        m_state.channel(channel)->setCalibrationDate(platform::OleDate::fromDate(day));
    else
        config::writeLog(QStringLiteral("Unit #%1 channel %2: calibration date %3-%4-%5 is not a date; "
                                        "the previous date is kept")
                             .arg(m_link.unitID())
                             .arg(QChar(u'A' + channel))
                             .arg(date.year)
                             .arg(date.month)
                             .arg(date.day));
    emit m_link.rxCalibrationDate(index(), channel, date);
}

void UnitReplyHandler::firmwareVersion(qint16 channel, const QString& firmware)
{
    m_state.channel(channel)->setFirmwareVersion(firmware);
    emit m_link.rxFirmwareVersion(index(), channel, firmware);
}

void UnitReplyHandler::serialNumber(qint16 channel, const QString& serial)
{
    m_state.channel(channel)->setSerialNumber(serial);
    emit m_link.rxSerialNumber(index(), channel, serial);
}

void UnitReplyHandler::calibrationReference(qint16 channel, const CalibrationReference& reference)
{
    emit m_link.rxCalibrationReference(index(), channel, reference);
}

void UnitReplyHandler::pacePulseWidths(qint16 channel, const PacePulseWidths& widths)
{
    emit m_link.rxPacePulseWidths(index(), channel, widths);
}

void UnitReplyHandler::zamo24PaceSettings(qint16 channel, const Zamo24PaceSettings& p)
{
    m_state.channel(channel)->setZamo24PaceParameters(p.pace1Volts, p.pace1PulseWidthMs, p.pace1BPM, p.pace2Volts,
                                                      p.pace2PulseWidthMs, p.pace2BPM);
    emit m_link.rxZamo24PacePulseWidths(index(), channel, p);
}

void UnitReplyHandler::dcoReferenceVoltage(qint16 channel, qint16 reference750)
{
    emit m_link.rxdcoReferenceVoltage(index(), channel, reference750);
}

// ---- test readings ----

void UnitReplyHandler::aczReading(qint16 channel, const AczReading& reading)
{
    emit m_link.rxaczTestData(index(), channel, reading);
}

void UnitReplyHandler::acz30Reading(qint16 channel, const Acz30Reading& reading)
{
    emit m_link.rxacz30TestData(index(), channel, reading);
}

void UnitReplyHandler::acz30Zero(qint16 channel, qint16 zeroValue)
{
    emit m_link.rxacz30ZeroTestData(index(), channel, zeroValue);
}

void UnitReplyHandler::aclgAck()
{
    emit m_link.rxaclgAck(index());
}

void UnitReplyHandler::aclgReading(qint16 channel, const AclgReading& reading)
{
    emit m_link.rxaclgTestData(index(), channel, reading);
}

void UnitReplyHandler::zamo24AclgReading(qint16 channel, const Zamo24AclgReading& reading)
{
    emit m_link.rxZamo24ACLGTestData(index(), channel, reading);
}

void UnitReplyHandler::defibRecoveryAck()
{
    emit m_link.rxDefibRecoveryAck(index());
}

void UnitReplyHandler::defibRecoveryReading(qint16 channel, const DefibRecoveryReading& reading)
{
    emit m_link.rxDefibRecoveryTestData(index(), channel, reading);
}

void UnitReplyHandler::noiseZeroReading(qint16 channel, const NoiseZeroReading& reading)
{
    emit m_link.rxNoiseZeroResult(index(), channel, reading);
}

void UnitReplyHandler::noiseReading(qint16 channel, const NoiseReading& reading)
{
    emit m_link.rxNoiseTestData(index(), channel, reading);
}

void UnitReplyHandler::noiseCalibrationReading(qint16 channel, const NoiseCalibrationReading& reading)
{
    emit m_link.rxNoiseSpecialCal1(index(), channel, reading);
}

void UnitReplyHandler::dcoValue(qint16 channel, const DcoValue& value)
{
    emit m_link.rxdcoValue(index(), channel, value);
}

void UnitReplyHandler::dcoReading(qint16 channel, const DcoReading& reading)
{
    emit m_link.rxdcoTestData(index(), channel, reading);
}

void UnitReplyHandler::dcoZeroCorrection(qint16 channel, qint16 zeroCorrection)
{
    emit m_link.rxdcoCalibrateZeroCorrection(index(), channel, zeroCorrection);
}

void UnitReplyHandler::biasReading(qint16 channel, const BiasReading& reading)
{
    emit m_link.rxBiasTestData(index(), channel, reading);
}

void UnitReplyHandler::sdrReading(qint16 channel, const SdrReading& reading)
{
    emit m_link.rxsdrTestData(index(), channel, reading);
}

void UnitReplyHandler::paceStatus(qint16 channel, bool stopped)
{
    emit m_link.rxPaceStatus(index(), channel, stopped);
}

// ---- calibration-board replies ----

void UnitReplyHandler::calBoardFirmwareVersion(qint16 channel, const QString& firmware)
{
    emit m_link.rxCalBoardFirmwareVersion(index(), channel, firmware);
}

void UnitReplyHandler::calBoardSerialNumber(qint16 channel, const QString& serial)
{
    emit m_link.rxCalBoardSerialNumber(index(), channel, serial);
}

void UnitReplyHandler::calBoardReferenceResistors1(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.rxCalBoardCalibrationReferenceResistors1(index(), channel, refs);
}

void UnitReplyHandler::calBoardReferenceResistors2(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.rxCalBoardCalibrationReferenceResistors2(index(), channel, refs);
}

void UnitReplyHandler::calBoardReferenceDco(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.rxCalBoardCalibrationReferenceDCO(index(), channel, refs);
}

void UnitReplyHandler::calBoardPotentialReference(qint16 channel, const CalBoardReferencePair& refs)
{
    emit m_link.rxCalBoardPotentialReference(index(), channel, refs);
}

void UnitReplyHandler::calBoardAczResistance(qint16 channel, qint16 resistorId, double resistance)
{
    emit m_link.rxCalBoardACZResistance(index(), channel, resistorId, resistance);
}

void UnitReplyHandler::calBoardDcoVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.rxCalBoardDCOVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardNoiseVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.rxCalBoardNoiseVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardBiasResistance(qint16 channel, double resistance)
{
    emit m_link.rxCalBoardBiasResistance(index(), channel, resistance);
}

void UnitReplyHandler::calBoardSdrVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.rxCalBoardSDRVoltage(index(), channel, voltage);
}

void UnitReplyHandler::calBoardSdrResistance(qint16 channel, double resistance)
{
    emit m_link.rxCalBoardSDRResistance(index(), channel, resistance);
}

void UnitReplyHandler::calBoardMeasuredVoltage(qint16 channel, const CalBoardVoltage& voltage)
{
    emit m_link.rxCalBoardMeasuredVoltage(index(), channel, voltage);
}

} // namespace unit
