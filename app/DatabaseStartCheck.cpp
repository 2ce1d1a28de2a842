#include "app/DatabaseStartCheck.h"

#include "app/StationDatabaseHost.h"
#include "config/Log.h"
#include "platform/Prompts.h"
#include "results/DatabaseStartupCheck.h"
#include "ui/options/DatabaseOptionsWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

namespace app {

void checkDatabase(config::StationSettings& settings, bool startingUp)
{
    StationDatabaseHost host(settings);
    results::DatabaseStartupCheck check(host, platform::Prompts::instance(), config::getAppDataFolder());
    if (settings.database.useLocalDatabase)
        check.checkLocal(host.paths(), startingUp);
    else
        check.checkServer(startingUp);
}

void showDatabaseOptions(config::StationSettings& settings)
{
    ui::DatabaseOptionsWindow window(
        settings, [&settings] { checkDatabase(settings, false); }, ui::StationWindows::existingFrame());
    window.exec();
}

void installDatabaseOptions(config::StationSettings& settings)
{
    ui::StationWindows::windowOpeners().DatabaseOptions = [&settings] { showDatabaseOptions(settings); };
}

} // namespace app
