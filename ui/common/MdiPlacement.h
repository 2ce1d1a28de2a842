#pragma once
// Placing the station's child windows. A window shown inside the main frame
// sits in a QMdiSubWindow; its position and outer size are those of that
// sub-window. Outside a frame (tests) the window itself is placed.

#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

namespace MdiChild {

// The widget that carries the window's place: the sub-window around it, or
// the window itself.
QWidget* outerWidget(QWidget* form);

// Place and size in twips (15 per pixel).
QRect geometryTwips(QWidget* form);
void setGeometryTwips(QWidget* form, int left, int top, int width, int height);
void moveTwips(QWidget* form, int left, int top);
void resizeTwips(QWidget* form, int width, int height);

// Shrinks the window, keeping its place and not below its minimum size, so
// that it ends inside an area of the given size in pixels as far as it can; a
// window that already lies inside stays as it is.
void shrinkInto(QWidget* form, const QSize& area);
// Moves the window, keeping its size, so that it lies inside the area as far
// as it can.
void moveInto(QWidget* form, const QSize& area);
// True when the window lies wholly inside the area.
bool liesInside(QWidget* form, const QSize& area);

// Shows the window (its sub-window too) and raises it.
void showAndRaise(QWidget* form);
// A minimized or maximized window back to its normal size.
void restore(QWidget* form);

} // namespace MdiChild

} // namespace ui
