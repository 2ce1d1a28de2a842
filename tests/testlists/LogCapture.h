#pragma once
// Points the station's log at a temporary file for the life of the object.

#include "config/Log.h"

#include <QFile>
#include <QTemporaryDir>

class LogCapture {
public:
    LogCapture()
    {
        m_previous = config::LogFilePath;
        config::LogFilePath = m_dir.filePath("test.log");
        QFile file(config::LogFilePath);
        file.open(QIODevice::WriteOnly);
    }
    ~LogCapture() { config::LogFilePath = m_previous; }

    QString text() const
    {
        QFile file(m_dir.filePath("test.log"));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
