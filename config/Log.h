#pragma once
// The station's file plumbing: the data folder, the log folder and the log
// file, and the names of the computer and the user. Every subsystem logs
// through writeLog.

#include "config/ProgramSwitches.h"

#include <QString>

#include <functional>

// Full path of the current log file; empty until initLogFile has started one.
namespace config {

inline QString LogFilePath;

// $XDG_DATA_HOME/KIVO_ZAMO (no trailing "/"), created when missing.
QString getAppDataFolder();
// The data folder's "Log" folder, created with the data folder when missing.
QString getLogFolder();
// Creates the folder (one level) when it does not exist. Throws
// std::runtime_error when it cannot be created.
void ensureFolder(const QString& path);

// Deletes every file of the log folder created more than 30 calendar days
// ago, starts a new log file named yyyymmdd-hhmmss.log and writes its first
// line. A file that cannot be deleted is skipped and named in the new log.
void initLogFile();

// Appends "yyyy-mm-dd hh:mm:ss - <message>" and CR LF to the current log
// file, after echoing the line to the
// status window when the switches handed with the echo have both
// statusWindowOpen and diagnosticLog set. The file stays open between lines
// and each line reaches the system before the call returns (inside a
// LogBatch: before the batch ends); the file is
// opened again when LogFilePath changes or a write fails, and never created.
// A line that cannot be written is lost; the caller goes on.
void writeLog(const QString& message);

// For as long as it lives, the lines written go to the log file together,
// in one write when the (outermost) batch ends: the lines of one stored
// reading, for instance. Each line still reaches the status window at once.
class LogBatch {
public:
    LogBatch();
    ~LogBatch();
    LogBatch(const LogBatch&) = delete;
    LogBatch& operator=(const LogBatch&) = delete;
};

// The status window's addText, installed by the status window when it loads
// with the program switches that gate it (an empty function removes it; an
// echo without switches never runs).
using LogEcho = std::function<void(const QString& line)>;
void setStatusWindowEcho(LogEcho echo, const config::ProgramSwitches* switches = nullptr);

QString getComputerNameString();
QString getUserNameString();

// Removes one file for initLogFile; tests replace it to make a deletion fail.
using FileRemover = std::function<bool(const QString& path)>;
void setLogFileRemover(FileRemover remover);

} // namespace config
