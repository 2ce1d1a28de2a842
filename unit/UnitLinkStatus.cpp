#include "unit/UnitLinkStatus.h"

namespace unit {

void UnitLinkStatus::refresh(bool connected, const QString& modelName, const QString& channelList, qint16 unitNumber)
{
    if (connected) {
        m_display.lamp = UnitLinkDisplay::green();
        m_display.errorMessage.clear();
        showConnectToggle(true);
        if (channelList.isEmpty()) {
            emit hardwareStatus(modelName + " Connected; No Electrodes Found", false);
        } else {
            m_display.statusCaption = "Unit #" + QString::number(unitNumber) + "; Electrodes " + channelList;
            emit hardwareStatus(modelName + " Connected; " + channelList, false);
        }
    } else {
        m_display.lamp = UnitLinkDisplay::red();
        m_display.statusCaption = "Unit #" + QString::number(unitNumber);
        showConnectToggle(false);
        emit hardwareStatus(QStringLiteral("Disconnected"), false);
        if (!m_lastError.isEmpty())
            emit hardwareStatus(m_lastError, true);
    }
    m_hardwareInfo = m_display.statusCaption;
    emit changed();
}

void UnitLinkStatus::showConnectToggle(bool connected)
{
    m_display.connectChecked = connected;
    m_display.connectColour = connected ? UnitLinkDisplay::green() : UnitLinkDisplay::red();
    emit changed();
}

void UnitLinkStatus::showFailure(const QString& text)
{
    m_display.lamp = UnitLinkDisplay::red();
    m_display.errorMessage = text;
    m_lastError = text;
    showConnectToggle(false);
}

void UnitLinkStatus::noteFailure(const QString& text)
{
    m_lastError = text;
    m_display.errorMessage = text;
}

void UnitLinkStatus::showConnecting(bool announce)
{
    m_display.statusCaption = QStringLiteral("Connecting...");
    m_display.lamp = UnitLinkDisplay::green();
    m_display.errorMessage.clear();
    m_lastError.clear();
    showConnectToggle(true);
    if (announce)
        emit hardwareStatus(QStringLiteral("Connecting..."), false);
}

void UnitLinkStatus::showReconnecting(const QString& failure)
{
    // Still open until the reconnection closes it, but no longer answering.
    showFailure(failure);
    m_display.statusCaption = QStringLiteral("Reconnecting...");
    emit changed();
    emit hardwareStatus(QStringLiteral("Reconnecting..."), false);
    emit hardwareStatus(failure, true);
}

void UnitLinkStatus::showClosed()
{
    m_display.lamp = UnitLinkDisplay::red();
    m_display.errorMessage = QStringLiteral("USB Port Closed");
    showConnectToggle(false);
    m_lastError.clear();
    emit hardwareStatus(QStringLiteral("Disconnected"), false);
}

void UnitLinkStatus::showCloseFailed(bool redLamp)
{
    if (redLamp)
        m_display.lamp = UnitLinkDisplay::red();
    m_display.errorMessage = QStringLiteral("Close attempt failed");
    m_lastError = QStringLiteral("Close attempt failed");
    emit changed();
    emit hardwareStatus(QStringLiteral("Close attempt failed"), true);
}

void UnitLinkStatus::setConnectEnabled(bool enabled)
{
    m_display.connectEnabled = enabled;
    emit changed();
}

void UnitLinkStatus::showSimControls()
{
    m_display.simVisible = true;
    emit changed();
}

} // namespace unit
