#include "app/StationStartUp.h"

#include "app/DatabaseStartCheck.h"
#include "app/Station.h"
#include "app/TerminationSignals.h"
#include "config/EmbeddedFile.h"
#include "config/LimitsFile.h"
#include "config/Log.h"
#include "config/SettingsReader.h"
#include "config/StationText.h"
#include "platform/IniFile.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "testlists/StandardSequenceFiles.h"
#include "ui/common/CommonControls.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StationWindows.h"
#include "ui/shell/TestWindowCommands.h"

#include <QApplication>

#include <exception>

namespace app {

namespace {

void showCritical(const QString& text)
{
    platform::Prompts::instance().message(text, "KIVO_ZAMO", platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

// A settings.ini that is there but cannot be read is not a missing one:
// starting on defaults would put a new, empty database in place of the one
// it names and judge against default limits. The operator is told, and the
// program ends before anything is written.
bool settingsFileReadable(const QString& settingsFile)
{
    QString cause;
    if (platform::IniFile::readable(settingsFile, &cause))
        return true;
    const QString text = "Unable to read the settings file " + settingsFile + ": " + cause + ".  Exiting application.";
    config::writeLog(text);
    showCritical(text);
    platform::ProgramEnd::request(1);
    return false;
}

// "12", "12 and 13", "12, 13 and 14".
QString listed(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

// The groups that this station left open when it ended during their runs
// (a crash, a power cut) are cancelled, and the operator is told once.
void cancelGroupsLeftOpen(results::TestGroupEnd& groupEnds)
{
    const QList<results::LeftOpenGroup> groups = groupEnds.cancelGroupsLeftOpen();
    if (groups.isEmpty())
        return;
    QStringList numbers;
    bool waiting = false;
    for (const results::LeftOpenGroup& g : groups) {
        numbers << QString::number(g.number);
        waiting = waiting || g.waiting;
    }
    const QString text = QStringLiteral("The station was ended during the run of test group")
                         + (numbers.size() > 1 ? QStringLiteral("s ") : QStringLiteral(" ")) + listed(numbers)
                         + QStringLiteral(".  ")
                         + (numbers.size() > 1 ? QStringLiteral("They are") : QStringLiteral("It is"))
                         + (waiting ? QStringLiteral(" marked cancelled as soon as the database can be reached.")
                                    : QStringLiteral(" marked cancelled."));
    platform::Prompts::instance().message(text, "KIVO_ZAMO", platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

} // namespace

bool main(Station& station)
{
    config::StationSettings& settings = station.settings;
    config::ProgramSwitches& switches = settings.switches;
    switches.startingUp = true;
    station.log.install();
    try {
        settings.paths.placeInDataFolder();
    } catch (const std::exception& e) {
        // Without its data folder the station can keep nothing.
        showCritical(QString::fromStdString(e.what()));
        return false;
    }
    if (!ui::initCommonControls()) {
        showCritical("Initialization error!");
        return false;
    }
    station.log.start();
    endOnTerminationSignals(station.windows);
    const QString& file = settings.paths.settingsFile;
    if (!settingsFileReadable(file)) {
        switches.startingUp = false;
        return false;
    }
    config::buildDefaultIni(file);

    config::readSectionsBeforeDatabase(file, settings);
    settings.paths.placeDatabase(settings.database.localDatabaseFolder);

    installDatabaseOptions(station);
    checkDatabase(station, switches.startingUp);
    if (platform::ProgramEnd::requested()) {
        switches.startingUp = false;
        return false;
    }
    station.groupEnds.keepOpenGroupsIn(settings.paths.openGroupsFile);

    extractReportFiles(settings.paths, settings.diagnostics.enabled);
    QString limitsProblem;
    settings.limits = config::readLimits(file, &limitsProblem);
    QStringList startProblems;
    if (!limitsProblem.isEmpty())
        startProblems << limitsProblem;
    station.testLists.loadDefaultElectrodes(file);
    startProblems << testlists::buildDefaultSequenceFiles(station.testLists, settings.paths, settings.pace);
    settings.keepAlive = config::readKeepAliveSettings(file);
    ui::showMainWindows(station.windows);
    // Over the main windows, so that the operator sees which limits were
    // replaced and which list lacks steps.
    for (const QString& problem : startProblems)
        platform::Prompts::instance().message(problem, config::StationText::appTitle(), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
    // A signal while a message waited ended the station: nothing more is
    // done (the groups left open wait for the next start).
    if (!platform::ProgramEnd::requested()) {
        // The test window may have been built before the default selection
        // was loaded (the database check shows the main windows); its boxes
        // show the selection from here on.
        if (ui::TestWindowServices* form = station.windows.testWindow())
            form->applyElectrodeSelection();
        cancelGroupsLeftOpen(station.groupEnds);
    }
    switches.startingUp = false;
    // Ended meanwhile, the event loop must not start: it would run on.
    return !platform::ProgramEnd::requested();
}

} // namespace app
