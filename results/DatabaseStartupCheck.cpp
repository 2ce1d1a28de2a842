#include "results/DatabaseStartupCheck.h"

#include "config/SamePath.h"
#include "platform/ProgramEnd.h"
#include "results/ResultsSchema.h"
#include "results/SchemaUpgrades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace results {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const QString kDatabaseError = QStringLiteral("Database Error");
const QString kUnableToAccess =
    QStringLiteral("Unable to access database file.  Possible corruption, folder access, or permissions issue.");

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The program is being ended (a signal while a message waited, or while the
// backup or a step ran): the checks do nothing more.
bool ended()
{
    return platform::ProgramEnd::stopAsked();
}

QString replacedReason(int revision)
{
    if (revision == 0)
        return QStringLiteral("it cannot be read as a results database");
    return QStringLiteral("its revision %1 is not one the station can use").arg(revision);
}

} // namespace

LocalDatabasePaths LocalDatabasePaths::inFolder(const QString& folder)
{
    const QString base = withSlash(folder);
    return LocalDatabasePaths{folder, base + QStringLiteral("ZAMO_Results.mdb"), base + QStringLiteral("Archive/")};
}

DatabaseStartupCheck::DatabaseStartupCheck(DatabaseStartupHost& host, platform::Prompts& prompts,
                                           const QString& defaultFolder)
    : m_host(host), m_prompts(prompts), m_defaultFolder(defaultFolder)
{
}

void DatabaseStartupCheck::checkLocal(const LocalDatabasePaths& paths, bool startingUp, bool isRetry)
{
    if (startingUp)
        m_host.showMainWindows();
    QString file = paths.databaseFile;
    if (file.contains(QLatin1Char('*'))) {
        m_host.openDatabase();
        return;
    }
    if (file.right(4).toUpper() != QStringLiteral(".MDB"))
        file += QStringLiteral(".mdb");
    LocalDatabasePaths checked = paths;
    checked.databaseFile = file;

    if (!QFileInfo::exists(file)) {
        m_host.log(QStringLiteral("Creating new default database file"));
        QString why;
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (!m_host.writeEmptyDatabase(file, &why)) {
            m_host.log(QStringLiteral("Error creating new default database file"));
            accessFailure(checked, isRetry, why);
            return;
        }
        m_host.openDatabase();
        return;
    }

    if (platform::DbConnection* db = m_host.openDatabase())
        SchemaUpgrades(*db, m_host.upgradeWindow()).fixNoiseTypeUnits();
    if (ended())
        return;
    const int revision = m_host.databaseRevision(file);
    if (ended())
        return;
    m_host.log(QStringLiteral("Database version %1 detected").arg(revision));
    if (revision == ResultsSchema::CurrentRevision) {
        m_host.openDatabase();
        return;
    }
    if (revision == 10 && !repairLegacyDemoModeColumn()) {
        if (ended())
            return;
        m_host.closeDatabase();
        replace(checked, UpkeepOutcome(), QStringLiteral("its old demonstration column cannot be converted"), isRetry);
        return;
    }

    m_host.log(QStringLiteral("Applying database updates"));
    m_host.closeDatabase();
    // Each step is whole or nothing, so a file that cannot be copied is
    // still raised; it is replaced only once a copy is safe.
    const UpkeepOutcome copy = m_host.backUp(checked);
    if (ended())
        return; // the next start backs the file up again
    const bool known = revision >= SchemaUpgrades::OldestLocalRevision && revision < ResultsSchema::CurrentRevision;
    if (known && upgrade(revision))
        return; // the next database call opens the file
    if (ended())
        return; // a step stopped whole; the next start goes on from there
    replace(checked, copy, known ? QStringLiteral("its upgrade failed") : replacedReason(revision), isRetry);
}

bool DatabaseStartupCheck::onOpenDatabase(const std::function<bool(SchemaUpgrades&)>& job)
{
    platform::DbConnection* db = m_host.openDatabase();
    if (!db) {
        m_host.closeDatabase();
        return false;
    }
    // An end of the program that comes meanwhile (at a turn of the message
    // loop) waits until the connection is closed. The open is not under the
    // hold: a signal must end the message about a failed open too.
    const platform::ProgramEnd::Hold hold;
    SchemaUpgrades upgrades(*db, m_host.upgradeWindow());
    const bool done = job(upgrades);
    m_host.closeDatabase();
    return done;
}

bool DatabaseStartupCheck::upgrade(int revision)
{
    return onOpenDatabase([revision](SchemaUpgrades& upgrades) { return upgrades.upgradeLocalFrom(revision); });
}

bool DatabaseStartupCheck::repairLegacyDemoModeColumn()
{
    return onOpenDatabase([](SchemaUpgrades& upgrades) { return upgrades.repairLegacyDemoModeColumn(); });
}

