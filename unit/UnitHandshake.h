#pragma once
// The handshake of a unit over its port, and what follows when the port
// fails. The port (UnitPort: the USB converter or the simulated unit) is
// the medium; this is what the station says to the unit once the medium is
// open: the ACK "[*]", the model ("[8]", "[2]"), the channel map and the
// lid; the close; the failure report of the port and the automatic
// reconnection of ZAMO80 and ZAMO2-4 units. It raises the link's
// connection events (usbConnected, usbClosed, usbReconnecting, usbError,
// hardwareStatus). A failing port is reported through those events, never
// by an exception.

#include "platform/D2xx.h"
#include "unit/UnitModel.h"

#include <QString>

#include <functional>

namespace unit {

class UnitChannelState;
class UnitCommands;
class UnitLink;
class UnitLinkStatus;
class UnitPort;
class UnitProtocol;

class UnitHandshake {
public:
    // refreshStatus: the link's status update, after each step the display shows.
    UnitHandshake(UnitLink& link, UnitPort& port, UnitChannelState& state, UnitLinkStatus& status,
                  UnitProtocol& protocol, UnitCommands& commands, std::function<void()> refreshStatus);

    // The open sequence, on the real port or the simulated unit as the port is set.
    void open();
    void close(qint32 handle);
    // A call of the port's driver failed: closes, reconnects or reports, by the model and the moment.
    void reportPortError(const QString& label, platform::FtStatus status);
    bool reconnecting() const { return m_reconnecting; }

private:
    bool connected() const;
    UnitModel model() const;
    void openRealDevice();
    void openSimulatedDevice();
    void detectModel(bool writeLog);
    void failOpen(const QString& labelText, const QString& errorText, const QString& logLine);
    void endOpen(bool failed);
    // A port failure lost the unit: the display shows it at once, closed or
    // reconnecting, with the failure's text.
    void showPortLost(const QString& text);
    // The port failed in the call `label`; text names the failure.
    void portFailed(const QString& label, const QString& text);
    platform::FtStatus reconnect();
    void raiseError(const QString& text);

    UnitLink& m_link;
    UnitPort& m_port;
    UnitChannelState& m_state;
    UnitLinkStatus& m_status;
    UnitProtocol& m_protocol;
    UnitCommands& m_commands;
    std::function<void()> m_refreshStatus;
    bool m_reconnecting = false;
    bool m_opening = false;
    bool m_openCompleted = false; // the last open sequence reached usbConnected
};

} // namespace unit
