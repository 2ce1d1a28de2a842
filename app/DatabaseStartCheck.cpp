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

namespace app {

namespace {

// cause: what went wrong, when no box has said it yet.
void endForDatabaseError(const QString& cause = QString())
{
    platform::Prompts::instance().message(
        QStringLiteral("Unable to resolve database access error.  Exiting application.")
            + (cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + cause),
        QStringLiteral("Database Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
    ui::StationWindows::unloadApplication();
    // Whatever the windows did, the program ends here: start-up stops.
    platform::ProgramEnd::request(1);
}

bool openAndCheck()
{
    return results::openDatabase(false) && results::getDBRevNumber(QString()) > 0;
}

} // namespace

void openLocalDatabase(const config::StationSettings& settings)
{
    if (settings.switches.startingUp)
        ui::showMainWindows();
    const QString path = settings.paths.databaseFile;
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString why;
        if (results::buildEmptyDatabase(path, &why).isEmpty()) {
            endForDatabaseError(why);
            return;
        }
    }
    if (!openAndCheck())
        endForDatabaseError();
}

void openSqlDatabase(const config::StationSettings& settings)
{
    if (settings.database.useLocalDatabase)
        return;
    config::writeLog(QStringLiteral("Loading SQL Database"));
    if (settings.switches.startingUp)
        ui::showMainWindows();
    if (!openAndCheck())
        endForDatabaseError();
}

} // namespace app
