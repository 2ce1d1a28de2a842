#pragma once
// The link to the ZAMO-SG signal generator (the roller) over a USB-serial
// converter of its own, described "FT232R USB UART-SG". It opens the port
// with the "(*)" handshake and sends one roll command per electrode, then
// waits RollDelay seconds with the message loop running. It writes no log
// lines and never reconnects by itself. A failing step of the connection
// shows its text in the error label and as HardwareStatus (a failed open
// also as UsbError("Error Opening Port")); a frame whose write fails is not
// sent again.

#include "platform/Timer.h"
#include "unit/LinkStatus.h"
#include "unit/UsbDevice.h"

#include <QObject>
#include <QString>

class ctlZAMORoller : public QObject {
    Q_OBJECT
public:
    static constexpr const char* RollerDeviceDescription = "FT232R USB UART-SG";

    explicit ctlZAMORoller(QObject* parent = nullptr);
    ~ctlZAMORoller() override;

    // Seconds to wait after a roll command (settings [ZAMO-SG] Delay).
    qint16 RollDelay() const { return pRollDelay; }
    void setRollDelay(qint16 v) { pRollDelay = v; }
    void CloseUSB(qint32 vHandleID);
    qint32 OpenDevice(); // always 0
    // Sends cmd, waits vDelay ms and returns what the generator sent back.
    QString SendDataAndPoll(const QString& cmd, qint32 vDelay = 50);
    void TXCommCheck();
    void Connect();
    void Disconnect();
    bool Connected() const { return pConnected; }
    // Rolls electrode vChannelIndex (0..31) and returns after RollDelay seconds.
    void TXRollChannel(qint16 vChannelIndex);

    // The Connect toggle was clicked by the operator.
    void ConnectToggleClicked(bool checked);
    // What the component's controls show (lamp and simulator fields unused).
    const UsbCommDisplay& Display() const { return pDisplay; }
    QString LastErrorText() const { return pLastErrorText; }

signals:
    // Declared for the owner's traffic log; the link has no receive cycle
    // and does not emit it.
    void RXData(const QString& vData);
    void TXData(const QString& vData);
    void UsbConnected(qint32 vHandleID);
    void UsbClosed();
    void UsbError(const QString& vErrorString);
    void HardwareStatus(const QString& vStatus, bool vError);
    void TXRollChannelSent(qint16 vIndex);
    void RollDelayComplete();

    // Not an event of the link: the controls changed (for the view).
    void DisplayChanged();

private:
    void TransmitFrame(const QString& text);
    void WaitMilliseconds(qint64 ms);
    void Wait10ms() { WaitMilliseconds(10); }
    void ShowConnectToggle(bool connected);
    void ShowToggleForConnected() { ShowConnectToggle(pConnected); }
    void SetErrorText(const QString& labelText, const QString& errorText);
    // Failure display with a text, HardwareStatus, the toggle for Connected.
    void FailDisplay(const QString& labelText, const QString& errorText);
    // The same, then UsbError("Error Opening Port").
    void FailOpen(const QString& labelText, const QString& errorText);

    qint16 pRollDelay = 0;
    bool pConnected = false;
    QString pLastErrorText;
    bool SuppressConnectClick = false;
    bool DelayElapsed = false;
    UsbCommDisplay pDisplay;
    UsbDeviceLayer Usb{false};
    platform::Timer DelayTimer;
};
