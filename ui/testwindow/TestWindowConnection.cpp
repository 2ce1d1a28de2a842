// MainForm: unit and database status, the unit links' events and the
// operator log.
#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "run/OperatorLog.h"
#include "ui/testwindow/ElectrodePanel.h"
#include "ui/testwindow/StatusPanel.h"
#include "ui/testwindow/TestWindow.h"
#include "unit/Unit.h"

#include <QAction>
#include <QScopeGuard>

void MainForm::WriteToCommTextBox(const QString& strValue, bool vRecordToLog, bool vInhibitCommDisplay)
{
    m_operatorLog.write(strValue, vRecordToLog, vInhibitCommDisplay);
}

void MainForm::SetDatabaseStatus(bool vLocalDB, bool vConnected)
{
    const QString state = vConnected ? QStringLiteral("Connected") : QStringLiteral("Disconnected");
    QString kind;
    if (vLocalDB) {
        const bool inDataFolder =
            modMain::GetAppDataFolder().toUpper().contains(Settings().database.localDatabaseFolder.toUpper());
        kind = inDataFolder ? QStringLiteral("Local Database ") : QStringLiteral("Remote Database File ");
    } else {
        kind = QStringLiteral("MSSQL Database ");
    }
    m_statusPanel->showDatabaseStatus(kind + state, vConnected);
    if (!vConnected)
        modMain::WriteLog(QStringLiteral("Database Status: ") + kind + state);
}

