#pragma once
// The station's log: the file it writes to, kept open from one line to the
// next, the time stamps of its lines, the status window's echo and the
// remover of old log files. The program's app::Station owns one, which its
// start-up installs as the process's log sink: the log that writeLog,
// LogBatch and setStatusWindowEcho (config/Log.h) go to.

#include "config/Log.h"
#include "config/OpenLogFile.h"
#include "config/ProgramSwitches.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <mutex>

namespace config {

// Removes one file for start; tests replace it to make a deletion fail.
using FileRemover = std::function<bool(const QString& path)>;

class StationLog {
public:
    StationLog();
    // Uninstalls the log when it is the one installed.
    ~StationLog();
    StationLog(const StationLog&) = delete;
    StationLog& operator=(const StationLog&) = delete;

    // Makes this the log that writeLog, LogBatch and setStatusWindowEcho go
    // to, in place of any other.
    void install();

    // Deletes every file of the log folder created more than 30 calendar
    // days ago, starts a new log file named yyyymmdd-hhmmss.log and writes
    // its first line. A file that cannot be deleted is skipped and named in
    // the new log. Without a log folder the log keeps its earlier file.
    void start();

    // Full path of the current log file; empty until start has started one.
    const QString& path() const { return m_path; }
    // Points the log at another file, which is never created here; an empty
    // path: the lines reach the status window only.
    void setPath(const QString& path) { m_path = path; }

    // Appends "yyyy-mm-dd hh:mm:ss - <message>" and CR LF to the current log
    // file, after echoing the line to the status window when the switches
    // handed with the echo have both statusWindowOpen and diagnosticLog set.
    // The file stays open between lines and each line reaches the system
    // before the call returns (inside a batch: before the batch ends); the
    // file is opened again when the path changes or a write fails, and never
    // created. A line that cannot be written is lost; the caller goes on.
    void write(const QString& message);
    // Between the two, the lines go to the file together, in one write when
    // the outermost batch ends; each line still reaches the status window at
    // once.
    void startBatch() { m_file.startBatch(); }
    void endBatch() { m_file.endBatch(); }

    // An empty function removes the echo; an echo without switches never runs.
    void setStatusWindowEcho(LogEcho echo, const ProgramSwitches* switches = nullptr);
    // An empty function puts back the remover that deletes the file.
    void setFileRemover(FileRemover remover);

private:
    QString lineStamp();
    QStringList deleteOldFiles(const QString& folder) const;

    QString m_path;
    OpenLogFile m_file;
    LogEcho m_echo;
    const ProgramSwitches* m_switches = nullptr;
    FileRemover m_remover;
    // The stamp of the last second a line was stamped in, in real time.
    std::mutex m_stampMutex;
    qint64 m_second = std::numeric_limits<qint64>::min();
    QString m_stamp;
};

} // namespace config
