#include "platform/KeepAwake.h"

#include "platform/ScreenSaver.h"

#include <QCursor>
#include <QPoint>

#include <cmath>

namespace platform {

namespace {
constexpr int NudgePixels = 5;
QPoint lastPosition(0, 0); // (0, 0): nothing stored yet
qint16 direction = 0;
} // namespace

void preventSleep()
{
    platform::ScreenSaver::simulateUserActivity();
}

void nudgeMousePointer()
{
    if (direction == 0)
        direction = 1;
    const QPoint current = QCursor::pos();
    if (lastPosition == QPoint(0, 0))
        lastPosition = current;
    if (current == lastPosition) {
        lastPosition += QPoint(direction * NudgePixels, direction * NudgePixels);
        setMousePosition(static_cast<float>(lastPosition.x()), static_cast<float>(lastPosition.y()));
        direction = static_cast<qint16>(-direction);
    } else {
        lastPosition = current;
    }
}

void setMousePosition(float x, float y)
{
    QCursor::setPos(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void resetForTesting()
{
    lastPosition = QPoint(0, 0);
    direction = 0;
}

} // namespace platform
