#include "config/StationPaths.h"

#include "config/Log.h"

namespace config {

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

void StationPaths::placeInDataFolder()
{
    const QString folder = withSlash(config::getAppDataFolder());
    electrodeTestReport = folder + "ElectrodeTestReport.rpt";
    condensedReport = folder + "CondensedElectrodeTestReport.rpt";
    zamo80CondensedReport = folder + "Zamo80CondensedElectrodeTestReport.rpt";
    sqlElectrodeTestReport = folder + "sqlElectrodeTestReport.rpt";
    sqlCondensedReport = folder + "sqlCondensedElectrodeTestReport.rpt";
    sqlZamo80CondensedReport = folder + "sqlZamo80CondensedElectrodeTestReport.rpt";
    settingsFile = folder + SettingsFileName;
    standardSequenceFile = folder + "standard.tsq";
    standard80SequenceFile = folder + "standard80.tsq";
    openGroupsFile = folder + "OpenTestGroups.txt";
}

void StationPaths::placeDatabase(const QString& localDatabaseFolder)
{
    const QString folder = withSlash(localDatabaseFolder);
    archiveFolder = folder + "Archive/";
    databaseFile = folder + "ZAMO_Results.mdb";
}

} // namespace config
