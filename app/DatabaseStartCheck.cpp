#include "app/DatabaseStartCheck.h"

#include "app/Station.h"
#include "app/StationDatabaseHost.h"
#include "config/Log.h"
#include "platform/Prompts.h"
#include "results/DatabaseStartupCheck.h"
#include "ui/options/DatabaseOptionsWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

namespace app {

void checkDatabase(Station& station, bool startingUp)
{
    const config::StationSettings& settings = station.settings;
    StationDatabaseHost host(station);
    results::DatabaseStartupCheck check(host, platform::Prompts::instance(), config::getAppDataFolder());
    if (settings.database.useLocalDatabase)
        check.checkLocal(host.paths(), startingUp);
    else
        check.checkServer(startingUp);
}

void showDatabaseOptions(Station& station)
{
    ui::DatabaseOptionsWindow window(
        station.settings, station.database, [&station] { checkDatabase(station, false); },
        station.windows.existingFrame());
    window.exec();
}

void installDatabaseOptions(Station& station)
{
    station.windows.windowOpeners().DatabaseOptions = [&station] { showDatabaseOptions(station); };
}

} // namespace app
