#pragma once
// The current log file, kept open from one line to the next: each line is
// appended and handed to the system at once, so that a reader of the file
// (or a crash) finds every line written so far; inside a batch the lines
// wait for the batch's end and go in one write. The file is opened again when
// a line comes for another path, and when a write fails. It is never
// created here: a file that is gone stays gone and its lines are lost.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <mutex>

namespace config {

class OpenLogFile {
public:
    // An empty path closes the file and drops the bytes.
    void write(const QString& path, const QByteArray& bytes);
    void startBatch();
    void endBatch();
    // Writes what waits for a batch's end, then closes the file.
    void close();

private:
    void writeNow(const QString& path, const QByteArray& bytes);
    void writePending();
    bool reopen(const QString& path);
    bool writeAll(const QByteArray& bytes) { return m_file.write(bytes) == bytes.size(); }

    std::mutex m_mutex;
    QFile m_file;
    QString m_path;
    int m_batches = 0;
    QByteArray m_pending; // the lines of the batches under way
    QString m_pendingPath;
};

} // namespace config
