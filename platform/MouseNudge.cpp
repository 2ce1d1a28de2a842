#include "platform/MouseNudge.h"

#include "platform/KeepAwake.h"

#include <QCursor>

namespace platform {

namespace {
constexpr int NudgePixels = 5;
} // namespace

void MouseNudge::nudgeMousePointer()
{
    if (m_direction == 0)
        m_direction = 1;
    const QPoint current = QCursor::pos();
    if (m_lastPosition == QPoint(0, 0))
        m_lastPosition = current;
    if (current == m_lastPosition) {
        m_lastPosition += QPoint(m_direction * NudgePixels, m_direction * NudgePixels);
        setMousePosition(static_cast<float>(m_lastPosition.x()), static_cast<float>(m_lastPosition.y()));
        m_direction = static_cast<qint16>(-m_direction);
    } else {
        m_lastPosition = current;
    }
}

} // namespace platform