void MainForm::DatabaseConnectFailHandler(const QString& vCause)
{
    if (Services().database->ConnectFailureReported() || m_tellingDatabaseFailure)
        return;
    m_tellingDatabaseFailure = true;
    const auto done = qScopeGuard([this] { m_tellingDatabaseFailure = false; });
    // The fixed first words, then what went wrong.
    const QString cause = vCause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + vCause;
    if (pTestRunning()) {
        platform::Prompts::instance().message(
            QStringLiteral("Database connection has been interrupted.  Aborting test.") + cause,
            StationText::AppTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        StopTests();
        return;
    }
    platform::Prompts::instance().message(
        QStringLiteral("Unable to connect to database.  Please check database connection settings.") + cause,
        StationText::AppTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

void MainForm::unitConnected(int Index)
{
    UnitLink* unit = Unit(Index);
    if (!unit)
        return;
    if (CheckZAMOMode() == QLatin1String("ERROR")) {
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
        SetItemEnabled(Frame().TestsRunBiasTest, false);
        SetItemEnabled(Frame().TestsRunACZ30Zero, true);
        m_electrodePanel->hideUnit2();
    } else {
        SetItemEnabled(Frame().TestsRunBiasTest, true);
        SetItemEnabled(Frame().TestsRunACZ30Zero, false);
        UnitLink* unit2 = Unit(2);
        if (Index == 1 && !(unit2 && unit2->Connected())) {
            SetItemEnabled(Frame().ZamoUnitsConnect[2], true);
            SetItemEnabled(Frame().ZamoUnitsConnectSimulator[2], true);
            m_electrodePanel->showUnit2();
        }
    }
    WriteToCommTextBox(text, true, false);
    SetItemEnabled(Frame().ZamoUnitsDisconnect[Index], true);
    SetItemEnabled(Frame().ZamoUnitsConnect[Index], false);
    SetItemEnabled(Frame().ZamoUnitsConnectSimulator[Index], false);
    m_statusPanel->showUnitConnecting(Index);
    KeepAliveTimer.start();
    if (unit->Reconnecting())
        EnableTestControls();
    UpdateRunEstimate();
}

void MainForm::ShowUnitLost(int Index)
{
    m_statusPanel->showUnitLost(Index);
    UpdateRunEstimate();
}

void MainForm::UpdateRunEstimate()
{
    if (pTestRunning())
        m_sequencer.UpdateEstimatedCompletionTime();
}

void MainForm::unitClosed(int Index)
{
    UnitLink* unit = Unit(Index);
    if (!unit)
        return;
    WriteToCommTextBox(QStringLiteral("* Unit #") + QString::number(Index) + QStringLiteral(" Disconnected *"), true,
                       false);
    SetItemEnabled(Frame().ZamoUnitsDisconnect[Index], false);
    SetItemEnabled(Frame().ZamoUnitsConnect[Index], true);
    SetItemEnabled(Frame().ZamoUnitsConnectSimulator[Index], true);
    if (!AnyUnitConnected()) {
        SetItemEnabled(Frame().ZamoUnitsConnect[2], false);
        SetItemEnabled(Frame().ZamoUnitsConnectSimulator[2], false);
        m_electrodePanel->showUnit2();
        DisableTestControls();
    } else if (CheckZAMOMode() == QLatin1String("ZAMO80")) {
        SetItemEnabled(Frame().ZamoUnitsConnect[2], false);
        SetItemEnabled(Frame().ZamoUnitsConnectSimulator[2], false);
    }
    ShowUnitLost(Index);
    KeepAliveTimer.stop();
    if (!unit->Reconnecting())
        ApplyElectrodeSelection();
}

void MainForm::unitReconnecting(int Index)
{
    if (Index == 1 || Index == 2)
        ShowUnitLost(Index);
    WriteToCommTextBox(QStringLiteral("* Attempting to Reconnect to Unit #") + QString::number(Index)
                           + QStringLiteral(" *"),
                       true, false);
}

void MainForm::unitFailed(int Index, const QString&)
{
    UnitLink* unit = Unit(Index);
    if (!unit)
        return;
    // The unit is gone while the operator is asked, and until it is back.
    ShowUnitLost(Index);
    unit->DisablePolling();
    const auto answer = platform::Prompts::instance().message(
        QStringLiteral("There is an error communicating with the device. \r\n\r\n"
                       "Please disconnect and reconnect the device, and then click 'OK'"),
        StationText::AppTitle(), platform::MsgButtons::OkCancel, platform::MsgIcon::None);
    if (answer == platform::MsgResult::Ok) {
        ConnectUnit(Index);
        if (unit->Connected())
            ApplyElectrodeSelection();
        return;
    }
    platform::Prompts::instance().message(QStringLiteral("Exiting application."), StationText::AppTitle(),
                                          platform::MsgButtons::Ok, platform::MsgIcon::Information);
    ExitingApplication = true;
    // The run is cancelled on the way out, so that its group is closed.
    StopTests();
    Form_QueryUnload();
}

void MainForm::showHardwareStatus(int Index, const QString& vStatus, bool vError)
{
    m_statusPanel->showHardwareStatus(Index, vStatus, vError);
}

void MainForm::frameSent(int Index, const QString& vData)
{
    const QString line = QStringLiteral("TX (") + QString::number(Index) + QStringLiteral(") -> ") + vData;
    modMain::WriteLog(line);
    if (Settings().switches.showVerbose)
        WriteToCommTextBox(line, false, false);
}

void MainForm::frameReceived(int Index, const QString& vData)
{
    const QString line = QStringLiteral("RX (") + QString::number(Index) + QStringLiteral(") <- ") + vData;
    modMain::WriteLog(line);
    if (Settings().switches.showVerbose)
        WriteToCommTextBox(line, false, false);
}

void MainForm::receiveBufferRead(int Index, const QString& vBufferData)
{
    if (Settings().switches.showRxBuffer)
        WriteToCommTextBox(
            QStringLiteral("RXBuffer (") + QString::number(Index) + QStringLiteral(") <- ") + vBufferData, true, false);
}

void MainForm::channelsFound(int Index)
{
    ApplyElectrodeSelection();
    EnableTestControls();
    if (UnitLink* unit = Unit(Index))
        unit->QueryElectrodeInfo();
}

void MainForm::ClockTimer_Timer()
{
    if (m_sequencer.IntervalTimer.isEnabled() || m_sequencer.TestSequenceTimer.isEnabled())
        return;
    const int today = platform::Clock::now().date().day();
    if (today == LogDay)
        return;
    LogDay = today;
    modMain::InitLogFile();
}

// ---------------------------------------------------------------- main frame commands

QString MainForm::CommBuffer() const
{
    return m_operatorLog.text();
}

void MainForm::showSignalGeneratorConnected(bool connected)
{
    m_statusPanel->showSignalGeneratorConnected(connected);
    SetItemEnabled(m_frame.ZamoUnitsConnectZamoSG, !connected);
    SetItemEnabled(m_frame.ZamoUnitsDisconnectZamoSG, connected);
}

void MainForm::ConnectUnitLink(int unit)
{
    if (UnitLink* link = Unit(unit))
        link->Connect();
}

void MainForm::ConnectUnitLinkSimulator(int unit, int vNumOfChannels, bool vZamo80Mode, bool vZamo24Mode)
{
    if (UnitLink* link = Unit(unit))
        link->ConnectSimulator(qint16(vNumOfChannels), vZamo80Mode, vZamo24Mode);
}

void MainForm::DisconnectUnitLink(int unit)
{
    if (UnitLink* link = Unit(unit))
        link->Disconnect();
}

void MainForm::ConnectZamoSG()
{
    if (m_windows.ConnectZamoSG)
        m_windows.ConnectZamoSG();
}

void MainForm::DisconnectZamoSG()
{
    if (m_windows.DisconnectZamoSG)
        m_windows.DisconnectZamoSG();
}

bool MainForm::SimulatorZamo80Selected() const
{
    return m_statusPanel->zamo80Selected();
}

bool MainForm::SimulatorZamo24Selected() const
{
    return m_statusPanel->zamo24Selected();
}

QString MainForm::SimulatorChannelsText() const
{
    return m_statusPanel->simulatorChannelsText();
}
