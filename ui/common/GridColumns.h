#pragma once
// Grids whose column widths are a share of the grid's width: the widths are
// set again whenever the grid's size changes, so that they follow the width
// the grid has once its window is laid out, not the one it had when built.

#include <functional>

class QWidget;

namespace ui {

namespace GridColumns {

// Calls apply now and after every resize of grid, for the grid's lifetime.
void followWidth(QWidget* grid, std::function<void()> apply);

} // namespace GridColumns

} // namespace ui
