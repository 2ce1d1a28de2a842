#pragma once
// The station's file plumbing: the data folder, the log folder and the
// names of the computer and the user; and the process's log sink, which
// every subsystem logs through (writeLog). The log itself is
// config::StationLog.

#include "config/ProgramSwitches.h"

#include <QString>

#include <functional>

namespace config {

class StationLog;

// $XDG_DATA_HOME/KIVO_ZAMO (no trailing "/"), created when missing.
QString getAppDataFolder();
// The data folder's "Log" folder, created with the data folder when missing.
QString getLogFolder();
// Creates the folder (one level) when it does not exist. Throws
// std::runtime_error when it cannot be created.
void ensureFolder(const QString& path);

// The log sink: writeLog, LogBatch and setStatusWindowEcho go to the
// installed StationLog (StationLog::install), and do nothing while none is.

// Writes the line to the installed log (StationLog::write): stamped
// "yyyy-mm-dd hh:mm:ss - <message>", echoed to the status window when its
// switches ask for it, appended to the log file. A line that cannot be written is lost; the caller goes on.
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

private:
    StationLog* m_log; // the log installed when the batch began
};

// The status window's addText, handed to the installed log by the status
// window when it loads, with the program switches that gate it (an empty
// function removes it; an echo without switches never runs).
using LogEcho = std::function<void(const QString& line)>;
void setStatusWindowEcho(LogEcho echo, const config::ProgramSwitches* switches = nullptr);

QString getComputerNameString();
QString getUserNameString();

} // namespace config
