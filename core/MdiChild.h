#pragma once
// Placing the station's child windows. A window shown inside the main frame
// sits in a QMdiSubWindow; its position and outer size are those of that
// sub-window. Outside a frame (tests) the window itself is placed.

#include <QRect>

class QWidget;

namespace MdiChild {

// The widget that carries the window's place: the sub-window around it, or
// the window itself.
QWidget* Outer(QWidget* form);

// Place and size in twips (15 per pixel).
QRect GeometryTwips(QWidget* form);
void SetGeometryTwips(QWidget* form, int left, int top, int width, int height);
void MoveTwips(QWidget* form, int left, int top);
void ResizeTwips(QWidget* form, int width, int height);

// Shows the window (its sub-window too) and raises it.
void ShowAndRaise(QWidget* form);

} // namespace MdiChild
