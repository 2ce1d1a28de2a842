#pragma once
// The text of a PDF file as pdftotext reads it (poppler-utils): what a
// reader of the printed report sees. Empty when the file cannot be read.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// keepLayout: columns kept side by side (pdftotext -layout).
inline QString pdfText(const QString& path, bool keepLayout = false)
{
    QProcess p;
    QStringList arguments{path, "-"};
    if (keepLayout)
        arguments.prepend("-layout");
    p.start("pdftotext", arguments);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace testsupport
