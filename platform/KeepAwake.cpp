#include "platform/KeepAwake.h"

#include "platform/ScreenSaver.h"

#include <QCursor>
#include <QPoint>

#include <cmath>

namespace modMouseMove {

namespace {
constexpr int NudgePixels = 5;
QPoint lastPosition(0, 0);   // (0, 0): nothing stored yet
qint16 direction = 0;
} // namespace

void PreventSleep()
{
    platform::ScreenSaver::SimulateUserActivity();
}

void NudgeMousePointer()
{
    if (direction == 0)
        direction = 1;
    const QPoint current = QCursor::pos();
    if (lastPosition == QPoint(0, 0))
        lastPosition = current;
    if (current == lastPosition) {
        lastPosition += QPoint(direction * NudgePixels, direction * NudgePixels);
        SetMousePosition(static_cast<float>(lastPosition.x()), static_cast<float>(lastPosition.y()));
        direction = static_cast<qint16>(-direction);
    } else {
        lastPosition = current;
    }
}

void SetMousePosition(float x, float y)
{
    QCursor::setPos(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void ResetForTesting()
{
    lastPosition = QPoint(0, 0);
    direction = 0;
}

} // namespace modMouseMove
