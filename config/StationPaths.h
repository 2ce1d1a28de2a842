#pragma once
// Where the station keeps its files: settings.ini, the standard test lists,
// the report templates (from the data folder) and the database file and its
// archive folder (from [Database] LocalDatabaseFolder). Plain values; nothing
// here touches the disk.

#include <QString>

namespace config {

// The name of the settings file in the data folder.
inline constexpr char SettingsFileName[] = "settings.ini";

struct StationPaths {
    QString settingsFile;
    QString standardSequenceFile;
    QString standard80SequenceFile;
    QString electrodeTestReport;
    QString condensedReport;
    QString zamo80CondensedReport;
    QString sqlElectrodeTestReport;
    QString sqlCondensedReport;
    QString sqlZamo80CondensedReport;
    QString openGroupsFile; // the note of this station's open test groups
    QString databaseFile;   // <LocalDatabaseFolder>/ZAMO_Results.mdb
    QString archiveFolder;  // <LocalDatabaseFolder>/Archive/

    // The paths under the station's data folder (the database paths stay
    // as they are). Throws std::runtime_error when the data folder cannot
    // be made.
    void placeInDataFolder();
    // The database file and archive folder under that folder.
    void placeDatabase(const QString& localDatabaseFolder);
};

} // namespace config
