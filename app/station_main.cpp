// The station program: builds the application object and hands over to the
// start-up routine.
#include "app/StationAssembly.h"
#include "app/StationStartUp.h"
#include "platform/ProgramEnd.h"
#include "platform/Prompts.h"
#include "results/ResultsDatabase.h"
#include "ui/common/InteractivePrompts.h"
#include "ui/editors/EditorWindows.h"
#include "ui/reportlists/ReportListOpeners.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    // The station's one set of settings: read by start-up, handed to the
    // windows and the database connection, and kept until the program ends.
    config::StationSettings settings;
    QApplication app(argc, argv);
    // The frame stays until "Exit"; closing child windows never ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::Prompts::install(std::make_unique<ui::InteractivePrompts>());
    ui::DefinitionWindows::installOpeners();
    ui::installReportListOpeners(settings);
    app::ExecutionWindows::installMainForm(settings);
    int code = 1;
    if (app::main(settings))
        code = app.exec();
    else if (platform::ProgramEnd::requested())
        code = platform::ProgramEnd::exitCode();
    // The connection goes before the application object does.
    results::closeDatabase();
    results::setSettings(nullptr);
    return code;
}
