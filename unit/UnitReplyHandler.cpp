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

void UnitReplyHandler::bufferSeen(const QString& text)
{
    emit m_link.receiveBufferRead(m_link.index(), text);
}

void UnitReplyHandler::frameSeen(qint16 channel, const QString& frame)
{
    emit m_link.frameReceived(m_link.index(), channel, frame);
}

void UnitReplyHandler::malformed(const QString& message)
{
    config::writeLog(QStringLiteral("Unit #%1 receive: %2").arg(m_link.unitNumber()).arg(message));
}

void UnitReplyHandler::reply(qint16 channel, ReplyValue value)
{
    keep(channel, value);
    emit m_link.replyReceived(UnitReply{m_link.index(), channel, std::move(value)});
}

void UnitReplyHandler::keep(qint16 channel, const ReplyValue& value)
{
    std::visit(
        Overloaded{
            [this](const UnitDiagnostics& diagnostics) { m_state.setDiagnostics(diagnostics); },
            [this](const FoundChannels& found) {
                m_state.setPresentChannels(found.map);
                if (m_channelsChanged)
                    m_channelsChanged();
            },
            [this](const LidState& lid) { m_state.setLidClosed(lid.closed); },
            [this, channel](const CalibrationDateReply& date) { keepCalibrationDate(channel, date); },
            [this, channel](const FirmwareVersion& firmware) {
                m_state.channel(channel)->setFirmwareVersion(firmware.text);
            },
            [this, channel](const SerialNumber& serial) { m_state.channel(channel)->setSerialNumber(serial.text); },
            [this, channel](const Zamo24PaceSettings& p) {
                m_state.channel(channel)->setZamo24PaceParameters(p.pace1Volts, p.pace1PulseWidthMs, p.pace1BPM,
                                                                  p.pace2Volts, p.pace2PulseWidthMs, p.pace2BPM);
            },
            [](const auto&) {},
        },
        value);
}

void UnitReplyHandler::keepCalibrationDate(qint16 channel, const CalibrationDateReply& date)
{
    const QDate day(date.year, date.month, date.day);
    if (day.isValid())
        m_state.channel(channel)->setCalibrationDate(platform::OleDate::fromDate(day));
    else
        config::writeLog(QStringLiteral("Unit #%1 channel %2: calibration date %3-%4-%5 is not a date; "
                                        "the previous date is kept")
                             .arg(m_link.unitNumber())
                             .arg(QChar(u'A' + channel))
                             .arg(date.year)
                             .arg(date.month)
                             .arg(date.day));
}

} // namespace unit
