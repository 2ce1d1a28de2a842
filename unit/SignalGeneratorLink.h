#pragma once
// The link to the ZAMO-SG signal generator (the roller) over a USB-serial
// converter of its own, described "FT232R USB UART-SG". It opens the port
// with the "(*)" handshake and sends one roll command per electrode, then
// waits rollDelay seconds with the message loop running. It writes no log
// lines and never reconnects by itself. A failing step of the connection
// shows its text in the error label and as hardwareStatus (a failed open
// also as usbError("Error Opening Port")) and leaves the link not
// connected, its port closed: only a generator that answered the handshake
// is connected. A frame whose write fails is not sent again.

#include "platform/Timer.h"
#include "unit/LinkStatus.h"
#include "unit/UsbDevice.h"

#include <QObject>
#include <QString>

namespace unit {

class SignalGeneratorLink : public QObject {
    Q_OBJECT
public:
    static constexpr const char* RollerDeviceDescription = "FT232R USB UART-SG";

    explicit SignalGeneratorLink(QObject* parent = nullptr);
    ~SignalGeneratorLink() override;

    // Seconds to wait after a roll command (settings [ZAMO-SG] Delay).
    qint16 rollDelay() const { return m_rollDelay; }
    void setRollDelay(qint16 v) { m_rollDelay = v; }
    void closeUSB(qint32 handle);
    qint32 openDevice(); // always 0
    // Sends cmd, waits delay ms and returns what the generator sent back.
    QString sendDataAndPoll(const QString& cmd, qint32 delay = 50);
    void txCommCheck();
    void connectDevice();
    void disconnectDevice();
    bool connected() const { return m_connected; }
    // Rolls electrode channelIndex (0..31) and returns after rollDelay seconds.
    void txRollChannel(qint16 channelIndex);

    // What the component's controls show (lamp and simulator fields unused).
    const UnitLinkDisplay& display() const { return m_display; }
    QString lastErrorText() const { return m_lastErrorText; }

signals:
    // Declared for the owner's traffic log; the link has no receive cycle
    // and does not emit it.
    void rxData(const QString& data);
    void txData(const QString& data);
    void usbConnected(qint32 handle);
    void usbClosed();
    void usbError(const QString& errorString);
    void hardwareStatus(const QString& status, bool error);
    void txRollChannelSent(qint16 index);
    void rollDelayComplete();

    // Not an event of the link: the controls changed (for the view).
    void displayChanged();

private:
    void transmitFrame(const QString& text);
    void waitMilliseconds(qint64 ms);
    void wait10ms() { waitMilliseconds(10); }
    void showConnectToggle(bool connected);
    void showToggleForConnected() { showConnectToggle(m_connected); }
    void setErrorText(const QString& labelText, const QString& errorText);
    // Failure display with a text, hardwareStatus, the toggle for Connected.
    void failDisplay(const QString& labelText, const QString& errorText);
    // The same, then usbError("Error Opening Port").
    void failOpen(const QString& labelText, const QString& errorText);
    // What the label and the error text show of a set-up step that failed.
    struct SetUpFailure {
        const char* label;
        const char* error;
    };
    // Checks the queue of the port just opened and sets it up; the step
    // that failed, or nullptr.
    const SetUpFailure* setUpPort();

    qint16 m_rollDelay = 0;
    bool m_connected = false;
    QString m_lastErrorText;
    bool m_delayElapsed = false;
    UnitLinkDisplay m_display;
    UsbDevice m_usb{false};
    platform::Timer m_delayTimer;
};

} // namespace unit
