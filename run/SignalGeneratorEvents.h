#pragma once
// The test window's handlers of the signal generator (the roller, ctlZAMOSG):
// its traffic in the log, its lamp, label and menu items (through
// SignalGeneratorDisplay), the reconnect offered after a link error, and the
// end of a roll's settle delay, which completes the electrode of the running
// SGROLL step.

#include <QObject>
#include <QString>

class RunHost;
class RunSequencer;
class SignalGeneratorDisplay;
class ctlZAMORoller;

class RollerEvents : public QObject {
public:
    // Connects the roller's events; owned by parent (the window), which
    // outlives neither the sequencer, the host nor the display.
    RollerEvents(ctlZAMORoller& roller, RunSequencer& sequencer, RunHost& host, SignalGeneratorDisplay& display,
                 QObject* parent);

    void ctlZAMOSG_RXData(const QString& vData);
    void ctlZAMOSG_TXData(const QString& vData);
    void ctlZAMOSG_UsbConnected();
    void ctlZAMOSG_UsbClosed();
    void ctlZAMOSG_UsbError();
    void ctlZAMOSG_TXRollChannelSent(qint16 vIndex);
    void ctlZAMOSG_RollDelayComplete();

private:
    void ShowConnected(bool vConnected);
    void Traffic(const QString& vLine);

    ctlZAMORoller& m_roller;
    RunSequencer& m_sequencer;
    RunHost& m_host;
    SignalGeneratorDisplay& m_display;
};
