#pragma once
// A log of the test's own, installed and written to a temporary file for the
// life of the object.

#include "support/InstalledLog.h"

#include <QFile>
#include <QTemporaryDir>

class LogCapture {
public:
    LogCapture()
    {
        m_log.setPath(m_dir.filePath("test.log"));
        QFile file(m_log.path());
        file.open(QIODevice::WriteOnly);
    }

    QString text() const
    {
        QFile file(m_dir.filePath("test.log"));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    testsupport::InstalledLog m_log;
};
