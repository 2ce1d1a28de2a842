#pragma once
// The test window's side of its connections: the unit links' events
// (UnitLinkObserver), the signal generator's connection
// (SignalGeneratorDisplay) and the database's (DatabaseConnectionObserver).
// It shows each on the status panel, the electrode panel and the main
// frame's items, writes the operator lines, gives or takes the test
// controls and the keep-alive poll, and asks the operator what to do after
// a link error (reconnect, or leave the program; a run that needs a unit
// that is not back is cancelled). A database failure during a run cancels
// the run at once, and the cancel tells why; outside a run a failure is
// told once per series.

#include "results/DatabaseObserver.h"
#include "run/SignalGeneratorDisplay.h"
#include "run/UnitLinkObserver.h"

#include <array>

namespace ui {

class TestWindow;

class ConnectionEvents : public run::UnitLinkObserver,
                         public run::SignalGeneratorDisplay,
                         public results::DatabaseConnectionObserver {
public:
    // The window outlives its connection events.
    explicit ConnectionEvents(TestWindow& window) : m_window(window) {}

    // UnitLinkObserver
    void unitConnected(int unitNumber) override;
    void unitClosed(int unitNumber) override;
    void unitReconnecting(int unitNumber) override;
    void unitFailed(int unitNumber, const QString& error) override;
    void showHardwareStatus(int unitNumber, const QString& status, bool error) override;
    void frameSent(int unitNumber, const QString& frame) override;
    void frameReceived(int unitNumber, qint16 channel, const QString& frame) override;
    void receiveBufferRead(int unitNumber, const QString& buffer) override;
    void channelsFound(int unitNumber) override;

    // SignalGeneratorDisplay
    void showSignalGeneratorConnected(bool connected) override;

    // DatabaseConnectionObserver
    void setDatabaseStatus(bool localDB, bool connected) override;
    void databaseConnectFailHandler(const QString& cause) override;

private:
    // Unit n is gone (closed, failed or reconnecting): its lamp turns red
    // and the run's completion estimate goes until the unit is back.
    void showUnitLost(int unitNumber);
    void updateRunEstimate();
    void logTraffic(const QString& line);

    TestWindow& m_window;
    // A failure reported while the last one is being told (the cancelled
    // run's own records fail too) is part of the same series.
    bool m_tellingDatabaseFailure = false;
    // Unit n is being opened again after the operator's OK ([1], [2]).
    std::array<bool, 3> m_retryingUnit{};
};

} // namespace ui
