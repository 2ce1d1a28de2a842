#pragma once
// The test window's handlers of the signal generator (the roller, ctlZAMOSG):
// its traffic in the log, its lamp, label and menu items (through
// SignalGeneratorDisplay), the reconnect offered after a link error, and the
// end of a roll's settle delay, which completes the electrode of the running
// SGROLL step.

#include <QObject>
#include <QString>

namespace unit {
class SignalGeneratorLink;
}
namespace config {
struct StationSettings;
}

namespace run {

class RunHost;
class SignalGeneratorDisplay;
struct RunState;

class RollerEvents : public QObject {
public:
    // Connects the roller's events; owned by parent (the window), which
    // outlives neither the run's state, the settings, the host nor the display.
    RollerEvents(unit::SignalGeneratorLink& roller, const RunState& state, const config::StationSettings& settings,
                 RunHost& host, SignalGeneratorDisplay& display, QObject* parent);

    void signalGeneratorReceived(const QString& data);
    void signalGeneratorSent(const QString& data);
    void signalGeneratorConnected();
    void signalGeneratorClosed();
    void signalGeneratorFailed();
    void rollChannelSent(qint16 index);
    void rollDelayComplete();

private:
    void showConnected(bool connected);
    void traffic(const QString& line);

    unit::SignalGeneratorLink& m_roller;
    const RunState& m_state;
    const config::StationSettings& m_settings;
    RunHost& m_host;
    SignalGeneratorDisplay& m_display;
};

} // namespace run
