#pragma once
// Shows the station's main windows inside the frame and places them: the
// frame, the background window, the main test window at the top left, the
// status window to its right and the active-lot window below the status
// window. Calling it again places them again in the same way.

namespace ui {

class StationWindows;

void showMainWindows(StationWindows& windows);

} // namespace ui
