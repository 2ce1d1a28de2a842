#include "app/CommonControls.h"

#include <QApplication>

namespace app {

bool initCommonControls()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace app
