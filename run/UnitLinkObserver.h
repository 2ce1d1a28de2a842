#pragma once
// What the unit links' connection and traffic events reach: the test
// window's unit status, menu items, electrode boxes and operator log. The
// router (TestWindowUnits) calls these on the user-interface thread, one
// event at a time; a handler may show a prompt and so re-enter the event
// loop. Result replies do not come here: they pass the sequencer's
// end-of-run gate on their way to the result handlers.

#include <QString>

namespace run {

class UnitLinkObserver {
public:
    virtual ~UnitLinkObserver() = default;
    // Unit 1 or 2 opened (or reopened after a reconnect).
    virtual void unitConnected(int unit) = 0;
    virtual void unitClosed(int unit) = 0;
    virtual void unitReconnecting(int unit) = 0;
    // The link failed; the observer decides whether to reconnect or to end.
    virtual void unitFailed(int unit, const QString& error) = 0;
    virtual void showHardwareStatus(int unit, const QString& status, bool error) = 0;
    // A frame sent to the unit.
    virtual void frameSent(int unit, const QString& frame) = 0;
    // A frame received from the unit, with the channel it is attributed to
    // (0 for the unit's own replies).
    virtual void frameReceived(int unit, qint16 channel, const QString& frame) = 0;
    // The receive buffer after a read (shown only when asked for).
    virtual void receiveBufferRead(int unit, const QString& buffer) = 0;
    // The unit reported its channels.
    virtual void channelsFound(int unit) = 0;
};

} // namespace run
