#pragma once
// settings.ini: its defaults (buildDefaultIni) and one reader per section,
// which turns the text values of the section into its settings struct and
// writes a default back where the section's rules say so. Every access goes
// through iniRead/iniWrite, so every read and write leaves a log line. A
// value that does not convert, or that makes no sense for its key (a
// negative wait or count, an absurd factor, a flag other than 0 or 1), is
// logged as not valid and gives the key's default; a number is never taken
// as 0 because its text could not be read.

#include "config/AclgSettings.h"
#include "config/DatabaseSettings.h"
#include "config/DiagnosticsSettings.h"
#include "config/KeepAliveSettings.h"
#include "config/PaceSettings.h"
#include "config/ReportSettings.h"
#include "config/SignalGeneratorSettings.h"
#include "config/StationSettings.h"
#include "config/Zamo80Delays.h"

#include <QString>

// Creates settings.ini with its defaults when missing; otherwise fills in
// the keys that read empty.
namespace config {

void buildDefaultIni(const QString& settingsFile);

// [ZAMO-SG]. A delay too large for the setting keeps the one of current.
SignalGeneratorSettings readSignalGeneratorSettings(const QString& settingsFile,
                                                    const SignalGeneratorSettings& current = {});
Zamo80Delays readZamo80Delays(const QString& settingsFile);               // [Zamo80Delays]
AclgSettings readAclgSettings(const QString& settingsFile);               // [ACLG]
PaceSettings readPaceSettings(const QString& settingsFile);               // [PACE]
ReportSettings readReportSettings(const QString& settingsFile);           // [Reports]
DiagnosticsSettings readDiagnosticsSettings(const QString& settingsFile); // [Diagnostics]
DatabaseSettings readDatabaseSettings(const QString& settingsFile);       // [Database]
KeepAliveSettings readKeepAliveSettings(const QString& settingsFile);     // [KeepAlive]

// The sections start-up reads before it checks the database, in their order:
// [ZAMO-SG], [Zamo80Delays], [ACLG], [PACE], [Reports], [Diagnostics],
// [Database]; each replaces its part of settings.
void readSectionsBeforeDatabase(const QString& settingsFile, StationSettings& settings);

// [Timers] Polling, at least 150 ms.
int readPollingInterval(const QString& settingsFile);
// [Timers] Tests, at least 5000 ms.
int readTestsTimerInterval(const QString& settingsFile);

// Writes [Zamo80Delays] DefibCharge; false when settings.ini cannot be written.
bool saveDefibCharge(const QString& settingsFile, const Zamo80Delays& delays);

} // namespace config
