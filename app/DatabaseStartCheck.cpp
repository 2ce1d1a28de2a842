#include "app/DatabaseStartCheck.h"

#include "config/Log.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"
#include "ui/shell/MainWindowsPlacement.h"
#include "ui/shell/StationWindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace modMain {

namespace {

// cause: what went wrong, when no box has said it yet.
void endForDatabaseError(const QString& cause = QString())
{
    platform::Prompts::instance().message(
        QStringLiteral("Unable to resolve database access error.  Exiting application.")
            + (cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + cause),
        QStringLiteral("Database Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
    StationWindows::UnloadApplication();
    // Whatever the windows did, the program ends here: start-up stops.
    ProgramEnd::Request(1);
}

bool openAndCheck()
{
    return modDatabase::OpenDatabase(false) && modDatabase::GetDBRevNumber(QString()) > 0;
}

} // namespace

void OpenLocalDatabase(const config::StationSettings& settings)
{
    if (settings.switches.startingUp)
        ShowMainWindows();
    const QString path = settings.paths.databaseFile;
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString why;
        if (modDatabase::BuildEmptyDatabase(path, &why).isEmpty()) {
            endForDatabaseError(why);
            return;
        }
    }
    if (!openAndCheck())
        endForDatabaseError();
}

void OpenSqlDatabase(const config::StationSettings& settings)
{
    if (settings.database.useLocalDatabase)
        return;
    WriteLog(QStringLiteral("Loading SQL Database"));
    if (settings.switches.startingUp)
        ShowMainWindows();
    if (!openAndCheck())
        endForDatabaseError();
}

} // namespace modMain