void DatabaseStartupCheck::replace(const LocalDatabasePaths& paths, UpkeepOutcome copy, const QString& reason,
                                   bool isRetry)
{
    const QString& file = paths.databaseFile;
    if (!copy.done)
        copy = m_host.backUp(paths);
    if (ended())
        return;
    if (!copy.done) {
        accessFailure(paths, isRetry, copy.cause);
        return;
    }
    QFile::remove(file + QStringLiteral("-journal"));
    QString why;
    if (!QFile::remove(file) && QFileInfo::exists(file))
        why = QStringLiteral("%1 cannot be removed").arg(file);
    else if (m_host.writeEmptyDatabase(file, &why))
        why.clear();
    else if (why.isEmpty())
        why = QStringLiteral("%1 cannot be written").arg(file);
    if (!why.isEmpty()) {
        m_host.log(QStringLiteral("Error creating new default database file: ") + why);
        accessFailure(paths, isRetry, why);
        return;
    }
    m_host.log(QStringLiteral("Database file replaced by a new default database file (%1); the old file is kept as %2")
                   .arg(reason, copy.file));
    m_prompts.message(QStringLiteral("The database file could not be used (%1) and has been replaced by a new, "
                                     "empty database file.")
                              .arg(reason)
                          + QStringLiteral("\r\n\r\nThe old file is kept as:\r\n   ") + copy.file,
                      kDatabaseError, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    if (!ended())
        m_host.openDatabase();
}

void DatabaseStartupCheck::accessFailure(const LocalDatabasePaths& paths, bool isRetry, const QString& cause)
{
    if (!cause.isEmpty())
        m_host.log(QStringLiteral("Database error: ") + cause);
    if (isRetry) {
        m_prompts.message(QStringLiteral("Unable to resolve database access error.  Exiting application."),
                          kDatabaseError, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        if (ended())
            return;
        m_host.log(QStringLiteral("Unable to resolve database access error. Exiting application"));
        m_host.endProgram();
        return;
    }
    const QString defaultFile = LocalDatabasePaths::inFolder(m_defaultFolder).databaseFile;
    if (!config::samePath(paths.databaseFile, defaultFile)) {
        m_host.log(kUnableToAccess);
        const platform::MsgResult answer = m_prompts.message(
            kUnableToAccess + QStringLiteral("\r\n\r\n")
                + QStringLiteral("Click OK to revert to the default application data folder, or CANCEL to terminate "
                                 "the application and ")
                + QStringLiteral("check the database file:") + QStringLiteral("\r\n   ") + paths.databaseFile,
            kDatabaseError, platform::MsgButtons::OkCancel);
        if (ended())
            return;
        if (answer != platform::MsgResult::Ok) {
            m_host.log(QStringLiteral("Exiting application"));
            m_host.endProgram();
            return;
        }
        m_host.log(QStringLiteral("Resetting to default database folder"));
        const LocalDatabasePaths fallBack = LocalDatabasePaths::inFolder(m_defaultFolder);
        m_host.useDatabaseFolder(fallBack);
        checkLocal(fallBack, false, true);
        return;
    }
    m_host.log(QStringLiteral("Unable to access database file in its default file location.  Possible corruption, "
                              "folder access, or permissions issue."));
    m_prompts.message(kUnableToAccess + QStringLiteral("\r\n\r\n")
                          + QStringLiteral("Click OK to terminate the application and check the database file:")
                          + QStringLiteral("\r\n   ") + paths.databaseFile,
                      kDatabaseError, platform::MsgButtons::Ok);
    if (!ended())
        m_host.endProgram();
}

void DatabaseStartupCheck::checkServer(bool startingUp)
{
    m_host.log(QStringLiteral("Loading SQL Database"));
    if (startingUp)
        m_host.showMainWindows();
    const int revision = m_host.databaseRevision(QString());
    if (revision == ResultsSchema::CurrentRevision || ended())
        return;
    if (revision > 12) {
        m_host.log(QStringLiteral("SQL database version %1 detected. Applying SQL Database updates").arg(revision));
        if (revision > ResultsSchema::CurrentRevision)
            return; // a newer station's database is used as it is
        const platform::MsgResult answer = m_prompts.message(
            QStringLiteral("Database Update Required!  Click OK to proceed with automatic SQL update, or CANCEL to "
                           "exit and apply the updates manually.")
                + QStringLiteral("\r\n\r\n")
                + QStringLiteral("  NOTE for Automatic Updates:  Automatic SQL updates will be applied to the live "
                                 "database.  Ensure that you have a recent backup before proceeding.")
                + QStringLiteral("\r\n")
                + QStringLiteral("  NOTE for Manual Updates:     The current database version is %1.  Execute the "
                                 "v%1 to v%2 SQL update script in the SQL Manager to update the database manually.")
                      .arg(revision)
                      .arg(revision + 1),
            QStringLiteral("Database Update Required"), platform::MsgButtons::OkCancel);
        if (ended())
            return;
        if (answer != platform::MsgResult::Ok) {
            m_host.log(QStringLiteral("Exiting application for manual SQL database update"));
            m_host.endProgram();
            return;
        }
        if (onOpenDatabase([revision](SchemaUpgrades& upgrades) { return upgrades.upgradeServerTo(revision + 1); })
            || ended())
            return;
        m_host.log(QStringLiteral("SQL Database update error.  Exiting application"));
        m_prompts.message(QStringLiteral("Automatic database update failed!  Please attempt manual SQL update.  "
                                         "Exiting application."),
                          QString(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        m_host.endProgram();
        return;
    }
    m_host.log(QStringLiteral("Invalid SQL Database version."));
    const platform::MsgResult answer =
        m_prompts.message(QStringLiteral("Click OK to reconfigure database settings, or Cancel to exit application."),
                          QStringLiteral("Database Connection Error"), platform::MsgButtons::OkCancel);
    if (ended())
        return;
    if (answer == platform::MsgResult::Ok) {
        m_host.showDatabaseOptions();
        return;
    }
    m_host.log(QStringLiteral("Exiting application"));
    m_host.endProgram();
}

} // namespace results
