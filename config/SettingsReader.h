#pragma once
// settings.ini: its defaults (BuildDefaultIni) and one reader per section,
// which turns the text values into the values of Globals and writes a
// default back where a section's rules say so. Every access goes through
// INIRead/INIWrite, so every read and write leaves a log line.

#include <QString>

namespace modMain {

// Creates settings.ini with its defaults when missing; otherwise fills in
// the keys that read empty.
void BuildDefaultIni();

void LoadSignalGeneratorSettings();   // [ZAMO-SG]
void LoadUnit80Delays();              // [Zamo80Delays]
void LoadAclgGains();                 // [ACLG] GainVe, GainV50, Correct_Gain
void LoadAclg24Calibration();         // [ACLG] 24_...
void LoadPaceSettings();              // [PACE]
void LoadReportSettings();            // [Reports]
void LoadDiagnosticsSettings();       // [Diagnostics]
void LoadDatabaseSettings();          // [Database]
void LoadKeepAliveSettings();         // [KeepAlive]

// [Timers] Polling, at least 150 ms.
int GetPollingInterval();
// [Timers] Tests, at least 5000 ms.
int GetTestsTimerInterval();

// Writes [Zamo80Delays] DefibCharge; false when settings.ini cannot be written.
bool SaveDefibChargeTime(const QString& text);

} // namespace modMain
