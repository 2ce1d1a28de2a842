#include "app/StationStartUp.h"

#include "app/DatabaseStartCheck.h"
#include "config/EmbeddedFile.h"
#include "config/LimitsFile.h"
#include "config/Log.h"
#include "config/Settings.h"
#include "config/SettingsReader.h"
#include "platform/IniFile.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/StandardSequenceFiles.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/TestWindowCommands.h"

#include <QApplication>

#include <exception>

namespace modMain {

namespace {

void showCritical(const QString& text)
{
    platform::Prompts::instance().message(text, "KIVO_ZAMO", platform::MsgButtons::Ok,
                                          platform::MsgIcon::Critical);
}

// A settings.ini that is there but cannot be read is not a missing one:
// starting on defaults would put a new, empty database in place of the one
// it names and judge against default limits. The operator is told, and the
// program ends before anything is written.
bool settingsFileReadable()
{
    QString cause;
    if (platform::IniFile::readable(Globals::SettingsFilePath, &cause))
        return true;
    const QString text =
        "Unable to read the settings file " + Globals::SettingsFilePath + ": " + cause + ".  Exiting application.";
    WriteLog(text);
    showCritical(text);
    ProgramEnd::Request(1);
    return false;
}

QString withSlash(const QString& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

void BuildFilePaths()
{
    const QString folder = withSlash(GetAppDataFolder());
    Globals::ElectrodeTestReportPath = folder + "ElectrodeTestReport.rpt";
    Globals::CondensedReportPath = folder + "CondensedElectrodeTestReport.rpt";
    Globals::Zamo80CondensedReportPath = folder + "Zamo80CondensedElectrodeTestReport.rpt";
    Globals::SqlElectrodeTestReportPath = folder + "sqlElectrodeTestReport.rpt";
    Globals::SqlCondensedReportPath = folder + "sqlCondensedElectrodeTestReport.rpt";
    Globals::SqlZamo80CondensedReportPath = folder + "sqlZamo80CondensedElectrodeTestReport.rpt";
    Globals::SettingsFilePath = folder + "settings.ini";
    Globals::StandardSequenceFilePath = folder + "standard.tsq";
    Globals::Standard80SequenceFilePath = folder + "standard80.tsq";
}

void BuildDatabasePaths()
{
    const QString folder = withSlash(Globals::LocalDatabaseFolder);
    Globals::ArchiveFolder = folder + "Archive/";
    Globals::DatabaseFilePath = folder + "ZAMO_Results.mdb";
}

bool InitCommonControls()
{
    // The windows need the widget application object.
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool Main()
{
    Globals::StartingUp = true;
    try {
        BuildFilePaths();
    } catch (const std::exception& e) {
        // Without its data folder the station can keep nothing.
        showCritical(QString::fromStdString(e.what()));
        return false;
    }
    if (!InitCommonControls()) {
        showCritical("Initialization error!");
        return false;
    }
    InitLogFile();
    if (!settingsFileReadable()) {
        Globals::StartingUp = false;
        return false;
    }
    BuildDefaultIni();

    LoadSignalGeneratorSettings();
    LoadUnit80Delays();
    LoadAclgGains();
    LoadAclg24Calibration();
    LoadPaceSettings();
    LoadReportSettings();
    LoadDiagnosticsSettings();
    LoadDatabaseSettings();
    BuildDatabasePaths();

    if (Globals::UseLocalDatabase)
        OpenLocalDatabase(false);
    else
        OpenSqlDatabase();
    if (ProgramEnd::Requested()) {
        Globals::StartingUp = false;
        return false;
    }

    ExtractReportFiles();
    LoadLimits();
    LoadDefaultElectrodes();
    BuildDefaultSequenceFiles();
    LoadKeepAliveSettings();
    ShowMainWindows();
    // The test window may have been built before the default selection was
    // loaded (the database check shows the main windows); its boxes show
    // the selection from here on.
    if (MainFormServices* form = StationWindows::MainForm())
        form->ApplyElectrodeSelection();
    Globals::StartingUp = false;
    return true;
}

} // namespace modMain
