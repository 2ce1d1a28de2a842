#pragma once
// Keeping the computer awake by nudging a resting mouse pointer by a few
// pixels and back. The pointer's last position and the nudge's direction
// belong to the one that nudges (the run's test clock), from its first
// nudge on.

#include <QPoint>
#include <QtGlobal>

namespace platform {

class MouseNudge {
public:
    // Moves a pointer that nobody moved since the last call 5 pixels right and
    // down, and back at the next call; a pointer the user moved is left alone
    // and becomes the new reference.
    void nudgeMousePointer();

private:
    QPoint m_lastPosition{0, 0}; // (0, 0): nothing stored yet
    qint16 m_direction = 0;
};

} // namespace platform
