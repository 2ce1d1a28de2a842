#include "core/DatabaseCheck.h"

#include "core/Globals.h"
#include "core/ProgramEnd.h"
#include "core/ShowMainWindows.h"
#include "core/StationWindows.h"
#include "core/modMain.h"
#include "platform/Prompts.h"
#include "results/EmptyDatabase.h"
#include "results/modDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace modMain {

namespace {

void endForDatabaseError()
{
    platform::Prompts::instance().message(
        QStringLiteral("Unable to resolve database access error.  Exiting application."),
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

void OpenLocalDatabase(bool /*isRetry*/)
{
    if (Globals::StartingUp)
        ShowMainWindows();
    const QString path = Globals::DatabaseFilePath;
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (modDatabase::BuildEmptyDatabase(path).isEmpty()) {
            endForDatabaseError();
            return;
        }
    }
    if (!openAndCheck())
        endForDatabaseError();
}

void OpenSqlDatabase()
{
    if (Globals::UseLocalDatabase)
        return;
    WriteLog(QStringLiteral("Loading SQL Database"));
    if (Globals::StartingUp)
        ShowMainWindows();
    if (!openAndCheck())
        endForDatabaseError();
}

} // namespace modMain
