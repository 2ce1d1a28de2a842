#include "results/EmptyDatabase.h"

#include "config/Log.h"
#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "results/ResultsSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace results {

QString buildEmptyDatabase(const QString& path, QString* why)
{
    const auto refuse = [&](const QString& cause) {
        const QString text = QStringLiteral("Cannot create the database file ") + path + QStringLiteral(": ") + cause;
        config::writeLog(text);
        if (why)
            *why = text;
        return QString();
    };
    const QFileInfo target(path);
    // Reserve a unique temporary name next to the target, so that the final
    // rename stays on one file system.
    QString temporary;
    {
        QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                               + QStringLiteral(".XXXXXX"));
        if (!reserve.open())
            return refuse(reserve.errorString());
        temporary = reserve.fileName();
    } // removed here; the name is ours to create
    try {
        {
            platform::DbConnection connection;
            connection.createFile(temporary);
            ResultsSchema::create(connection, ResultsSchema::TemplateRevision);
            connection.close();
        }
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0)
            throw platform::DbError(QStringLiteral("cannot rename %1 to %2").arg(temporary, path));
        return path;
    } catch (const platform::DbError& e) {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
        return refuse(e.text());
    }
}

} // namespace results
