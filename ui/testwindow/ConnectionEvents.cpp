#include "ui/testwindow/ConnectionEvents.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/Unit.h"

#include <QAction>
#include <QScopeGuard>

namespace ui {

namespace {

void setItemEnabled(QAction* item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

} // namespace

void ConnectionEvents::setDatabaseStatus(bool localDB, bool connected)
{
    const QString state = connected ? QStringLiteral("Connected") : QStringLiteral("Disconnected");
    QString kind;
    if (localDB) {
        const bool inDataFolder = config::getAppDataFolder().toUpper().contains(
            m_window.stationSettings().database.localDatabaseFolder.toUpper());
        kind = inDataFolder ? QStringLiteral("Local Database ") : QStringLiteral("Remote Database File ");
    } else {
        kind = QStringLiteral("MSSQL Database ");
    }
    m_window.statusPanel().showDatabaseStatus(kind + state, connected);
    if (!connected)
        config::writeLog(QStringLiteral("Database Status: ") + kind + state);
}

void ConnectionEvents::databaseConnectFailHandler(const QString& cause)
{
    if (m_tellingDatabaseFailure)
        return;
    m_tellingDatabaseFailure = true;
    const auto done = qScopeGuard([this] { m_tellingDatabaseFailure = false; });
    // A run stops at its first failure, before any box waits, and tells
    // why, whether or not this series of failures was told already.
    if (m_window.sequencer().databaseFailed(cause))
        return;
    if (m_window.services().database->connectFailureReported())
        return;
    // The fixed first words, then what went wrong.
    const QString reason = cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + cause;
    platform::Prompts::instance().message(
        QStringLiteral("Unable to connect to database.  Please check database connection settings.") + reason,
        config::StationText::appTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

void ConnectionEvents::unitConnected(int unitNumber)
{
    unit::Unit* unit = m_window.sequencer().unitAt(unitNumber);
    if (!unit)
        return;
    if (m_window.checkZAMOMode() == run::ConnectedUnitsMode::Mixed) {
        unit->disconnectDevice();
        return;
    }
    const bool newModel = unit->isZamo80() || unit->isZamo24();
    const QString model = unit->isZamo80()   ? QStringLiteral("ZAMO80")
                          : unit->isZamo24() ? QStringLiteral("ZAMO2-4")
                                             : QStringLiteral("ZAMO");
    const QString text = QStringLiteral("* Connected to ") + model + QStringLiteral(" Unit #")
                         + QString::number(unitNumber) + QStringLiteral(" *");
    if (newModel) {
        setItemEnabled(m_window.frame().runBiasTestAction, false);
        setItemEnabled(m_window.frame().runAcz30ZeroAction, true);
        m_window.electrodePanel().hideUnit2();
    } else {
        setItemEnabled(m_window.frame().runBiasTestAction, true);
        setItemEnabled(m_window.frame().runAcz30ZeroAction, false);
        unit::Unit* unit2 = m_window.sequencer().unitAt(2);
        if (unitNumber == 1 && !(unit2 && unit2->connected())) {
            setItemEnabled(m_window.frame().connectUnitActions[2], true);
            setItemEnabled(m_window.frame().connectSimulatorActions[2], true);
            // A unit back by reconnection finds the boxes as the operator
            // left them.
            if (!unit->reconnecting())
                m_window.electrodePanel().showUnit2();
        }
    }
    m_window.writeToCommTextBox(text, true, false);
    setItemEnabled(m_window.frame().disconnectUnitActions[unitNumber], true);
    setItemEnabled(m_window.frame().connectUnitActions[unitNumber], false);
    setItemEnabled(m_window.frame().connectSimulatorActions[unitNumber], false);
    m_window.statusPanel().showUnitConnecting(unitNumber);
    m_window.keepAlive().start();
    if (unit->reconnecting())
        m_window.enableTestControls();
    updateRunEstimate();
}

void ConnectionEvents::showUnitLost(int unitNumber)
{
    m_window.statusPanel().showUnitLost(unitNumber);
    updateRunEstimate();
}

void ConnectionEvents::updateRunEstimate()
{
    if (m_window.testRunning())
        m_window.sequencer().updateEstimatedCompletionTime();
}

void ConnectionEvents::unitClosed(int unitNumber)
{
    unit::Unit* unit = m_window.sequencer().unitAt(unitNumber);
    if (!unit)
        return;
    m_window.writeToCommTextBox(
        QStringLiteral("* Unit #") + QString::number(unitNumber) + QStringLiteral(" Disconnected *"), true, false);
    setItemEnabled(m_window.frame().disconnectUnitActions[unitNumber], false);
    setItemEnabled(m_window.frame().connectUnitActions[unitNumber], true);
    setItemEnabled(m_window.frame().connectSimulatorActions[unitNumber], true);
    if (!m_window.sequencer().anyUnitConnected()) {
        setItemEnabled(m_window.frame().connectUnitActions[2], false);
        setItemEnabled(m_window.frame().connectSimulatorActions[2], false);
        // A unit that reconnects comes back as it went: its boxes wait for it.
        if (!unit->reconnecting())
            m_window.electrodePanel().showUnit2();
        m_window.disableTestControls();
    } else if (m_window.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80) {
        setItemEnabled(m_window.frame().connectUnitActions[2], false);
        setItemEnabled(m_window.frame().connectSimulatorActions[2], false);
    }
    showUnitLost(unitNumber);
    m_window.keepAlive().stop();
    if (!unit->reconnecting())
        m_window.applyElectrodeSelection();
}

void ConnectionEvents::unitReconnecting(int unitNumber)
{
    if (unitNumber == 1 || unitNumber == 2)
        showUnitLost(unitNumber);
    m_window.writeToCommTextBox(QStringLiteral("* Attempting to Reconnect to Unit #") + QString::number(unitNumber)
                                    + QStringLiteral(" *"),
                                true, false);
}

void ConnectionEvents::unitFailed(int unitNumber, const QString&)
{
    unit::Unit* unit = m_window.sequencer().unitAt(unitNumber);
    if (!unit)
        return;
    // The unit is gone while the operator is asked, and until it is back;
    // a run on it waits for the answer.
    showUnitLost(unitNumber);
    unit->disablePolling();
    // The open that the operator's OK started failed too: the operator was
    // asked once, the unit's status tells why it is not back, and "Connect
    // Unit n" offers it again.
    if (m_retryingUnit[std::size_t(unitNumber)])
        return;
    run::RunSequencer& sequencer = m_window.sequencer();
    sequencer.askingForUnit(unitNumber);
    const auto answer = platform::Prompts::instance().message(
        QStringLiteral("There is an error communicating with the device. \r\n\r\n"
                       "Please disconnect and reconnect the device, and then click 'OK'"),
        config::StationText::appTitle(), platform::MsgButtons::OkCancel, platform::MsgIcon::None);
    if (answer == platform::MsgResult::Ok) {
        {
            m_retryingUnit[std::size_t(unitNumber)] = true;
            const auto retried = qScopeGuard([this, unitNumber] { m_retryingUnit[std::size_t(unitNumber)] = false; });
            m_window.connectUnit(unitNumber);
        }
        if (unit->connected())
            m_window.applyElectrodeSelection();
        // Not back: a run that needs the unit is cancelled.
        sequencer.unitAnswered(unitNumber);
        // Nor is any other unit: the boxes are as after a disconnect (a
        // reconnection that failed left them for the unit).
        if (!unit->connected() && !sequencer.anyUnitConnected())
            m_window.electrodePanel().showUnit2();
        return;
    }
    platform::Prompts::instance().message(QStringLiteral("Exiting application."), config::StationText::appTitle(),
                                          platform::MsgButtons::Ok, platform::MsgIcon::Information);
    m_window.exitingApplication = true;
    // The run is cancelled on the way out, so that its group is closed.
    m_window.stopTests();
    sequencer.unitAnswered(unitNumber);
    m_window.queryClose();
}

void ConnectionEvents::showHardwareStatus(int unitNumber, const QString& status, bool error)
{
    m_window.statusPanel().showHardwareStatus(unitNumber, status, error);
}

void ConnectionEvents::frameSent(int unitNumber, const QString& data)
{
    const QString line = QStringLiteral("TX (") + QString::number(unitNumber) + QStringLiteral(") -> ") + data;
    logTraffic(line);
}

void ConnectionEvents::frameReceived(int unitNumber, qint16 channel, const QString& data)
{
    const QString line = QStringLiteral("RX (") + QString::number(unitNumber) + QStringLiteral(") <- ") + data
                         + QStringLiteral(", ") + QString::number(channel);
    logTraffic(line);
}

void ConnectionEvents::receiveBufferRead(int unitNumber, const QString& bufferData)
{
    if (m_window.stationSettings().switches.showRxBuffer)
        m_window.writeToCommTextBox(QStringLiteral("RXBuffer (") + QString::number(unitNumber) + QStringLiteral(") <- ")
                                        + bufferData,
                                    true, false);
}

void ConnectionEvents::channelsFound(int unitNumber)
{
    m_window.applyElectrodeSelection();
    m_window.enableTestControls();
    if (unit::Unit* unit = m_window.sequencer().unitAt(unitNumber))
        unit->queryElectrodeInfo();
}

void ConnectionEvents::showSignalGeneratorConnected(bool connected)
{
    m_window.statusPanel().showSignalGeneratorConnected(connected);
    setItemEnabled(m_window.frame().connectSignalGeneratorAction, !connected);
    setItemEnabled(m_window.frame().disconnectSignalGeneratorAction, connected);
}

void ConnectionEvents::logTraffic(const QString& line)
{
    config::writeLog(line);
    if (m_window.stationSettings().switches.showVerbose)
        m_window.writeToCommTextBox(line, false, false);
}

} // namespace ui
