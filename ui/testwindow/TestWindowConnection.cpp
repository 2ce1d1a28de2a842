// MainForm: the operator log and the main frame's unit link and simulator
// commands.
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

// ---------------------------------------------------------------- main frame commands

QString MainForm::CommBuffer() const
{
    return m_operatorLog.text();
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
