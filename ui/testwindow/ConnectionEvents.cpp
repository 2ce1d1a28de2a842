#include "ui/testwindow/ConnectionEvents.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/Unit.h"

#include <QAction>
#include <QScopeGuard>

namespace {

void SetItemEnabled(QAction* item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

} // namespace

void ConnectionEvents::SetDatabaseStatus(bool vLocalDB, bool vConnected)
{
    const QString state = vConnected ? QStringLiteral("Connected") : QStringLiteral("Disconnected");
    QString kind;
    if (vLocalDB) {
        const bool inDataFolder =
            modMain::GetAppDataFolder().toUpper().contains(m_window.Settings().database.localDatabaseFolder.toUpper());
        kind = inDataFolder ? QStringLiteral("Local Database ") : QStringLiteral("Remote Database File ");
    } else {
        kind = QStringLiteral("MSSQL Database ");
    }
    m_window.statusPanel().showDatabaseStatus(kind + state, vConnected);
    if (!vConnected)
        modMain::WriteLog(QStringLiteral("Database Status: ") + kind + state);
}

void ConnectionEvents::DatabaseConnectFailHandler(const QString& vCause)
{
    if (m_window.Services().database->ConnectFailureReported() || m_tellingDatabaseFailure)
        return;
    m_tellingDatabaseFailure = true;
    const auto done = qScopeGuard([this] { m_tellingDatabaseFailure = false; });
    // The fixed first words, then what went wrong.
    const QString cause = vCause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + vCause;
    if (m_window.pTestRunning()) {
        platform::Prompts::instance().message(
            QStringLiteral("Database connection has been interrupted.  Aborting test.") + cause,
            StationText::AppTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        m_window.StopTests();
        return;
    }
    platform::Prompts::instance().message(
        QStringLiteral("Unable to connect to database.  Please check database connection settings.") + cause,
        StationText::AppTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

void ConnectionEvents::unitConnected(int Index)
{
    UnitLink* unit = m_window.Sequencer().Unit(Index);
    if (!unit)
        return;
    if (m_window.CheckZAMOMode() == ConnectedUnitsMode::Mixed) {
        unit->Disconnect();
        return;
    }
    const bool newModel = unit->IsZAMO80() || unit->IsZAMO24();
    const QString model = unit->IsZAMO80()   ? QStringLiteral("ZAMO80")
                          : unit->IsZAMO24() ? QStringLiteral("ZAMO2-4")
                                             : QStringLiteral("ZAMO");
    const QString text = QStringLiteral("* Connected to ") + model + QStringLiteral(" Unit #") + QString::number(Index)
                         + QStringLiteral(" *");
    if (newModel) {
        SetItemEnabled(m_window.Frame().TestsRunBiasTest, false);
        SetItemEnabled(m_window.Frame().TestsRunACZ30Zero, true);
        m_window.electrodePanel().hideUnit2();
    } else {
        SetItemEnabled(m_window.Frame().TestsRunBiasTest, true);
        SetItemEnabled(m_window.Frame().TestsRunACZ30Zero, false);
        UnitLink* unit2 = m_window.Sequencer().Unit(2);
        if (Index == 1 && !(unit2 && unit2->Connected())) {
            SetItemEnabled(m_window.Frame().ZamoUnitsConnect[2], true);
            SetItemEnabled(m_window.Frame().ZamoUnitsConnectSimulator[2], true);
            m_window.electrodePanel().showUnit2();
        }
    }
    m_window.WriteToCommTextBox(text, true, false);
    SetItemEnabled(m_window.Frame().ZamoUnitsDisconnect[Index], true);
    SetItemEnabled(m_window.Frame().ZamoUnitsConnect[Index], false);
    SetItemEnabled(m_window.Frame().ZamoUnitsConnectSimulator[Index], false);
    m_window.statusPanel().showUnitConnecting(Index);
    m_window.keepAlive().start();
    if (unit->Reconnecting())
        m_window.EnableTestControls();
    updateRunEstimate();
}

void ConnectionEvents::showUnitLost(int Index)
{
    m_window.statusPanel().showUnitLost(Index);
    updateRunEstimate();
}

void ConnectionEvents::updateRunEstimate()
{
    if (m_window.pTestRunning())
        m_window.Sequencer().UpdateEstimatedCompletionTime();
}

void ConnectionEvents::unitClosed(int Index)
{
    UnitLink* unit = m_window.Sequencer().Unit(Index);
    if (!unit)
        return;
    m_window.WriteToCommTextBox(QStringLiteral("* Unit #") + QString::number(Index) + QStringLiteral(" Disconnected *"),
                                true, false);
    SetItemEnabled(m_window.Frame().ZamoUnitsDisconnect[Index], false);
    SetItemEnabled(m_window.Frame().ZamoUnitsConnect[Index], true);
    SetItemEnabled(m_window.Frame().ZamoUnitsConnectSimulator[Index], true);
    if (!m_window.Sequencer().AnyUnitConnected()) {
        SetItemEnabled(m_window.Frame().ZamoUnitsConnect[2], false);
        SetItemEnabled(m_window.Frame().ZamoUnitsConnectSimulator[2], false);
        m_window.electrodePanel().showUnit2();
        m_window.DisableTestControls();
    } else if (m_window.CheckZAMOMode() == ConnectedUnitsMode::Zamo80) {
        SetItemEnabled(m_window.Frame().ZamoUnitsConnect[2], false);
        SetItemEnabled(m_window.Frame().ZamoUnitsConnectSimulator[2], false);
    }
    showUnitLost(Index);
    m_window.keepAlive().stop();
    if (!unit->Reconnecting())
        m_window.ApplyElectrodeSelection();
}

void ConnectionEvents::unitReconnecting(int Index)
{
    if (Index == 1 || Index == 2)
        showUnitLost(Index);
    m_window.WriteToCommTextBox(QStringLiteral("* Attempting to Reconnect to Unit #") + QString::number(Index)
                                    + QStringLiteral(" *"),
                                true, false);
}

void ConnectionEvents::unitFailed(int Index, const QString&)
{
    UnitLink* unit = m_window.Sequencer().Unit(Index);
    if (!unit)
        return;
    // The unit is gone while the operator is asked, and until it is back.
    showUnitLost(Index);
    unit->DisablePolling();
    const auto answer = platform::Prompts::instance().message(
        QStringLiteral("There is an error communicating with the device. \r\n\r\n"
                       "Please disconnect and reconnect the device, and then click 'OK'"),
        StationText::AppTitle(), platform::MsgButtons::OkCancel, platform::MsgIcon::None);
    if (answer == platform::MsgResult::Ok) {
        m_window.ConnectUnit(Index);
        if (unit->Connected())
            m_window.ApplyElectrodeSelection();
        return;
    }
    platform::Prompts::instance().message(QStringLiteral("Exiting application."), StationText::AppTitle(),
                                          platform::MsgButtons::Ok, platform::MsgIcon::Information);
    m_window.ExitingApplication = true;
    // The run is cancelled on the way out, so that its group is closed.
    m_window.StopTests();
    m_window.Form_QueryUnload();
}

void ConnectionEvents::showHardwareStatus(int Index, const QString& vStatus, bool vError)
{
    m_window.statusPanel().showHardwareStatus(Index, vStatus, vError);
}

void ConnectionEvents::frameSent(int Index, const QString& vData)
{
    const QString line = QStringLiteral("TX (") + QString::number(Index) + QStringLiteral(") -> ") + vData;
    logTraffic(line);
}

void ConnectionEvents::frameReceived(int Index, const QString& vData)
{
    const QString line = QStringLiteral("RX (") + QString::number(Index) + QStringLiteral(") <- ") + vData;
    logTraffic(line);
}

void ConnectionEvents::receiveBufferRead(int Index, const QString& vBufferData)
{
    if (m_window.Settings().switches.showRxBuffer)
        m_window.WriteToCommTextBox(
            QStringLiteral("RXBuffer (") + QString::number(Index) + QStringLiteral(") <- ") + vBufferData, true, false);
}

void ConnectionEvents::channelsFound(int Index)
{
    m_window.ApplyElectrodeSelection();
    m_window.EnableTestControls();
    if (UnitLink* unit = m_window.Sequencer().Unit(Index))
        unit->QueryElectrodeInfo();
}

void ConnectionEvents::showSignalGeneratorConnected(bool connected)
{
    m_window.statusPanel().showSignalGeneratorConnected(connected);
    SetItemEnabled(m_window.Frame().ZamoUnitsConnectZamoSG, !connected);
    SetItemEnabled(m_window.Frame().ZamoUnitsDisconnectZamoSG, connected);
}

void ConnectionEvents::logTraffic(const QString& line)
{
    modMain::WriteLog(line);
    if (m_window.Settings().switches.showVerbose)
        m_window.WriteToCommTextBox(line, false, false);
}
