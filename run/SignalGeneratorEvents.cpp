#include "run/SignalGeneratorEvents.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "run/RunHost.h"
#include "run/RunSequencer.h"
#include "run/SignalGeneratorDisplay.h"
#include "unit/SignalGeneratorLink.h"

RollerEvents::RollerEvents(ctlZAMORoller& roller, RunSequencer& sequencer, RunHost& host,
                           SignalGeneratorDisplay& display, QObject* parent)
    : QObject(parent), m_roller(roller), m_sequencer(sequencer), m_host(host), m_display(display)
{
    using R = ctlZAMORoller;
    connect(&roller, &R::RXData, this, &RollerEvents::ctlZAMOSG_RXData);
    connect(&roller, &R::TXData, this, &RollerEvents::ctlZAMOSG_TXData);
    connect(&roller, &R::UsbConnected, this, [this] { ctlZAMOSG_UsbConnected(); });
    connect(&roller, &R::UsbClosed, this, &RollerEvents::ctlZAMOSG_UsbClosed);
    connect(&roller, &R::UsbError, this, [this] { ctlZAMOSG_UsbError(); });
    connect(&roller, &R::TXRollChannelSent, this, &RollerEvents::ctlZAMOSG_TXRollChannelSent);
    connect(&roller, &R::RollDelayComplete, this, &RollerEvents::ctlZAMOSG_RollDelayComplete);
}

void RollerEvents::Traffic(const QString& vLine)
{
    modMain::WriteLog(vLine);
    if (m_sequencer.Settings().switches.showVerbose)
        m_host.WriteToCommTextBox(vLine, false, false);
}

void RollerEvents::ctlZAMOSG_RXData(const QString& vData)
{
    Traffic(QStringLiteral("RX (ZAMO-SG) <- ") + vData);
}

void RollerEvents::ctlZAMOSG_TXData(const QString& vData)
{
    Traffic(QStringLiteral("TX (ZAMO-SG) -> ") + vData);
}

void RollerEvents::ShowConnected(bool vConnected)
{
    m_display.showSignalGeneratorConnected(vConnected);
    m_host.WriteToCommTextBox(
        vConnected ? QStringLiteral("* ZAMO-SG Connected") : QStringLiteral("* ZAMO-SG Disconnected"), true, false);
}

void RollerEvents::ctlZAMOSG_UsbConnected()
{
    ShowConnected(true);
}

void RollerEvents::ctlZAMOSG_UsbClosed()
{
    ShowConnected(false);
}

void RollerEvents::ctlZAMOSG_UsbError()
{
    const platform::MsgResult answer = platform::Prompts::instance().message(
        QStringLiteral("There is an error communicating with the ZAMO-SG device. \r\n\r\n"
                       "Please disconnect and reconnect the ZAMO-SG device, and then click 'OK'"),
        StationText::AppTitle(), platform::MsgButtons::OkCancel, platform::MsgIcon::Warning);
    if (answer == platform::MsgResult::Ok)
        m_roller.Connect();
}

void RollerEvents::ctlZAMOSG_TXRollChannelSent(qint16 vIndex)
{
    m_host.WriteToCommTextBox(QStringLiteral("* ZAMO-SG Channel ") + QString::number(vIndex)
                                  + QStringLiteral(" Command Sent. Starting ") + QString::number(m_sequencer.Settings().signalGenerator.delay)
                                  + QStringLiteral("s Delay."),
                              true, false);
}

void RollerEvents::ctlZAMOSG_RollDelayComplete()
{
    if (const auto& step = m_sequencer.State().pActiveTest) {
        const qint16 electrode = clsTestSequence::FindElectrodeIndex(step->electrodeString());
        if (electrode >= 0 && electrode < 32)
            step->SetElectrodeTestComplete(electrode);
    }
    m_host.WriteToCommTextBox(QStringLiteral("ZAMO-SG Delay Complete."), true, false);
}
