#include "run/SignalGeneratorEvents.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "run/RunHost.h"
#include "run/RunState.h"
#include "run/SignalGeneratorDisplay.h"
#include "unit/SignalGeneratorLink.h"

namespace run {

RollerEvents::RollerEvents(unit::SignalGeneratorLink& roller, const RunState& state,
                           const config::StationSettings& settings, RunHost& host, SignalGeneratorDisplay& display,
                           QObject* parent)
    : QObject(parent), m_roller(roller), m_state(state), m_settings(settings), m_host(host), m_display(display)
{
    using R = unit::SignalGeneratorLink;
    connect(&roller, &R::rxData, this, &RollerEvents::signalGeneratorReceived);
    connect(&roller, &R::txData, this, &RollerEvents::signalGeneratorSent);
    connect(&roller, &R::usbConnected, this, [this] { signalGeneratorConnected(); });
    connect(&roller, &R::usbClosed, this, &RollerEvents::signalGeneratorClosed);
    connect(&roller, &R::usbError, this, [this] { signalGeneratorFailed(); });
    connect(&roller, &R::txRollChannelSent, this, &RollerEvents::rollChannelSent);
    connect(&roller, &R::rollDelayComplete, this, &RollerEvents::rollDelayComplete);
}

void RollerEvents::traffic(const QString& line)
{
    config::writeLog(line);
    if (m_settings.switches.showVerbose)
        m_host.writeToCommTextBox(line, false, false);
}

void RollerEvents::signalGeneratorReceived(const QString& data)
{
    traffic(QStringLiteral("RX (ZAMO-SG) <- ") + data);
}

void RollerEvents::signalGeneratorSent(const QString& data)
{
    traffic(QStringLiteral("TX (ZAMO-SG) -> ") + data);
}

void RollerEvents::showConnected(bool connected)
{
    m_display.showSignalGeneratorConnected(connected);
    m_host.writeToCommTextBox(
        connected ? QStringLiteral("* ZAMO-SG Connected") : QStringLiteral("* ZAMO-SG Disconnected"), true, false);
}

void RollerEvents::signalGeneratorConnected()
{
    showConnected(true);
}

void RollerEvents::signalGeneratorClosed()
{
    showConnected(false);
}

void RollerEvents::signalGeneratorFailed()
{
    const platform::MsgResult answer = platform::Prompts::instance().message(
        QStringLiteral("There is an error communicating with the ZAMO-SG device. \r\n\r\n"
                       "Please disconnect and reconnect the ZAMO-SG device, and then click 'OK'"),
        config::StationText::appTitle(), platform::MsgButtons::OkCancel, platform::MsgIcon::Warning);
    if (answer == platform::MsgResult::Ok)
        m_roller.connectDevice();
}

void RollerEvents::rollChannelSent(qint16 index)
{
    m_host.writeToCommTextBox(QStringLiteral("* ZAMO-SG Channel ") + QString::number(index)
                                  + QStringLiteral(" Command Sent. Starting ")
                                  + QString::number(m_settings.signalGenerator.delay) + QStringLiteral("s Delay."),
                              true, false);
}

void RollerEvents::rollDelayComplete()
{
    if (const auto& step = m_state.activeTest) {
        const qint16 electrode = testlists::TestStep::findElectrodeIndex(step->electrodeString());
        if (electrode >= 0 && electrode < 32)
            step->setElectrodeTestComplete(electrode);
    }
    m_host.writeToCommTextBox(QStringLiteral("ZAMO-SG Delay Complete."), true, false);
}

} // namespace run
