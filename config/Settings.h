#pragma once
// The station's program-wide values. Each settings.ini key is read once at
// start-up into the value of the same name (the section readers), the limits
// and warnings by LoadLimits, the paths by Main. Each starts with the
// key's default, so that code running before the readers sees sound values.

#include <QString>

namespace Globals {

// --- paths, set once by Main ---
inline QString SettingsFilePath;
inline QString StandardSequenceFilePath;
inline QString Standard80SequenceFilePath;
inline QString ElectrodeTestReportPath;
inline QString CondensedReportPath;
inline QString Zamo80CondensedReportPath;
inline QString SqlElectrodeTestReportPath;
inline QString SqlCondensedReportPath;
inline QString SqlZamo80CondensedReportPath;
inline QString DatabaseFilePath;   // <LocalDatabaseFolder>/ZAMO_Results.mdb
inline QString ArchiveFolder;      // <LocalDatabaseFolder>/Archive/

// --- start-up, main frame and status window switches ---
inline bool StartingUp = false;
inline bool DemoMode = false;
inline bool StatusWindowOpen = false;
inline bool DiagnosticLog = false;
inline bool CommPaused = false;
inline bool ShowVerbose = false;
inline bool ShowRxBuffer = false;

// --- [Zamo80Delays] (ms, ms, s) ---
inline qint16 ReconnectDelay = 7000;
inline qint16 FindChannelsDelay = 3000;
inline qint16 DefibCharge = 54;

// --- [Reports] ---
inline bool ExportPDFEnabled = false;
inline bool ExportExcelEnabled = false;
inline bool ExportTabEnabled = false;
inline QString ExportPath;
inline bool PrintEnabled = false;
inline bool PrintCondensedEnabled = false;
inline bool DisplayEnabled = true;

// --- [Database] ---
inline bool UseLocalDatabase = true;
inline QString LocalDatabaseFolder;      // empty until read: the data folder
inline QString SQLServerHost;
inline QString SQLServerInstance;
inline QString SQLServerDatabaseName = QStringLiteral("ZAMO_Results");
inline QString SQLUsername;
inline QString SQLPassword;
inline qint32 MaxRecords = 100000;

// --- [KeepAlive] ---
inline bool MoveMouse = false;
inline bool WakeUp = true;

// --- [ACLG] ---
inline double GainVe = 401;
inline double GainV50 = 2001;
inline double CorrectGain = 0.92;
inline double Aclg24_100_CorrectGain = 1;
inline double Aclg24_100_R1 = 404990;
inline double Aclg24_100_R2 = 804;
inline double Aclg24_100_R3 = 424300;
inline double Aclg24_100_R4 = 4990;
inline double Aclg24_360_CorrectGain = 1;
inline double Aclg24_360_R1 = 404990;
inline double Aclg24_360_R2 = 402;
inline double Aclg24_360_R3 = 424300;
inline double Aclg24_360_R4 = 2490;
inline double Aclg24_X_CorrectGain = 1;
inline double Aclg24_X_R1 = 406810;
inline double Aclg24_X_R2 = 475;
inline double Aclg24_X_R3 = 402000;
inline double Aclg24_X_R4 = 2800;
inline double Aclg24_X_Energy = 200;
inline bool Aclg24_X_Enabled = false;

// --- [PACE] (min, -, -, s) ---
inline qint16 PaceDuration = 60;
inline qint32 PaceDurationSeconds = 3600;
inline qint16 SimultaneousTests = 4;
inline bool Zamo24ContinueWithoutRoll = false;
inline qint16 Zamo24PaceRollAckDelay = 60;

// --- [ZAMO-SG] ---
inline bool SGEnabled = false;
inline qint16 SGDelay = 10;

// --- [Diagnostics] ---
inline bool DiagnosticsEnabled = false;
inline qint16 DiagnosticsDelay = 1000;   // ms

// --- [Limits] / [Warnings]: base-model units ---
inline double LimitDCO = 100;
inline double WarningDCO = 100;
inline double LimitACZ = 3000;
inline double WarningACZ = 2000;
inline double LimitSDRDCO = 100;
inline double WarningSDRDCO = 100;
inline double LimitSDRSlope = 1;
inline double WarningSDRSlope = 1;
inline double LimitNOISE = 150;
inline double WarningNOISE = 150;
inline double LimitBIAS = 100;
inline double WarningBIAS = 100;

// --- [Limits] / [Warnings]: ZAMO80 and ZAMO2-4 units ---
inline double LimitZamo80DCO = 100;
inline double WarningZamo80DCO = 100;
inline double LimitZamo80ACZ = 3000;
inline double WarningZamo80ACZ = 2000;
inline double LimitZamo80ACZ30 = 5;
inline double WarningZamo80ACZ30 = 4;
inline double LimitZamo80ACLG = 3;
inline double WarningZamo80ACLG = 2;
inline double LimitZamo80DEFR4 = 400;
inline double WarningZamo80DEFR4 = 400;
inline double LimitZamo80DEFR60 = 300;
inline double WarningZamo80DEFR60 = 300;
inline double LimitZamo80NOISE = 100;
inline double WarningZamo80NOISE = 100;

} // namespace Globals
