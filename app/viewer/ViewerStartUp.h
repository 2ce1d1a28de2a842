#pragma once
// The report viewer's start-up: once the windows can be made, the viewer's
// database (none chosen yet) and its main window, shown with "No Database
// Selected". The viewer needs no settings file and keeps no log: nothing is
// read or written at start. When the windows cannot be made the operator
// gets "Initialization error!" and the program ends.

#include "ui/viewer/ViewerMainWindow.h"
#include "viewer/ViewerDatabase.h"

#include <memory>

namespace app {

class ViewerStartUp {
public:
    ViewerStartUp() = default;
    ViewerStartUp(const ViewerStartUp&) = delete;
    ViewerStartUp& operator=(const ViewerStartUp&) = delete;

    // Shows the main window; false ("Initialization error!" shown) when
    // there can be no windows.
    bool start();
    // The main window; nullptr before a successful start.
    ui::ViewerMainWindow* mainWindow() const { return m_window.get(); }

    // The program: start, then the event loop until the main window closes.
    // The exit code.
    static int run();

private:
    viewer::ViewerDatabase m_database;
    std::unique_ptr<ui::ViewerMainWindow> m_window;
};

} // namespace app
