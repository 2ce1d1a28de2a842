#pragma once
// Small routines that windows and subsystems all over the station share.

#include <QString>

class QWidget;

// Takes the Close command from a window: no close button, and a close asked
// for by the operator (close box, window menu, Alt+F4) is refused; the
// program can still close it. A window inside an MDI area is treated through
// its sub-window. Returns true when the window was changed.
namespace ui {

bool disableCloseMenu(QWidget* window);

// The folder dialog "Select a Folder"; "" when cancelled.
QString browseForFolder(QWidget* owner = nullptr);

// The natural logarithm of x. Throws std::invalid_argument for x <= 0.
double logValue(double x);

} // namespace ui
