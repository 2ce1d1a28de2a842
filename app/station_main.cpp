// The station program: builds the application object and hands over to the
// start-up routine.
#include "app/Station.h"
#include "app/StationAssembly.h"
#include "app/StationStartUp.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "ui/common/InteractivePrompts.h"
#include "ui/editors/EditorWindows.h"
#include "ui/reportlists/ReportListOpeners.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The station's one set of settings, its database connection and its
    // windows: read, opened and shown by start-up, and kept until the
    // program ends; the windows and the connection go before the
    // application object does.
    app::Station station;
    // The frame stays until "Exit"; closing child windows never ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Prompts::install(std::make_unique<ui::InteractivePrompts>());
    ui::DefinitionWindows::installOpeners(station.windows);
    ui::installReportListOpeners(station.windows, station.settings, station.database);
    app::ExecutionWindows::installMainForm(station);
    int code = 1;
    if (app::main(station))
        code = app.exec();
    else if (platform::ProgramEnd::requested())
        code = platform::ProgramEnd::exitCode();
    station.database.closeDatabase();
    return code;
}
