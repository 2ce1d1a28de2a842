// The report viewer program: builds the application object, puts the prompts
// on screen and hands over to the viewer's start-up.
#include "app/viewer/ViewerStartUp.h"
#include "platform/Prompts.h"
#include "ui/common/InteractivePrompts.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::Prompts::install(std::make_unique<ui::InteractivePrompts>());
    return app::ViewerStartUp::run();
}
