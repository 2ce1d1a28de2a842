#include "app/viewer/ViewerStartUp.h"

#include "platform/Prompts.h"
#include "ui/common/CommonControls.h"

#include <QApplication>

namespace app {

bool ViewerStartUp::start()
{
    if (!ui::initCommonControls()) {
        platform::Prompts::instance().message(QStringLiteral("Initialization error!"),
                                              QStringLiteral("ZAMO Report Viewer"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Critical);
        return false;
    }
    m_window = std::make_unique<ui::ViewerMainWindow>(m_database);
    m_window->show();
    return true;
}

int ViewerStartUp::run()
{
    ViewerStartUp viewer;
    if (!viewer.start())
        return 1;
    // The main window is the program: closing it ends the program, whatever
    // report windows are open (they close with it).
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(viewer.mainWindow(), &ui::ViewerMainWindow::closed, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace app
