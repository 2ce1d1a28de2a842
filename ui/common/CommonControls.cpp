#include "ui/common/CommonControls.h"

#include <QApplication>

namespace ui {

bool initCommonControls()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace ui
