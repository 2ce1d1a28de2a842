// The station program: builds the application object and hands over to the
// start-up routine.
#include "core/StartUp.h"
#include "definitions/DefinitionWindows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    DefinitionWindows::InstallOpeners();
    if (!modMain::Main())
        return 1;
    if (QApplication::topLevelWidgets().isEmpty())
        return 0;  // nothing to show yet
    return app.exec();
}
