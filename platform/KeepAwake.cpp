#include "platform/KeepAwake.h"

#include "platform/ScreenSaver.h"

#include <QCursor>

#include <cmath>

namespace platform {

void preventSleep()
{
    platform::ScreenSaver::simulateUserActivity();
}

void setMousePosition(float x, float y)
{
    QCursor::setPos(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

} // namespace platform
