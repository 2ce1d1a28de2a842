// TestWindow: the operator log and the main frame's unit link and simulator
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

namespace ui {

void TestWindow::writeToCommTextBox(const QString& text, bool recordToLog, bool inhibitCommDisplay)
{
    m_operatorLog.write(text, recordToLog, inhibitCommDisplay);
}

// ---------------------------------------------------------------- main frame commands

QString TestWindow::commBuffer() const
{
    return m_operatorLog.text();
}

void TestWindow::connectUnitLink(int unit)
{
    if (unit::Unit* link = unitAt(unit))
        link->connectDevice();
}

void TestWindow::connectUnitLinkSimulator(int unit, int numOfChannels, bool zamo80Mode, bool zamo24Mode)
{
    if (unit::Unit* link = unitAt(unit))
        link->connectSimulator(qint16(numOfChannels), zamo80Mode, zamo24Mode);
}

void TestWindow::disconnectUnitLink(int unit)
{
    if (unit::Unit* link = unitAt(unit))
        link->disconnectDevice();
}

void TestWindow::connectZamoSG()
{
    if (m_windows.connectZamoSG)
        m_windows.connectZamoSG();
}

void TestWindow::disconnectZamoSG()
{
    if (m_windows.disconnectZamoSG)
        m_windows.disconnectZamoSG();
}

bool TestWindow::simulatorZamo80Selected() const
{
    return m_statusPanel->zamo80Selected();
}

bool TestWindow::simulatorZamo24Selected() const
{
    return m_statusPanel->zamo24Selected();
}

QString TestWindow::simulatorChannelsText() const
{
    return m_statusPanel->simulatorChannelsText();
}

} // namespace ui
